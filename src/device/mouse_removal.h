#pragma once

#include <atomic>
#include <string_view>

namespace torvane {

struct DeviceLink;

// Ends the program when the mouse has gone (the tray icon goes, the window is destroyed, no
// close sequence). Called at most once, from the removal watch's or the listener's thread: the
// implementation hands the work to the UI thread.
class MouseRemovalHandler {
public:
    virtual ~MouseRemovalHandler() = default;
    virtual void mouseRemoved() = 0;
};

// Whether `removedPath` is the mouse's interface path, compared without regard to ASCII letter
// case. An empty devicePath (no mouse found) matches nothing.
bool isMousePath(const DeviceLink& link, std::string_view removedPath);

// Turns removal notices into the end of the program. devicePath must no longer change when the
// first notice can arrive: start the removal watch after discovery.
class MouseRemovalMonitor {
public:
    MouseRemovalMonitor(DeviceLink& link, MouseRemovalHandler& handler)
        : m_link(link), m_handler(handler) {}

    // A device node went away; ends the program when it was the mouse's. Any thread.
    void onRemovalNotice(std::string_view removedPath);
    // A read of the mouse's read collection failed because the device has gone. Any thread.
    void onReadDeviceGone();

private:
    void removed();

    DeviceLink& m_link;
    MouseRemovalHandler& m_handler;
    std::atomic<bool> m_reported{false};
};

}  // namespace torvane
