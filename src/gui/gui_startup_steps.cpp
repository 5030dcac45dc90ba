#include "gui/gui_startup_steps.h"

#include <QSize>
#include <chrono>
#include <thread>

#include "app/app_state.h"
#include "app/message_box.h"
#include "gui/gui_options.h"
#include "platform/qt/qt_main_window.h"
#include "platform/qt/qt_region.h"

namespace torvane {

GuiStartupSteps::GuiStartupSteps(AppState& state, QtMainWindow& window, MessageBox& messageBox,
                                 const GuiOptions& options)
    : m_state(state), m_window(window), m_messageBox(messageBox), m_options(options) {}

void GuiStartupSteps::startWorkers() {}

void GuiStartupSteps::extendSystemMenu() {
    // A frameless window has no system menu; the About box is reached from the tray menu.
}

void GuiStartupSteps::setIconAndTitle() {
    m_window.setWindowTitle(QString::fromStdU16String(kMainWindowTitle));
}

bool GuiStartupSteps::loadSkin() { return true; }

void GuiStartupSteps::finishSkinLayout() {}

void GuiStartupSteps::buildWindowShape() {
    // Until the skin's mask is read: a rectangle with cut corners.
    constexpr int kWidth = 800;
    constexpr int kHeight = 640;
    constexpr int kCorner = 40;
    m_state.skinLayout.maskWidth = kWidth;
    m_state.skinLayout.maskHeight = kHeight;
    m_state.windowShape.runs.clear();
    for (int y = 0; y < kHeight; ++y) {
        const int edge = y < kCorner ? kCorner - y : (y >= kHeight - kCorner ? y - (kHeight - kCorner) + 1 : 0);
        m_state.windowShape.runs.push_back({y, edge, kWidth - edge});
    }
    m_window.setShape(QSize(m_state.skinLayout.maskWidth, m_state.skinLayout.maskHeight),
                      toQRegion(m_state.windowShape));
}

void GuiStartupSteps::loadMacros() {}

void GuiStartupSteps::loadMenus() {
    // The owner-drawn menus come with the tray menu and the macro list's context menu.
}

bool GuiStartupSteps::discoverMouse() { return m_options.virtualMouse; }

void GuiStartupSteps::applyConfiguration() {}

void GuiStartupSteps::sendDriverOff() {}

void GuiStartupSteps::sleepMs(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace torvane
