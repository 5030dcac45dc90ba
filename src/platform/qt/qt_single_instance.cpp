#include "platform/qt/qt_single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QThread>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace torvane {

namespace {

QString userId() {
#ifdef Q_OS_UNIX
    return QString::number(static_cast<qulonglong>(::getuid()));
#else
    QString name = qEnvironmentVariable("USERNAME");
    return name.isEmpty() ? QStringLiteral("user") : name;
#endif
}

// A second start may come while the first has the lock but is not listening yet.
constexpr int kConnectAttempts = 20;
constexpr int kConnectWaitMs = 100;
constexpr int kWriteWaitMs = 1000;

}  // namespace

QtSingleInstance::QtSingleInstance(const QString& baseName)
    : m_serverName(baseName + QLatin1Char('-') + userId()) {}

QtSingleInstance::~QtSingleInstance() {
    if (m_server) m_server->close();
    if (m_lock) m_lock->unlock();
}

QString QtSingleInstance::lockFilePath() const {
    return QDir(QDir::tempPath()).filePath(m_serverName + QStringLiteral(".lock"));
}

bool QtSingleInstance::acquire() {
    if (m_server) return true;
    auto lock = std::make_unique<QLockFile>(lockFilePath());
    // Stale only when its owner is gone (QLockFile checks the process id), never by age.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        if (lock->error() != QLockFile::LockFailedError) {
            // The lock cannot be made at all (unwritable folder): run rather than refuse to
            // start, but still offer the server so later starts find this one.
            qWarning("single instance: cannot create %s", qPrintable(lockFilePath()));
        } else {
            return false;
        }
    }
    m_lock = std::move(lock);
    // With the lock held, any socket of that name belongs to a crashed instance.
    QLocalServer::removeServer(m_serverName);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server.get(), &QLocalServer::newConnection, this, &QtSingleInstance::onNewConnection);
    if (!m_server->listen(m_serverName)) {
        qWarning("single instance: cannot listen on %s: %s", qPrintable(m_serverName),
                 qPrintable(m_server->errorString()));
    }
    return true;
}

void QtSingleInstance::activateExisting() {
    for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(m_serverName);
        if (socket.waitForConnected(kConnectWaitMs)) {
            socket.write(kActivateMessage);
            socket.waitForBytesWritten(kWriteWaitMs);
            socket.disconnectFromServer();
            if (socket.state() != QLocalSocket::UnconnectedState) {
                socket.waitForDisconnected(kWriteWaitMs);
            }
            return;
        }
        QThread::msleep(kConnectWaitMs);
    }
}

void QtSingleInstance::onNewConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            const QByteArray data = socket->readAll();
            if (data.contains('\n') && m_onActivate) m_onActivate();
        });
    }
}

}  // namespace torvane
