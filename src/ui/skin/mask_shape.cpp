#include "ui/skin/mask_shape.h"

namespace torvane {

Region shapeFromMask(const Image& mask) {
    Region shape;
    if (!mask.valid()) return shape;
    const std::uint32_t* row = mask.pixels.data();
    for (std::int32_t y = 0; y < mask.height; ++y, row += mask.width) {
        std::int32_t x = 0;
        while (x < mask.width) {
            while (x < mask.width && isMaskPixelCut(row[x])) ++x;
            if (x == mask.width) break;
            const std::int32_t start = x;
            while (x < mask.width && !isMaskPixelCut(row[x])) ++x;
            shape.runs.push_back(Region::Run{y, start, x});
        }
    }
    return shape;
}

}  // namespace torvane
