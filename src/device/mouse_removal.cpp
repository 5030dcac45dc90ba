#include "device/mouse_removal.h"

#include "device/device_link.h"

namespace torvane {

namespace {
char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
}  // namespace

bool isMouseNotification(const DeviceLink& link, const DeviceNotification& notification) {
    if (notification.kind != DeviceNotification::Kind::DeviceInterface) return false;
    const std::string& path = link.devicePath;
    const std::string& removedPath = notification.interfaceName;
    if (path.empty() || path.size() != removedPath.size()) return false;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (asciiLower(path[i]) != asciiLower(removedPath[i])) return false;
    }
    return true;
}

void MouseRemovalMonitor::onRemovalNotice(const DeviceNotification& notification) {
    if (isMouseNotification(m_link, notification)) removed();
}

void MouseRemovalMonitor::onRemovalNotice(std::string_view removedPath) {
    onRemovalNotice(
        DeviceNotification{DeviceNotification::Kind::DeviceInterface, std::string(removedPath)});
}

void MouseRemovalMonitor::onReadDeviceGone() {
    removed();
}

void MouseRemovalMonitor::removed() {
    m_link.devicePresent = false;
    if (!m_reported.exchange(true)) m_handler.mouseRemoved();
}

}  // namespace torvane
