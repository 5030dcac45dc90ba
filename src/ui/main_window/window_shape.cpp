#include "ui/main_window/window_shape.h"

#include "app/app_state.h"
#include "ui/skin/image_loader.h"
#include "ui/skin/mask_shape.h"

namespace torvane {

void xorSkinRect(Region& region, const SkinRect& rect) {
    region.xorRect(Region::Rect{rect.x, rect.y, rect.width, rect.height});
}

bool buildWindowShape(AppState& state, ImageLoader& images) {
    SkinLayout& skin = state.skinLayout;
    const std::shared_ptr<const Image> mask = loadSkinImage(images, skin_file::kMainMask);
    if (!mask || !mask->valid()) {
        skin.maskWidth = 0;
        skin.maskHeight = 0;
        state.windowShape = Region{};
        state.advancedInvalidRegion = Region{};
        return false;
    }
    skin.maskWidth = mask->width;
    skin.maskHeight = mask->height;
    state.windowShape = shapeFromMask(*mask);
    state.advancedInvalidRegion = state.windowShape;
    xorSkinRect(state.advancedInvalidRegion, skin.nameEditRect);
    xorSkinRect(state.advancedInvalidRegion, skin.eventListRect);
    xorSkinRect(state.advancedInvalidRegion, skin.macroListRect);
    return true;
}

}  // namespace torvane
