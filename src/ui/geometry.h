#pragma once

#include <cstdint>

namespace torvane {

// A point in pixels: client coordinates of a window, or screen coordinates where stated.
struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const Point&) const = default;
};

}  // namespace torvane
