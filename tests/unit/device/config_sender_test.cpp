#include "device/config_sender.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <thread>

#include "app/app_state.h"
#include "app/ini_file.h"
#include "app/profile_store.h"
#include "app/stored_index.h"
#include "device/config_report.h"
#include "device/confirm_blink.h"
#include "device/mouse_discovery.h"
#include "device/virtual_mouse.h"
#include "support/fake_hid_backend.h"
#include "support/fakes.h"

namespace torvane {
namespace {

class FakeBlink : public ConfirmBlink {
  public:
    void start() override { ++starts; }
    int starts = 0;
};

// Bytes 0..3 of a report as "07 10 01 01".
std::string head(const std::vector<std::uint8_t>& report) {
    std::string text;
    for (std::size_t i = 0; i < 4 && i < report.size(); ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", report[i]);
        if (!text.empty()) text += ' ';
        text += hex;
    }
    return text;
}

class ConfigSenderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setProgramDirectory(state, dir.path());
        test::writeFile(
            state.configFilePath,
            test::readFile(std::filesystem::path(TORVANE_SOURCE_DIR) / "data/config.ini"));
        state.currentConfigIndex = 2;
        profiles.loadProfile(state.configFilePath, 1, false);
        ASSERT_TRUE(discoverMouse(state.deviceLink, mouse));
    }

    void setButtons(std::array<std::int32_t, 7> codes) {
        for (std::size_t i = 0; i < codes.size(); ++i)
            state.config.buttonFunction[i + 1] = codes[i];
    }

    std::vector<std::string> sentHeads() const {
        std::vector<std::string> heads;
        for (const auto& report : mouse.receivedReports()) heads.push_back(head(report));
        return heads;
    }

    test::TempDir dir;
    AppState state;
    ProfileStore profiles{state};
    test::FakePointerSpeed pointerSpeed;
    test::FakeWindow window;
    FakeBlink blink;
    VirtualMouse mouse;
    ConfigSender sender{state, profiles, pointerSpeed, window, blink};
};

TEST_F(ConfigSenderTest, FactoryButtonsGiveTheDocumentedReports) {
    setButtons({1, 2, 3, 5, 4, 6, 13});
    state.config.wheelMode = 0;
    state.config.currentDpiLevel = 1;
    state.config.dpiSetting[1] = 2;
    state.config.ledMode = 0;

    sender.applyConfiguration();

    EXPECT_EQ(sentHeads(), (std::vector<std::string>{"07 10 01 01", "07 10 02 02", "07 10 03 03",
                                                     "07 10 05 05", "07 10 04 04", "07 10 06 1F",
                                                     "07 10 09 09", "07 11 00 00", "07 09 01 A0"}));
    for (const auto& report : mouse.receivedReports()) {
        ASSERT_EQ(report.size(), VirtualMouse::kFeatureReportLength);
        for (std::size_t i = 4; i < report.size(); ++i) EXPECT_EQ(report[i], 0);
    }
    EXPECT_EQ(state.ackReceived, 0);
    EXPECT_EQ(state.pendingConfirmButton, 6);
    EXPECT_EQ(state.confirmBlinkOn, 1);
    EXPECT_EQ(state.confirmBlinkStarted, 1);
    EXPECT_EQ(blink.starts, 1);
    EXPECT_EQ(state.dpiButtonStep[6], 2);
    EXPECT_EQ(state.dpiButtonStep[1], 0);
    EXPECT_EQ(window.repaints, 1);

    // The mouse now holds what was sent.
    const VirtualMouse::State mouseState = mouse.state();
    EXPECT_EQ(mouseState.deviceCode[9], 9);
    EXPECT_EQ(mouseState.deviceCode[6], 31);
    EXPECT_EQ(mouseState.dpiStage, 1);
    EXPECT_EQ(mouseState.dpiValueIndex, 2);
}

TEST_F(ConfigSenderTest, OnlyTheFirstSoftwareSlotStartsTheWait) {
    setButtons({1, 2, 41, 5, 4, 19, 13});
    sender.applyConfiguration();
    EXPECT_EQ(state.pendingConfirmButton, 3);
    EXPECT_EQ(blink.starts, 1);

    // A further apply restarts the wait but no second blinker while the first one runs.
    sender.applyConfiguration();
    EXPECT_EQ(state.ackReceived, 0);
    EXPECT_EQ(state.pendingConfirmButton, 3);
    EXPECT_EQ(blink.starts, 1);
}

TEST_F(ConfigSenderTest, WithoutSoftwareFunctionsNoWaitStarts) {
    setButtons({1, 2, 3, 5, 4, 11, 25});
    sender.applyConfiguration();
    const auto heads = sentHeads();
    ASSERT_EQ(heads.size(), 9u);
    EXPECT_EQ(heads[5], "07 10 06 07");
    EXPECT_EQ(heads[6], "07 10 09 11");
    EXPECT_EQ(state.ackReceived, 1);
    EXPECT_EQ(state.pendingConfirmButton, 0);
    EXPECT_EQ(blink.starts, 0);
}

TEST_F(ConfigSenderTest, CodesWithoutDeviceCodeSendNothingForTheirSlot) {
    setButtons({7, 10, 20, 53, -1, 17, 18});
    sender.applyConfiguration();
    EXPECT_EQ(sentHeads(), (std::vector<std::string>{"07 10 06 1F", "07 10 09 1F", "07 11 00 00",
                                                     "07 09 00 90"}));
    EXPECT_EQ(state.pendingConfirmButton, 6);
    EXPECT_EQ(state.dpiButtonStep[6], 1);
    EXPECT_EQ(state.dpiButtonStep[7], -1);
    EXPECT_EQ(state.dpiButtonStep[1], 0);
}

TEST_F(ConfigSenderTest, DpiAndLedByteAndOutOfRangeStage) {
    struct Case {
        std::int32_t level;
        std::uint8_t value;
        std::uint8_t led;
        const char* expected;
    };
    const Case cases[] = {
        {2, 4, 3, "07 09 02 C3"},
        {0, 0, 0, "07 09 00 80"},
        {3, 1, 2, "07 09 03 92"},
        // A hand-edited level outside 0..3 is sent as stage 0 with stage 0's value.
        {7, 3, 1, "07 09 00 B1"},
        {-1, 3, 1, "07 09 00 B1"},
    };
    for (const Case& c : cases) {
        mouse.clearReceivedReports();
        for (auto& value : state.config.dpiSetting) value = 3;
        state.config.dpiSetting[dpiStageOf(c.level)] = c.value;
        state.config.currentDpiLevel = c.level;
        state.config.ledMode = c.led;
        sender.applyConfiguration();
        EXPECT_EQ(sentHeads().back(), c.expected) << "level " << c.level;

        mouse.clearReceivedReports();
        sender.sendDpiAndLed(c.level, c.led);
        EXPECT_EQ(sentHeads(), (std::vector<std::string>{c.expected})) << "level " << c.level;
    }
}

TEST_F(ConfigSenderTest, PointerSpeedEightIsSetAsSeven) {
    for (const auto& [stored, expected] : {std::pair{8, 7}, {9, 9}, {10, 10}}) {
        pointerSpeed.setValues.clear();
        state.config.pointerSpeed = static_cast<std::uint8_t>(stored);
        sender.applyConfiguration();
        EXPECT_EQ(pointerSpeed.setValues, std::vector<int>{expected}) << stored;
    }
    pointerSpeed.setValues.clear();
    pointerSpeed.speed.reset();  // the speed cannot be read: it is left alone
    sender.applyConfiguration();
    EXPECT_TRUE(pointerSpeed.setValues.empty());
}

TEST_F(ConfigSenderTest, SavesCurConfigTheAppliedCopyAndTheProfile) {
    state.config.buttonFunction[1] = 41;
    state.config.ledMode = 2;
    sender.applyConfiguration();
    const IniFile file = IniFile::load(state.configFilePath);
    EXPECT_EQ(file.value("Init", "CurConfig", 10), u"2");
    EXPECT_EQ(file.value("Config6", "K1", 10), u"41");
    EXPECT_EQ(file.value("Config2", "K1", 10), u"41");
    EXPECT_EQ(file.value("Config2", "LED_STATUS", 10), u"2");
    EXPECT_EQ(state.appliedLedMode, 2);
}

TEST_F(ConfigSenderTest, DriverOffAndNoWriteHandle) {
    sender.sendDriverOff();
    const auto reports = mouse.receivedReports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], (std::vector<std::uint8_t>{7, 0x20, 0, 0, 0, 0, 0, 0}));

    // Without the write collection nothing is sent, but the rest of the apply still happens.
    mouse.clearReceivedReports();
    state.deviceLink.writeHandle.reset();
    state.config.buttonFunction[2] = 42;
    sender.applyConfiguration();
    sender.sendDriverOff();
    EXPECT_TRUE(mouse.receivedReports().empty());
    EXPECT_EQ(state.pendingConfirmButton, 2);
    EXPECT_EQ(pointerSpeed.setValues.size(), 1u);
}

TEST(ConfigSenderLengthTest, LengthComesFromTheWriteCollectionAndIsCutToTheBuffer) {
    for (const auto& [featureLength, sentLength] :
         {std::pair{2, 2}, {4, 4}, {65, 65}, {260, 260}, {1000, 260}}) {
        test::FakeHidBackend backend;
        backend.addMouseCollection("/dev/m", 0xFF01, 1, 0,
                                   static_cast<std::uint16_t>(featureLength));
        backend.addMouseCollection("/dev/m", 0xFF00);
        AppState state;
        ASSERT_TRUE(discoverMouse(state.deviceLink, backend));
        ProfileStore profiles(state);
        test::FakePointerSpeed speed;
        test::FakeWindow window;
        FakeBlink blink;
        ConfigSender sender(state, profiles, speed, window, blink);
        sender.sendDriverOff();
        const auto sent = backend.sentReports();
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].size(), static_cast<std::size_t>(sentLength));
        EXPECT_EQ(sent[0][0], 7);
    }
}

// The engine thread's DPI reports and the UI thread's applies share the write handle; each report
// arrives whole. Run under the thread sanitizer as well.
TEST_F(ConfigSenderTest, ReportsFromTwoThreadsNeverInterleave) {
    setButtons({1, 2, 3, 5, 4, 11, 13});
    state.config.dpiSetting[0] = 1;
    state.config.ledMode = 1;
    std::jthread engine([&] {
        for (int i = 0; i < 300; ++i) sender.sendDpiAndLed(0, 2);
    });
    for (int i = 0; i < 20; ++i) sender.applyConfiguration();
    engine.join();

    int dpiReports = 0;
    for (const auto& report : mouse.receivedReports()) {
        ASSERT_EQ(report.size(), VirtualMouse::kFeatureReportLength);
        ASSERT_EQ(report[0], 7);
        for (std::size_t i = 4; i < report.size(); ++i) ASSERT_EQ(report[i], 0);
        const std::string text = head(report);
        if (report[1] == kCommandDpiAndLed) {
            ++dpiReports;
            EXPECT_TRUE(text == "07 09 00 92" || text == "07 09 00 91") << text;
        } else {
            EXPECT_TRUE(report[1] == kCommandAssignButton || report[1] == kCommandWheel) << text;
        }
    }
    EXPECT_EQ(dpiReports, 320);
}

}  // namespace
}  // namespace torvane
