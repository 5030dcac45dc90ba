#include "platform/qt/qt_app_window.h"

#include <QCoreApplication>
#include <QMetaObject>

#include "platform/qt/qt_main_window.h"

namespace torvane {

QtAppWindow::QtAppWindow(QtMainWindow& window) : m_window(&window) {}

void QtAppWindow::requestRepaint() {
    if (m_pending.exchange(true)) return;  // an update is already on its way
    m_queued.fetch_add(1);
    QMetaObject::invokeMethod(this, &QtAppWindow::flush, Qt::QueuedConnection);
}

void QtAppWindow::flush() {
    m_pending.store(false);
    if (m_window && !m_window->destroyed()) m_window->update();
}

void QtAppWindow::destroy() {
    if (m_window) {
        m_window->markDestroyed();
        m_window->hide();
    }
    // Queued, so that it also ends a loop that has not started yet.
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
}

}  // namespace torvane
