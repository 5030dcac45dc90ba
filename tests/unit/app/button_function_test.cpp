#include "app/button_function.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

struct CodeCase {
    std::int32_t code;
    std::optional<std::uint8_t> deviceCode;
    std::int32_t dpiStep;
};

TEST(ButtonFunctionTest, DeviceCodesFollowTheCatalogue) {
    const CodeCase cases[] = {
        {0, 0, 0},    {1, 1, 0},    {5, 5, 0},     {6, 31, 2},     {7, std::nullopt, 0},
        {10, std::nullopt, 0},      {11, 7, 0},    {16, 12, 0},    {17, 31, 1},
        {18, 31, -1}, {19, 31, 0},  {20, std::nullopt, 0},         {21, 13, 0},
        {25, 17, 0},  {26, 31, 0},  {27, 31, 0},   {30, 31, 0},    {31, 31, 0},
        {40, 31, 0},  {41, 31, 0},  {52, 31, 0},   {53, std::nullopt, 0},
        {-1, std::nullopt, 0},      {12345, std::nullopt, 0},
    };
    for (const CodeCase& c : cases) {
        const DeviceCode result = deviceCodeOf(c.code);
        EXPECT_EQ(result.deviceCode, c.deviceCode) << "code " << c.code;
        EXPECT_EQ(result.dpiStep, c.dpiStep) << "code " << c.code;
    }
}

}  // namespace
}  // namespace torvane
