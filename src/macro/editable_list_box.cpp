#include "macro/editable_list_box.h"

#include "macro/in_place_editor.h"
#include "macro/list_box.h"

namespace torvane {

namespace {
// The editor is two pixels taller than its line above and below.
constexpr int kEditorOverhang = 2;
}  // namespace

CEditableListBox::~CEditableListBox() {
    if (m_editor.exists() && !m_destroying) {
        m_destroying = true;
        m_editIndex = -1;
        m_editor.destroy();
    }
}

void CEditableListBox::onChar(std::uint32_t code) {
    m_pendingChar = code;
    beginEdit();
}

void CEditableListBox::onResize() {
    endEdit(1);
}

void CEditableListBox::onScroll() {
    endEdit(1);
}

void CEditableListBox::onEndEditRequest(int take) {
    endEdit(take);
}

void CEditableListBox::editorKeyReleased(std::uint32_t virtualKey) {
    if (virtualKey == kEnterKey) onEndEditRequest(1);
    if (virtualKey == kEscapeKey) onEndEditRequest(0);
}

void CEditableListBox::editorFocusLost() {
    onEndEditRequest(1);
}

void CEditableListBox::beginEdit() {
    if (m_pendingChar != kOpenEditorChar) return;
    m_pendingChar = 0;
    const int line = m_list.selectedLine();
    // Without a selected line there is nothing to edit; an editor already open stays as it is
    // rather than get a second one over it.
    if (line < 0 || line >= m_list.lineCount() || m_editor.exists()) return;
    ListRect rect = m_list.lineRect(line);
    rect.top -= kEditorOverhang;
    rect.bottom += kEditorOverhang;
    m_editor.create(rect);
    m_editor.setText(m_list.lineText(line));
    m_editor.selectAll();
    m_editor.focus();
    m_editIndex = line;
}

void CEditableListBox::endEdit(int take) {
    if (!m_editor.exists()) return;
    if (take != 0 && m_editIndex != -1) {
        const std::u16string old = m_list.lineText(m_editIndex);
        const std::u16string typed = m_editor.text();
        if (old != typed) {
            m_list.deleteLine(m_editIndex);
            m_list.insertLine(m_editIndex, typed);
            m_list.select(m_editIndex);
        }
    }
    m_editIndex = -1;
    if (!m_destroying) {
        m_destroying = true;
        m_editor.destroy();  // may come back here through a focus loss: notice, no second destroy
        m_destroying = false;
    }
    if (m_editEndedNotice) m_editEndedNotice();
}

}  // namespace torvane
