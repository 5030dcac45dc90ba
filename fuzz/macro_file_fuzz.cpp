// Any bytes as a macro file, and any text as one macro line: reading never crashes, never takes
// more than the twelve records, and what it reads writes back as full-length lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/ini_file.h"
#include "app/text.h"
#include "macro/macro_display.h"
#include "macro/macro_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace torvane;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const MacroFileContent content = readMacroFile(IniFile::parse(bytes));
    if (content.macros.size() > static_cast<std::size_t>(kMacroCapacity)) std::abort();
    MacroTable table;
    table.count = static_cast<std::int16_t>(content.macros.size());
    for (std::size_t m = 0; m < content.macros.size(); ++m) {
        table.macros[m] = content.macros[m];
        (void)macroEventLines(content.macros[m]);
        if (encodeMacroLine(content.macros[m]).size() !=
            static_cast<std::size_t>(kMacroLineLength)) {
            std::abort();
        }
    }
    IniFile written;
    writeMacroFile(written, table);
    const MacroFileContent again = readMacroFile(IniFile::parse(written.serialize()));
    if (again.macros.size() != content.macros.size()) std::abort();
    for (std::size_t m = 0; m < again.macros.size(); ++m) {
        if (!(again.macros[m] == content.macros[m])) std::abort();
    }

    const Macro line = decodeMacroLine(utf16FromUtf8(bytes));
    if (!(decodeMacroLine(asciiToUtf16(encodeMacroLine(line))) == line)) std::abort();
    return 0;
}
