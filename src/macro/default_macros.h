#pragma once

#include <string>

#include "macro/macro_table.h"

namespace torvane {

// The macros shipped in skins/defMacro.dat, which the factory reset restores: a double click, a
// burst of three left clicks and Ctrl+Shift+Esc.
MacroTable defaultMacroTable();

// The bytes of skins/defMacro.dat: the default macros written as a new macro file.
std::string defaultMacroFileBytes();

}  // namespace torvane
