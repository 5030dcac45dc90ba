#include "macro/macro_step_editor.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "macro/editable_list_box.h"
#include "macro/macro_display.h"
#include "support/fakes.h"
#include "support/macro_fakes.h"

namespace torvane {
namespace {

using Lines = std::vector<std::u16string>;

class StepEditorTest : public ::testing::Test {
  protected:
    StepEditorTest() {
        state.currentPage = 1;
        state.macroNameList = &names;
        state.macroEventList = &events;
        state.repeatCountEdit = &repeat;
        editor.list = &list;
        names.lines = {u"m0", u"m1"};
        names.selected = 0;
        setSteps(0, {{'A', 1, 100}, {'B', 1, 200}, {'C', 1, 300}});
        state.macroTable.edit([](MacroTable& table) { table.count = 2; });
        showMacro(state, window, 0);
    }
    void setSteps(int m, std::vector<MacroEvent> steps) {
        state.macroTable.edit([&](MacroTable& table) {
            Macro& macro = table.macros[static_cast<std::size_t>(m)];
            macro.eventCount = static_cast<std::uint8_t>(steps.size());
            for (std::size_t k = 0; k < steps.size(); ++k) {
                macro.steps[k] = {steps[k].code, steps[k].action};
                macro.delays[k] = steps[k].delayMs;
            }
        });
    }
    std::vector<MacroEvent> stepsOf(int m) const {
        const Macro macro = state.macroTable.snapshot().macros[static_cast<std::size_t>(m)];
        std::vector<MacroEvent> out;
        for (std::size_t k = 0; k < macro.eventCount; ++k) out.push_back(macro.event(k));
        return out;
    }
    Point overLine(int line) const {
        return {events.screenRect.left + 5,
                events.screenRect.top + (line - events.top) * events.height + 3};
    }
    // Right-clicks line `line` of the event list and chooses `command` from the menu.
    bool choose(int line, std::optional<int> command) {
        menu.answers.push_back(command);
        return stepEditor.onRightButtonUp(overLine(line));
    }
    void typeIntoEditor(const std::u16string& text) { editor.value = text; }

    AppState state;
    test::FakeWindow window;
    test::FakeMessageBox messages;
    test::FakeContextMenu menu;
    test::FakeListBox names;
    test::FakeListBox events;
    test::FakeEditBox repeat;
    test::FakeInPlaceEditor editor;
    int notices = 0;
    CEditableListBox list{events, editor, [this] {
                              ++notices;
                              stepEditor.applyEditedDelay();
                          }};
    MacroStepEditor stepEditor{state, window, messages, menu, list};
};

TEST_F(StepEditorTest, MenuContextComesFromTheCursorAndScrollPosition) {
    events.top = 2;
    EXPECT_TRUE(choose(3, std::nullopt));
    EXPECT_EQ(state.contextLine, 3);
    EXPECT_EQ(events.selected, 3);
    EXPECT_EQ(stepEditor.contextLineCount(), 5);
    EXPECT_EQ(stepEditor.contextMacro(), 0);
    EXPECT_EQ(stepEditor.contextStep(), 1);
    ASSERT_EQ(menu.shownAt.size(), 1u);
    EXPECT_EQ(menu.shownAt[0], overLine(3));
}

TEST_F(StepEditorTest, RightClickBelowTheLastLineOrOutsideShowsNoMenu) {
    events.height = 20;
    events.screenRect.bottom = events.screenRect.top + 200;  // room for 10 lines, 5 in use
    EXPECT_FALSE(choose(6, kMacroMenuDeleteStep));
    EXPECT_TRUE(menu.shownAt.empty());
    EXPECT_EQ(state.contextLine, 6);
    EXPECT_EQ(events.selected, -1);
    EXPECT_EQ(stepEditor.contextStep(), 0);  // no selection: -1 / 2
    EXPECT_EQ(stepsOf(0).size(), 3u);        // the prepared command never ran
    menu.answers.clear();

    // Left of the list, at the height of line 2: context updated, line selected, no menu.
    Point outside = overLine(2);
    outside.x = events.screenRect.left - 10;
    EXPECT_FALSE(stepEditor.onRightButtonUp(outside));
    EXPECT_EQ(state.contextLine, 2);
    EXPECT_EQ(events.selected, 2);
    EXPECT_EQ(stepEditor.contextStep(), 1);
    EXPECT_TRUE(menu.shownAt.empty());
}

TEST_F(StepEditorTest, NoMenuWhileRecordingOrOnAnotherPage) {
    state.recording = true;
    EXPECT_FALSE(choose(0, kMacroMenuDeleteStep));
    state.recording = false;
    state.currentPage = 0;
    EXPECT_FALSE(choose(0, kMacroMenuDeleteStep));
    EXPECT_TRUE(menu.shownAt.empty());
    EXPECT_EQ(stepsOf(0).size(), 3u);
}

TEST_F(StepEditorTest, InsertCommandsOnAnEmptyMacro) {
    names.selected = 1;
    showMacro(state, window, 1);
    EXPECT_TRUE(choose(0, kMacroMenuInsertAfterFirst + 3));  // right button, release
    EXPECT_EQ(stepsOf(1), (std::vector<MacroEvent>{{241, 2, 30}}));
    EXPECT_EQ(state.contextLine, 0);
    EXPECT_EQ(events.selected, 0);

    setSteps(1, {});
    showMacro(state, window, 1);
    EXPECT_TRUE(choose(0, kMacroMenuInsertBeforeFirst + 4));  // middle button, press
    EXPECT_EQ(stepsOf(1), (std::vector<MacroEvent>{{242, 1, 30}}));
}

TEST_F(StepEditorTest, InsertAfterTheLastStepAppendsIt) {
    EXPECT_TRUE(choose(4, kMacroMenuInsertAfterFirst));
    EXPECT_EQ(stepsOf(0),
              (std::vector<MacroEvent>{{'A', 1, 100}, {'B', 1, 200}, {'C', 1, 300}, {240, 1, 30}}));
    EXPECT_EQ(events.lines[5], u"    300ms");
    EXPECT_EQ(events.selected, 6);
    EXPECT_EQ(events.lines[6], u"[↓]Left_Key");
}

TEST_F(StepEditorTest, InsertBeforeStepTwoKeepsTheClickedLineSelected) {
    EXPECT_TRUE(choose(4, kMacroMenuInsertBeforeFirst + 1));  // left button, release
    EXPECT_EQ(stepsOf(0),
              (std::vector<MacroEvent>{{'A', 1, 100}, {'B', 1, 200}, {240, 2, 30}, {'C', 1, 300}}));
    EXPECT_EQ(events.selected, 6);
    EXPECT_EQ(events.lines[6], u"[↓]C");
}

TEST_F(StepEditorTest, DeleteRemovesAStepWithItsWait) {
    EXPECT_TRUE(choose(0, kMacroMenuDeleteStep));
    EXPECT_EQ(stepsOf(0), (std::vector<MacroEvent>{{'B', 1, 200}, {'C', 1, 300}}));
    EXPECT_EQ(state.contextLine, 0);
    // A delay line deletes the step above it.
    EXPECT_TRUE(choose(1, kMacroMenuDeleteStep));
    EXPECT_EQ(stepsOf(0), (std::vector<MacroEvent>{{'C', 1, 300}}));
    EXPECT_TRUE(choose(0, kMacroMenuDeleteStep));
    EXPECT_TRUE(stepsOf(0).empty());
    EXPECT_TRUE(choose(0, kMacroMenuDeleteStep));  // empty stays empty
    EXPECT_TRUE(stepsOf(0).empty());
    EXPECT_TRUE(events.lines.empty());
}

TEST_F(StepEditorTest, InsertIntoAFullMacroOverflows) {
    std::vector<MacroEvent> full(254, MacroEvent{'A', 1, 10});
    setSteps(0, full);
    showMacro(state, window, 0);
    EXPECT_TRUE(choose(2, kMacroMenuInsertAfterFirst));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], u"Overflow!!!");
    EXPECT_EQ(stepsOf(0), full);
    EXPECT_EQ(state.contextLine, 2);
    EXPECT_EQ(events.lineCount(), 507);  // rebuilt as after every command
}

TEST_F(StepEditorTest, NoSelectedMacroLeavesEveryRecordUntouched) {
    const MacroTable before = state.macroTable.snapshot();
    names.selected = -1;
    for (const int command :
         {kMacroMenuInsertBeforeFirst, kMacroMenuInsertAfterLast, kMacroMenuDeleteStep}) {
        choose(2, command);
        EXPECT_EQ(stepEditor.contextMacro(), -1);
    }
    list.onChar(1);  // an edit of line 2 that reaches the notice
    typeIntoEditor(u"5");
    list.editorKeyReleased(13);
    const MacroTable after = state.macroTable.snapshot();
    EXPECT_EQ(after.count, before.count);
    for (std::size_t m = 0; m < kMacroCapacity; ++m)
        EXPECT_EQ(after.macros[m], before.macros[m]) << m;
}

TEST_F(StepEditorTest, CommandsDoNothingWhileRecording) {
    choose(0, std::nullopt);
    state.recording = true;
    stepEditor.runCommand(kMacroMenuDeleteStep);
    stepEditor.runCommand(kMacroMenuInsertAfterFirst);
    EXPECT_EQ(stepsOf(0).size(), 3u);
}

TEST_F(StepEditorTest, ContextMacroIsLimitedToTheTable) {
    names.lines.assign(14, u"x");
    names.selected = 13;
    choose(0, std::nullopt);
    EXPECT_EQ(stepEditor.contextMacro(), 11);
}

TEST_F(StepEditorTest, ModifyDelayOpensTheEditorOnDelayLinesOnly) {
    EXPECT_TRUE(choose(2, kMacroMenuModifyDelay));
    EXPECT_FALSE(editor.exists());
    EXPECT_TRUE(choose(3, kMacroMenuModifyDelay));
    ASSERT_TRUE(editor.exists());
    EXPECT_EQ(editor.value, u"    200ms");
    EXPECT_TRUE(editor.allSelected);
    EXPECT_TRUE(editor.focused);
    EXPECT_EQ(list.editIndex(), 3);
    const ListRect line = events.lineRect(3);
    EXPECT_EQ(editor.createdAt.back(),
              (ListRect{line.left, line.top - 2, line.right, line.bottom + 2}));
}

TEST_F(StepEditorTest, EditedDelayIsStored) {
    struct Case {
        std::u16string typed;
        std::uint32_t releasedKey;  // 0: the editor loses the focus instead
        std::uint16_t stored;
    };
    const Case cases[] = {
        {u"250", 13, 250}, {u"1500ms", 13, 1500}, {u"999", 27, 200}, {u"70000", 13, 4464},
        {u"abc", 13, 0},   {u" 42 ms", 13, 42},   {u"77", 0, 77},    {u"-5", 13, 251},
    };
    for (const Case& c : cases) {
        setSteps(0, {{'A', 1, 100}, {'B', 1, 200}, {'C', 1, 300}});
        showMacro(state, window, 0);
        notices = 0;
        ASSERT_TRUE(choose(3, kMacroMenuModifyDelay));
        typeIntoEditor(c.typed);
        if (c.releasedKey != 0) {
            list.editorKeyReleased(c.releasedKey);
        } else {
            editor.focused = false;
            list.editorFocusLost();
        }
        EXPECT_FALSE(editor.exists());
        EXPECT_EQ(stepsOf(0)[1].delayMs, c.stored) << c.stored;
        EXPECT_EQ(events.lines[3], delayLineText(c.stored));
        EXPECT_GE(notices, 1);
    }
}

TEST_F(StepEditorTest, NoticeComesTwiceWhenTheFocusedEditorCloses) {
    ASSERT_TRUE(choose(3, kMacroMenuModifyDelay));
    typeIntoEditor(u"250");
    list.editorKeyReleased(13);  // the field still had the focus
    EXPECT_EQ(notices, 2);
    EXPECT_EQ(editor.destroyCount, 1);
    EXPECT_EQ(stepsOf(0)[1].delayMs, 250);
    EXPECT_EQ(list.editIndex(), -1);
}

TEST_F(StepEditorTest, ResizeAndScrollTakeTheText) {
    for (const bool scroll : {false, true}) {
        ASSERT_TRUE(choose(1, kMacroMenuModifyDelay));
        typeIntoEditor(scroll ? u"11" : u"12");
        scroll ? list.onScroll() : list.onResize();
        EXPECT_EQ(stepsOf(0)[0].delayMs, scroll ? 11 : 12);
    }
    list.onScroll();  // no editor: nothing happens
    EXPECT_EQ(notices, 4);
}

TEST_F(StepEditorTest, EditorNeedsASelectedLine) {
    events.selected = -1;
    list.onChar(1);
    EXPECT_FALSE(editor.exists());
    list.onChar('a');
    EXPECT_FALSE(editor.exists());
}

}  // namespace
}  // namespace torvane
