#include <iostream>
#include <memory>

#include "cli/apply_run.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "device/hid_backend.h"

#if defined(TORVANE_HIDAPI_AVAILABLE)
#include "device/hidapi/hidapi_backend.h"
#endif

namespace torvane::cli {

namespace {

// Stands in for the HID layer where none was built in: no interfaces at all.
class NoHidBackend : public HidBackend {
  public:
    std::vector<HidInterface> enumerate() override { return {}; }
    std::unique_ptr<HidDevice> open(const std::string&, HidAccess) override { return nullptr; }
};

std::unique_ptr<HidBackend> platformBackend() {
#if defined(TORVANE_HIDAPI_AVAILABLE)
    return std::make_unique<HidapiBackend>();
#else
    return std::make_unique<NoHidBackend>();
#endif
}

}  // namespace

int runApplyCommand(const CommandContext& context) {
    int exitCode = kExitOk;
    const auto options = parseApplyOptions(context.args, exitCode);
    if (!options) return exitCode;
    const std::filesystem::path file =
        options->configFile.value_or(context.programDirectory / "config.ini");
    if (!std::filesystem::is_regular_file(file)) {
        printError("cannot read " + file.string());
        return kExitMissingFile;
    }

    const std::unique_ptr<HidBackend> backend = platformBackend();
    const ApplyRun run = runApply(*backend, file, options->profile);
    if (!run.mousePresent) {
        std::cerr << "请插入【Torvane】USB鼠标\n";
        return kExitNoMouse;
    }
    printApplyRun(run);
    return kExitOk;
}

}  // namespace torvane::cli
