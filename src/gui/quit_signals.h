#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace torvane {

// Turns SIGINT, SIGTERM and SIGHUP into a call on the UI thread, so that ending the program
// from a terminal still runs its close sequence (the mouse leaves driver mode). One instance
// per process; on platforms without these signals it does nothing.
class QuitSignals : public QObject {
    Q_OBJECT
  public:
    explicit QuitSignals(std::function<void()> onQuit);
    ~QuitSignals() override;
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

  private:
    std::function<void()> m_onQuit;
    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace torvane
