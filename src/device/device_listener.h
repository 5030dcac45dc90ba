#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <thread>

#include "device/config_report.h"

namespace torvane {

struct AppState;
class AppWindow;
class HidDevice;
class MouseRemovalMonitor;

// One input report of the read collection as read: byte 0 the report id (6 in the
// confirmation), byte 1 the event (241..255 a press of hardware button event - 240, 0 a
// release); nothing else is examined.
using DeviceEvent = std::array<std::uint8_t, kReportBufferSize>;

// What one input report of the read collection does to the hand-over flags (byte 0 the report
// id, byte 1 the event; reports shorter than two bytes do nothing):
// - no confirmation awaited (ackReceived 1): a press (event > 240) is handed to the engine when
//   it is idle (buttonEventCode, then buttonEventPending); while it is busy a press stops the
//   macro in toggle mode and is dropped in hold mode. A release (event 0) stops the macro in
//   hold mode. The engine is woken after every change of its flags.
// - a confirmation awaited: only 06 00 counts; it ends the wait and asks for a repaint.
// Called on the listener thread; the window's repaint request is thread-safe.
void handleDeviceEvent(AppState& state, std::span<const std::uint8_t> report, AppWindow& window);

// The worker that reads the mouse's input reports one at a time and hands them over through
// handleDeviceEvent, pausing after each pass. Until the read handle is open (and after its
// device has gone) it blocks without polling. Owns its thread: start() starts it, the
// destructor stops it, cancelling a read in progress (the cancelled handle stays cancelled).
class DeviceListener {
  public:
    static constexpr std::chrono::milliseconds kPassPause{2};

    // `removal` (may be null) hears of a read that failed because the mouse has gone.
    DeviceListener(AppState& state, AppWindow& window, MouseRemovalMonitor* removal,
                   std::chrono::microseconds passPause = kPassPause);
    ~DeviceListener();
    DeviceListener(const DeviceListener&) = delete;
    DeviceListener& operator=(const DeviceListener&) = delete;

    void start();
    // Stops and joins the thread; start() may not be called again.
    void stop();

  private:
    void run(std::stop_token stop);

    AppState& m_state;
    AppWindow& m_window;
    MouseRemovalMonitor* m_removal;
    std::chrono::microseconds m_passPause;
    DeviceEvent m_event{};  // the listener thread's buffer

    std::mutex m_mutex;  // guards m_reading, the device a read is in progress on
    std::shared_ptr<HidDevice> m_reading;
    std::jthread m_thread;  // last member: it stops before the others go
};

}  // namespace torvane
