#include "app/profile_editing.h"

#include "app/button_function.h"

namespace torvane {

namespace {
constexpr std::int32_t kLeftClick = codeOf(ButtonFunction::LeftClick);
}  // namespace

std::int32_t dpiSettingElementOf(int stage, std::uint8_t dpiSetting) {
    return 45 + 5 * stage + dpiSetting;
}

bool otherSlotHasLeftClick(const MouseConfig& config, int slot) {
    for (int i = 1; i <= kButtonSlotCount; ++i) {
        if (i != slot && config.buttonFunction[i] == kLeftClick) return true;
    }
    return false;
}

int ensureLeftClickAfterAssignment(MouseConfig& config, int slot) {
    if (slot < 1 || slot > kButtonSlotCount) return 0;
    for (int i = 1; i <= kButtonSlotCount; ++i) {
        if (config.buttonFunction[i] == kLeftClick) return 0;
    }
    const int target = slot == kButtonSlotCount ? slot : slot + 1;
    config.buttonFunction[target] = kLeftClick;
    return target;
}

void toggleDpiStage(MouseConfig& config, int stage) {
    if (stage < 0 || stage >= kDpiStageCount) return;
    if (config.dpiLevelEnabled[stage] == 0) {
        config.dpiLevelEnabled[stage] = 1;
        return;
    }
    config.dpiLevelEnabled[stage] = 0;
    if (config.currentDpiLevel != stage) return;
    for (int step = 1; step < kDpiStageCount; ++step) {
        const int next = (stage + step) % kDpiStageCount;
        if (config.dpiLevelEnabled[next] == 1) {
            config.currentDpiLevel = next;
            return;
        }
    }
    config.currentDpiLevel = stage;
    config.dpiLevelEnabled[stage] = 1;
}

bool chooseActiveDpiStage(MouseConfig& config, int stage) {
    if (stage < 0 || stage >= kDpiStageCount || config.dpiLevelEnabled[stage] == 0) return false;
    config.currentDpiLevel = stage;
    return true;
}

}  // namespace torvane
