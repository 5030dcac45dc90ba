#include "platform/qt/qt_region.h"

#include <QRect>
#include <QVector>

namespace torvane {

QRegion toQRegion(const Region& region) {
    const std::vector<Region::Rect> bands = region.bands();
    QVector<QRect> rects;
    rects.reserve(static_cast<qsizetype>(bands.size()));
    for (const Region::Rect& rect : bands) {
        if (rect.width > 0 && rect.height > 0) {
            rects.append(QRect(rect.x, rect.y, rect.width, rect.height));
        }
    }
    QRegion result;
    // The bands are y-x banded and do not overlap, which is what setRects() requires; building
    // the region by repeated unions would cost a copy per rectangle.
    if (!rects.isEmpty()) result.setRects(rects.constData(), static_cast<int>(rects.size()));
    return result;
}

}  // namespace torvane
