#pragma once

#include <cstdint>
#include <string>

#include "ui/geometry.h"

namespace torvane {

// A rectangle in pixels, right and bottom exclusive.
struct ListRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    bool operator==(const ListRect&) const = default;
};

// A list of text lines with at most one selected line: the macro name list and the macro event
// list of the advanced page. Lines are indexed from 0. The control belongs to the window; the
// core holds a pointer while the page is shown. UI thread only.
class ListBox {
  public:
    virtual ~ListBox() = default;
    // Appends a line at the end.
    virtual void addLine(const std::u16string& text) = 0;
    // Inserts a line before line `index` (at the end when index is the line count).
    virtual void insertLine(int index, const std::u16string& text) = 0;
    // Deletes line `index`; an index outside the list does nothing.
    virtual void deleteLine(int index) = 0;
    virtual int lineCount() const = 0;
    // The text of line `index`, UTF-16 units exactly as added; empty outside the list.
    virtual std::u16string lineText(int index) const = 0;
    // Selects line `index`; an index outside the list leaves no line selected. Does not report a
    // selection change (only the user's own selection does).
    virtual void select(int index) = 0;
    // The selected line, -1 when none.
    virtual int selectedLine() const = 0;
    // Height of one line in pixels (0 when unknown).
    virtual int lineHeight() const = 0;
    // Rectangle of line `index` in the list's client coordinates.
    virtual ListRect lineRect(int index) const = 0;
    // Index of the line shown at the top (the vertical scroll position).
    virtual int topIndex() const = 0;
    // The list's client area in screen coordinates.
    virtual ListRect clientRectOnScreen() const = 0;
    // Gives the list the keyboard focus.
    virtual void focus() = 0;
};

}  // namespace torvane
