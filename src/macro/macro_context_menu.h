#pragma once

#include <optional>

#include "ui/geometry.h"

namespace torvane {

// The context menu of the macro event list ("MENU_CN": add before / add after with the left,
// right and middle button's press and release, "修改延迟", "删除此项"), owner-drawn, owned by the
// main window. UI thread only.
class MacroContextMenu {
  public:
    virtual ~MacroContextMenu() = default;
    // Shows the menu at `screen` (tracking the right button) and returns when it has closed: the
    // chosen command id, or nullopt when the user chose nothing.
    virtual std::optional<int> track(Point screen) = 0;
};

}  // namespace torvane
