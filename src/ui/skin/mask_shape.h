#pragma once

#include <cstdint>

#include "ui/region.h"
#include "ui/skin/image.h"

namespace torvane {

// A mask pixel is cut from its window when its red, green and blue components are each greater
// than 100; every other pixel belongs to the window.
inline constexpr std::uint8_t kMaskCutThreshold = 100;

constexpr bool isMaskPixelCut(std::uint32_t pixel) {
    return Image::redOf(pixel) > kMaskCutThreshold && Image::greenOf(pixel) > kMaskCutThreshold &&
           Image::blueOf(pixel) > kMaskCutThreshold;
}

// The pixels of 0, 0, mask.width, mask.height that the mask keeps, built as runs per scan line.
Region shapeFromMask(const Image& mask);

}  // namespace torvane
