#include "ui/skin/skin_layout.h"

#include <algorithm>

namespace torvane {

std::int32_t hitTestElements(std::span<const SkinRect> rects, std::int32_t lastIndex,
                             std::int32_t px, std::int32_t py) {
    if (lastIndex < 0 || rects.empty()) return kNoElement;
    const std::int32_t last =
        std::min<std::int32_t>(lastIndex, static_cast<std::int32_t>(rects.size()) - 1);
    for (std::int32_t i = 0; i <= last; ++i) {
        if (rects[static_cast<std::size_t>(i)].contains(px, py)) return i;
    }
    return kNoElement;
}

}  // namespace torvane
