#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <functional>

namespace torvane::test {

// The one QApplication of the Qt tests (offscreen platform), made on first use.
inline QApplication& qtTestApp() {
    static int argc = 1;
    static char name[] = "gui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

// Runs the event loop until `done` holds or `timeoutMs` have passed; returns `done()`.
inline bool processEventsUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
}

}  // namespace torvane::test
