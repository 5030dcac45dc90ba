// torvane-gmouse: the skinned configuration program and driver of the mouse.

#include <QApplication>
#include <cstdio>

#include "gui/gui_options.h"
#include "gui/gui_program.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The program ends through its close sequence (or the mouse's removal), never because its
    // last visible window went: the main window may be hidden in the tray while the panel closes.
    QApplication::setQuitOnLastWindowClosed(false);
    const torvane::GuiOptions options = torvane::parseGuiOptions(QApplication::arguments());
    if (!options.unknown.isEmpty()) {
        std::fprintf(stderr, "torvane-gmouse: unknown option '%s'\n%s", qPrintable(options.unknown),
                     torvane::kGuiUsage);
        return 2;
    }
    torvane::GuiProgram program(options);
    return program.run();
}
