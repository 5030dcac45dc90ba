#include "device/device_listener.h"

#include <algorithm>
#include <condition_variable>

#include "app/app_state.h"
#include "app/app_window.h"
#include "device/hid_backend.h"
#include "device/mouse_removal.h"

namespace torvane {

namespace {
constexpr std::uint8_t kReleaseEvent = 0;
constexpr std::uint8_t kPressBase = 240;  // a press is 240 + hardware number
}  // namespace

void handleDeviceEvent(AppState& state, std::span<const std::uint8_t> report, AppWindow& window) {
    if (report.size() < 2) return;
    const std::uint8_t reportId = report[0];
    const std::uint8_t event = report[1];

    if (state.ackReceived == 1) {
        // A stored MACRO_MODE2 other than 0 counts as hold mode.
        const bool holdMode = state.config.macroRepeatWhileHeld != 0;
        if (event > kPressBase) {
            if (state.buttonEventPending == 0) {
                state.buttonEventCode = event;
                state.buttonEventPending = 1;
                state.wakeEngine();
            } else if (!holdMode) {
                state.stopRequested = 1;
                state.wakeEngine();
            }
        } else if (event == kReleaseEvent && holdMode) {
            state.stopRequested = 1;
            state.wakeEngine();
        }
        return;
    }

    if (reportId == kConfirmReportId && event == kReleaseEvent) {
        state.ackReceived = 1;
        state.confirmBlinkStarted = 0;
        state.confirmBlinkOn = 0;
        window.requestRepaint();
    }
}

DeviceListener::DeviceListener(AppState& state, AppWindow& window, MouseRemovalMonitor* removal,
                               std::chrono::microseconds passPause)
    : m_state(state), m_window(window), m_removal(removal), m_passPause(passPause) {}

DeviceListener::~DeviceListener() {
    stop();
}

void DeviceListener::start() {
    if (m_thread.joinable()) return;
    m_thread = std::jthread([this](std::stop_token stop) { run(stop); });
}

void DeviceListener::stop() {
    if (!m_thread.joinable()) return;
    m_thread.request_stop();
    m_thread.join();
}

void DeviceListener::run(std::stop_token stop) {
    const std::stop_callback cancelRead(stop, [this] {
        std::lock_guard lock(m_mutex);
        if (m_reading) m_reading->cancelRead();
    });
    std::mutex pauseMutex;
    std::condition_variable_any pause;
    std::uint64_t goneGeneration = 0;  // a handle whose device has gone is not read again

    while (!stop.stop_requested()) {
        const DeviceHandle::Snapshot handle =
            m_state.deviceLink.readHandle.waitForOpen(stop, goneGeneration);
        if (!handle.device) break;  // stop requested
        {
            std::lock_guard lock(m_mutex);
            m_reading = handle.device;
        }
        if (stop.stop_requested()) break;

        // A collection that names no input length reads whole reports up to the buffer's size.
        const std::size_t length =
            handle.caps.inputReportLength == 0
                ? m_event.size()
                : std::min<std::size_t>(handle.caps.inputReportLength, m_event.size());
        const HidReadResult result =
            handle.device->readInputReport(std::span(m_event).first(length));
        {
            std::lock_guard lock(m_mutex);
            m_reading.reset();
        }
        if (result.status == HidReadStatus::Report) {
            handleDeviceEvent(m_state, std::span(m_event).first(std::min(result.length, length)),
                              m_window);
        } else if (result.status == HidReadStatus::Gone) {
            goneGeneration = handle.generation;
            if (m_removal != nullptr) m_removal->onReadDeviceGone();
        } else if (result.status == HidReadStatus::Cancelled) {
            goneGeneration = handle.generation;  // a cancelled handle never reads again
            continue;
        }

        if (m_passPause.count() > 0) {
            std::unique_lock lock(pauseMutex);
            pause.wait_for(lock, stop, m_passPause, [] { return false; });
        }
    }
    std::lock_guard lock(m_mutex);
    m_reading.reset();
}

}  // namespace torvane
