#include "engine/driver_engine.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine_rig.h"

namespace torvane::test {
namespace {

// A scenario: the rig's setup, a script of presses and releases in virtual milliseconds, and
// the expected log ("MS key VK down|up ext=E scan=S", "MS mouse ...", "MS launch ...", ...).
struct Scenario {
    const char* name;
    std::function<void(EngineRig&)> setup;
    const char* script;
    const char* expected;
};

void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

const std::vector<MacroEvent> kTapA{{65, 1, 10}, {65, 2, 10}};

const std::vector<Scenario> kScenarios = {
    {"HardwareButtons4And5ReachSlots5And4",
     [](EngineRig& rig) {
         rig.setButton(4, codeOf(ButtonFunction::Mute));
         rig.setButton(5, codeOf(ButtonFunction::Copy));
     },
     "0 press 4\n100 press 5\n",
     "0 key 17 down ext=0 scan=0\n"
     "0 key 67 down ext=0 scan=83\n"
     "20 key 67 up ext=0 scan=83\n"
     "20 key 17 up ext=0 scan=0\n"
     "100 key 173 down ext=0 scan=0\n"},
    {"SecondPressDuringCtrlCIsLostAndDoesNotInterrupt",
     [](EngineRig& rig) {
         rig.setButton(2, codeOf(ButtonFunction::Copy));
         rig.setButton(3, codeOf(ButtonFunction::Mute));
     },
     "0 press 2\n10 press 3\n50 press 3\n",
     "0 key 17 down ext=0 scan=0\n"
     "0 key 67 down ext=0 scan=83\n"
     "20 key 67 up ext=0 scan=83\n"
     "20 key 17 up ext=0 scan=0\n"
     "50 key 173 down ext=0 scan=0\n"},
    {"PressDuringCtrlCInHoldModeIsLostToo",
     [](EngineRig& rig) {
         rig.state.config.macroRepeatWhileHeld = 1;
         rig.setButton(2, codeOf(ButtonFunction::Undo));
         rig.setButton(3, codeOf(ButtonFunction::Mute));
     },
     "0 press 2\n5 release\n10 press 3\n",
     "0 key 17 down ext=0 scan=0\n"
     "0 key 90 down ext=0 scan=106\n"
     "20 key 90 up ext=0 scan=106\n"
     "20 key 17 up ext=0 scan=0\n"},
    {"MuteIsAPressOnlyEveryTime", [](EngineRig& rig) { rig.setButton(2, 26); },
     "0 press 2\n5 press 2\n",
     "0 key 173 down ext=0 scan=0\n"
     "5 key 173 down ext=0 scan=0\n"},
    {"CtrlCombinationsAndAltF4WithoutThePause",
     [](EngineRig& rig) {
         rig.setButton(1, codeOf(ButtonFunction::Paste));
         rig.setButton(2, codeOf(ButtonFunction::SelectAll));
         rig.setButton(3, codeOf(ButtonFunction::CloseWindow));
     },
     "0 press 1\n100 press 2\n200 press 3\n",
     "0 key 17 down ext=0 scan=0\n"
     "0 key 86 down ext=0 scan=102\n"
     "20 key 86 up ext=0 scan=102\n"
     "20 key 17 up ext=0 scan=0\n"
     "100 key 17 down ext=0 scan=0\n"
     "100 key 65 down ext=0 scan=81\n"
     "120 key 65 up ext=0 scan=81\n"
     "120 key 17 up ext=0 scan=0\n"
     "200 key 18 down ext=0 scan=0\n"
     "200 key 115 down ext=0 scan=131\n"
     "200 key 115 up ext=0 scan=131\n"
     "200 key 18 up ext=0 scan=0\n"},
    {"LaunchesAndLock",
     [](EngineRig& rig) {
         rig.setButton(1, codeOf(ButtonFunction::OpenComputer));
         rig.setButton(2, codeOf(ButtonFunction::LockScreen));
         rig.setButton(3, codeOf(ButtonFunction::Calculator));
         rig.setButton(6, codeOf(ButtonFunction::CommandPrompt));
     },
     "0 press 1\n1 press 2\n2 press 3\n3 press 6\n",
     "0 launch computer\n1 lock\n2 launch calculator\n3 launch terminal\n"},
    {"UnassignedEventCodesDoNothing", [](EngineRig& rig) { rig.setButton(1, 26); },
     "0 press 7\n1 press 8\n2 press 10\n3 press 15\n4 press 1\n",
     "4 key 173 down ext=0 scan=0\n"},
    {"RepeatCountThreePlaysThreeTimesWithEveryDelay",
     [](EngineRig& rig) {
         rig.setMacro(0, kTapA, 1, 3);
         rig.setButton(2, 41);
     },
     "0 press 2\n",
     "0 key 65 down ext=0 scan=81\n"
     "10 key 65 up ext=0 scan=81\n"
     "20 key 65 down ext=0 scan=81\n"
     "30 key 65 up ext=0 scan=81\n"
     "40 key 65 down ext=0 scan=81\n"
     "50 key 65 up ext=0 scan=81\n"},
    {"RepeatCountZeroPlaysNothing",
     [](EngineRig& rig) {
         rig.setMacro(0, kTapA, 1, 0);
         rig.setButton(2, 41);
     },
     "0 press 2\n", ""},
    {"RepeatDisabledPlaysOnce",
     [](EngineRig& rig) {
         rig.setMacro(0, kTapA, 0, 5);
         rig.setButton(2, 41);
     },
     "0 press 2\n",
     "0 key 65 down ext=0 scan=81\n"
     "10 key 65 up ext=0 scan=81\n"},
    {"HoldModeRepeatsUntilTheReleaseAndLeavesTheKeyPressed",
     [](EngineRig& rig) {
         rig.state.config.macroRepeatWhileHeld = 1;
         rig.setMacro(0, kTapA, 1, 0);
         rig.setButton(2, 41);
     },
     "0 press 2\n45 release\n",
     "0 key 65 down ext=0 scan=81\n"
     "10 key 65 up ext=0 scan=81\n"
     "20 key 65 down ext=0 scan=81\n"
     "30 key 65 up ext=0 scan=81\n"
     "40 key 65 down ext=0 scan=81\n"},
    {"HandEditedModeTwoPlaysAsHoldMode",
     [](EngineRig& rig) {
         rig.state.config.macroRepeatWhileHeld = 2;
         rig.setMacro(0, kTapA, 1, 1);
         rig.setButton(2, 41);
     },
     "0 press 2\n35 release\n",
     "0 key 65 down ext=0 scan=81\n"
     "10 key 65 up ext=0 scan=81\n"
     "20 key 65 down ext=0 scan=81\n"
     "30 key 65 up ext=0 scan=81\n"},
    {"HoldModeIgnoresFurtherPresses",
     [](EngineRig& rig) {
         rig.state.config.macroRepeatWhileHeld = 1;
         rig.setMacro(0, kTapA);
         rig.setButton(2, 41);
         rig.setButton(3, 26);
     },
     "0 press 2\n15 press 3\n25 release\n",
     "0 key 65 down ext=0 scan=81\n"
     "10 key 65 up ext=0 scan=81\n"
     "20 key 65 down ext=0 scan=81\n"},
    {"StopInPressModeDoesNotRunTheOtherButtonsFunction",
     [](EngineRig& rig) {
         rig.setMacro(0, kTapA, 1, 3);
         rig.setButton(2, 41);
         rig.setButton(3, 26);
     },
     "0 press 2\n15 press 3\n100 press 3\n",
     "0 key 65 down ext=0 scan=81\n"
     "10 key 65 up ext=0 scan=81\n"
     "100 key 173 down ext=0 scan=0\n"},
    {"StopRaisedWhileIdleDoesNotStopTheNextMacro",
     [](EngineRig& rig) {
         rig.state.config.macroRepeatWhileHeld = 1;
         rig.setMacro(0, kTapA);
         rig.setButton(2, 41);
     },
     "0 release\n5 press 2\n100 release\n",
     "5 key 65 down ext=0 scan=81\n"
     "15 key 65 up ext=0 scan=81\n"
     "25 key 65 down ext=0 scan=81\n"
     "35 key 65 up ext=0 scan=81\n"
     "45 key 65 down ext=0 scan=81\n"
     "55 key 65 up ext=0 scan=81\n"
     "65 key 65 down ext=0 scan=81\n"
     "75 key 65 up ext=0 scan=81\n"
     "85 key 65 down ext=0 scan=81\n"
     "95 key 65 up ext=0 scan=81\n"},
    {"PausesStillWaitAndALastPressStaysHeld",
     [](EngineRig& rig) {
         rig.setMacro(0, kTapA);
         rig.setMacro(1, {{65, 0, 10}, {65, 3, 10}, {66, 1, 5}});
         rig.setButton(2, 42);
     },
     "0 press 2\n",
     "20 key 66 down ext=0 scan=82\n"},
    {"StepsKeepAbsoluteDeadlinesWhenInjectionTakesTime",
     [](EngineRig& rig) {
         rig.injector.costPerEvent = std::chrono::milliseconds(3);
         rig.setMacro(0, kTapA, 1, 2);
         rig.setButton(2, 41);
     },
     "0 press 2\n",
     "0 key 65 down ext=0 scan=81\n"
     "10 key 65 up ext=0 scan=81\n"
     "20 key 65 down ext=0 scan=81\n"
     "30 key 65 up ext=0 scan=81\n"},
    {"MouseButtonSteps",
     [](EngineRig& rig) {
         rig.setMacro(0, {{240, 1, 0}, {240, 2, 0}, {241, 1, 0}, {241, 2, 0}, {242, 1, 0},
                          {242, 2, 0}, {250, 1, 0}, {255, 2, 0}, {240, 7, 0}});
         rig.setButton(2, 41);
     },
     "0 press 2\n",
     "0 mouse left down\n0 mouse left up\n0 mouse right down\n0 mouse right up\n"
     "0 mouse middle down\n0 mouse middle up\n0 mouse middle down\n0 mouse middle up\n"},
    {"ExtendedFlagAndFixedScanCodes",
     [](EngineRig& rig) {
         rig.setMacro(0, {{161, 1, 0}, {160, 1, 0}, {44, 1, 0}, {19, 2, 0}, {91, 1, 0},
                          {92, 1, 0}, {165, 2, 0}, {13, 1, 0}});
         rig.setButton(2, 41);
     },
     "0 press 2\n",
     "0 key 161 down ext=1 scan=177\n"
     "0 key 160 down ext=0 scan=176\n"
     "0 key 44 down ext=1 scan=55\n"
     "0 key 19 up ext=0 scan=69\n"
     "0 key 91 down ext=1 scan=91\n"
     "0 key 92 down ext=0 scan=108\n"
     "0 key 165 up ext=1 scan=181\n"
     "0 key 13 down ext=0 scan=29\n"},
    {"MacroCodesBeyondTheCountDoNothing",
     [](EngineRig& rig) {
         rig.setMacro(0, {{65, 1, 0}});
         rig.setButton(1, 42);
         rig.setButton(2, 52);
         rig.setButton(3, 41);
     },
     "0 press 1\n1 press 2\n2 press 3\n",
     "2 key 65 down ext=0 scan=81\n"},
};

class EngineScenarioTest : public ::testing::TestWithParam<Scenario> {};

TEST_P(EngineScenarioTest, Log) {
    EngineRig rig;
    GetParam().setup(rig);
    EXPECT_EQ(rig.run(GetParam().script), GetParam().expected);
    EXPECT_EQ(rig.state.buttonEventPending, 0);
    EXPECT_EQ(rig.state.stopRequested, 0);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, EngineScenarioTest, ::testing::ValuesIn(kScenarios),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DriverEngineTest, CodesWithoutASoftwareActionDoNothing) {
    for (const std::int32_t code : {0, 1, 5, 7, 13, 20, 25, 27, 28, 29, 30, 41, 52, 53, -1,
                                    0x7FFFFFFF, static_cast<std::int32_t>(0x80000000)}) {
        EngineRig rig;
        rig.setButton(2, code);
        EXPECT_EQ(rig.run("0 press 2\n"), "") << "code " << code;
    }
    // DPI codes act through the slot's DPI step alone, which an apply fills in.
    EngineRig rig;
    rig.state.config.buttonFunction[2] = codeOf(ButtonFunction::DpiUp);
    rig.state.dpiButtonStep[2] = 0;
    EXPECT_EQ(rig.run("0 press 2\n"), "");
}

TEST(DriverEngineTest, DpiStepWinsOverTheFunctionCode) {
    EngineRig rig;
    rig.setMacro(0, {{65, 1, 0}});
    rig.setButton(2, 41);
    rig.state.dpiButtonStep[2] = 1;
    EXPECT_EQ(rig.run("0 press 2\n"), "0 dpi-led 1 0\n0 repaint\n");
}

struct DpiCase {
    const char* enabled;  // '1' per enabled stage 0..3
    std::int32_t from;
    std::int32_t step;  // -1 down, 1 up, 2 cycle
    std::int32_t expected;
};

TEST(DriverEngineTest, DpiSteps) {
    const DpiCase cases[] = {
        {"1111", 0, -1, 0}, {"1111", 3, 1, 3},   {"1111", 1, 1, 2},   {"1111", 2, -1, 1},
        {"1010", 0, 1, 2},  {"1010", 2, 2, 0},   {"1010", 0, 2, 2},   {"1100", 3, -1, 1},
        {"0011", 2, -1, 2}, {"1100", 1, 1, 1},   {"0100", 1, 2, 1},   {"0000", 1, 2, 1},
        {"0000", 2, 1, 2},  {"1111", 3, 2, 0},   {"1111", 7, 1, 1},   {"1111", -1, -1, 0},
        {"0001", 9, 2, 3},  {"0000", 40, 2, 0},
    };
    for (const DpiCase& c : cases) {
        EngineRig rig;
        for (std::size_t k = 0; k < 4; ++k) rig.state.config.dpiLevelEnabled[k] = c.enabled[k] == '1';
        rig.state.config.currentDpiLevel = c.from;
        rig.state.appliedLedMode = 2;
        const std::int32_t code = c.step == -1 ? 18 : c.step == 1 ? 17 : 6;
        rig.setButton(5, code);
        const std::string expected = "0 dpi-led " + std::to_string(c.expected) + " 2\n0 repaint\n";
        EXPECT_EQ(rig.run("0 press 4\n"), expected)
            << c.enabled << " from " << c.from << " step " << c.step;
        EXPECT_EQ(rig.state.config.currentDpiLevel, c.expected);
        EXPECT_EQ(rig.profileValue("DPI_LEVEL"), std::to_string(c.expected));
    }
}

TEST(DriverEngineTest, LedToggleGoesOffThenToModeZeroAndADpiStepKeepsIt) {
    EngineRig rig;
    rig.state.config.ledMode = 1;
    rig.state.appliedLedMode = 1;
    rig.state.config.currentDpiLevel = 2;
    rig.setButton(1, codeOf(ButtonFunction::LedToggle));
    rig.setButton(2, codeOf(ButtonFunction::DpiDown));

    EXPECT_EQ(rig.run("0 press 1\n"), "0 dpi-led 2 3\n0 repaint\n");
    EXPECT_EQ(rig.state.config.ledMode, 3);
    EXPECT_EQ(rig.state.appliedLedMode, 3);
    EXPECT_EQ(rig.profileValue("LED_STATUS"), "3");

    EXPECT_EQ(rig.run("10 press 2\n20 press 1\n"),
              "0 dpi-led 2 3\n0 repaint\n10 dpi-led 1 3\n10 repaint\n20 dpi-led 1 0\n20 repaint\n");
    EXPECT_EQ(rig.state.config.ledMode, 0);
    EXPECT_EQ(rig.state.appliedLedMode, 0);
    EXPECT_EQ(rig.profileValue("LED_STATUS"), "0");
}

TEST(DriverEngineTest, LedToggleWithALevelOutsideTheStagesSendsStageZero) {
    EngineRig rig;
    rig.state.config.currentDpiLevel = 12;
    rig.setButton(1, codeOf(ButtonFunction::LedToggle));
    EXPECT_EQ(rig.run("0 press 1\n"), "0 dpi-led 0 3\n0 repaint\n");
}

TEST(DriverEngineTest, NextConfigLoadsAndAppliesTheNextProfile) {
    const std::pair<std::int32_t, std::int32_t> cases[] = {{1, 2}, {4, 5}, {5, 1}, {0, 1},
                                                           {9, 1}, {-3, 1}};
    for (const auto& [from, to] : cases) {
        EngineRig rig;
        rig.state.currentConfigIndex = from;
        rig.setButton(1, codeOf(ButtonFunction::NextConfig));
        EXPECT_EQ(rig.run("0 press 1\n"), "0 apply\n0 repaint\n") << "from " << from;
        EXPECT_EQ(rig.state.currentConfigIndex, to) << "from " << from;
        AppState expected;
        ProfileStore(expected).loadProfile(rig.state.configFilePath, to, false);
        EXPECT_EQ(rig.state.config.buttonFunction[4].load(),
                  expected.config.buttonFunction[4].load());
        EXPECT_EQ(rig.state.config.currentDpiLevel.load(), expected.config.currentDpiLevel.load());
    }
}

TEST(DriverEngineTest, NextConfigFromFiveLoadsProfileOne) {
    EngineRig rig;
    rig.state.currentConfigIndex = 5;
    rig.state.config.buttonFunction[7] = 99;
    rig.setButton(1, codeOf(ButtonFunction::NextConfig));
    rig.run("0 press 1\n");
    EXPECT_EQ(rig.state.currentConfigIndex, 1);
    EXPECT_EQ(rig.state.config.buttonFunction[7], 13);  // Config1's K7
}

}  // namespace
}  // namespace torvane::test
