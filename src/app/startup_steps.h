#pragma once

namespace torvane {

// The steps of the start-up and close sequences that other subsystems perform. The lifecycle
// calls them in their order; a shell wires them to the real subsystems, tests to fakes.
class StartupSteps {
public:
    virtual ~StartupSteps() = default;
    // The device listener, then the driver engine, then the confirmation blink.
    virtual void startWorkers() = 0;
    // The About item of the system menu.
    virtual void extendSystemMenu() = 0;
    // The window's icon and its title.
    virtual void setIconAndTitle() = 0;
    // The three page layouts of the skin. False when a layout file is missing (the loader has
    // already told the user); the start-up then closes.
    virtual bool loadSkin() = 0;
    // The page rectangles derived from the layouts, and the warning dialog's layout.
    virtual void finishSkinLayout() = 0;
    // The window's shape from the mask picture.
    virtual void buildWindowShape() = 0;
    // Macro.dat into the macro table.
    virtual void loadMacros() = 0;
    // The owner-drawn menus (macro list context menu, tray menu).
    virtual void loadMenus() = 0;
    // Finds and opens the mouse; true when it is present.
    virtual bool discoverMouse() = 0;
    // Sends the current profile to the mouse and saves it.
    virtual void applyConfiguration() = 0;
    // Sends the driver-off report (only if the mouse's write collection is open).
    virtual void sendDriverOff() = 0;
    // Waits this many milliseconds.
    virtual void sleepMs(int milliseconds) = 0;
};

}  // namespace torvane
