#pragma once

#include "ui/region.h"
#include "ui/skin/skin_layout.h"

namespace torvane {

struct AppState;
class ImageLoader;

// Loads main_mask.jpg and sets skinLayout.maskWidth and maskHeight, windowShape (the pixels the
// mask keeps) and advancedInvalidRegion (the shape combined by exclusive-or with nameEditRect,
// eventListRect and macroListRect, so that hover repaints of the advanced page spare the name
// box and the two lists). Returns false when the mask cannot be loaded: the size stays 0 x 0 and
// both regions empty, and the caller leaves the window unshaped. UI thread only, at start-up.
bool buildWindowShape(AppState& state, ImageLoader& images);

// The exclusive-or of `region` with a layout rectangle.
void xorSkinRect(Region& region, const SkinRect& rect);

}  // namespace torvane
