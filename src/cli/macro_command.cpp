#include <filesystem>
#include <iostream>

#include "app/app_state.h"
#include "app/ini_file.h"
#include "app/text.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "macro/macro_display.h"
#include "macro/macro_file.h"

namespace torvane::cli {

namespace {

constexpr const char* kUsage =
    "usage: torvane-ctl macro list [--file FILE] | macro show [--file FILE] --index M";

}  // namespace

int runMacroCommand(const CommandContext& context) {
    const bool list = !context.args.empty() && context.args[0] == "list";
    const bool show = !context.args.empty() && context.args[0] == "show";
    if (!list && !show) {
        printError(kUsage);
        return kExitUsage;
    }
    CommandLine line(
        {context.args.begin() + 1, context.args.end()},
        list ? std::set<std::string>{"--file"} : std::set<std::string>{"--file", "--index"}, {});
    const auto index = show ? line.integer("--index") : std::nullopt;
    if (line.ok() && show && !index) {
        printError("macro show needs --index M");
        return kExitUsage;
    }
    if (!line.ok()) {
        printError(line.error());
        return kExitUsage;
    }

    AppState state;
    setProgramDirectory(state, context.programDirectory);
    const std::filesystem::path file = line.value("--file").value_or(state.macroFilePath.string());
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        std::cerr << utf8FromUtf16(kMacroFileMissingText) << '\n';
        return kExitMissingFile;
    }
    const MacroFileContent content = readMacroFile(IniFile::load(file));
    const auto count = static_cast<long long>(content.macros.size());

    if (list) {
        for (long long m = 0; m < count; ++m) {
            const Macro& macro = content.macros[static_cast<std::size_t>(m)];
            std::cout << m << '\t' << utf8FromUtf16(macro.nameView()) << '\t'
                      << int{macro.repeatEnabled} << '\t' << macro.repeatCount << '\t'
                      << int{macro.eventCount} << '\n';
        }
        return kExitOk;
    }
    const long long macroIndex = index.value_or(-1);
    if (macroIndex < 0 || macroIndex >= count) {
        printError("macro index " + std::to_string(macroIndex) + " out of range (the file holds " +
                   std::to_string(count) + " macros)");
        return kExitUsage;
    }
    for (const std::u16string& text :
         macroEventLines(content.macros[static_cast<std::size_t>(macroIndex)])) {
        std::cout << utf8FromUtf16(text) << '\n';
    }
    return kExitOk;
}

}  // namespace torvane::cli
