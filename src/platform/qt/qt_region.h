#pragma once

#include <QRegion>

#include "ui/region.h"

namespace torvane {

// The region as a QRegion. Runs of consecutive scan lines that cover the same spans are merged
// into one taller rectangle, so a shape with straight sides costs a few rectangles, not one per
// line.
QRegion toQRegion(const Region& region);

}  // namespace torvane
