#include "gui/gui_startup_steps.h"

#include <QSize>
#include <chrono>
#include <filesystem>
#include <thread>

#include "app/app_state.h"
#include "app/message_box.h"
#include "device/config_sender.h"
#include "device/device_listener.h"
#include "device/mouse_discovery.h"
#include "engine/driver_engine.h"
#include "gui/gui_confirm_blink.h"
#include "macro/macro_file.h"
#include "platform/qt/qt_main_window.h"
#include "platform/qt/qt_region.h"
#include "ui/main_window/window_shape.h"
#include "ui/skin/skin_loader.h"

namespace torvane {

namespace {
// Without a mask picture the window keeps this size, unshaped.
constexpr int kFallbackWidth = 800;
constexpr int kFallbackHeight = 640;
}  // namespace

GuiStartupSteps::GuiStartupSteps(AppState& state, QtMainWindow& window, MessageBox& messageBox,
                                 ImageLoader& images, HidBackend* backend, ConfigSender& sender,
                                 GuiConfirmBlink& blink)
    : m_state(state),
      m_window(window),
      m_messageBox(messageBox),
      m_images(images),
      m_backend(backend),
      m_sender(sender),
      m_blink(blink) {}

void GuiStartupSteps::startWorkers() {
    if (m_listener != nullptr) m_listener->start();
    if (m_engine != nullptr) m_engine->start();
    // Ends at its first step: no confirmation is awaited yet.
    m_blink.start();
}

void GuiStartupSteps::extendSystemMenu() {
    // A frameless window has no system menu; the About box is reached from the tray menu.
}

void GuiStartupSteps::setIconAndTitle() {
    m_window.setWindowTitle(QString::fromStdU16String(kMainWindowTitle));
}

bool GuiStartupSteps::loadSkin() {
    if (!torvane::loadSkin(m_state, m_messageBox)) return false;
    // The warning dialog's layout is read later, after the profile; a missing file must still
    // stop the start-up here, before anything is sent to the mouse.
    std::error_code error;
    if (!std::filesystem::exists(m_state.skinDirectory / skin_file::kWarningLayout, error)) {
        m_messageBox.show(kSkinFileMissingMessage);
        return false;
    }
    return true;
}

void GuiStartupSteps::finishSkinLayout() {
    loadWarningLayout(m_state, m_messageBox);
}

void GuiStartupSteps::buildWindowShape() {
    if (!torvane::buildWindowShape(m_state, m_images)) {
        m_window.setShape(QSize(kFallbackWidth, kFallbackHeight), QRegion());
        return;
    }
    m_window.setShape(QSize(m_state.skinLayout.maskWidth, m_state.skinLayout.maskHeight),
                      toQRegion(m_state.windowShape));
}

void GuiStartupSteps::loadMacros() {
    loadMacroFile(m_state, m_state.macroFilePath, m_messageBox);
}

void GuiStartupSteps::loadMenus() {
    // The owner-drawn menus come with the tray menu and the macro list's context menu.
}

bool GuiStartupSteps::discoverMouse() {
    if (m_backend == nullptr) return false;
    return torvane::discoverMouse(m_state.deviceLink, *m_backend);
}

void GuiStartupSteps::applyConfiguration() {
    m_sender.applyConfiguration();
}

void GuiStartupSteps::sendDriverOff() {
    m_sender.sendDriverOff();
}

void GuiStartupSteps::sleepMs(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace torvane
