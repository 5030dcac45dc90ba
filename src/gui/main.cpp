// torvane-gmouse: the skinned configuration program and driver of the mouse.

#include <QApplication>
#include <cstdio>

#include "gui/gui_options.h"
#include "gui/gui_program.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const torvane::GuiOptions options = torvane::parseGuiOptions(QApplication::arguments());
    if (!options.unknown.isEmpty()) {
        std::fprintf(stderr, "torvane-gmouse: unknown option '%s'\n%s",
                     qPrintable(options.unknown), torvane::kGuiUsage);
        return 2;
    }
    torvane::GuiProgram program(options);
    return program.run();
}
