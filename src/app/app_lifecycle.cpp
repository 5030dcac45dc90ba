#include "app/app_lifecycle.h"

#include "app/app_state.h"
#include "app/app_window.h"
#include "app/message_box.h"
#include "app/pointer_speed.h"
#include "app/profile_store.h"
#include "app/single_instance.h"
#include "app/startup_steps.h"
#include "engine/input_injector.h"
#include "ui/tray/tray_icon.h"

namespace torvane {

namespace {
constexpr char16_t kNoMouseMessage[] = u"请插入【Torvane】USB鼠标";
constexpr int kAltReleaseCount = 7;
constexpr int kPauseBeforeApplyMs = 5;
}  // namespace

bool AppLifecycle::claimSingleInstance(SingleInstance& instance) {
    if (instance.acquire()) return true;
    instance.activateExisting();
    return false;
}

bool AppLifecycle::runStartup() {
    StartupSteps& steps = m_ports.steps;
    m_state.buttonEventPending = 0;
    m_state.stopRequested = 0;
    m_state.wakeEngine();
    steps.startWorkers();
    steps.extendSystemMenu();
    steps.setIconAndTitle();
    if (!steps.loadSkin()) {
        runCloseSequence();
        return false;
    }

    m_state.currentConfigIndex = m_ports.profiles.readCurrentConfigIndex(m_state.configFilePath);
    m_ports.profiles.loadProfile(m_state.configFilePath, m_state.currentConfigIndex, false);

    steps.finishSkinLayout();
    steps.buildWindowShape();
    steps.loadMacros();
    m_state.pickerOpen = false;

    steps.loadMenus();
    const int events = m_state.macroTable.read([&](const MacroTable& table) {
        const auto index = static_cast<std::size_t>(m_state.currentMacroIndex);
        return index < table.macros.size() ? int{table.macros[index].eventCount} : 0;
    });
    m_state.contextLine = events > 0 ? 2 * events - 2 : 0;

    const bool present = steps.discoverMouse();
    m_state.deviceLink.devicePresent = present;
    if (!present) {
        m_ports.messageBox.show(kNoMouseMessage);
        runCloseSequence();
        return false;
    }
    steps.sleepMs(kPauseBeforeApplyMs);
    steps.applyConfiguration();
    return true;
}

void AppLifecycle::runCloseSequence() {
    if (m_closed) return;
    m_closed = true;
    for (int i = 0; i < kAltReleaseCount; ++i) {
        m_ports.injector.keyEvent(kVirtualKeyAlt, 0, kKeyEventKeyUp);
    }
    m_ports.tray.remove();
    m_ports.steps.sendDriverOff();
    if (m_ports.pointerSpeed.get()) m_ports.pointerSpeed.set(kDefaultPointerSpeed);
    m_ports.window.destroy();
}

void AppLifecycle::onMouseRemoved() {
    if (m_closed) return;
    m_closed = true;
    m_state.deviceLink.devicePresent = false;
    m_ports.tray.remove();
    m_ports.window.destroy();
}

void AppLifecycle::onPowerEvent() {
    if (!m_closed) m_ports.steps.applyConfiguration();
}

}  // namespace torvane
