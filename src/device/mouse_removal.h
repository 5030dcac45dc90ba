#pragma once

#include <atomic>
#include <string>
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

// A device-change record as the platform delivers it on removal.
struct DeviceNotification {
    enum class Kind { DeviceInterface, Other };
    Kind kind = Kind::Other;
    std::string interfaceName;  // the interface path, for the device-interface kind
};

// Whether a removal record concerns the mouse: a device-interface record whose name equals
// devicePath without regard to ASCII letter case. An empty devicePath (no mouse found) matches
// nothing, nor does any other kind of record.
bool isMouseNotification(const DeviceLink& link, const DeviceNotification& notification);

// Turns removal notices into the end of the program. devicePath must no longer change when the
// first notice can arrive: start the removal watch after discovery.
class MouseRemovalMonitor {
  public:
    MouseRemovalMonitor(DeviceLink& link, MouseRemovalHandler& handler)
        : m_link(link), m_handler(handler) {}

    // A device went away; ends the program when it was the mouse. Any thread.
    void onRemovalNotice(const DeviceNotification& notification);
    // The same for a removed device interface named by its path (a RemovalWatch callback).
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
