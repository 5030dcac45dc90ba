#include <iostream>

#include "app/app_state.h"
#include "app/ini_file.h"
#include "app/profile_store.h"
#include "app/text.h"
#include "cli/command_line.h"
#include "cli/commands.h"

namespace torvane::cli {

int runProfileCommand(const CommandContext& context) {
    if (context.args.empty() || context.args[0] != "show") {
        printError("usage: torvane-ctl profile show [--config FILE] [--profile N] [--factory]");
        return kExitUsage;
    }
    CommandLine line({context.args.begin() + 1, context.args.end()}, {"--config", "--profile"},
                     {"--factory"});
    const auto number = line.integer("--profile");
    if (!line.ok()) {
        printError(line.error());
        return kExitUsage;
    }

    AppState state;
    setProgramDirectory(state, context.programDirectory);
    const std::filesystem::path file = line.value("--config").value_or(state.configFilePath.string());
    ProfileStore store(state);
    const std::int32_t profile =
        number ? static_cast<std::int32_t>(*number) : store.readCurrentConfigIndex(file);
    store.loadProfile(file, profile, line.flag("--factory"));

    IniFile listing;
    writeProfile(listing, "Profile", state.config);
    for (const auto& [key, value] : listing.entries(u"Profile")) {
        std::cout << utf8FromUtf16(key) << '=' << utf8FromUtf16(value) << '\n';
    }
    return kExitOk;
}

}  // namespace torvane::cli
