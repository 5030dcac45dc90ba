#include "device/device_listener.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "app/app_state.h"
#include "app/app_window.h"
#include "device/config_report.h"
#include "device/mouse_discovery.h"
#include "device/mouse_removal.h"
#include "device/virtual_mouse.h"

namespace torvane {
namespace {

// A window whose repaint requests may come from the listener thread.
class CountingWindow : public AppWindow {
  public:
    void requestRepaint() override { ++repaints; }
    void destroy() override { ADD_FAILURE() << "the listener never destroys the window"; }
    std::atomic<int> repaints{0};
};

struct EventCase {
    const char* name;
    // Before
    std::uint8_t ack;
    std::int32_t pending;
    std::int32_t holdMode;
    std::uint8_t reportId;
    std::uint8_t event;
    // After
    std::uint8_t code;  // buttonEventCode (starts at 7)
    std::int32_t pendingAfter;
    std::int32_t stop;
    std::uint8_t ackAfter;
    bool waitEnded;  // blink flags cleared and repaint requested
    bool woke;
};

TEST(DeviceEventTest, HandOverFollowsTheWaitAndTheEngineState) {
    // clang-format off
    const EventCase cases[] = {
        // name                                ack  pend  hold  id   ev    code  pend  stop  ack  ended  woke
        {"press while idle",                   1,   0,    0,    5,   245,  245,  1,    0,    1,   false, true},
        {"press while idle, hold mode",        1,   0,    1,    5,   241,  241,  1,    0,    1,   false, true},
        {"highest press",                      1,   0,    0,    5,   255,  255,  1,    0,    1,   false, true},
        {"second press, toggle mode",          1,   1,    0,    5,   246,  7,    1,    1,    1,   false, true},
        {"second press, hold mode",            1,   1,    1,    5,   246,  7,    1,    0,    1,   false, false},
        {"release, toggle mode",               1,   1,    0,    5,   0,    7,    1,    0,    1,   false, false},
        {"release, hold mode",                 1,   1,    1,    5,   0,    7,    1,    1,    1,   false, true},
        {"release while idle, hold mode",      1,   0,    1,    5,   0,    7,    0,    1,    1,   false, true},
        {"event 240 is nothing",               1,   0,    0,    5,   240,  7,    0,    0,    1,   false, false},
        {"other event is nothing",             1,   0,    1,    5,   17,   7,    0,    0,    1,   false, false},
        {"06 00 while idle is a release",      1,   1,    1,    6,   0,    7,    1,    1,    1,   false, true},
        {"06 00 while idle, toggle mode",      1,   1,    0,    6,   0,    7,    1,    0,    1,   false, false},
        {"06 00 ends the wait",                0,   0,    0,    6,   0,    7,    0,    0,    1,   true,  false},
        {"05 00 does not end the wait",        0,   0,    1,    5,   0,    7,    0,    0,    0,   false, false},
        {"06 01 does not end the wait",        0,   0,    0,    6,   1,    7,    0,    0,    0,   false, false},
        {"press ignored while waiting",        0,   0,    0,    5,   245,  7,    0,    0,    0,   false, false},
        {"press ignored while waiting, busy",  0,   1,    0,    5,   245,  7,    1,    0,    0,   false, false},
    };
    // clang-format on
    for (const EventCase& c : cases) {
        AppState state;
        CountingWindow window;
        state.ackReceived = c.ack;
        state.buttonEventPending = c.pending;
        state.buttonEventCode = 7;
        state.config.macroRepeatWhileHeld = c.holdMode;
        state.confirmBlinkStarted = 1;
        state.confirmBlinkOn = 1;
        const std::uint32_t wakes = state.engineWakeCounter;

        const std::uint8_t report[] = {c.reportId, c.event, 0x55, 0x66};
        handleDeviceEvent(state, report, window);

        EXPECT_EQ(state.buttonEventCode, c.code) << c.name;
        EXPECT_EQ(state.buttonEventPending, c.pendingAfter) << c.name;
        EXPECT_EQ(state.stopRequested, c.stop) << c.name;
        EXPECT_EQ(state.ackReceived, c.ackAfter) << c.name;
        EXPECT_EQ(state.confirmBlinkStarted, c.waitEnded ? 0 : 1) << c.name;
        EXPECT_EQ(state.confirmBlinkOn, c.waitEnded ? 0 : 1) << c.name;
        EXPECT_EQ(window.repaints, c.waitEnded ? 1 : 0) << c.name;
        EXPECT_EQ(state.engineWakeCounter != wakes, c.woke) << c.name;
    }
}

TEST(DeviceEventTest, ShortReportsDoNothing) {
    AppState state;
    CountingWindow window;
    const std::uint8_t one[] = {245};
    handleDeviceEvent(state, one, window);
    handleDeviceEvent(state, {}, window);
    state.ackReceived = 0;
    const std::uint8_t confirm[] = {6};
    handleDeviceEvent(state, confirm, window);
    EXPECT_EQ(state.buttonEventPending, 0);
    EXPECT_EQ(state.ackReceived, 0);
}

// Waits, up to a generous limit, until `done` holds.
bool eventually(const std::function<bool()>& done) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > limit) return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

class RecordingRemoval : public MouseRemovalHandler {
  public:
    void mouseRemoved() override { ++calls; }
    std::atomic<int> calls{0};
};

class DeviceListenerTest : public ::testing::Test {
  protected:
    void assignSoftwareButton(std::uint8_t hardwareNumber) {
        auto writer = mouse.open(VirtualMouse::kWritePath, HidAccess::Write);
        const ConfigReport report = ConfigReport::make(kCommandAssignButton, hardwareNumber, 31);
        writer->sendFeatureReport(report.wire(VirtualMouse::kFeatureReportLength));
    }

    VirtualMouse mouse;
    AppState state;
    CountingWindow window;
    RecordingRemoval removalHandler;
    MouseRemovalMonitor removal{state.deviceLink, removalHandler};
};

TEST_F(DeviceListenerTest, WaitsForTheHandleThenConfirmsAndHandsPressesOver) {
    DeviceListener listener(state, window, &removal);
    listener.start();  // before discovery, as at start-up
    assignSoftwareButton(5);
    state.ackReceived = 0;
    state.confirmBlinkStarted = 1;
    ASSERT_TRUE(discoverMouse(state.deviceLink, mouse));

    mouse.press(5);  // answered with 06 00
    ASSERT_TRUE(eventually([&] { return state.ackReceived == 1; }));
    EXPECT_EQ(state.confirmBlinkStarted, 0);
    EXPECT_TRUE(eventually([&] { return window.repaints == 1; }));
    mouse.release();
    ASSERT_TRUE(eventually([&] { return mouse.pendingInputReports() == 0; }));

    const std::uint32_t wakes = state.engineWakeCounter;
    mouse.press(5);
    ASSERT_TRUE(eventually([&] { return state.buttonEventPending == 1; }));
    EXPECT_EQ(state.buttonEventCode, 245);
    EXPECT_NE(state.engineWakeCounter, wakes);

    // The engine is busy: a release does nothing in toggle mode, a second press stops it.
    mouse.release();
    mouse.press(5);
    ASSERT_TRUE(eventually([&] { return state.stopRequested == 1; }));
    EXPECT_EQ(state.buttonEventCode, 245);
    listener.stop();
    EXPECT_EQ(removalHandler.calls, 0);
}

TEST_F(DeviceListenerTest, StopsWhileBlockedInARead) {
    ASSERT_TRUE(discoverMouse(state.deviceLink, mouse));
    DeviceListener listener(state, window, &removal);
    listener.start();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));  // let it block in the read
    listener.stop();                                            // returns: the read was cancelled
    SUCCEED();
}

TEST_F(DeviceListenerTest, StopsWhileNoHandleIsOpen) {
    DeviceListener listener(state, window, &removal);
    listener.start();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    listener.stop();
    SUCCEED();
}

TEST_F(DeviceListenerTest, UnpluggedMouseEndsTheProgramOnce) {
    ASSERT_TRUE(discoverMouse(state.deviceLink, mouse));
    DeviceListener listener(state, window, &removal);
    listener.start();
    mouse.unplug();
    ASSERT_TRUE(eventually([&] { return removalHandler.calls == 1; }));
    EXPECT_FALSE(state.deviceLink.devicePresent);
    removal.onRemovalNotice(state.deviceLink.devicePath);  // the watch's notice comes too
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(removalHandler.calls, 1);
}

}  // namespace
}  // namespace torvane
