#include <filesystem>
#include <random>
#include <system_error>

#include "cli/apply_run.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "device/virtual_mouse.h"

namespace torvane::cli {

namespace {

// A fresh folder for the copy of the profile file, removed with the object.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::error_code error;
        const auto base = std::filesystem::temp_directory_path(error);
        std::random_device random;
        for (unsigned attempt = 0; !error && attempt < 100; ++attempt) {
            const auto candidate = base / ("torvane-ctl-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate, error) && !error) {
                m_path = candidate;
                return;
            }
        }
    }
    ~ScratchFolder() {
        std::error_code error;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return m_path; }

  private:
    std::filesystem::path m_path;
};

}  // namespace

int runReportsCommand(const CommandContext& context) {
    int exitCode = kExitOk;
    const auto options = parseApplyOptions(context.args, exitCode);
    if (!options) return exitCode;
    if (!options->configFile) {
        printError("usage: torvane-ctl reports --config FILE [--profile N]");
        return kExitUsage;
    }

    // The run saves into config.ini; it works on a copy so the given file is never written.
    ScratchFolder scratch;
    std::error_code error;
    const std::filesystem::path copy = scratch.path() / "config.ini";
    if (scratch.path().empty() || !std::filesystem::copy_file(*options->configFile, copy, error) ||
        error) {
        printError("cannot copy " + options->configFile->string() + " to a temporary folder");
        return kExitMissingFile;
    }

    VirtualMouse mouse;
    printApplyRun(runApply(mouse, copy, options->profile));
    return kExitOk;
}

}  // namespace torvane::cli
