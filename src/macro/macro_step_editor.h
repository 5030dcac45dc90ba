#pragma once

#include <cstdint>

#include "macro/macro_table.h"
#include "ui/geometry.h"

namespace torvane {

struct AppState;
class AppWindow;
class CEditableListBox;
class MacroContextMenu;
class MessageBox;

// Command ids of the event list's context menu.
enum MacroMenuCommand : int {
    kMacroMenuModifyDelay = 32780,
    kMacroMenuDeleteStep = 32781,
    kMacroMenuInsertBeforeFirst = 32802,  // .. 32807: left, right, middle; press, release
    kMacroMenuInsertBeforeLast = 32807,
    kMacroMenuInsertAfterFirst = 32809,  // .. 32814
    kMacroMenuInsertAfterLast = 32814,
};

// The text shown when a macro would grow beyond 254 steps.
inline constexpr char16_t kOverflowText[] = u"Overflow!!!";

// Inserts the step (code, action) with a wait of 30 ms at position p of `macro`, moving the
// steps from p on (each with its wait) one place back. False, and nothing changed, when the
// macro already has 254 steps. A position beyond the last step appends.
bool insertMacroStep(Macro& macro, int p, std::uint8_t code, std::uint8_t action);
// Removes step e and its wait; the count shrinks by one (not below 0). An index at or after the
// last step only shrinks the count.
void deleteMacroStep(Macro& macro, int e);

// The step editing of the advanced page: the event list's context menu, its 14 commands and the
// handler of the in-place editor's notice. UI thread only.
class MacroStepEditor {
  public:
    MacroStepEditor(AppState& state, AppWindow& window, MessageBox& messageBox,
                    MacroContextMenu& menu, CEditableListBox& eventList)
        : m_state(state),
          m_window(window),
          m_messageBox(messageBox),
          m_menu(menu),
          m_eventList(eventList) {}

    // A right-button release anywhere in the main window while the advanced page is shown and no
    // recording runs: finds the event-list line at the cursor's height, selects it, shows the
    // menu when the cursor is over the list (and over a line, or the list is empty), then runs
    // the chosen command. Returns whether the menu was shown.
    bool onRightButtonUp(Point cursorOnScreen);

    // One command of the menu. Does nothing while recording.
    void runCommand(int command);

    // insertStep/deleteStep on macro m with the context line bookkeeping and "Overflow!!!".
    // An m outside the table (no macro selected) changes nothing.
    void insertStep(int m, int p, std::uint8_t code, std::uint8_t action);
    void deleteStep(int m, int e);

    // The notice of the in-place editor: the wait shown on line contextLine becomes the wait of
    // step contextStep of macro contextMacro (text before "ms", leading decimal integer, low 16
    // bits), and the list is rebuilt.
    void applyEditedDelay();

    int contextLineCount() const { return m_contextLineCount; }
    int contextMacro() const { return m_contextMacro; }
    int contextStep() const { return m_contextStep; }

  private:
    AppState& m_state;
    AppWindow& m_window;
    MessageBox& m_messageBox;
    MacroContextMenu& m_menu;
    CEditableListBox& m_eventList;

    int m_contextLineCount = 0;  // lines of the event list at the last right-click
    int m_contextMacro = -1;     // selected macro (at most 11), -1 when none
    int m_contextStep = 0;       // selected event line / 2
};

}  // namespace torvane
