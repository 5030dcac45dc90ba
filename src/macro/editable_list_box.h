#pragma once

#include <cstdint>
#include <functional>

namespace torvane {

class InPlaceEditor;
class ListBox;

// The behaviour of the macro event list with its in-place editor: character code 1 opens the
// editor over the selected line; Enter takes the typed text, Escape discards it, a focus loss, a
// resize or a scroll takes it. A taken text that differs from the line replaces the line. After
// every edit the list's parent is told (editEndedNotice); when the editor still had the focus as
// it closed, the notice comes twice, and the parent's handler gives the same result each time.
//
// UI thread only. The list, the editor and the notice outlive this object.
class CEditableListBox {
  public:
    static constexpr std::uint32_t kOpenEditorChar = 1;
    static constexpr std::uint32_t kEnterKey = 13;
    static constexpr std::uint32_t kEscapeKey = 27;

    CEditableListBox(ListBox& list, InPlaceEditor& editor, std::function<void()> editEndedNotice)
        : m_list(list), m_editor(editor), m_editEndedNotice(std::move(editEndedNotice)) {}
    ~CEditableListBox();
    CEditableListBox(const CEditableListBox&) = delete;
    CEditableListBox& operator=(const CEditableListBox&) = delete;

    // Character input to the list (before its normal handling).
    void onChar(std::uint32_t code);
    // The list was resized or scrolled (before its normal scrolling).
    void onResize();
    void onScroll();
    // endEditRequest from the editor: take (1) or discard (0) the text.
    void onEndEditRequest(int take);

    // The editor's own handlers (CEditHelper): a key release and the loss of the focus.
    void editorKeyReleased(std::uint32_t virtualKey);
    void editorFocusLost();

    void beginEdit();
    void endEdit(int take);

    int editIndex() const { return m_editIndex; }
    std::uint32_t pendingChar() const { return m_pendingChar; }

  private:
    ListBox& m_list;
    InPlaceEditor& m_editor;
    std::function<void()> m_editEndedNotice;
    int m_editIndex = -1;
    std::uint32_t m_pendingChar = 0;
    bool m_destroying = false;  // inside the editor's destroy(), which may report a focus loss
};

}  // namespace torvane
