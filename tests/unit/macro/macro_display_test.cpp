#include "macro/macro_display.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "macro/key_name.h"
#include "support/fakes.h"
#include "support/macro_fakes.h"

namespace torvane {
namespace {

using Lines = std::vector<std::u16string>;

TEST(KeyName, NamesEveryKindOfCode) {
    struct Case {
        int code;
        std::u16string name;
    };
    const Case cases[] = {
        {65, u"A"},          {90, u"Z"},           {48, u"0"},         {57, u"9"},
        {112, u"F1"},        {135, u"F24"},        {96, u"NUMPAD0"},   {105, u"NUMPAD9"},
        {13, u"RETURN"},     {27, u"ESCAPE"},      {187, u"+"},        {192, u"`~"},
        {220, u"\\|"},       {222, u" ' "},        {165, u"RMENU"},    {240, u"Left_Key"},
        {241, u"Right_Key"}, {242, u"Middle_Key"}, {0, u"不可录制"},   {1, u"不可录制"},
        {7, u"不可录制"},    {58, u"不可录制"},    {136, u"不可录制"}, {166, u"不可录制"},
        {243, u"不可录制"},  {255, u"不可录制"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(keyName(static_cast<std::uint8_t>(c.code)), c.name) << c.code;
}

TEST(MacroLines, StepAndDelayText) {
    EXPECT_EQ(stepLineText({65, 1}), u"[↓]A");
    EXPECT_EQ(stepLineText({240, 2}), u"[↑]Left_Key");
    EXPECT_EQ(stepLineText({65, 0}), u"A");
    EXPECT_EQ(stepLineText({65, 3}), u"A");
    EXPECT_EQ(delayLineText(30), u"    30ms");
    EXPECT_EQ(delayLineText(0), u"    0ms");
    EXPECT_EQ(delayLineText(65535), u"    65535ms");
}

class ShowMacroTest : public ::testing::Test {
  protected:
    ShowMacroTest() {
        state.macroEventList = &events;
        state.repeatCountEdit = &repeat;
    }
    void setMacro(int m, std::vector<MacroEvent> steps, std::uint8_t repeatEnabled = 0,
                  std::uint16_t repeatCount = 1) {
        state.macroTable.edit([&](MacroTable& table) {
            Macro& macro = table.macros[static_cast<std::size_t>(m)];
            macro.eventCount = static_cast<std::uint8_t>(steps.size());
            macro.repeatEnabled = repeatEnabled;
            macro.repeatCount = repeatCount;
            for (std::size_t k = 0; k < steps.size(); ++k) {
                macro.steps[k] = MacroStep{steps[k].code, steps[k].action};
                macro.delays[k] = steps[k].delayMs;
            }
        });
    }

    AppState state;
    test::FakeWindow window;
    test::FakeListBox events;
    test::FakeEditBox repeat;
};

TEST_F(ShowMacroTest, OneStepShowsOneLine) {
    setMacro(0, {{65, 1, 30}});
    showMacro(state, window, 0);
    EXPECT_EQ(events.lines, Lines({u"[↓]A"}));
    EXPECT_EQ(state.pressLineCount, 1);
    EXPECT_EQ(state.releaseLineCount, 0);
}

TEST_F(ShowMacroTest, ThreeStepsShowFiveLinesWithTheWaitsBetween) {
    setMacro(2, {{65, 1, 100}, {240, 0, 200}, {65, 2, 300}});
    state.contextLine = 2;
    showMacro(state, window, 2);
    EXPECT_EQ(events.lines, Lines({u"[↓]A", u"    100ms", u"Left_Key", u"    200ms", u"[↑]A"}));
    EXPECT_EQ(state.pressLineCount, 1);  // the bare step counts as neither
    EXPECT_EQ(state.releaseLineCount, 1);
    EXPECT_EQ(events.selected, 2);  // contextLine
    EXPECT_GE(window.repaints, 1);
}

TEST_F(ShowMacroTest, ContextLineBeyondTheListSelectsNothing) {
    setMacro(0, {{65, 1, 30}, {65, 2, 30}});
    state.contextLine = 7;
    showMacro(state, window, 0);
    EXPECT_EQ(events.selected, -1);
}

TEST_F(ShowMacroTest, RepeatFieldFollowsTheMacro) {
    setMacro(0, {{65, 1, 30}}, 1, 5);
    showMacro(state, window, 0);
    EXPECT_EQ(repeat.value, u"5");
    EXPECT_TRUE(repeat.enabled);
    setMacro(1, {{65, 1, 30}}, 2, 5);  // only exactly 1 means repeat
    showMacro(state, window, 1);
    EXPECT_EQ(repeat.value, u"1");
    EXPECT_FALSE(repeat.enabled);
}

TEST_F(ShowMacroTest, EmptyMacroClearsTheListAndLeavesTheRepeatField) {
    events.lines = {u"old", u"lines"};
    state.pressLineCount = 4;
    repeat.setText(u"7");
    repeat.enabled = true;
    setMacro(3, {}, 1, 9);
    showMacro(state, window, 3);
    EXPECT_TRUE(events.lines.empty());
    EXPECT_EQ(state.pressLineCount, 0);
    EXPECT_EQ(repeat.value, u"7");
    EXPECT_TRUE(repeat.enabled);
    showMacro(state, window, -1);  // outside the table: same as empty, no crash
    showMacro(state, window, 12);
    EXPECT_TRUE(events.lines.empty());
}

TEST_F(ShowMacroTest, WorksWithoutThePageControls) {
    setMacro(0, {{65, 1, 30}, {65, 2, 30}});
    state.macroEventList = nullptr;
    state.repeatCountEdit = nullptr;
    showMacro(state, window, 0);
    EXPECT_EQ(state.pressLineCount, 1);
    EXPECT_EQ(state.releaseLineCount, 1);
}

TEST(FindMacroByName, ExactFirstMatchOrTheCount) {
    MacroTable table;
    table.macros[0].setName(u"ABC");
    table.macros[1].setName(u"dup");
    table.macros[2].setName(u"dup");
    table.macros[3].setName(u"hidden");
    EXPECT_EQ(findMacroByName(table, u"dup", 3), 1);
    EXPECT_EQ(findMacroByName(table, u"abc", 3), 3);
    EXPECT_EQ(findMacroByName(table, u"ABC", 3), 0);
    EXPECT_EQ(findMacroByName(table, u"AB", 3), 3);
    EXPECT_EQ(findMacroByName(table, u"hidden", 3), 3);  // beyond the count
    EXPECT_EQ(findMacroByName(table, u"ABC", 0), 0);
    EXPECT_EQ(findMacroByName(table, u"ABC", -2), -2);
    EXPECT_EQ(findMacroByName(table, u"ABC", 40), 0);
}

}  // namespace
}  // namespace torvane
