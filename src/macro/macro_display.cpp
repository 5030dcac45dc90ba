#include "macro/macro_display.h"

#include <algorithm>

#include "app/app_state.h"
#include "app/app_window.h"
#include "app/text.h"
#include "macro/edit_box.h"
#include "macro/key_name.h"
#include "macro/list_box.h"

namespace torvane {

namespace {

void clearList(ListBox& list) {
    for (int n = list.lineCount(); n > 0; n = list.lineCount()) {
        list.deleteLine(n - 1);
        if (list.lineCount() >= n) break;  // a list that refuses to shrink must not hang us
    }
}

}  // namespace

std::u16string stepLineText(const MacroStep& step) {
    const std::u16string name = keyName(step.code);
    if (step.action == kActionPress) return u"[↓]" + name;
    if (step.action == kActionRelease) return u"[↑]" + name;
    return name;
}

std::u16string delayLineText(std::uint16_t delayMs) {
    return u"    " + decimal16(delayMs) + u"ms";
}

std::vector<std::u16string> macroEventLines(const Macro& macro) {
    std::vector<std::u16string> lines;
    for (std::size_t k = 0; k < macro.eventCount; ++k) {
        if (k > 0) lines.push_back(delayLineText(macro.delays[k - 1]));
        lines.push_back(stepLineText(macro.steps[k]));
    }
    return lines;
}

void appendStepLines(AppState& state, AppWindow& window, const Macro& macro, int k) {
    if (k < 0 || k >= kMacroEventCapacity) return;
    const auto index = static_cast<std::size_t>(k);
    ListBox* list = state.macroEventList;
    if (k > 0 && list != nullptr) list->addLine(delayLineText(macro.delays[index - 1]));
    const MacroStep& step = macro.steps[index];
    if (step.action == kActionPress) ++state.pressLineCount;
    if (step.action == kActionRelease) ++state.releaseLineCount;
    if (list != nullptr) list->addLine(stepLineText(step));
    window.requestRepaint();
    if (list != nullptr) list->select(state.recording ? list->lineCount() - 1 : state.contextLine);
}

void showMacro(AppState& state, AppWindow& window, int m) {
    if (state.macroEventList != nullptr) clearList(*state.macroEventList);
    state.pressLineCount = 0;
    state.releaseLineCount = 0;
    if (m < 0 || m >= kMacroCapacity) return;
    const Macro macro = state.macroTable.read(
        [m](const MacroTable& table) { return table.macros[static_cast<std::size_t>(m)]; });
    if (macro.eventCount == 0) return;
    for (int k = 0; k < macro.eventCount; ++k) appendStepLines(state, window, macro, k);
    if (EditBox* edit = state.repeatCountEdit) {
        const bool repeats = macro.repeatEnabled == 1;
        edit->setText(repeats ? decimal16(macro.repeatCount) : std::u16string(u"1"));
        edit->setEnabled(repeats);
    }
}

int findMacroByName(const MacroTable& table, std::u16string_view text, int count) {
    const int limit = std::min(count, kMacroCapacity);
    for (int m = 0; m < limit; ++m) {
        if (table.macros[static_cast<std::size_t>(m)].nameView() == text) return m;
    }
    return count;
}

}  // namespace torvane
