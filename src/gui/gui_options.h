#pragma once

#include <QStringList>

namespace torvane {

// The command line of torvane-gmouse.
struct GuiOptions {
    // Use the virtual mouse instead of the real one, and show its panel.
    bool virtualMouse = false;
    // An option that is not known (the program then prints its usage and ends).
    QString unknown;
};

// Reads the options from the program's arguments (the first being the program itself).
GuiOptions parseGuiOptions(const QStringList& arguments);

inline constexpr char kGuiUsage[] =
    "usage: torvane-gmouse [--virtual-mouse]\n"
    "  --virtual-mouse  use a virtual mouse instead of the real one and show its panel\n";

}  // namespace torvane
