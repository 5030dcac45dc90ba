#include "gui/quit_signals.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <unistd.h>
#include <csignal>
#endif

namespace torvane {

#ifdef Q_OS_UNIX
namespace {

int g_signalSockets[2] = {-1, -1};  // written by the handler, read on the UI thread
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void onQuitSignal(int) {
    const char byte = 1;
    // Only async-signal-safe calls here; a full socket just means a quit is already pending.
    [[maybe_unused]] const ssize_t written = ::write(g_signalSockets[0], &byte, 1);
}

}  // namespace

QuitSignals::QuitSignals(std::function<void()> onQuit) : m_onQuit(std::move(onQuit)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalSockets) != 0) return;
    m_notifier = new QSocketNotifier(g_signalSockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const ssize_t read = ::read(g_signalSockets[1], &byte, 1);
        if (m_onQuit) m_onQuit();
    });
    struct sigaction action {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals) ::sigaction(signal, &action, nullptr);
}

QuitSignals::~QuitSignals() {
    if (m_notifier == nullptr) return;
    for (int signal : kSignals) std::signal(signal, SIG_DFL);
    delete m_notifier;
    m_notifier = nullptr;
    ::close(g_signalSockets[0]);
    ::close(g_signalSockets[1]);
    g_signalSockets[0] = g_signalSockets[1] = -1;
}
#else
QuitSignals::QuitSignals(std::function<void()> onQuit) : m_onQuit(std::move(onQuit)) {}
QuitSignals::~QuitSignals() = default;
#endif

}  // namespace torvane
