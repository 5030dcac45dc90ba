#include "device/device_handle.h"

#include "device/hid_backend.h"

namespace torvane {

HandleState DeviceHandle::state() const {
    std::lock_guard lock(m_mutex);
    return m_state;
}

void DeviceHandle::assign(std::unique_ptr<HidDevice> device, const HidCaps& caps) {
    {
        std::lock_guard lock(m_mutex);
        m_state = device ? HandleState::Open : HandleState::Invalid;
        m_device = std::move(device);
        m_caps = caps;
        ++m_generation;
    }
    m_changed.notify_all();
}

void DeviceHandle::reset() {
    {
        std::lock_guard lock(m_mutex);
        m_state = HandleState::None;
        m_device.reset();
        m_caps = {};
        ++m_generation;
    }
    m_changed.notify_all();
}

DeviceHandle::Snapshot DeviceHandle::snapshot() const {
    std::lock_guard lock(m_mutex);
    return {m_state, m_device, m_caps, m_generation};
}

DeviceHandle::Snapshot DeviceHandle::waitForOpen(std::stop_token stop,
                                                 std::uint64_t seenGeneration) const {
    std::unique_lock lock(m_mutex);
    const bool opened = m_changed.wait(
        lock, stop, [&] { return m_state == HandleState::Open && m_generation != seenGeneration; });
    if (!opened) return {};
    return {m_state, m_device, m_caps, m_generation};
}

bool DeviceHandle::sendFeatureReport(std::span<const std::uint8_t> report) {
    std::lock_guard sendLock(m_sendMutex);
    const std::shared_ptr<HidDevice> device = snapshot().device;
    if (!device) return false;
    return device->sendFeatureReport(report);
}

}  // namespace torvane
