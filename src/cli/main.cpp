// torvane-ctl: the command-line tool over the program's core.

#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"

namespace {

struct Command {
    const char* name;
    int (*run)(const torvane::cli::CommandContext&);
    const char* usage;
};

constexpr Command kCommands[] = {
    {"profile", torvane::cli::runProfileCommand,
     "profile show [--config FILE] [--profile N] [--factory]"},
    {"reports", torvane::cli::runReportsCommand, "reports --config FILE [--profile N]"},
    {"apply", torvane::cli::runApplyCommand, "apply [--config FILE] [--profile N]"},
    {"macro", torvane::cli::runMacroCommand,
     "macro list [--file FILE] | macro show [--file FILE] --index M"},
    {"driver", torvane::cli::runDriverCommand,
     "driver [--config FILE] [--macros FILE] [--virtual]"},
};

void printUsage(std::ostream& out) {
    out << "usage: torvane-ctl COMMAND [OPTIONS]\n";
    for (const Command& command : kCommands) out << "  torvane-ctl " << command.usage << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    using namespace torvane::cli;
    if (argc < 2) {
        printUsage(std::cerr);
        return kExitUsage;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printUsage(std::cout);
        return kExitOk;
    }
    for (const Command& command : kCommands) {
        if (name == command.name) {
            CommandContext context{std::vector<std::string>(argv + 2, argv + argc),
                                   programDirectory(argv[0])};
            return command.run(context);
        }
    }
    printError("unknown command '" + name + "' (try torvane-ctl --help)");
    return kExitUsage;
}
