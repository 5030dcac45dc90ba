#include "device/mouse_removal.h"

#include <gtest/gtest.h>

#include "device/device_link.h"

namespace torvane {
namespace {

class RecordingRemoval : public MouseRemovalHandler {
  public:
    void mouseRemoved() override { ++calls; }
    int calls = 0;
};

TEST(MouseRemovalTest, PathIsComparedWithoutAsciiCase) {
    struct Case {
        const char* devicePath;
        const char* removed;
        bool matches;
    };
    const Case cases[] = {
        {"\\\\?\\hid#vid_18f8&pid_0f99#a", "\\\\?\\HID#VID_18F8&PID_0F99#A", true},
        {"/dev/hidraw3", "/dev/hidraw3", true},
        {"/dev/hidraw3", "/dev/hidraw4", false},
        {"/dev/hidraw3", "/dev/hidraw30", false},
        {"", "", false},
        {"/dev/\xC3\xA9", "/dev/\xC3\x89", false},  // only ASCII letters fold
    };
    for (const Case& c : cases) {
        DeviceLink link;
        link.devicePath = c.devicePath;
        link.devicePresent = true;
        RecordingRemoval handler;
        MouseRemovalMonitor monitor(link, handler);
        const DeviceNotification notification{DeviceNotification::Kind::DeviceInterface, c.removed};
        EXPECT_EQ(isMouseNotification(link, notification), c.matches) << c.removed;
        // Only device-interface records count.
        EXPECT_FALSE(isMouseNotification(
            link, DeviceNotification{DeviceNotification::Kind::Other, c.devicePath}));
        monitor.onRemovalNotice(c.removed);
        EXPECT_EQ(handler.calls, c.matches ? 1 : 0) << c.removed;
        EXPECT_EQ(link.devicePresent, !c.matches) << c.removed;
    }
}

TEST(MouseRemovalTest, EndsTheProgramOnlyOnce) {
    DeviceLink link;
    link.devicePath = "/dev/hidraw1";
    RecordingRemoval handler;
    MouseRemovalMonitor monitor(link, handler);
    monitor.onReadDeviceGone();
    monitor.onRemovalNotice("/dev/HIDRAW1");
    monitor.onReadDeviceGone();
    EXPECT_EQ(handler.calls, 1);
    EXPECT_FALSE(link.devicePresent);
}

}  // namespace
}  // namespace torvane
