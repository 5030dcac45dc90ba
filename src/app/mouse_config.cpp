#include "app/mouse_config.h"

namespace torvane {

void resetToFactory(MouseConfig& config) {
    static constexpr std::array<std::int32_t, kButtonSlotCount> kFactoryButtons{1, 2, 3, 5,
                                                                                4, 6, 13};
    static constexpr std::array<std::uint8_t, kDpiStageCount> kFactoryDpi{1, 2, 4, 0};
    for (int i = 1; i <= kButtonSlotCount; ++i) config.buttonFunction[i] = kFactoryButtons[i - 1];
    config.wheelMode = 0;
    config.currentDpiLevel = 0;
    for (int k = 0; k < kDpiStageCount; ++k) {
        config.dpiSetting[k] = kFactoryDpi[k];
        config.dpiLevelEnabled[k] = 1;
    }
    config.ledMode = 0;
}

}  // namespace torvane
