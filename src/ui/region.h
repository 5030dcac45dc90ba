#pragma once

#include <cstdint>
#include <vector>

namespace torvane {

// A set of pixels kept as horizontal runs: for each run, the pixels x0 <= x < x1 of scan line y.
// Runs are sorted by y, then x0, and do not overlap.
struct Region {
    struct Run {
        std::int32_t y = 0;
        std::int32_t x0 = 0;
        std::int32_t x1 = 0;
        bool operator==(const Run&) const = default;
    };
    std::vector<Run> runs;

    bool operator==(const Region&) const = default;
};

}  // namespace torvane
