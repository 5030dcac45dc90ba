#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace torvane {
class HidBackend;
}

namespace torvane::cli {

// What one run of applyConfiguration did, for printing.
struct ApplyRun {
    bool mousePresent = false;
    std::vector<std::vector<std::uint8_t>> reports;  // every report sent, as sent
    std::optional<int> pointerSpeed;                 // the value set (or that would be set)
    std::optional<std::int32_t> confirmSlot;         // the slot whose confirmation is awaited
};

// Loads profile `profile` (default: [Init] CurConfig) of `configFile`, finds the mouse through
// `backend` and, when it is there, runs applyConfiguration with `configFile` as config.ini.
ApplyRun runApply(HidBackend& backend, const std::filesystem::path& configFile,
                  std::optional<std::int32_t> profile);

// Prints bytes 0..3 of every report ("07 10 01 01"), then "pointer-speed: V", then
// "confirm: slot N" when a wait began.
void printApplyRun(const ApplyRun& run);

// The words of `reports` and `apply`: --config FILE and --profile N (1..5). On error prints it
// and returns the exit code in `exitCode`.
struct ApplyOptions {
    std::optional<std::filesystem::path> configFile;
    std::optional<std::int32_t> profile;
};
std::optional<ApplyOptions> parseApplyOptions(const std::vector<std::string>& args, int& exitCode);

}  // namespace torvane::cli
