#pragma once

#include <QObject>
#include <QTimer>

#include "device/confirm_blink.h"

namespace torvane {

struct AppState;
class AppWindow;

// Blinks the awaited button's indicator: every 500 ms while a confirmation from the mouse is
// awaited and the main page is shown, confirmBlinkOn flips and the window is repainted. One
// blinker at a time (blinkThreadActive). start() may be called from any thread; the blinking
// runs on the UI thread's timer.
class GuiConfirmBlink : public QObject, public ConfirmBlink {
    Q_OBJECT
  public:
    GuiConfirmBlink(AppState& state, AppWindow& window);
    void start() override;

    static constexpr int kBlinkIntervalMs = 500;

  private:
    void begin();
    void tick();

    AppState& m_state;
    AppWindow& m_window;
    QTimer m_timer;
};

}  // namespace torvane
