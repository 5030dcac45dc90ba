#pragma once

#include <string>

#include "macro/list_box.h"

namespace torvane {

// The small text field that the macro event list opens over one of its lines to edit a wait.
// Its window exists from create() to destroy(). UI thread only.
//
// The field reports to its list (CEditableListBox): the release of a key
// (editorKeyReleased) and the loss of the keyboard focus (editorFocusLost). Destroying the field
// while it has the focus reports the focus loss from inside destroy(), before it returns.
class InPlaceEditor {
  public:
    virtual ~InPlaceEditor() = default;
    // Creates the field as a visible child of the list over `rect` (list client coordinates),
    // with a thin border, a sunken edge, horizontal auto-scroll and the list's font.
    virtual void create(const ListRect& rect) = 0;
    virtual bool exists() const = 0;
    virtual std::u16string text() const = 0;
    virtual void setText(const std::u16string& text) = 0;
    virtual void selectAll() = 0;
    virtual void focus() = 0;
    virtual void destroy() = 0;
};

}  // namespace torvane
