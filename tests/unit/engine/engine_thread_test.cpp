#include "engine/driver_engine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/null_ports.h"
#include "app/pointer_speed.h"
#include "device/config_sender.h"
#include "device/confirm_blink.h"
#include "device/device_listener.h"
#include "device/mouse_discovery.h"
#include "device/virtual_mouse.h"
#include "engine_rig.h"

namespace torvane::test {
namespace {

using namespace std::chrono_literals;

// Waits (for real, with a generous limit) until `done` holds; false on time-out.
template <typename Fn>
bool eventually(Fn done) {
    for (int i = 0; i < 5000; ++i) {
        if (done()) return true;
        std::this_thread::sleep_for(1ms);
    }
    return done();
}

// The engine on its own thread with the real clock.
struct ThreadRig {
    TempDir dir;
    AppState state;
    SteadyDeadlineClock clock;
    EngineLog log{clock};
    LoggingInjector injector{log};
    LoggingEngineDevice device{log};
    LoggingShell shell{log};
    LoggingWindow window{log};
    ProfileStore store{state};
    std::optional<DriverEngine> engine;

    ThreadRig() {
        setProgramDirectory(state, dir.path());
        state.currentConfigIndex = 1;
        engine.emplace(state, store, window, device, injector, shell, clock);
        engine->start();
    }

    void press(int button) {
        // The listener's order: the code first, then the flag, then the wake-up.
        state.buttonEventCode = static_cast<std::uint8_t>(240 + button);
        state.buttonEventPending = 1;
        state.wakeEngine();
    }
};

TEST(EngineThreadTest, WakesOnAPressAndClearsTheFlags) {
    ThreadRig rig;
    rig.state.config.buttonFunction[2] = codeOf(ButtonFunction::Mute);
    for (int i = 1; i <= 3; ++i) {
        rig.press(2);
        ASSERT_TRUE(eventually([&] { return rig.state.buttonEventPending == 0; }));
        EXPECT_EQ(rig.log.lines().size(), static_cast<std::size_t>(i));
    }
    EXPECT_EQ(rig.state.stopRequested, 0);
}

TEST(EngineThreadTest, IdleEngineDropsAStopRequestAndDoesNotPoll) {
    ThreadRig rig;
    ASSERT_TRUE(eventually([&] { return rig.engine->loopPasses() >= 1; }));
    rig.state.stopRequested = 1;
    rig.state.wakeEngine();
    ASSERT_TRUE(eventually([&] { return rig.state.stopRequested == 0; }));
    const std::uint64_t passes = rig.engine->loopPasses();
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(rig.engine->loopPasses(), passes);
}

TEST(EngineThreadTest, DestroyingTheEngineEndsAMacroInTheMiddleOfALongDelay) {
    ThreadRig rig;
    rig.state.macroTable.edit([](MacroTable& table) {
        table.count = 1;
        table.macros[0].eventCount = 2;
        table.macros[0].steps[0] = {65, 1};
        table.macros[0].delays[0] = 65535;
        table.macros[0].steps[1] = {65, 2};
    });
    rig.state.config.buttonFunction[1] = 41;
    rig.press(1);
    ASSERT_TRUE(eventually([&] { return rig.log.lines().size() == 1; }));
    const auto before = std::chrono::steady_clock::now();
    rig.engine.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 10s);
    EXPECT_EQ(rig.log.lines().size(), 1u);
}

TEST(EngineThreadTest, ListenerAndEngineRaceWithoutLosingTheHandOver) {
    ThreadRig rig;
    rig.state.config.buttonFunction[1] = codeOf(ButtonFunction::Mute);
    rig.state.config.buttonFunction[2] = codeOf(ButtonFunction::Copy);
    int handedOver = 0;
    {
        std::jthread listener([&] {
            for (int i = 0; i < 200; ++i) {
                if (rig.state.buttonEventPending == 0) {
                    rig.press(i % 2 == 0 ? 1 : 2);
                    ++handedOver;
                } else {
                    rig.state.stopRequested = 1;
                    rig.state.wakeEngine();
                }
                std::this_thread::sleep_for(100us);
            }
        });
    }
    ASSERT_TRUE(eventually([&] { return rig.state.buttonEventPending == 0; }));
    rig.engine.reset();
    // Every press handed over was performed: a mute is one line, a copy four.
    std::size_t expectedLines = 0;
    int mutes = 0;
    int copies = 0;
    for (const std::string& line : rig.log.lines()) {
        if (line.find("key 173 down") != std::string::npos) ++mutes;
        if (line.find("key 17 down") != std::string::npos) ++copies;
    }
    expectedLines = static_cast<std::size_t>(mutes + copies * 4);
    EXPECT_EQ(rig.log.lines().size(), expectedLines);
    EXPECT_EQ(mutes + copies, handedOver);
}

}  // namespace
}  // namespace torvane::test

namespace torvane::test {
namespace {

// The injected key lines of a log (the window's repaints left out).
std::vector<std::string> keyLines(EngineLog& log) {
    std::vector<std::string> keys;
    for (const std::string& line : log.lines()) {
        if (line.find(" key ") != std::string::npos) keys.push_back(line);
    }
    return keys;
}

// The listener and the engine on their threads over the virtual mouse, as the driver runs.
TEST(EngineThreadTest, VirtualMouseHoldModeMacroThroughTheListener) {
    ThreadRig rig;
    AppState& state = rig.state;
    resetToFactory(state.config);
    state.config.macroRepeatWhileHeld = 1;
    state.config.buttonFunction[2] = 41;
    state.config.buttonFunction[3] = codeOf(ButtonFunction::Mute);
    state.macroTable.edit([](MacroTable& table) {
        table.count = 1;
        table.macros[0].eventCount = 2;
        table.macros[0].steps[0] = {65, 1};
        table.macros[0].delays[0] = 2;
        table.macros[0].steps[1] = {65, 2};
        table.macros[0].delays[1] = 2;
    });
    NoPointerSpeed speed;
    NoBlink blink;
    ConfigSender sender(state, rig.store, speed, rig.window, blink);
    VirtualMouse mouse;
    DeviceListener listener(state, rig.window, nullptr);
    listener.start();
    ASSERT_TRUE(discoverMouse(state.deviceLink, mouse));
    sender.applyConfiguration();
    ASSERT_EQ(state.ackReceived, 0);

    mouse.press(2);  // only confirms
    mouse.release();
    ASSERT_TRUE(eventually([&] { return state.ackReceived == 1; }));
    ASSERT_TRUE(eventually([&] { return mouse.pendingInputReports() == 0; }));
    std::this_thread::sleep_for(20ms);
    EXPECT_TRUE(keyLines(rig.log).empty());

    mouse.press(2);
    ASSERT_TRUE(eventually([&] { return keyLines(rig.log).size() >= 6; }));
    mouse.press(3);  // ignored in hold mode
    mouse.release();
    ASSERT_TRUE(eventually([&] { return state.buttonEventPending == 0; }));
    const std::size_t played = keyLines(rig.log).size();
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(keyLines(rig.log).size(), played);
    for (const std::string& line : keyLines(rig.log)) {
        EXPECT_EQ(line.find("key 173"), std::string::npos) << line;
    }

    mouse.press(3);  // the next press works again
    ASSERT_TRUE(eventually([&] {
        const auto lines = keyLines(rig.log);
        return !lines.empty() && lines.back().find("key 173 down") != std::string::npos;
    }));
    rig.engine.reset();
    listener.stop();
}

}  // namespace
}  // namespace torvane::test
