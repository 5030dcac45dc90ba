#include "macro/macro_page.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/ini_file.h"
#include "app/profile_store.h"
#include "macro/default_macros.h"
#include "macro/macro_file.h"
#include "support/fakes.h"
#include "support/macro_fakes.h"

namespace torvane {
namespace {

using Lines = std::vector<std::u16string>;

class MacroPageTest : public ::testing::Test {
  protected:
    MacroPageTest() {
        setProgramDirectory(state, dir.path());
        state.currentPage = 1;
        state.macroNameList = &names;
        state.macroEventList = &events;
        state.macroNameEdit = &nameField;
        state.repeatCountEdit = &repeat;
    }
    void add(const std::u16string& name) {
        nameField.value = name;
        page.addMacro();
    }
    void giveSteps(int m, int count) {
        state.macroTable.edit([&](MacroTable& table) {
            Macro& macro = table.macros[static_cast<std::size_t>(m)];
            macro.eventCount = static_cast<std::uint8_t>(count);
            for (std::size_t k = 0; k < static_cast<std::size_t>(count); ++k) {
                macro.steps[k] = {static_cast<std::uint8_t>('A' + m), 1};
            }
        });
    }
    Macro macro(int m) const {
        return state.macroTable.snapshot().macros[static_cast<std::size_t>(m)];
    }
    int count() const { return state.macroTable.count(); }

    test::TempDir dir;
    AppState state;
    test::FakeWindow window;
    test::FakeMessageBox messages;
    test::FakeFileDialog dialog;
    test::FakeListBox names;
    test::FakeListBox events;
    test::FakeEditBox nameField;
    test::FakeEditBox repeat;
    MacroPage page{state, window, messages, dialog};
};

TEST_F(MacroPageTest, AddingAnExistingNameOnlySelectsIt) {
    add(u"A");
    add(u"B");
    giveSteps(1, 2);
    page.selectMacro();
    EXPECT_EQ(events.lineCount(), 3);
    add(u"A");
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(names.lines, (Lines{u"A", u"B"}));
    EXPECT_EQ(names.selected, 0);
    EXPECT_EQ(state.currentMacroIndex, 0);
    EXPECT_EQ(events.lineCount(), 3);  // still the steps of B
    EXPECT_GE(names.focusCount, 3);
    add(u"a");  // letter case matters
    EXPECT_EQ(count(), 3);
}

TEST_F(MacroPageTest, NewMacroIsEmptyAndPlaysOnce) {
    state.macroTable.edit([](MacroTable& table) {
        table.macros[0].repeatEnabled = 1;
        table.macros[0].repeatCount = 7;
        table.macros[0].eventCount = 9;
    });
    events.lines = {u"stale"};
    add(u"new");
    const Macro added = macro(0);
    EXPECT_EQ(added.nameView(), u"new");
    EXPECT_EQ(added.eventCount, 0);
    EXPECT_EQ(added.repeatEnabled, 0);
    EXPECT_EQ(added.repeatCount, 1);
    EXPECT_TRUE(events.lines.empty());
}

TEST_F(MacroPageTest, AddRefusesAThirteenthMacroAndEmptyNames) {
    add(u"");
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(names.focusCount, 1);
    for (int i = 0; i < 13; ++i) add(u"m" + std::u16string(1, static_cast<char16_t>(u'a' + i)));
    EXPECT_EQ(count(), 12);
    EXPECT_EQ(names.lineCount(), 12);
}

TEST_F(MacroPageTest, LongNamesAreCutAndUnitsKeptExactly) {
    const std::u16string longName = u"一二三四五六七八九十ABCDEFGHIJKL";  // 22 units
    add(longName);
    EXPECT_EQ(macro(0).nameView(), longName.substr(0, 19));
    EXPECT_EQ(names.lines[0], longName.substr(0, 19));
    EXPECT_EQ(macro(0).name[19], u'\0');
    add(longName);  // the same cut name: found, not added again
    EXPECT_EQ(count(), 1);
    const std::u16string odd{u'x', char16_t(0xD800), u'y'};  // a lone surrogate stays as it is
    add(odd);
    EXPECT_EQ(macro(1).nameView(), odd);
    ASSERT_TRUE(saveMacroFile(state.macroTable.snapshot(), state.macroFilePath));
    const MacroFileContent back = readMacroFile(IniFile::load(state.macroFilePath));
    EXPECT_EQ(back.macros.at(1).nameView(), odd);
}

TEST_F(MacroPageTest, DeletingTheOnlyMacroEmptiesThePage) {
    add(u"only");
    page.deleteMacro();
    EXPECT_EQ(count(), 0);
    EXPECT_TRUE(names.lines.empty());
    EXPECT_TRUE(events.lines.empty());
    EXPECT_EQ(nameField.value, u"");
    EXPECT_EQ(repeat.value, u"1");
    EXPECT_FALSE(repeat.enabled);
    page.deleteMacro();  // nothing left: nothing happens
    EXPECT_EQ(count(), 0);
}

TEST_F(MacroPageTest, DeletingMovesTheLaterMacrosDown) {
    for (const auto* name : {u"zero", u"one", u"two"}) add(name);
    for (int m = 0; m < 3; ++m) giveSteps(m, m + 1);
    names.select(0);
    page.deleteMacro();
    EXPECT_EQ(names.lines, (Lines{u"one", u"two"}));
    EXPECT_EQ(names.selected, 0);
    EXPECT_EQ(nameField.value, u"one");
    EXPECT_EQ(macro(0).nameView(), u"one");
    EXPECT_EQ(events.lineCount(), 3);  // the two steps of "one"
    EXPECT_EQ(macro(1).nameView(), u"two");
    const Macro freed = macro(2);
    EXPECT_EQ(freed.nameView(), u"two");  // name and steps stay, the record is free
    EXPECT_EQ(freed.eventCount, 0);
    EXPECT_EQ(freed.repeatCount, 1);

    add(u"three");
    names.select(2);
    page.deleteMacro();
    EXPECT_EQ(names.selected, 1);
    EXPECT_EQ(state.currentMacroIndex, 1);
    EXPECT_EQ(count(), 2);
}

TEST_F(MacroPageTest, DeleteNeedsASelectionAndNoRecording) {
    add(u"a");
    add(u"b");
    names.selected = -1;
    page.deleteMacro();
    EXPECT_EQ(count(), 2);
    names.select(1);
    state.recording = true;
    page.deleteMacro();
    EXPECT_EQ(count(), 2);
}

TEST_F(MacroPageTest, ToggleRepeatShowsAndKeepsTheCount) {
    add(u"m");
    state.macroTable.edit([](MacroTable& table) { table.macros[0].repeatCount = 3; });
    page.toggleRepeat();
    EXPECT_EQ(macro(0).repeatEnabled, 1);
    EXPECT_EQ(repeat.value, u"3");
    EXPECT_TRUE(repeat.enabled);
    page.toggleRepeat();
    EXPECT_EQ(macro(0).repeatEnabled, 0);
    EXPECT_EQ(macro(0).repeatCount, 3);
    EXPECT_EQ(repeat.value, u"1");
    EXPECT_FALSE(repeat.enabled);
    EXPECT_EQ(window.repaints, 2);
}

TEST_F(MacroPageTest, SaveKeepsTheRepeatCountInRange) {
    add(u"m");
    struct Case {
        std::u16string typed;
        std::uint16_t stored;
        std::u16string shown;
    };
    const Case cases[] = {{u"0", 1, u"1"},          {u"-5", 1, u"1"},
                          {u"", 1, u"1"},           {u"70000", 65535, u"65535"},
                          {u"12abc", 12, u"12abc"}, {u"65535", 65535, u"65535"}};
    for (const Case& c : cases) {
        repeat.value = c.typed;
        page.applyRepeatAndSave();
        EXPECT_EQ(macro(0).repeatCount, c.stored) << c.stored;
        EXPECT_EQ(repeat.value, c.shown);
        const MacroFileContent saved = readMacroFile(IniFile::load(state.macroFilePath));
        ASSERT_EQ(saved.macros.size(), 1u);
        EXPECT_EQ(saved.macros[0].repeatCount, c.stored);
    }
}

TEST_F(MacroPageTest, ImportRefillsTheListAndExportWritesTheChosenFile) {
    add(u"mine");
    dialog.answers = {dir / "out.dat", std::nullopt, dir / "out.dat"};
    page.exportMacroFile();
    ASSERT_EQ(dialog.requests.size(), 1u);
    EXPECT_EQ(dialog.requests[0].mode, FileDialogRequest::Mode::Save);
    EXPECT_EQ(dialog.requests[0].filter, u"All Files(*.dat)|*.dat||");
    EXPECT_EQ(dialog.requests[0].defaultExtension, u"dat");
    EXPECT_TRUE(dialog.requests[0].confirmOverwrite);
    EXPECT_EQ(dialog.requests[0].initialFolder, dir.path());
    EXPECT_FALSE(std::filesystem::exists(state.macroFilePath));

    page.importMacroFile();  // cancelled
    EXPECT_EQ(count(), 1);
    add(u"other");
    ASSERT_TRUE(saveMacroFile(defaultMacroTable(), dir / "out.dat"));
    page.importMacroFile();
    EXPECT_EQ(dialog.requests[2].mode, FileDialogRequest::Mode::Open);
    EXPECT_TRUE(dialog.requests[2].readOnlyPreset);
    EXPECT_EQ(dialog.requests[2].defaultExtension, u"");
    EXPECT_EQ(count(), 3);
    EXPECT_EQ(names.lineCount(), 3);
    EXPECT_EQ(names.selected, 2);  // the loader makes the last macro current
    EXPECT_EQ(nameField.value, u"Ctrl+Shift+Esc");
    EXPECT_EQ(events.lineCount(), 11);
    EXPECT_FALSE(std::filesystem::exists(state.macroFilePath));
}

TEST_F(MacroPageTest, FillLimitsTheCurrentMacroToTheList) {
    add(u"a");
    add(u"b");
    state.currentMacroIndex = 7;
    page.fillMacroNameList();
    EXPECT_EQ(names.lines, (Lines{u"a", u"b"}));
    EXPECT_EQ(names.selected, 1);
    EXPECT_EQ(state.currentMacroIndex, 1);
    EXPECT_EQ(nameField.value, u"b");
}

TEST_F(MacroPageTest, FactoryResetRestoresTheDefaultMacros) {
    std::filesystem::create_directories(dir / "skins");
    test::writeFile(dir / "skins" / "defMacro.dat", defaultMacroFileBytes());
    test::writeFile(state.configFilePath, "[Init]\r\nCurConfig=1\r\n");
    add(u"user macro");
    test::CallLog log;
    MacroResetSteps steps(page, [&] { log.push_back("apply"); });
    ProfileStore profiles(state);
    profiles.resetAllProfiles(steps);
    EXPECT_EQ(log, test::CallLog{"apply"});
    EXPECT_EQ(count(), 3);
    EXPECT_EQ(names.lines[0], u"双击左键");
    EXPECT_EQ(test::readFile(state.macroFilePath), defaultMacroFileBytes());

    // Without the default file: the message, then an empty table saved.
    std::filesystem::remove(dir / "skins" / "defMacro.dat");
    state.currentPage = 0;
    names.lines = {u"untouched"};
    steps.restoreDefaultMacros();
    EXPECT_EQ(messages.shown, std::vector<std::u16string>{u"找不到配置文件"});
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(names.lines, Lines{u"untouched"});  // the page is not shown
    EXPECT_EQ(readMacroFile(IniFile::load(state.macroFilePath)).declaredCount, 0);
}

}  // namespace
}  // namespace torvane
