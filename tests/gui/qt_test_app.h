#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <functional>

namespace torvane::test {

// The one QApplication of the Qt tests (offscreen platform). A test environment makes it
// before the first test runs, so that widget tests work whatever test runs first.
QApplication& qtTestApp();

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
