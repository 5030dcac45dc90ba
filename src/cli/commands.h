#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace torvane::cli {

// What every command gets: the words after the command's name, and the program directory.
struct CommandContext {
    std::vector<std::string> args;
    std::filesystem::path programDirectory;
};

// torvane-ctl profile show --config FILE --profile N [--factory]
int runProfileCommand(const CommandContext& context);

// torvane-ctl reports --config FILE [--profile N]: the reports of an apply, on a virtual mouse
int runReportsCommand(const CommandContext& context);

// torvane-ctl apply [--config FILE] [--profile N]: sends the profile to the mouse and saves it
int runApplyCommand(const CommandContext& context);

// torvane-ctl macro list [--file FILE] | macro show [--file FILE] --index M
int runMacroCommand(const CommandContext& context);

// torvane-ctl driver [--config FILE] [--macros FILE] [--virtual]
int runDriverCommand(const CommandContext& context);

}  // namespace torvane::cli
