#include "ui/region.h"

#include <algorithm>
#include <iterator>

namespace torvane {

namespace {

using Run = Region::Run;

// Symmetric difference of the sorted, disjoint intervals of one line with [x0, x1).
void xorLine(std::vector<Run>::const_iterator first, std::vector<Run>::const_iterator last,
             std::int32_t y, std::int32_t x0, std::int32_t x1, std::vector<Run>& out) {
    // Every boundary of either set toggles membership, so the boundaries of the result are the
    // boundaries that occur an odd number of times.
    std::vector<std::int32_t> edges;
    edges.reserve(static_cast<std::size_t>(std::distance(first, last)) * 2 + 2);
    for (auto it = first; it != last; ++it) {
        edges.push_back(it->x0);
        edges.push_back(it->x1);
    }
    edges.push_back(x0);
    edges.push_back(x1);
    std::sort(edges.begin(), edges.end());
    std::vector<std::int32_t> toggles;
    for (std::size_t i = 0; i < edges.size();) {
        std::size_t j = i;
        while (j < edges.size() && edges[j] == edges[i]) ++j;
        if ((j - i) % 2 == 1) toggles.push_back(edges[i]);
        i = j;
    }
    for (std::size_t i = 0; i + 1 < toggles.size(); i += 2) {
        out.push_back(Run{y, toggles[i], toggles[i + 1]});
    }
}

}  // namespace

Region Region::rectangle(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    Region region;
    if (width <= 0 || height <= 0) return region;
    region.runs.reserve(static_cast<std::size_t>(height));
    for (std::int32_t row = 0; row < height; ++row) {
        region.runs.push_back(Run{y + row, x, x + width});
    }
    return region;
}

bool Region::contains(std::int32_t px, std::int32_t py) const {
    auto it = std::lower_bound(runs.begin(), runs.end(), py,
                               [](const Run& run, std::int32_t y) { return run.y < y; });
    for (; it != runs.end() && it->y == py; ++it) {
        if (it->x0 <= px && px < it->x1) return true;
    }
    return false;
}

std::int64_t Region::area() const {
    std::int64_t total = 0;
    for (const Run& run : runs) total += std::int64_t{run.x1} - run.x0;
    return total;
}

void Region::xorRect(const Rect& rect) {
    if (rect.width <= 0 || rect.height <= 0) return;
    const std::int32_t top = rect.y;
    const std::int32_t bottom = rect.y + rect.height;
    const std::int32_t x0 = rect.x;
    const std::int32_t x1 = rect.x + rect.width;
    std::vector<Run> out;
    out.reserve(runs.size() + static_cast<std::size_t>(rect.height) * 2);
    auto it = runs.begin();
    while (it != runs.end() && it->y < top) out.push_back(*it++);
    for (std::int32_t y = top; y < bottom; ++y) {
        auto lineEnd = it;
        while (lineEnd != runs.end() && lineEnd->y == y) ++lineEnd;
        xorLine(it, lineEnd, y, x0, x1, out);
        it = lineEnd;
    }
    out.insert(out.end(), it, runs.end());
    runs = std::move(out);
}

std::vector<Region::Rect> Region::bands() const {
    std::vector<Rect> rects;
    std::size_t i = 0;
    std::size_t bandStart = rects.size();
    auto sameLine = [&](std::size_t a, std::size_t aEnd, std::size_t b, std::size_t bEnd) {
        if (aEnd - a != bEnd - b) return false;
        for (std::size_t k = 0; k < aEnd - a; ++k) {
            if (runs[a + k].x0 != runs[b + k].x0 || runs[a + k].x1 != runs[b + k].x1) {
                return false;
            }
        }
        return true;
    };
    std::size_t prevLine = 0, prevLineEnd = 0;
    bool havePrev = false;
    while (i < runs.size()) {
        std::size_t lineEnd = i;
        while (lineEnd < runs.size() && runs[lineEnd].y == runs[i].y) ++lineEnd;
        const bool extends = havePrev && runs[prevLineEnd - 1].y + 1 == runs[i].y &&
                             sameLine(prevLine, prevLineEnd, i, lineEnd);
        if (extends) {
            for (std::size_t k = bandStart; k < rects.size(); ++k) ++rects[k].height;
        } else {
            bandStart = rects.size();
            for (std::size_t k = i; k < lineEnd; ++k) {
                rects.push_back(Rect{runs[k].x0, runs[k].y, runs[k].x1 - runs[k].x0, 1});
            }
        }
        prevLine = i;
        prevLineEnd = lineEnd;
        havePrev = true;
        i = lineEnd;
    }
    return rects;
}

}  // namespace torvane
