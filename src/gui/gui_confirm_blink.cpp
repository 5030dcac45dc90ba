#include "gui/gui_confirm_blink.h"

#include <QMetaObject>

#include "app/app_state.h"
#include "app/app_window.h"

namespace torvane {

GuiConfirmBlink::GuiConfirmBlink(AppState& state, AppWindow& window)
    : m_state(state), m_window(window) {
    m_timer.setInterval(kBlinkIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &GuiConfirmBlink::tick);
}

void GuiConfirmBlink::start() {
    QMetaObject::invokeMethod(this, &GuiConfirmBlink::begin, Qt::QueuedConnection);
}

void GuiConfirmBlink::begin() {
    if (m_timer.isActive()) return;
    m_state.blinkThreadActive = 1;
    m_timer.start();
}

void GuiConfirmBlink::tick() {
    if (m_state.ackReceived != 0 || m_state.currentPage != 0) {
        m_timer.stop();
        m_state.blinkThreadActive = 0;
        return;
    }
    m_state.confirmBlinkOn = m_state.confirmBlinkOn ? 0 : 1;
    m_window.requestRepaint();
}

}  // namespace torvane
