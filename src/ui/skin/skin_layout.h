#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace torvane {

// A rectangle in client pixels. A point lies in it when x <= px < x + width and
// y <= py < y + height, so a rectangle of zero or negative size contains no point.
struct SkinRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    bool contains(std::int32_t px, std::int32_t py) const {
        return x <= px && px < x + width && y <= py && py < y + height;
    }
    bool operator==(const SkinRect&) const = default;
};

inline constexpr int kMainElementCount = 80;
inline constexpr int kFunctionNameCount = 55;
inline constexpr int kColourElementCount = 12;
inline constexpr int kAdvancedElementCount = 20;
inline constexpr int kWarningElementCount = 3;
inline constexpr std::int32_t kNoElement = 255;

// The skin's layout, read once at start-up from the four layout files of the skin folder.
// Captions are UTF-16.
struct SkinLayout {
    std::array<SkinRect, kMainElementCount> mainRects{};
    std::array<std::u16string, kMainElementCount> mainCaptions{};
    std::array<std::u16string, kFunctionNameCount> functionNames{};  // entry 0 stays empty
    std::array<SkinRect, kColourElementCount> colourRects{};
    std::array<std::u16string, kColourElementCount> colourCaptions{};
    std::array<SkinRect, kAdvancedElementCount> advancedRects{};
    std::array<std::u16string, kAdvancedElementCount> advancedCaptions{};
    SkinRect countEditRect{};
    SkinRect nameEditRect{};
    SkinRect macroListRect{};
    SkinRect eventListRect{};
    std::array<SkinRect, kWarningElementCount> warningRects{};
    std::array<std::u16string, kWarningElementCount> warningCaptions{};
    std::int32_t maskWidth = 0;
    std::int32_t maskHeight = 0;
};

// The smallest index i in 0..lastIndex whose rectangle contains (px, py), or kNoElement when
// none does (also when lastIndex is negative). Indexes beyond the end of `rects` are not
// looked at.
std::int32_t hitTestElements(std::span<const SkinRect> rects, std::int32_t lastIndex,
                             std::int32_t px, std::int32_t py);

}  // namespace torvane
