#include "app/profile_editing.h"

#include <gtest/gtest.h>

#include <array>

namespace torvane {
namespace {

MouseConfig withButtons(std::array<std::int32_t, 7> codes) {
    MouseConfig config;
    for (int i = 1; i <= 7; ++i) config.buttonFunction[i] = codes[i - 1];
    return config;
}

TEST(ProfileEditingTest, LeftClickMovesToTheNextSlotOrStaysOnSlotSeven) {
    MouseConfig config = withButtons({31, 2, 3, 5, 4, 6, 13});  // slot 1 just lost its left click
    EXPECT_EQ(ensureLeftClickAfterAssignment(config, 1), 2);
    EXPECT_EQ(config.buttonFunction[2], 1);

    config = withButtons({2, 3, 4, 5, 6, 13, 40});
    EXPECT_EQ(ensureLeftClickAfterAssignment(config, 7), 7);
    EXPECT_EQ(config.buttonFunction[7], 1);

    config = withButtons({1, 2, 3, 5, 4, 6, 40});
    EXPECT_EQ(ensureLeftClickAfterAssignment(config, 7), 0);
    EXPECT_EQ(config.buttonFunction[7], 40);
}

TEST(ProfileEditingTest, WarningIsNeededWhenNoOtherSlotHasLeftClick) {
    const MouseConfig config = withButtons({1, 2, 3, 5, 4, 6, 13});
    EXPECT_FALSE(otherSlotHasLeftClick(config, 1));
    EXPECT_TRUE(otherSlotHasLeftClick(config, 2));
    EXPECT_FALSE(otherSlotHasLeftClick(withButtons({2, 2, 3, 5, 4, 6, 13}), 3));
}

struct StageCase {
    std::array<std::uint8_t, 4> enabled;
    std::int32_t active;
    int clicked;
    std::array<std::uint8_t, 4> enabledAfter;
    std::int32_t activeAfter;
};

TEST(ProfileEditingTest, TogglingDpiStages) {
    const StageCase cases[] = {
        {{1, 0, 1, 1}, 2, 1, {1, 1, 1, 1}, 2},  // enabling
        {{1, 0, 1, 1}, 2, 2, {1, 0, 0, 1}, 3},  // active stage off: next enabled
        {{1, 0, 0, 1}, 3, 3, {1, 0, 0, 0}, 0},  // wraps from 3 to 0
        {{0, 0, 1, 0}, 2, 2, {0, 0, 1, 0}, 2},  // the last enabled stage stays
        {{1, 1, 0, 0}, 0, 1, {1, 0, 0, 0}, 0},  // not the active stage
        {{1, 1, 1, 1}, 0, 4, {1, 1, 1, 1}, 0},  // outside 0..3: ignored
    };
    for (const StageCase& c : cases) {
        MouseConfig config;
        for (int k = 0; k < 4; ++k) config.dpiLevelEnabled[k] = c.enabled[k];
        config.currentDpiLevel = c.active;
        toggleDpiStage(config, c.clicked);
        for (int k = 0; k < 4; ++k) EXPECT_EQ(config.dpiLevelEnabled[k], c.enabledAfter[k]);
        EXPECT_EQ(config.currentDpiLevel, c.activeAfter);
    }
}

TEST(ProfileEditingTest, OnlyAnEnabledStageCanBecomeActive) {
    MouseConfig config;
    config.dpiLevelEnabled = {1, 0, 1, 1};
    EXPECT_FALSE(chooseActiveDpiStage(config, 1));
    EXPECT_EQ(config.currentDpiLevel, 0);
    EXPECT_TRUE(chooseActiveDpiStage(config, 3));
    EXPECT_EQ(config.currentDpiLevel, 3);
    EXPECT_FALSE(chooseActiveDpiStage(config, -1));
    EXPECT_EQ(dpiSettingElementOf(2, 3), 58);
}

TEST(ProfileEditingTest, FactoryResetKeepsMacroModeAndPointerSpeed) {
    MouseConfig config;
    config.macroRepeatWhileHeld = 1;
    config.pointerSpeed = 9;
    config.currentDpiLevel = 3;
    resetToFactory(config);
    EXPECT_EQ(config.buttonFunction[4], 5);
    EXPECT_EQ(config.buttonFunction[5], 4);
    EXPECT_EQ(config.dpiSetting[3], 0);
    EXPECT_EQ(config.currentDpiLevel, 0);
    EXPECT_EQ(config.macroRepeatWhileHeld, 1);
    EXPECT_EQ(config.pointerSpeed, 9);
}

}  // namespace
}  // namespace torvane
