#pragma once

#include <cstdint>

namespace torvane {

struct AppState;
class AppWindow;
class InputInjector;
class MessageBox;
class PointerSpeed;
class ProfileStore;
class SingleInstance;
class StartupSteps;
class TrayIcon;

// The ports the start-up and close sequences use.
struct LifecyclePorts {
    StartupSteps& steps;
    ProfileStore& profiles;
    MessageBox& messageBox;
    PointerSpeed& pointerSpeed;
    InputInjector& injector;
    TrayIcon& tray;
    AppWindow& window;
};

// The start-up, close, removal and power sequences of the program. UI thread only.
class AppLifecycle {
public:
    AppLifecycle(AppState& state, const LifecyclePorts& ports) : m_state(state), m_ports(ports) {}

    // The process entry's instance check: true when this process runs the window; false when
    // another instance runs (its window has been brought up and this process should end).
    static bool claimSingleInstance(SingleInstance& instance);

    // The window's initialisation. Returns true when the program runs on; false when it closed
    // (no mouse, or a missing skin file) and the window has been destroyed.
    bool runStartup();

    // Releases Alt, removes the tray icon, turns the driver off, resets the pointer speed to 10
    // and destroys the window.
    void runCloseSequence();

    // The mouse was removed: the tray icon goes and the window is destroyed, without the close
    // sequence.
    void onMouseRemoved();

    // Any power notification re-sends the current profile.
    void onPowerEvent();

    bool closed() const { return m_closed; }

private:
    AppState& m_state;
    LifecyclePorts m_ports;
    bool m_closed = false;
};

// [Init] CurConfig is read as at most this many characters.
inline constexpr int kCurConfigMaxChars = 4;
// The pointer speed the close sequence leaves behind.
inline constexpr int kDefaultPointerSpeed = 10;
// The virtual key of Alt, released seven times on close.
inline constexpr std::uint8_t kVirtualKeyAlt = 18;

}  // namespace torvane
