#include "gui/virtual_mouse_panel.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <thread>

#include "device/config_report.h"
#include "device/virtual_mouse.h"
#include "qt_test_app.h"

namespace torvane {
namespace {

// Sends one configuration report to the mouse through its write collection.
void sendToMouse(VirtualMouse& mouse, std::uint8_t command, std::uint8_t a, std::uint8_t b) {
    for (const HidInterface& entry : mouse.enumerate()) {
        if (entry.caps.usagePage != 0xFF01) continue;
        auto device = mouse.open(entry.path, HidAccess::Write);
        ASSERT_NE(device, nullptr);
        const ConfigReport report = ConfigReport::make(command, a, b);
        ASSERT_TRUE(device->sendFeatureReport(report.wire(entry.caps.featureReportLength)));
        return;
    }
    FAIL() << "the virtual mouse shows no write collection";
}

QString labelText(const QWidget& panel, const char* name) {
    const auto* label = panel.findChild<QLabel*>(QString::fromLatin1(name));
    return label != nullptr ? label->text() : QStringLiteral("<missing>");
}

TEST(VirtualMousePanelTest, ShowsWhatTheMouseWasSentFromAnyThread) {
    test::qtTestApp();
    VirtualMouse mouse;
    VirtualMousePanel panel(mouse);
    EXPECT_EQ(labelText(panel, "code5"), QStringLiteral("-"));

    // Reports arrive from another thread, as the engine's do.
    std::thread engine([&] {
        sendToMouse(mouse, kCommandAssignButton, 5, 31);
        sendToMouse(mouse, kCommandWheel, 1, 0);
        sendToMouse(mouse, kCommandDpiAndLed, 2, dpiAndLedByte(3, 1));
    });
    engine.join();
    ASSERT_TRUE(test::processEventsUntil(
        [&] { return labelText(panel, "reports") == QStringLiteral("3"); }));
    EXPECT_TRUE(labelText(panel, "code5").startsWith(QStringLiteral("31")));
    EXPECT_EQ(labelText(panel, "code1"), QStringLiteral("-"));
    EXPECT_EQ(labelText(panel, "wheel"), QStringLiteral("1"));
    EXPECT_EQ(labelText(panel, "dpi"), QStringLiteral("2 / 3"));
    EXPECT_EQ(labelText(panel, "led"), QStringLiteral("1"));
    EXPECT_EQ(labelText(panel, "lastReport").left(8), QStringLiteral("07 09 02"));
}

TEST(VirtualMousePanelTest, HoldButtonsPressWhileDownAndReleaseWhenLetGo) {
    test::qtTestApp();
    VirtualMouse mouse;
    VirtualMousePanel panel(mouse);
    for (int hardware : kPanelHardwareButtons) {
        auto* button = panel.findChild<QPushButton*>(QStringLiteral("holdButton%1").arg(hardware));
        ASSERT_NE(button, nullptr) << hardware;
        emit button->pressed();
        EXPECT_EQ(mouse.state().heldButton, std::optional<std::uint8_t>(hardware));
        emit button->released();
        EXPECT_EQ(mouse.state().heldButton, std::nullopt);
    }
}

}  // namespace
}  // namespace torvane
