#pragma once

namespace torvane {

// The main window as the core sees it.
class AppWindow {
public:
    virtual ~AppWindow() = default;
    // Asks for a repaint of the whole client area. Safe from any thread; cheap (requests are
    // queued to the UI thread and merged there).
    virtual void requestRepaint() = 0;
    // Destroys the window; the program ends with it. UI thread only.
    virtual void destroy() = 0;
};

}  // namespace torvane
