#pragma once

#include <QObject>
#include <QPointer>
#include <atomic>

#include "app/app_window.h"

namespace torvane {

class QtMainWindow;

// The main window for the core. requestRepaint() may be called from any thread: it queues one
// update to the UI thread, and requests that come before that update runs are merged into it.
// destroy() (UI thread) hides the window for good and ends the event loop.
class QtAppWindow : public QObject, public AppWindow {
    Q_OBJECT
  public:
    // The window must outlive this object; `this` lives on the UI thread.
    explicit QtAppWindow(QtMainWindow& window);

    void requestRepaint() override;
    void destroy() override;

    // How many updates have actually been queued (for tests).
    int queuedUpdates() const { return m_queued.load(); }

  private:
    void flush();

    QPointer<QtMainWindow> m_window;
    std::atomic<bool> m_pending{false};
    std::atomic<int> m_queued{0};
};

}  // namespace torvane
