#pragma once

#include <cstdint>
#include <vector>

namespace torvane {

// A set of pixels kept as horizontal runs: for each run, the pixels x0 <= x < x1 of scan line y.
// Runs are sorted by y, then x0, and do not overlap or touch (touching runs are merged).
struct Region {
    struct Run {
        std::int32_t y = 0;
        std::int32_t x0 = 0;
        std::int32_t x1 = 0;
        bool operator==(const Run&) const = default;
    };
    // A rectangle of pixels x <= px < x + width, y <= py < y + height.
    struct Rect {
        std::int32_t x = 0;
        std::int32_t y = 0;
        std::int32_t width = 0;
        std::int32_t height = 0;
        bool operator==(const Rect&) const = default;
    };
    std::vector<Run> runs;

    bool operator==(const Region&) const = default;

    // The pixels of a rectangle; empty when its width or height is not positive.
    static Region rectangle(std::int32_t x, std::int32_t y, std::int32_t width,
                            std::int32_t height);

    bool empty() const { return runs.empty(); }
    bool contains(std::int32_t px, std::int32_t py) const;
    // The number of pixels.
    std::int64_t area() const;
    // Replaces the region by its exclusive-or with a rectangle: pixels of the rectangle that
    // were in the region leave it, the others join it. A rectangle of zero or negative size
    // changes nothing.
    void xorRect(const Rect& rect);
    // The region as y-x banded rectangles: consecutive scan lines with the same runs are merged
    // into one band of rectangles of equal top and height, sorted by top, then left. This is the
    // form a window system takes for a window shape.
    std::vector<Rect> bands() const;
};

}  // namespace torvane
