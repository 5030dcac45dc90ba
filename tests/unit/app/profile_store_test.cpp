#include "app/profile_store.h"

#include <gtest/gtest.h>

#include <thread>

#include "app/app_state.h"
#include "app/ini_file.h"
#include "support/fakes.h"

namespace torvane {
namespace {

using test::TempDir;

class ProfileStoreTest : public testing::Test {
protected:
    ProfileStoreTest() { setProgramDirectory(state, dir.path()); }

    std::string file() const { return test::readFile(state.configFilePath); }
    void writeConfig(const std::string& text) { test::writeFile(state.configFilePath, text); }

    TempDir dir;
    AppState state;
    ProfileStore store{state};
};

TEST_F(ProfileStoreTest, SavingIntoAnEmptyFileListsTheKeysInOrder) {
    resetToFactory(state.config);
    state.config.pointerSpeed = 10;
    store.saveProfile(state.configFilePath, 3);
    EXPECT_EQ(file(),
              "[Config3]\r\nK1=1\r\nK2=2\r\nK3=3\r\nK4=5\r\nK5=4\r\nK6=6\r\nK7=13\r\n"
              "DPI_LEVEL=0\r\nWHEEL_STATUS=0\r\nMACRO_MODE2=0\r\n"
              "DPI_SET1=1\r\nDPI_SET_EN1=1\r\nDPI_SET2=2\r\nDPI_SET_EN2=1\r\n"
              "DPI_SET3=4\r\nDPI_SET_EN3=1\r\nDPI_SET4=0\r\nDPI_SET_EN4=1\r\n"
              "LED_STATUS=0\r\nDPI_SPEED=10\r\n");
}

TEST_F(ProfileStoreTest, LoadingAppliesTheValueRules) {
    writeConfig(
        "[Config2]\nK1=12345\nK2=-7\nK3= 42abc\nK4=x\nDPI_LEVEL=2\nWHEEL_STATUS=1\n"
        "MACRO_MODE2=1\nDPI_SET1=300\nDPI_SET_EN1=7\nDPI_SET2=1234567890\nDPI_SET_EN2=0\n"
        "DPI_SET3=-1\nDPI_SET_EN3=-3\nLED_STATUS=259\nDPI_SPEED=8\n");
    store.loadProfile(state.configFilePath, 2, false);
    const MouseConfig& c = state.config;
    EXPECT_EQ(c.buttonFunction[1], 1234);  // cut to four characters
    EXPECT_EQ(c.buttonFunction[2], -7);
    EXPECT_EQ(c.buttonFunction[3], 42);
    EXPECT_EQ(c.buttonFunction[4], 0);
    EXPECT_EQ(c.buttonFunction[5], 0);  // missing key
    EXPECT_EQ(c.currentDpiLevel, 2);
    EXPECT_EQ(c.wheelMode, 1);
    EXPECT_EQ(c.macroRepeatWhileHeld, 1);
    EXPECT_EQ(c.dpiSetting[0], 44);  // low 8 bits of 300
    EXPECT_EQ(c.dpiLevelEnabled[0], 1);
    EXPECT_EQ(c.dpiSetting[1], static_cast<std::uint8_t>(123456789 & 0xFF));  // nine characters
    EXPECT_EQ(c.dpiLevelEnabled[1], 0);
    EXPECT_EQ(c.dpiSetting[2], 255);
    EXPECT_EQ(c.dpiLevelEnabled[2], 1);
    EXPECT_EQ(c.dpiLevelEnabled[3], 0);
    EXPECT_EQ(c.ledMode, 3);
    EXPECT_EQ(c.pointerSpeed, 8);
    EXPECT_EQ(state.appliedDpiSetting[0], 44);
    EXPECT_EQ(state.dpiSettingElement[0], 45 + 44);
    EXPECT_EQ(state.dpiSettingElement[2], 45 + 10 + 255);

    // Written back: the enable flag as 1, codes as loaded.
    store.saveProfile(state.configFilePath, 2);
    const IniFile saved = IniFile::load(state.configFilePath);
    EXPECT_EQ(saved.value("Config2", "DPI_SET_EN1", 9), u"1");
    EXPECT_EQ(saved.value("Config2", "DPI_SET1", 9), u"44");
    EXPECT_EQ(saved.value("Config2", "K1", 9), u"1234");
}

TEST_F(ProfileStoreTest, MissingFileOrSectionLoadsAllZero) {
    state.config.buttonFunction[1] = 5;
    state.config.pointerSpeed = 9;
    store.loadProfile(state.configFilePath, 0, false);
    EXPECT_EQ(state.config.buttonFunction[1], 0);
    EXPECT_EQ(state.config.pointerSpeed, 0);
    EXPECT_EQ(state.dpiSettingElement[3], 60);
    EXPECT_EQ(store.readCurrentConfigIndex(state.configFilePath), 0);
    EXPECT_FALSE(std::filesystem::exists(state.configFilePath));
}

TEST_F(ProfileStoreTest, CodesAboveTheCatalogueSurviveARoundTrip) {
    writeConfig("[Config1]\nK7=999\n");
    store.loadProfile(state.configFilePath, 1, false);
    store.saveProfile(state.configFilePath, 1);
    EXPECT_EQ(IniFile::load(state.configFilePath).value("Config1", "K7", 4), u"999");
}

TEST_F(ProfileStoreTest, SingleKeyWritesTouchOnlyTheirKey) {
    writeConfig("; mine\r\n[Config4]\r\nK1=1\r\nDPI_LEVEL=0\r\nLED_STATUS=0\r\nextra=keep\r\n");
    state.config.currentDpiLevel = 3;
    state.appliedLedMode = 2;
    state.config.ledMode = 1;  // the applied mode is the one written
    store.writeDpiLevel(state.configFilePath, 4);
    store.writeLedStatus(state.configFilePath, 4);
    store.writeCurrentConfigIndex(state.configFilePath, 4);
    EXPECT_EQ(file(),
              "; mine\r\n[Config4]\r\nK1=1\r\nDPI_LEVEL=3\r\nLED_STATUS=2\r\nextra=keep\r\n"
              "[Init]\r\nCurConfig=4\r\n");
}

TEST_F(ProfileStoreTest, AppliedProfileRecordsCurConfigAndTheCopyTogether) {
    writeConfig("[Config6]\r\nK1=9\r\n");
    resetToFactory(state.config);
    store.saveAppliedProfile(state.configFilePath, 3, 6);
    const IniFile saved = IniFile::load(state.configFilePath);
    EXPECT_EQ(saved.value("Init", "CurConfig", 4), u"3");
    EXPECT_EQ(saved.value("Config6", "K1", 4), u"1");
    EXPECT_EQ(saved.entries(u"Config6").size(), 20u);
    EXPECT_EQ(file().rfind("[Init]", 0), std::string::npos);  // appended after Config6
}

TEST_F(ProfileStoreTest, ExportThenImportRestoresEveryField) {
    state.config.buttonFunction = {0, 1, 31, 3, 42, 17, 18, 40};
    state.config.wheelMode = 1;
    state.config.macroRepeatWhileHeld = 1;
    state.config.currentDpiLevel = 2;
    state.config.dpiSetting = {4, 3, 2, 1};
    state.config.dpiLevelEnabled = {1, 0, 1, 0};
    state.config.ledMode = 2;
    state.config.pointerSpeed = 9;
    const MouseConfig exported = state.config;
    const auto target = dir / "mine.ini";
    test::writeFile(target, "[Other]\r\nkeep=1\r\n");

    test::FakeFileDialog dialog;
    test::FakeWindow window;
    dialog.answers = {target, target};
    store.exportProfile(dialog, window);
    ASSERT_EQ(dialog.requests.size(), 1u);
    EXPECT_EQ(dialog.requests[0].mode, FileDialogRequest::Mode::Save);
    EXPECT_EQ(dialog.requests[0].filter, u"All Files(*.ini)|*.ini||");
    EXPECT_EQ(dialog.requests[0].defaultExtension, u"ini");
    EXPECT_TRUE(dialog.requests[0].confirmOverwrite);
    EXPECT_EQ(dialog.requests[0].initialFolder, dir.path());
    EXPECT_TRUE(IniFile::load(target).hasSection(u"Config7"));
    EXPECT_EQ(IniFile::load(target).value("Other", "keep", 4), u"1");

    state.config = MouseConfig{};
    store.importProfile(dialog, window);
    EXPECT_EQ(dialog.requests[1].mode, FileDialogRequest::Mode::Open);
    EXPECT_EQ(dialog.requests[1].defaultExtension, u"");
    IniFile a, b;
    writeProfile(a, "P", state.config);
    writeProfile(b, "P", exported);
    EXPECT_EQ(a.serialize(), b.serialize());
    EXPECT_EQ(window.repaints, 2);
    EXPECT_FALSE(std::filesystem::exists(state.configFilePath));  // neither sent nor saved
}

TEST_F(ProfileStoreTest, CancelledDialogsChangeNothing) {
    test::FakeFileDialog dialog;
    test::FakeWindow window;
    state.config.buttonFunction[1] = 7;
    store.exportProfile(dialog, window);
    store.importProfile(dialog, window);
    EXPECT_EQ(state.config.buttonFunction[1], 7);
    EXPECT_EQ(window.repaints, 0);
}

class RecordingResetSteps : public FactoryResetSteps {
public:
    void restoreDefaultMacros() override { calls.push_back("macros"); }
    void applyConfiguration() override { calls.push_back("apply"); }
    std::vector<std::string> calls;
};

TEST_F(ProfileStoreTest, ResetAllProfilesRestoresFactoryContents) {
    const std::string factory =
        "[CfgReset2]\r\nK1=1\r\nK2=2\r\nK3=31\r\nDPI_SET1=3\r\nDPI_SET_EN1=1\r\nLED_STATUS=2\r\n"
        "[CfgReset3]\r\nK1=1\r\nK4=40\r\nDPI_SPEED=9\r\n"
        "[CfgReset4]\r\nK1=1\r\nWHEEL_STATUS=1\r\n";  // no CfgReset5
    writeConfig("[Config5]\r\nK1=2\r\nK2=33\r\n" + factory);
    state.currentConfigIndex = 3;
    state.config.macroRepeatWhileHeld = 1;
    state.config.pointerSpeed = 8;

    RecordingResetSteps steps;
    store.resetAllProfiles(steps);
    EXPECT_EQ(steps.calls, (std::vector<std::string>{"macros", "apply"}));

    const IniFile saved = IniFile::load(state.configFilePath);
    const MouseConfig one = readProfile(saved, "Config1");
    EXPECT_EQ(one.buttonFunction[7], 13);
    EXPECT_EQ(one.dpiSetting[2], 4);
    EXPECT_EQ(one.macroRepeatWhileHeld, 1);  // kept from the profile in use
    EXPECT_EQ(one.pointerSpeed, 8);
    for (int n = 2; n <= 4; ++n) {
        IniFile a, b;
        writeProfile(a, "P", readProfile(saved, "Config" + std::to_string(n)));
        writeProfile(b, "P", readProfile(saved, "CfgReset" + std::to_string(n)));
        EXPECT_EQ(a.serialize(), b.serialize()) << n;
    }
    EXPECT_EQ(readProfile(saved, "Config5").buttonFunction[2], 0);  // missing factory: zeros
    EXPECT_NE(test::readFile(state.configFilePath).find(factory), std::string::npos);
    EXPECT_EQ(state.config.buttonFunction[4], 40);  // profile 3 reloaded
    EXPECT_EQ(state.config.pointerSpeed, 9);
}

}  // namespace
}  // namespace torvane

namespace torvane {
namespace {

// The engine thread writes single keys while the UI thread saves whole profiles: every save sees
// a whole file, no key is lost.
TEST(ProfileStoreConcurrencyTest, EngineAndUiWritesDoNotLoseKeys) {
    test::TempDir dir;
    AppState state;
    setProgramDirectory(state, dir.path());
    ProfileStore store(state);
    resetToFactory(state.config);
    store.saveProfile(state.configFilePath, 1);

    std::thread engine([&] {
        for (int i = 0; i < 100; ++i) {
            state.config.currentDpiLevel = i % 4;
            store.writeDpiLevel(state.configFilePath, 1);
            store.writeLedStatus(state.configFilePath, 1);
        }
    });
    for (int i = 0; i < 100; ++i) {
        store.saveProfile(state.configFilePath, 1);
        store.loadProfile(state.configFilePath, 1, false);
    }
    engine.join();
    EXPECT_EQ(IniFile::load(state.configFilePath).entries(u"Config1").size(), 20u);
}

}  // namespace
}  // namespace torvane
