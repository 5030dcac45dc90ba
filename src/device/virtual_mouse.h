#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "device/hid_backend.h"

namespace torvane {

// A simulated mouse behind the HID backend port: it shows the mouse's two vendor collections,
// takes the configuration reports, keeps the state they set and produces input reports when it
// is told that a button is pressed or released. Every member may be called from any thread.
//
// Input reports are `kInputReportLength` bytes: byte 0 is kButtonReportId for button reports
// (6 for the confirmation), byte 1 the event (240 + hardware number for a press, 0 for a
// release). A button reports to the host only while its device code is 31 and driver-off has
// not been received since; otherwise the mouse acts on its own and reports nothing.
class VirtualMouse : public HidBackend {
  public:
    static constexpr std::uint16_t kInputReportLength = 8;
    static constexpr std::uint16_t kFeatureReportLength = 8;
    static constexpr std::uint8_t kButtonReportId = 5;
    // Presses are 240 + the hardware number in one byte: numbers past 15 cannot be reported.
    static constexpr std::uint8_t kMaxHardwareNumber = 15;
    static inline const std::string kReadPath = "virtual-mouse/read";
    static inline const std::string kWritePath = "virtual-mouse/write";

    // The state the received reports have set.
    struct State {
        // Device code per hardware number 0..255 (the mouse has 1..6 and 9); nullopt: never set.
        std::array<std::optional<std::uint8_t>, 256> deviceCode{};
        std::uint8_t wheelMode = 0;
        std::uint8_t dpiStage = 0;
        std::uint8_t dpiValueIndex = 0;  // high nibble of the DPI-and-LED byte minus 8
        std::uint8_t ledMode = 0;
        bool driverOff = false;             // a driver-off report came after the last assignment
        bool awaitingConfirmPress = false;  // a button got code 31; its next press confirms
        std::optional<std::uint8_t> heldButton;  // hardware number pressed and not released
    };

    VirtualMouse();
    ~VirtualMouse() override;

    // HidBackend. Enumerates nothing while unplugged.
    std::vector<HidInterface> enumerate() override;
    std::unique_ptr<HidDevice> open(const std::string& path, HidAccess access) override;

    // The user presses hardware button `hardwareNumber` (1..6, 9 on the real mouse).
    void press(std::uint8_t hardwareNumber);
    // The user releases the button last pressed; nothing when none is held.
    void release();
    // Pulls the mouse out: pending and later reads end with Gone, sends fail. plugIn() undoes it.
    void unplug();
    void plugIn();

    // Every feature report received, as sent (report id first), oldest first.
    std::vector<std::vector<std::uint8_t>> receivedReports() const;
    void clearReceivedReports();
    State state() const;
    // Input reports queued and not yet read.
    std::size_t pendingInputReports() const;

    // Called after every change of the state or the log, outside the mouse's lock, on the thread
    // that caused it. For a panel that shows the mouse; keep it cheap.
    void setChangeCallback(std::function<void()> callback);

  private:
    class Handle;
    friend class Handle;

    bool receiveFeatureReport(std::span<const std::uint8_t> report);
    HidReadResult readInputReport(std::span<std::uint8_t> buffer, const bool& cancelled);
    void cancelReads();
    void queueInputReport(std::uint8_t reportId, std::uint8_t event);
    void changed();

    // Guards everything below.
    mutable std::mutex m_mutex;
    std::condition_variable m_inputArrived;
    State m_state;
    bool m_plugged = true;
    std::deque<std::array<std::uint8_t, kInputReportLength>> m_inputQueue;
    std::vector<std::vector<std::uint8_t>> m_received;
    std::function<void()> m_changeCallback;
};

}  // namespace torvane
