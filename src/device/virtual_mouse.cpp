#include "device/virtual_mouse.h"

#include <algorithm>

#include "app/button_function.h"
#include "device/config_report.h"

namespace torvane {

// One open collection of the virtual mouse. Reads wait on the mouse's queue; cancellation is
// per handle and sticky.
class VirtualMouse::Handle : public HidDevice {
  public:
    Handle(VirtualMouse& mouse, HidAccess access) : m_mouse(mouse), m_access(access) {}

    bool sendFeatureReport(std::span<const std::uint8_t> report) override {
        if (m_access != HidAccess::Write) return false;
        return m_mouse.receiveFeatureReport(report);
    }

    HidReadResult readInputReport(std::span<std::uint8_t> buffer) override {
        if (m_access != HidAccess::Read) return {HidReadStatus::Failed, 0};
        return m_mouse.readInputReport(buffer, m_cancelled);
    }

    void cancelRead() override {
        {
            std::lock_guard lock(m_mouse.m_mutex);
            m_cancelled = true;
        }
        m_mouse.cancelReads();
    }

  private:
    VirtualMouse& m_mouse;
    HidAccess m_access;
    bool m_cancelled = false;  // guarded by the mouse's mutex
};

VirtualMouse::VirtualMouse() = default;
VirtualMouse::~VirtualMouse() = default;

std::vector<HidInterface> VirtualMouse::enumerate() {
    std::lock_guard lock(m_mutex);
    if (!m_plugged) return {};
    HidInterface read{kReadPath, kMouseVendorId, kMouseProductId,
                      HidCaps{kVendorUsage, kReadUsagePage, kInputReportLength, 0, 0}};
    HidInterface write{kWritePath, kMouseVendorId, kMouseProductId,
                       HidCaps{kVendorUsage, kWriteUsagePage, 0, 0, kFeatureReportLength}};
    return {read, write};
}

std::unique_ptr<HidDevice> VirtualMouse::open(const std::string& path, HidAccess access) {
    std::lock_guard lock(m_mutex);
    if (!m_plugged) return nullptr;
    const bool fits = (path == kReadPath && access == HidAccess::Read) ||
                      (path == kWritePath && access == HidAccess::Write);
    if (!fits) return nullptr;
    return std::make_unique<Handle>(*this, access);
}

bool VirtualMouse::receiveFeatureReport(std::span<const std::uint8_t> report) {
    {
        std::lock_guard lock(m_mutex);
        if (!m_plugged) return false;
        m_received.emplace_back(report.begin(), report.end());
        if (report.size() >= kConfigReportHeaderSize && report[0] == kConfigReportId) {
            const std::uint8_t arg1 = report[2];
            const std::uint8_t arg2 = report[3];
            switch (report[1]) {
                case kCommandAssignButton:
                    m_state.deviceCode[arg1] = arg2;
                    m_state.driverOff = false;
                    if (arg2 == kReportToHostDeviceCode) m_state.awaitingConfirmPress = true;
                    break;
                case kCommandWheel:
                    m_state.wheelMode = arg1;
                    break;
                case kCommandDpiAndLed:
                    m_state.dpiStage = arg1;
                    m_state.dpiValueIndex = static_cast<std::uint8_t>((arg2 >> 4) - 8);
                    m_state.ledMode = static_cast<std::uint8_t>(arg2 & 0x0F);
                    break;
                case kCommandDriverOff:
                    m_state.driverOff = true;
                    m_state.awaitingConfirmPress = false;
                    break;
                default:
                    break;
            }
        }
    }
    changed();
    return true;
}

HidReadResult VirtualMouse::readInputReport(std::span<std::uint8_t> buffer, const bool& cancelled) {
    std::unique_lock lock(m_mutex);
    m_inputArrived.wait(lock, [&] { return cancelled || !m_plugged || !m_inputQueue.empty(); });
    if (cancelled) return {HidReadStatus::Cancelled, 0};
    if (!m_plugged) return {HidReadStatus::Gone, 0};
    const auto report = m_inputQueue.front();
    m_inputQueue.pop_front();
    const std::size_t length = std::min(buffer.size(), report.size());
    std::copy_n(report.begin(), length, buffer.begin());
    lock.unlock();
    changed();
    return {HidReadStatus::Report, length};
}

void VirtualMouse::cancelReads() {
    m_inputArrived.notify_all();
}

void VirtualMouse::queueInputReport(std::uint8_t reportId, std::uint8_t event) {
    std::array<std::uint8_t, kInputReportLength> report{};
    report[0] = reportId;
    report[1] = event;
    m_inputQueue.push_back(report);
    m_inputArrived.notify_all();
}

void VirtualMouse::press(std::uint8_t hardwareNumber) {
    {
        std::lock_guard lock(m_mutex);
        if (!m_plugged) return;
        m_state.heldButton = hardwareNumber;
        const bool reported =
            !m_state.driverOff && m_state.deviceCode[hardwareNumber] == kReportToHostDeviceCode;
        if (reported && m_state.awaitingConfirmPress) {
            m_state.awaitingConfirmPress = false;
            queueInputReport(kConfirmReportId, 0);
        } else if (reported && hardwareNumber >= 1 && hardwareNumber <= kMaxHardwareNumber) {
            queueInputReport(kButtonReportId, static_cast<std::uint8_t>(240 + hardwareNumber));
        }
    }
    changed();
}

void VirtualMouse::release() {
    {
        std::lock_guard lock(m_mutex);
        if (!m_plugged || !m_state.heldButton) return;
        const std::uint8_t held = *m_state.heldButton;
        m_state.heldButton.reset();
        if (!m_state.driverOff && m_state.deviceCode[held] == kReportToHostDeviceCode) {
            queueInputReport(kButtonReportId, 0);
        }
    }
    changed();
}

void VirtualMouse::unplug() {
    {
        std::lock_guard lock(m_mutex);
        m_plugged = false;
        m_inputQueue.clear();
        m_state.heldButton.reset();
    }
    m_inputArrived.notify_all();
    changed();
}

void VirtualMouse::plugIn() {
    {
        std::lock_guard lock(m_mutex);
        m_plugged = true;
    }
    changed();
}

std::vector<std::vector<std::uint8_t>> VirtualMouse::receivedReports() const {
    std::lock_guard lock(m_mutex);
    return m_received;
}

void VirtualMouse::clearReceivedReports() {
    {
        std::lock_guard lock(m_mutex);
        m_received.clear();
    }
    changed();
}

VirtualMouse::State VirtualMouse::state() const {
    std::lock_guard lock(m_mutex);
    return m_state;
}

std::size_t VirtualMouse::pendingInputReports() const {
    std::lock_guard lock(m_mutex);
    return m_inputQueue.size();
}

void VirtualMouse::setChangeCallback(std::function<void()> callback) {
    std::lock_guard lock(m_mutex);
    m_changeCallback = std::move(callback);
}

void VirtualMouse::changed() {
    std::function<void()> callback;
    {
        std::lock_guard lock(m_mutex);
        callback = m_changeCallback;
    }
    if (callback) callback();
}

}  // namespace torvane
