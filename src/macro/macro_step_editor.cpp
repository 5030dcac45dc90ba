#include "macro/macro_step_editor.h"

#include <algorithm>
#include <string>

#include "app/app_state.h"
#include "app/message_box.h"
#include "app/text.h"
#include "macro/editable_list_box.h"
#include "macro/list_box.h"
#include "macro/macro_context_menu.h"
#include "macro/macro_display.h"

namespace torvane {

namespace {

constexpr std::uint8_t kAdvancedPage = 1;
constexpr std::uint16_t kInsertedStepWait = 30;
constexpr int kButtonCommands = 6;  // three buttons, press and release each

bool isMacroIndex(int m) {
    return m >= 0 && m < kMacroCapacity;
}

}  // namespace

bool insertMacroStep(Macro& macro, int p, std::uint8_t code, std::uint8_t action) {
    const int n = macro.eventCount;
    if (n + 1 > kMacroStepLimit) return false;
    // A position past the last step (a stale selection) appends, so no gap of old steps opens.
    p = std::clamp(p, 0, n);
    macro.eventCount = static_cast<std::uint8_t>(n + 1);
    for (int k = n; k > p; --k) {
        const auto to = static_cast<std::size_t>(k);
        macro.steps[to] = macro.steps[to - 1];
        macro.delays[to] = macro.delays[to - 1];
    }
    const auto at = static_cast<std::size_t>(p);
    macro.steps[at] = MacroStep{code, action};
    macro.delays[at] = kInsertedStepWait;
    return true;
}

void deleteMacroStep(Macro& macro, int e) {
    const int n = macro.eventCount;
    const int remaining = n > 0 ? n - 1 : 0;
    macro.eventCount = static_cast<std::uint8_t>(remaining);
    if (e < 0) return;
    for (int k = e; k < remaining; ++k) {
        const auto to = static_cast<std::size_t>(k);
        macro.steps[to] = macro.steps[to + 1];
        macro.delays[to] = macro.delays[to + 1];
    }
}

bool MacroStepEditor::onRightButtonUp(Point cursor) {
    ListBox* list = m_state.macroEventList;
    if (m_state.recording || m_state.currentPage != kAdvancedPage || list == nullptr) return false;
    const ListRect client = list->clientRectOnScreen();
    const int top = list->topIndex();
    const int height = list->lineHeight();
    const int line = height == 0 ? 0 : (top * height + cursor.y - client.top) / height;
    m_state.contextLine = line;
    list->select(line);
    m_contextLineCount = list->lineCount();

    std::optional<int> command;
    const bool show =
        client.contains(cursor) && (line < m_contextLineCount || m_contextLineCount == 0);
    if (show) command = m_menu.track(cursor);

    const int selectedMacro =
        m_state.macroNameList != nullptr ? m_state.macroNameList->selectedLine() : -1;
    m_contextMacro = std::min(selectedMacro, kMacroCapacity - 1);
    m_contextStep = list->selectedLine() / 2;
    if (command) runCommand(*command);
    return show;
}

void MacroStepEditor::runCommand(int command) {
    if (m_state.recording) return;
    const int m = m_contextMacro;
    if (command >= kMacroMenuInsertBeforeFirst && command <= kMacroMenuInsertBeforeLast) {
        if (!isMacroIndex(m)) return;
        const int which = command - kMacroMenuInsertBeforeFirst;
        insertStep(m, m_contextStep, static_cast<std::uint8_t>(kCodeLeftButton + which / 2),
                   static_cast<std::uint8_t>(kActionPress + which % 2));
        showMacro(m_state, m_window, m);
    } else if (command >= kMacroMenuInsertAfterFirst && command <= kMacroMenuInsertAfterLast) {
        if (!isMacroIndex(m)) return;
        const int which = command - kMacroMenuInsertAfterFirst;
        const auto code = static_cast<std::uint8_t>(kCodeLeftButton + which / 2);
        const auto action = static_cast<std::uint8_t>(kActionPress + which % 2);
        const ListBox* list = m_state.macroEventList;
        if (list == nullptr || list->lineCount() == 0) {
            insertStep(m, 0, code, action);
            m_state.contextLine = 0;
        } else {
            insertStep(m, m_contextStep + 1, code, action);
        }
        showMacro(m_state, m_window, m);
    } else if (command == kMacroMenuModifyDelay) {
        if (m_contextLineCount != 0 && m_state.contextLine % 2 == 1) {
            m_eventList.onChar(CEditableListBox::kOpenEditorChar);
        }
    } else if (command == kMacroMenuDeleteStep) {
        if (!isMacroIndex(m)) return;
        deleteStep(m, m_contextStep);
    }
    static_assert(kMacroMenuInsertBeforeLast - kMacroMenuInsertBeforeFirst + 1 == kButtonCommands);
    static_assert(kMacroMenuInsertAfterLast - kMacroMenuInsertAfterFirst + 1 == kButtonCommands);
}

void MacroStepEditor::insertStep(int m, int p, std::uint8_t code, std::uint8_t action) {
    if (!isMacroIndex(m)) return;
    const bool inserted = m_state.macroTable.edit([&](MacroTable& table) {
        return insertMacroStep(table.macros[static_cast<std::size_t>(m)], p, code, action);
    });
    if (!inserted) {
        m_messageBox.show(kOverflowText);
        return;
    }
    m_state.contextLine += 2;
}

void MacroStepEditor::deleteStep(int m, int e) {
    if (!isMacroIndex(m)) return;
    m_state.macroTable.edit(
        [&](MacroTable& table) { deleteMacroStep(table.macros[static_cast<std::size_t>(m)], e); });
    m_state.contextLine = m_state.contextLine > 2 ? m_state.contextLine - 2 : 0;
    showMacro(m_state, m_window, m);
}

void MacroStepEditor::applyEditedDelay() {
    const ListBox* list = m_state.macroEventList;
    const int m = m_contextMacro;
    const int step = m_contextStep;
    if (!isMacroIndex(m) || step < 0 || step >= kMacroEventCapacity || list == nullptr) return;
    // A context line that is no line of the list has no text to take.
    if (m_state.contextLine < 0 || m_state.contextLine >= list->lineCount()) return;
    std::u16string text = list->lineText(m_state.contextLine);
    if (const auto unit = text.find(u"ms"); unit != std::u16string::npos) text.resize(unit);
    const std::int32_t value = parseLeadingInt(text);
    // Low byte v mod 256, high byte (v / 256) mod 256, as the C expressions give them.
    const auto low = static_cast<std::uint8_t>(value % 256);
    const auto high = static_cast<std::uint8_t>((value / 256) % 256);
    const auto wait = static_cast<std::uint16_t>(low | (high << 8));
    m_state.macroTable.edit([&](MacroTable& table) {
        table.macros[static_cast<std::size_t>(m)].delays[static_cast<std::size_t>(step)] = wait;
    });
    showMacro(m_state, m_window, m);
}

}  // namespace torvane
