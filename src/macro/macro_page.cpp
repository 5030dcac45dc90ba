#include "macro/macro_page.h"

#include <algorithm>
#include <string>

#include "app/app_state.h"
#include "app/app_window.h"
#include "app/file_dialog.h"
#include "app/text.h"
#include "macro/edit_box.h"
#include "macro/list_box.h"
#include "macro/macro_display.h"
#include "macro/macro_file.h"

namespace torvane {

namespace {

constexpr std::uint8_t kAdvancedPage = 1;
constexpr std::int32_t kMaxRepeatCount = 65535;
constexpr char16_t kMacroFileFilter[] = u"All Files(*.dat)|*.dat||";

void clearList(ListBox& list) {
    while (list.lineCount() > 0) {
        const int before = list.lineCount();
        list.deleteLine(before - 1);
        if (list.lineCount() >= before) break;
    }
}

FileDialogRequest macroDialogRequest(const AppState& state, FileDialogRequest::Mode mode) {
    FileDialogRequest request;
    request.mode = mode;
    request.initialFolder = state.programDirectory;
    request.filter = kMacroFileFilter;
    if (mode == FileDialogRequest::Mode::Save) {
        request.defaultExtension = u"dat";
        request.confirmOverwrite = true;
    } else {
        request.readOnlyPreset = true;
    }
    return request;
}

}  // namespace

void MacroPage::fillMacroNameList() {
    ListBox* names = m_state.macroNameList;
    if (names == nullptr) return;
    clearList(*names);
    const MacroTable table = m_state.macroTable.snapshot();
    const int count = std::clamp<int>(table.count, 0, kMacroCapacity);
    for (int i = 0; i < count; ++i) {
        names->addLine(std::u16string(table.macros[static_cast<std::size_t>(i)].nameView()));
    }
    if (count == 0) return;
    const int last = std::max(names->lineCount() - 1, 0);
    const int s = std::min(last, m_state.currentMacroIndex);
    m_state.currentMacroIndex = s;
    names->select(s);
    selectMacro();
}

void MacroPage::selectMacro() {
    ListBox* names = m_state.macroNameList;
    if (names == nullptr) return;
    m_state.currentMacroIndex = names->selectedLine();
    if (m_state.macroNameEdit != nullptr) {
        m_state.macroNameEdit->setText(names->lineText(m_state.currentMacroIndex));
    }
    showMacro(m_state, m_window, m_state.currentMacroIndex);
}

void MacroPage::addMacro() {
    ListBox* names = m_state.macroNameList;
    if (m_state.macroNameEdit == nullptr || names == nullptr) return;
    // A name has room for 19 units; a longer text is cut, so the list shows the stored name.
    std::u16string text = m_state.macroNameEdit->text();
    if (text.size() > static_cast<std::size_t>(kMacroNameMaxLength))
        text.resize(kMacroNameMaxLength);
    names->focus();
    const int count = m_state.macroTable.count();
    if (count >= kMacroCapacity || text.empty()) return;
    const int i = count > 0 ? m_state.macroTable.read([&](const MacroTable& table) {
        return findMacroByName(table, text, count);
    })
                            : 0;
    m_state.currentMacroIndex = i;
    if (i == count) {
        m_state.macroTable.edit([&](MacroTable& table) {
            Macro& macro = table.macros[static_cast<std::size_t>(i)];
            macro.setName(text);
            macro.eventCount = 0;
            macro.repeatEnabled = 0;
            macro.repeatCount = 1;
            table.count = static_cast<std::int16_t>(count + 1);
        });
        if (m_state.macroEventList != nullptr) clearList(*m_state.macroEventList);
        names->addLine(text);
    }
    names->select(m_state.currentMacroIndex);
}

void MacroPage::deleteMacro() {
    ListBox* names = m_state.macroNameList;
    if (names == nullptr || names->lineCount() == 0 || m_state.recording) return;
    const int s = names->selectedLine();
    const int count = m_state.macroTable.count();
    // Without a selected macro nothing is moved or freed.
    if (s < 0 || s >= count) return;
    m_state.macroTable.edit([&](MacroTable& table) {
        for (int k = s; k < count - 1; ++k) {
            table.macros[static_cast<std::size_t>(k)] =
                table.macros[static_cast<std::size_t>(k + 1)];
        }
        Macro& freed = table.macros[static_cast<std::size_t>(count - 1)];
        freed.repeatEnabled = 0;
        freed.repeatCount = 1;
        freed.eventCount = 0;
        table.count = static_cast<std::int16_t>(count - 1);
    });
    names->deleteLine(s);
    const int n = s > 0 ? s - 1 : 0;
    names->select(n);
    m_state.currentMacroIndex = n;
    if (names->lineCount() > 0) {
        if (m_state.macroNameEdit != nullptr) m_state.macroNameEdit->setText(names->lineText(n));
    } else {
        if (m_state.macroNameEdit != nullptr) m_state.macroNameEdit->setText(u"");
        if (m_state.repeatCountEdit != nullptr) {
            m_state.repeatCountEdit->setText(u"1");
            m_state.repeatCountEdit->setEnabled(false);
        }
    }
    showMacro(m_state, m_window, n);
}

void MacroPage::toggleRepeat() {
    const int m = m_state.currentMacroIndex;
    if (m < 0 || m >= kMacroCapacity) return;
    const auto [enabled, count] = m_state.macroTable.edit([&](MacroTable& table) {
        Macro& macro = table.macros[static_cast<std::size_t>(m)];
        macro.repeatEnabled = macro.repeatEnabled == 0 ? 1 : 0;
        return std::pair<bool, std::uint16_t>(macro.repeatEnabled == 1, macro.repeatCount);
    });
    if (EditBox* field = m_state.repeatCountEdit) {
        field->setText(enabled ? decimal16(count) : std::u16string(u"1"));
        field->setEnabled(enabled);
    }
    m_window.requestRepaint();
}

void MacroPage::applyRepeatAndSave() {
    std::int32_t value = 1;
    if (EditBox* field = m_state.repeatCountEdit) {
        value = parseLeadingInt(field->text());
        if (value < 1) {
            value = 1;
            field->setText(u"1");
        } else if (value > kMaxRepeatCount) {
            value = kMaxRepeatCount;
            field->setText(u"65535");
        }
    }
    const int m = m_state.currentMacroIndex;
    const MacroTable table = m_state.macroTable.edit([&](MacroTable& t) {
        if (m >= 0 && m < kMacroCapacity) {
            t.macros[static_cast<std::size_t>(m)].repeatCount = static_cast<std::uint16_t>(value);
        }
        return t;
    });
    saveMacroFile(table, m_state.macroFilePath);
}

void MacroPage::importMacroFile() {
    const auto path =
        m_fileDialog.choose(macroDialogRequest(m_state, FileDialogRequest::Mode::Open));
    if (!path) return;
    loadMacroFile(m_state, *path, m_messageBox);
    fillMacroNameList();
    m_window.requestRepaint();
}

void MacroPage::exportMacroFile() {
    const auto path =
        m_fileDialog.choose(macroDialogRequest(m_state, FileDialogRequest::Mode::Save));
    if (!path) return;
    saveMacroFile(m_state.macroTable.snapshot(), *path);
}

void MacroPage::restoreDefaultMacros() {
    loadMacroFile(m_state, m_state.programDirectory / "skins" / "defMacro.dat", m_messageBox);
    if (m_state.currentPage == kAdvancedPage) {
        fillMacroNameList();
        m_window.requestRepaint();
    }
    saveMacroFile(m_state.macroTable.snapshot(), m_state.programDirectory / "Macro.dat");
}

}  // namespace torvane
