#pragma once

namespace torvane {

// The notification-area icon. UI thread only.
class TrayIcon {
public:
    virtual ~TrayIcon() = default;
    // Removes the icon, whether or not it is shown.
    virtual void remove() = 0;
};

}  // namespace torvane
