#include "gui/gui_options.h"

namespace torvane {

GuiOptions parseGuiOptions(const QStringList& arguments) {
    GuiOptions options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QStringLiteral("--virtual-mouse")) {
            options.virtualMouse = true;
        } else if (options.unknown.isEmpty()) {
            options.unknown = argument;
        }
    }
    return options;
}

}  // namespace torvane
