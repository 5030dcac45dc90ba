#pragma once

#include <string>

namespace torvane {

// A one-line text field of the advanced page: the macro name field and the repeat-count field.
// The control belongs to the window; the core holds a pointer while the page is shown. UI thread
// only.
class EditBox {
  public:
    virtual ~EditBox() = default;
    // The text, UTF-16 units exactly as typed.
    virtual std::u16string text() const = 0;
    virtual void setText(const std::u16string& text) = 0;
    // Enables or disables (greys out) the field.
    virtual void setEnabled(bool enabled) = 0;
};

}  // namespace torvane
