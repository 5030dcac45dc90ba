#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_table.h"

namespace torvane {

struct AppState;
class AppWindow;

// The macro event list shows a macro of N steps (N >= 1) as 2N - 1 lines: line 0 is step 0, and
// for k >= 1 line 2k-1 shows the wait after step k-1 and line 2k shows step k. Line L belongs to
// step L / 2; odd lines are delay lines. The wait after the last step is not shown.

// "[↓]" + key name for a press, "[↑]" + key name for a release, the bare key name otherwise.
std::u16string stepLineText(const MacroStep& step);
// Four blanks, the wait in decimal and "ms".
std::u16string delayLineText(std::uint16_t delayMs);
// Every line of a macro's event list, in order.
std::vector<std::u16string> macroEventLines(const Macro& macro);

// Appends the lines of step k of `macro` (the delay line before it when k > 0, then the step
// line) to the state's macroEventList, counts the press or release line, asks for a repaint and
// selects the last line while recording, else line contextLine. The counters move also while the
// advanced page's controls do not exist.
void appendStepLines(AppState& state, AppWindow& window, const Macro& macro, int k);

// Rebuilds macroEventList from macro m and, for a macro with steps, sets repeatCountEdit (its
// count, enabled, when the macro repeats; "1", disabled, otherwise). A macro without steps leaves
// the list empty and repeatCountEdit as it was; so does an index outside the table.
void showMacro(AppState& state, AppWindow& window, int m);

// Index of the first of the first `count` macros whose name equals `text` unit by unit
// (case-sensitive), or `count` when none does (also when count is 0 or less).
int findMacroByName(const MacroTable& table, std::u16string_view text, int count);

}  // namespace torvane
