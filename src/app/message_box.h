#pragma once

#include <string>

namespace torvane {

// A message box with an OK button and no icon, owned by the main window, its caption the
// program's name. UI thread only; returns when the user has closed it.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void show(const std::u16string& text) = 0;
};

}  // namespace torvane
