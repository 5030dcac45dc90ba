#include "device/mouse_removal.h"

#include "device/device_link.h"

namespace torvane {

namespace {
char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

bool isMousePath(const DeviceLink& link, std::string_view removedPath) {
    const std::string& path = link.devicePath;
    if (path.empty() || path.size() != removedPath.size()) return false;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (asciiLower(path[i]) != asciiLower(removedPath[i])) return false;
    }
    return true;
}

void MouseRemovalMonitor::onRemovalNotice(std::string_view removedPath) {
    if (isMousePath(m_link, removedPath)) removed();
}

void MouseRemovalMonitor::onReadDeviceGone() { removed(); }

void MouseRemovalMonitor::removed() {
    m_link.devicePresent = false;
    if (!m_reported.exchange(true)) m_handler.mouseRemoved();
}

}  // namespace torvane
