#include "device/virtual_mouse.h"

#include <gtest/gtest.h>

#include <thread>

#include "device/config_report.h"

namespace torvane {
namespace {

std::unique_ptr<HidDevice> openWrite(VirtualMouse& mouse) {
    return mouse.open(VirtualMouse::kWritePath, HidAccess::Write);
}

void send(HidDevice& device, std::uint8_t command, std::uint8_t a1, std::uint8_t a2) {
    const ConfigReport report = ConfigReport::make(command, a1, a2);
    ASSERT_TRUE(device.sendFeatureReport(report.wire(VirtualMouse::kFeatureReportLength)));
}

// Reads one report; fails the test instead of blocking when none is queued.
std::array<std::uint8_t, 2> readOne(VirtualMouse& mouse, HidDevice& reader) {
    EXPECT_GT(mouse.pendingInputReports(), 0u);
    if (mouse.pendingInputReports() == 0) return {0xEE, 0xEE};
    std::array<std::uint8_t, VirtualMouse::kInputReportLength> buffer{};
    const HidReadResult result = reader.readInputReport(buffer);
    EXPECT_EQ(result.status, HidReadStatus::Report);
    EXPECT_EQ(result.length, VirtualMouse::kInputReportLength);
    return {buffer[0], buffer[1]};
}

TEST(VirtualMouseTest, ShowsTheTwoVendorCollections) {
    VirtualMouse mouse;
    const auto interfaces = mouse.enumerate();
    ASSERT_EQ(interfaces.size(), 2u);
    for (const HidInterface& entry : interfaces) {
        EXPECT_EQ(entry.vendorId, 0x18F8);
        EXPECT_EQ(entry.productId, 0x0F99);
        EXPECT_EQ(entry.caps.usage, 1);
    }
    EXPECT_EQ(interfaces[0].caps.usagePage, 0xFF00);
    EXPECT_GT(interfaces[0].caps.inputReportLength, 1);
    EXPECT_EQ(interfaces[1].caps.usagePage, 0xFF01);
    EXPECT_GE(interfaces[1].caps.featureReportLength, 4);
    // Each collection opens only for its own direction.
    EXPECT_EQ(mouse.open(VirtualMouse::kReadPath, HidAccess::Write), nullptr);
    EXPECT_NE(mouse.open(VirtualMouse::kReadPath, HidAccess::Read), nullptr);
    EXPECT_EQ(mouse.open("elsewhere", HidAccess::Read), nullptr);
}

TEST(VirtualMouseTest, KeepsTheStateTheReportsSetAndLogsThem) {
    VirtualMouse mouse;
    auto writer = openWrite(mouse);
    send(*writer, kCommandAssignButton, 5, 17);
    send(*writer, kCommandWheel, 1, 0);
    send(*writer, kCommandDpiAndLed, 2, 0xC3);
    const VirtualMouse::State state = mouse.state();
    EXPECT_EQ(state.deviceCode[5], 17);
    EXPECT_FALSE(state.deviceCode[1].has_value());
    EXPECT_EQ(state.wheelMode, 1);
    EXPECT_EQ(state.dpiStage, 2);
    EXPECT_EQ(state.dpiValueIndex, 4);
    EXPECT_EQ(state.ledMode, 3);
    EXPECT_FALSE(state.driverOff);

    send(*writer, kCommandDriverOff, 0, 0);
    EXPECT_TRUE(mouse.state().driverOff);

    const auto log = mouse.receivedReports();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0], (std::vector<std::uint8_t>{7, 0x10, 5, 17, 0, 0, 0, 0}));
    EXPECT_EQ(log[3], (std::vector<std::uint8_t>{7, 0x20, 0, 0, 0, 0, 0, 0}));
}

TEST(VirtualMouseTest, ConfirmsTheFirstPressAfterASoftwareAssignmentThenReportsPresses) {
    VirtualMouse mouse;
    auto writer = openWrite(mouse);
    auto reader = mouse.open(VirtualMouse::kReadPath, HidAccess::Read);
    send(*writer, kCommandAssignButton, 1, 1);   // left click stays in the mouse
    send(*writer, kCommandAssignButton, 6, 31);  // hardware button 6 goes to the driver

    mouse.press(1);  // a button the mouse handles itself reports nothing
    mouse.release();
    EXPECT_EQ(mouse.pendingInputReports(), 0u);

    mouse.press(6);
    EXPECT_EQ(readOne(mouse, *reader), (std::array<std::uint8_t, 2>{6, 0}));
    mouse.release();
    EXPECT_EQ(readOne(mouse, *reader)[1], 0);

    mouse.press(6);
    EXPECT_EQ(readOne(mouse, *reader)[1], 246);
    mouse.release();
    EXPECT_EQ(readOne(mouse, *reader)[1], 0);
    mouse.release();  // nothing held
    EXPECT_EQ(mouse.pendingInputReports(), 0u);

    // Only hardware numbers 1..15 fit in a press report.
    send(*writer, kCommandAssignButton, 16, 31);
    send(*writer, kCommandAssignButton, 0, 31);
    mouse.press(16);  // answered with the confirmation, as the assignment asks
    EXPECT_EQ(readOne(mouse, *reader), (std::array<std::uint8_t, 2>{6, 0}));
    mouse.release();
    EXPECT_EQ(readOne(mouse, *reader)[1], 0);
    mouse.press(16);
    mouse.press(0);
    EXPECT_EQ(mouse.pendingInputReports(), 0u);
    mouse.release();
    EXPECT_EQ(readOne(mouse, *reader)[1], 0);

    // After driver-off the mouse acts on its own again.
    send(*writer, kCommandDriverOff, 0, 0);
    mouse.press(6);
    EXPECT_EQ(mouse.pendingInputReports(), 0u);
}

TEST(VirtualMouseTest, BlockedReadEndsOnReportCancelAndUnplug) {
    VirtualMouse mouse;
    auto writer = openWrite(mouse);
    send(*writer, kCommandAssignButton, 9, 31);
    mouse.press(9);  // the confirmation
    auto reader = mouse.open(VirtualMouse::kReadPath, HidAccess::Read);

    std::array<std::uint8_t, 64> buffer{};
    EXPECT_EQ(reader->readInputReport(buffer).status, HidReadStatus::Report);

    HidReadResult cancelled;
    std::thread waiting([&] { cancelled = reader->readInputReport(buffer); });
    reader->cancelRead();
    waiting.join();
    EXPECT_EQ(cancelled.status, HidReadStatus::Cancelled);
    EXPECT_EQ(reader->readInputReport(buffer).status, HidReadStatus::Cancelled);

    auto second = mouse.open(VirtualMouse::kReadPath, HidAccess::Read);
    HidReadResult gone;
    std::thread unplugged([&] { gone = second->readInputReport(buffer); });
    mouse.unplug();
    unplugged.join();
    EXPECT_EQ(gone.status, HidReadStatus::Gone);
    EXPECT_FALSE(writer->sendFeatureReport(ConfigReport::make(kCommandWheel, 0, 0).wire(8)));
    EXPECT_TRUE(mouse.enumerate().empty());
}

TEST(VirtualMouseTest, PressesFromOneThreadAreReadInOrderOnAnother) {
    VirtualMouse mouse;
    auto writer = openWrite(mouse);
    send(*writer, kCommandAssignButton, 2, 31);
    mouse.press(2);  // the confirmation
    mouse.release();
    auto reader = mouse.open(VirtualMouse::kReadPath, HidAccess::Read);
    std::vector<std::uint8_t> events;
    std::thread listener([&] {
        std::array<std::uint8_t, 8> buffer{};
        for (int i = 0; i < 42; ++i) {
            if (reader->readInputReport(buffer).status != HidReadStatus::Report) return;
            events.push_back(buffer[1]);
        }
    });
    for (int i = 0; i < 20; ++i) {
        mouse.press(2);
        mouse.release();
    }
    listener.join();
    ASSERT_EQ(events.size(), 42u);
    EXPECT_EQ(events[0], 0);  // the confirmation 06 00
    EXPECT_EQ(events[1], 0);  // its release
    for (std::size_t i = 2; i < events.size(); i += 2) {
        EXPECT_EQ(events[i], 242);
        EXPECT_EQ(events[i + 1], 0);
    }
}

}  // namespace
}  // namespace torvane
