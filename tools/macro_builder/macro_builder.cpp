// Writes the default macro file: macro_builder OUTPUT_FILE (normally skins/defMacro.dat).
#include <iostream>

#include "app/atomic_file.h"
#include "macro/default_macros.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: macro_builder OUTPUT_FILE\n";
        return 2;
    }
    if (!torvane::writeFileAtomically(argv[1], torvane::defaultMacroFileBytes())) {
        std::cerr << "macro_builder: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
