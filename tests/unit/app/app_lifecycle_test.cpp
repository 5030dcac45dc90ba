#include "app/app_lifecycle.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/profile_store.h"
#include "app/single_instance.h"
#include "app/startup_steps.h"
#include "support/fakes.h"

namespace torvane {
namespace {

using test::CallLog;

class FakeSteps : public StartupSteps {
public:
    explicit FakeSteps(CallLog& log) : m_log(log) {}
    void startWorkers() override { m_log.push_back("workers"); }
    void extendSystemMenu() override { m_log.push_back("system-menu"); }
    void setIconAndTitle() override { m_log.push_back("title"); }
    bool loadSkin() override {
        m_log.push_back("skin");
        return skinPresent;
    }
    void finishSkinLayout() override { m_log.push_back("skin-layout"); }
    void buildWindowShape() override { m_log.push_back("shape"); }
    void loadMacros() override { m_log.push_back("macros"); }
    void loadMenus() override { m_log.push_back("menus"); }
    bool discoverMouse() override {
        m_log.push_back("discover");
        return mousePresent;
    }
    void applyConfiguration() override { m_log.push_back("apply"); }
    void sendDriverOff() override { m_log.push_back("driver-off"); }
    void sleepMs(int ms) override { m_log.push_back("sleep " + std::to_string(ms)); }

    bool skinPresent = true;
    bool mousePresent = true;

private:
    CallLog& m_log;
};

class AppLifecycleTest : public testing::Test {
protected:
    AppLifecycleTest() { setProgramDirectory(state, dir.path()); }

    test::TempDir dir;
    CallLog log;
    AppState state;
    ProfileStore profiles{state};
    FakeSteps steps{log};
    test::FakeMessageBox messageBox{&log};
    test::FakePointerSpeed pointerSpeed{&log};
    test::FakeInjector injector{&log};
    test::FakeTrayIcon tray{&log};
    test::FakeWindow window{&log};
    AppLifecycle lifecycle{state, {steps, profiles, messageBox, pointerSpeed, injector, tray,
                                   window}};
};

const CallLog kCloseSequence = {
    "key 18 up", "key 18 up", "key 18 up", "key 18 up", "key 18 up", "key 18 up", "key 18 up",
    "tray:remove", "driver-off", "pointer-speed:get", "pointer-speed:set 10", "window:destroy"};

CallLog concat(CallLog a, const CallLog& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(AppLifecycleTest, StartupRunsEveryStepInOrderAndApplies) {
    test::writeFile(state.configFilePath, "[Init]\r\nCurConfig=2\r\n[Config2]\r\nK1=33\r\n");
    state.buttonEventPending = 1;
    state.stopRequested = 1;
    EXPECT_TRUE(lifecycle.runStartup());
    EXPECT_EQ(log, (CallLog{"workers", "system-menu", "title", "skin", "skin-layout", "shape",
                            "macros", "menus", "discover", "sleep 5", "apply"}));
    EXPECT_EQ(state.buttonEventPending, 0);
    EXPECT_EQ(state.stopRequested, 0);
    EXPECT_EQ(state.currentConfigIndex, 2);
    EXPECT_EQ(state.config.buttonFunction[1], 33);
    EXPECT_TRUE(state.deviceLink.devicePresent);
}

TEST_F(AppLifecycleTest, WithoutTheMouseItSaysSoAndClosesWithoutWriting) {
    steps.mousePresent = false;
    test::writeFile(state.configFilePath, "[Init]\r\nCurConfig=1\r\n");
    EXPECT_FALSE(lifecycle.runStartup());
    const CallLog start = {"workers", "system-menu", "title", "skin", "skin-layout", "shape",
                           "macros", "menus", "discover", "message:请插入【Torvane】USB鼠标"};
    EXPECT_EQ(log, concat(start, kCloseSequence));
    EXPECT_EQ(test::readFile(state.configFilePath), "[Init]\r\nCurConfig=1\r\n");
    EXPECT_FALSE(state.deviceLink.devicePresent);
    EXPECT_TRUE(lifecycle.closed());
}

TEST_F(AppLifecycleTest, MissingSkinEndsTheStartupThroughTheCloseSequence) {
    steps.skinPresent = false;
    EXPECT_FALSE(lifecycle.runStartup());
    EXPECT_EQ(log, concat({"workers", "system-menu", "title", "skin"}, kCloseSequence));
}

TEST_F(AppLifecycleTest, CloseLeavesThePointerSpeedAloneWhenItCannotBeRead) {
    pointerSpeed.speed = std::nullopt;
    lifecycle.runCloseSequence();
    EXPECT_TRUE(pointerSpeed.setValues.empty());
    EXPECT_TRUE(window.destroyed);
    lifecycle.runCloseSequence();  // once only
    EXPECT_EQ(tray.removed, 1);
}

TEST_F(AppLifecycleTest, RemovalDestroysTheWindowWithoutTheCloseSequence) {
    state.deviceLink.devicePresent = true;
    lifecycle.onMouseRemoved();
    EXPECT_EQ(log, (CallLog{"tray:remove", "window:destroy"}));
    EXPECT_FALSE(state.deviceLink.devicePresent);
}

TEST_F(AppLifecycleTest, PowerEventsReapply) {
    lifecycle.onPowerEvent();
    EXPECT_EQ(log, (CallLog{"apply"}));
}

TEST_F(AppLifecycleTest, ContextLineStartsAtTheLastStepOfTheCurrentMacro) {
    state.macroTable.edit([](MacroTable& table) {
        table.count = 2;
        table.macros[1].eventCount = 4;
    });
    state.currentMacroIndex = 1;
    lifecycle.runStartup();
    EXPECT_EQ(state.contextLine, 6);
}

class FakeInstance : public SingleInstance {
public:
    bool acquire() override { return free; }
    void activateExisting() override { ++activated; }
    bool free = true;
    int activated = 0;
};

TEST(SingleInstanceTest, ASecondInstanceBringsTheFirstUp) {
    FakeInstance instance;
    EXPECT_TRUE(AppLifecycle::claimSingleInstance(instance));
    EXPECT_EQ(instance.activated, 0);
    instance.free = false;
    EXPECT_FALSE(AppLifecycle::claimSingleInstance(instance));
    EXPECT_EQ(instance.activated, 1);
}

}  // namespace
}  // namespace torvane
