#include "support/macro_fakes.h"

#include "macro/editable_list_box.h"

namespace torvane::test {

void FakeListBox::insertLine(int index, const std::u16string& text) {
    if (index < 0 || index > lineCount()) index = lineCount();
    lines.insert(lines.begin() + index, text);
    if (selected >= index) ++selected;
}

void FakeListBox::deleteLine(int index) {
    if (index < 0 || index >= lineCount()) return;
    lines.erase(lines.begin() + index);
    if (selected == index)
        selected = -1;
    else if (selected > index)
        --selected;
}

std::u16string FakeListBox::lineText(int index) const {
    if (index < 0 || index >= lineCount()) return {};
    return lines[static_cast<std::size_t>(index)];
}

void FakeListBox::select(int index) {
    selected = (index >= 0 && index < lineCount()) ? index : -1;
}

ListRect FakeListBox::lineRect(int index) const {
    const int y = (index - top) * height;
    return ListRect{0, y, 200, y + height};
}

void FakeInPlaceEditor::create(const ListRect& rect) {
    alive = true;
    focused = false;
    allSelected = false;
    createdAt.push_back(rect);
}

void FakeInPlaceEditor::destroy() {
    ++destroyCount;
    if (focused && list != nullptr) {
        focused = false;
        list->editorFocusLost();
    }
    focused = false;
    alive = false;
}

bool FakeKeyboardCapture::start(KeyEventSink& s) {
    ++starts;
    if (!canStart) return false;
    sink = &s;
    return true;
}

void FakeKeyboardCapture::stop() {
    ++stops;
    sink = nullptr;
}

std::optional<int> FakeContextMenu::track(Point screen) {
    shownAt.push_back(screen);
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.erase(answers.begin());
    return answer;
}

}  // namespace torvane::test
