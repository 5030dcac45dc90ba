#include "app/app_state.h"

#include "app/profile_editing.h"

namespace torvane {

void updateDpiSettingElements(AppState& state) {
    for (int k = 0; k < kDpiStageCount; ++k) {
        state.dpiSettingElement[static_cast<std::size_t>(k)] =
            dpiSettingElementOf(k, state.config.dpiSetting[static_cast<std::size_t>(k)]);
    }
}

void setProgramDirectory(AppState& state, const std::filesystem::path& directory) {
    state.programDirectory = directory;
    state.configFilePath = directory / "config.ini";
    state.macroFilePath = directory / "Macro.dat";
    state.skinDirectory = directory / "skins";
}

}  // namespace torvane
