#include "platform/qt/qt_region.h"

#include <QRect>
#include <QVector>
#include <cstddef>

namespace torvane {

QRegion toQRegion(const Region& region) {
    const auto& runs = region.runs;
    // Each band: the runs of one scan line [begin, end) and the lines it covers so far.
    struct Band {
        std::size_t begin;
        std::size_t end;
        std::int32_t top;
        std::int32_t bottom;  // exclusive
    };
    QVector<QRect> rects;
    rects.reserve(static_cast<qsizetype>(runs.size()));

    auto sameSpans = [&](const Band& a, std::size_t begin, std::size_t end) {
        if (a.end - a.begin != end - begin) return false;
        for (std::size_t i = 0; i < end - begin; ++i) {
            if (runs[a.begin + i].x0 != runs[begin + i].x0 ||
                runs[a.begin + i].x1 != runs[begin + i].x1) {
                return false;
            }
        }
        return true;
    };
    auto flush = [&](const Band& band) {
        for (std::size_t i = band.begin; i < band.end; ++i) {
            if (runs[i].x1 > runs[i].x0) {
                rects.append(QRect(runs[i].x0, band.top, runs[i].x1 - runs[i].x0,
                                   band.bottom - band.top));
            }
        }
    };

    bool open = false;
    Band band{};
    std::size_t i = 0;
    while (i < runs.size()) {
        std::size_t end = i;
        while (end < runs.size() && runs[end].y == runs[i].y) ++end;
        const std::int32_t y = runs[i].y;
        if (open && band.bottom == y && sameSpans(band, i, end)) {
            band.bottom = y + 1;
        } else {
            if (open) flush(band);
            band = Band{i, end, y, y + 1};
            open = true;
        }
        i = end;
    }
    if (open) flush(band);

    QRegion result;
    if (!rects.isEmpty()) result.setRects(rects.constData(), static_cast<int>(rects.size()));
    return result;
}

}  // namespace torvane
