#include "engine/macro_playback.h"

#include <gtest/gtest.h>

#include "engine_rig.h"

namespace torvane::test {
namespace {

TEST(MacroPlaybackTest, EachStepIsReadAfreshButTheEventCountIsFixedAtTheStart) {
    EngineRig rig;
    rig.setMacro(0, {{65, 1, 10}, {65, 2, 10}});
    rig.clock.at(std::chrono::milliseconds(5), [&] {
        rig.state.macroTable.edit([](MacroTable& table) {
            table.macros[0].steps[1] = {66, 2};
            table.macros[0].steps[2] = {67, 1};
            table.macros[0].eventCount = 3;
        });
    });
    playMacro(rig.state, 0, rig.injector, rig.clock);
    EXPECT_EQ(rig.log.text(), "0 key 65 down ext=0 scan=81\n10 key 66 up ext=0 scan=82\n");
}

TEST(MacroPlaybackTest, RepetitionsByMode) {
    struct Case {
        std::int32_t mode;
        std::uint8_t repeatEnabled;
        std::uint16_t repeatCount;
        std::int32_t expected;
    };
    const Case cases[] = {
        {0, 0, 0, 1},       {0, 0, 9, 1},      {0, 1, 0, 0},      {0, 1, 3, 3},
        {0, 1, 65535, 65535}, {1, 0, 0, 100000}, {1, 1, 3, 100000},
        // A hand-edited mode other than 0 and 1 is hold mode, as the listener takes it.
        {2, 1, 3, 100000},  {-1, 0, 0, 100000},
    };
    for (const Case& c : cases) {
        Macro macro;
        macro.repeatEnabled = c.repeatEnabled;
        macro.repeatCount = c.repeatCount;
        EXPECT_EQ(macroRepetitions(macro, c.mode), c.expected)
            << "mode " << c.mode << " enabled " << int{c.repeatEnabled} << " count "
            << c.repeatCount;
    }
}

TEST(MacroPlaybackTest, EmptyMacroInHoldModeRunsItsRepetitionsWithoutWaiting) {
    EngineRig rig;
    rig.state.config.macroRepeatWhileHeld = 1;
    rig.setMacro(0, {});
    playMacro(rig.state, 0, rig.injector, rig.clock);
    EXPECT_TRUE(rig.clock.sleeps.empty());
    EXPECT_EQ(rig.log.text(), "");
}

TEST(MacroPlaybackTest, StopCheckFollowsTheDelayOfTheRunningStep) {
    EngineRig rig;
    rig.setMacro(0, {{65, 1, 1000}, {65, 2, 0}});
    rig.clock.at(std::chrono::milliseconds(1), [&] { rig.state.stopRequested = 1; });
    playMacro(rig.state, 0, rig.injector, rig.clock);
    EXPECT_EQ(rig.log.text(), "0 key 65 down ext=0 scan=81\n");
    EXPECT_EQ(rig.clock.elapsedMs(), 1000);
}

TEST(MacroPlaybackTest, EndOfTheEngineEndsTheMacro) {
    EngineRig rig;
    rig.state.config.macroRepeatWhileHeld = 1;
    rig.setMacro(0, {{65, 1, 10}, {65, 2, 10}});
    std::stop_source engineStop;
    rig.clock.at(std::chrono::milliseconds(25), [&] { engineStop.request_stop(); });
    playMacro(rig.state, 0, rig.injector, rig.clock, engineStop.get_token());
    EXPECT_EQ(rig.log.lines().size(), 3u);
}

TEST(MacroPlaybackTest, IndexesOutsideTheTableDoNothing) {
    EngineRig rig;
    rig.setMacro(0, {{65, 1, 0}});
    for (const int m : {-1, 12, 1000}) playMacro(rig.state, m, rig.injector, rig.clock);
    EXPECT_EQ(rig.log.text(), "");
}

TEST(MacroPlaybackTest, ExtendedKeysAreExactlyTheEighteen) {
    const std::vector<int> extended{33, 34, 35, 36, 37, 38, 39, 40, 44,
                                    45, 46, 91, 93, 111, 144, 161, 163, 165};
    int count = 0;
    for (int key = 0; key < 256; ++key) {
        const bool expected =
            std::find(extended.begin(), extended.end(), key) != extended.end();
        EXPECT_EQ(isExtendedKey(static_cast<std::uint8_t>(key)), expected) << "key " << key;
        count += isExtendedKey(static_cast<std::uint8_t>(key)) ? 1 : 0;
    }
    EXPECT_EQ(count, 18);
}

}  // namespace
}  // namespace torvane::test
