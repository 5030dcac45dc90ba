#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "macro/edit_box.h"
#include "macro/in_place_editor.h"
#include "macro/keyboard_capture.h"
#include "macro/list_box.h"
#include "macro/macro_context_menu.h"
#include "macro/time_of_day_clock.h"

namespace torvane {
class CEditableListBox;
}

namespace torvane::test {

// A list box in memory with the list-box rules: select() outside the lines clears the selection,
// deleting a line before the selection moves it, deleting the selected line clears it.
class FakeListBox : public ListBox {
  public:
    void addLine(const std::u16string& text) override { lines.push_back(text); }
    void insertLine(int index, const std::u16string& text) override;
    void deleteLine(int index) override;
    int lineCount() const override { return static_cast<int>(lines.size()); }
    std::u16string lineText(int index) const override;
    void select(int index) override;
    int selectedLine() const override { return selected; }
    int lineHeight() const override { return height; }
    ListRect lineRect(int index) const override;
    int topIndex() const override { return top; }
    ListRect clientRectOnScreen() const override { return screenRect; }
    void focus() override { ++focusCount; }

    std::vector<std::u16string> lines;
    int selected = -1;
    int height = 16;
    int top = 0;
    ListRect screenRect{100, 200, 300, 400};
    int focusCount = 0;
};

class FakeEditBox : public EditBox {
  public:
    std::u16string text() const override { return value; }
    void setText(const std::u16string& text) override { value = text; }
    void setEnabled(bool enabled) override { this->enabled = enabled; }
    std::u16string value;
    bool enabled = true;
};

// The in-place field. With `list` set and focused, destroy() reports the focus loss to the list
// first, as a real window does while it is destroyed.
class FakeInPlaceEditor : public InPlaceEditor {
  public:
    void create(const ListRect& rect) override;
    bool exists() const override { return alive; }
    std::u16string text() const override { return value; }
    void setText(const std::u16string& text) override { value = text; }
    void selectAll() override { allSelected = true; }
    void focus() override { focused = true; }
    void destroy() override;

    CEditableListBox* list = nullptr;
    bool alive = false;
    bool focused = false;
    bool allSelected = false;
    std::u16string value;
    std::vector<ListRect> createdAt;
    int destroyCount = 0;
};

class FakeKeyboardCapture : public KeyboardCapture {
  public:
    bool start(KeyEventSink& s) override;
    void stop() override;
    bool canStart = true;
    KeyEventSink* sink = nullptr;
    int starts = 0;
    int stops = 0;
};

class FakeTimeOfDayClock : public TimeOfDayClock {
  public:
    std::int32_t millisecondOfDay() override { return now; }
    std::int32_t now = 0;
};

// Answers each menu with the next prepared command and keeps where it was shown.
class FakeContextMenu : public MacroContextMenu {
  public:
    std::optional<int> track(Point screen) override;
    std::vector<std::optional<int>> answers;
    std::vector<Point> shownAt;
};

}  // namespace torvane::test
