#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "app/single_instance.h"

namespace torvane {

// One running instance per user: a lock file guards a local server whose name holds the user's
// id. The first instance takes the lock, removes a socket left behind by a crashed instance and
// listens; a later start finds the lock taken, sends one message to the server and ends. The
// running instance answers each message by calling the activation handler on the UI thread.
// UI thread only; needs a QCoreApplication.
class QtSingleInstance : public QObject, public SingleInstance {
    Q_OBJECT
  public:
    // `baseName` names the lock and the server; the user id is appended.
    explicit QtSingleInstance(const QString& baseName = QStringLiteral("CQVR_GMouseApp"));
    ~QtSingleInstance() override;

    bool acquire() override;
    void activateExisting() override;

    // Called (UI thread) whenever another start asks for this instance's window.
    void setActivationHandler(std::function<void()> handler) { m_onActivate = std::move(handler); }

    const QString& serverName() const { return m_serverName; }
    QString lockFilePath() const;

  private:
    void onNewConnection();

    QString m_serverName;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLocalServer> m_server;
    std::function<void()> m_onActivate;
};

// The text a second start sends to the first.
inline constexpr char kActivateMessage[] = "activate\n";

}  // namespace torvane
