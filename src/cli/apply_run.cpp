#include "cli/apply_run.h"

#include <cstdio>
#include <iostream>
#include <memory>
#include <mutex>

#include "app/app_state.h"
#include "app/app_window.h"
#include "app/null_ports.h"
#include "app/pointer_speed.h"
#include "app/profile_store.h"
#include "cli/command_line.h"
#include "device/config_sender.h"
#include "device/confirm_blink.h"
#include "device/hid_backend.h"
#include "device/mouse_discovery.h"

namespace torvane::cli {

namespace {

// Passes everything on to the real backend and keeps each feature report sent.
class RecordingBackend : public HidBackend {
  public:
    explicit RecordingBackend(HidBackend& inner) : m_inner(inner) {}

    std::vector<HidInterface> enumerate() override { return m_inner.enumerate(); }
    std::unique_ptr<HidDevice> open(const std::string& path, HidAccess access) override {
        return wrap(m_inner.open(path, access));
    }
    std::unique_ptr<HidDevice> openInterface(const HidInterface& entry, HidAccess access) override {
        return wrap(m_inner.openInterface(entry, access));
    }

    std::vector<std::vector<std::uint8_t>> reports() const {
        std::lock_guard lock(m_mutex);
        return m_reports;
    }

  private:
    class Device : public HidDevice {
      public:
        Device(RecordingBackend& owner, std::unique_ptr<HidDevice> inner)
            : m_owner(owner), m_inner(std::move(inner)) {}
        bool sendFeatureReport(std::span<const std::uint8_t> report) override {
            {
                std::lock_guard lock(m_owner.m_mutex);
                m_owner.m_reports.emplace_back(report.begin(), report.end());
            }
            return m_inner->sendFeatureReport(report);
        }
        HidReadResult readInputReport(std::span<std::uint8_t> buffer) override {
            return m_inner->readInputReport(buffer);
        }
        void cancelRead() override { m_inner->cancelRead(); }

      private:
        RecordingBackend& m_owner;
        std::unique_ptr<HidDevice> m_inner;
    };

    std::unique_ptr<HidDevice> wrap(std::unique_ptr<HidDevice> device) {
        if (!device) return nullptr;
        return std::make_unique<Device>(*this, std::move(device));
    }

    HidBackend& m_inner;
    mutable std::mutex m_mutex;  // guards m_reports
    std::vector<std::vector<std::uint8_t>> m_reports;
};

// The command line has no session pointer speed of its own: it reports the value instead.
class ReportedPointerSpeed : public PointerSpeed {
  public:
    std::optional<int> get() override { return 10; }
    void set(int speed) override { value = speed; }
    std::optional<int> value;
};

}  // namespace

ApplyRun runApply(HidBackend& backend, const std::filesystem::path& configFile,
                  std::optional<std::int32_t> profile) {
    AppState state;
    setProgramDirectory(state, configFile.parent_path());
    state.configFilePath = configFile;
    ProfileStore store(state);
    state.currentConfigIndex = profile.value_or(store.readCurrentConfigIndex(configFile));
    store.loadProfile(configFile, state.currentConfigIndex, false);

    ApplyRun run;
    RecordingBackend recorder(backend);
    run.mousePresent = discoverMouse(state.deviceLink, recorder);
    if (!run.mousePresent) return run;

    ReportedPointerSpeed pointerSpeed;
    NoWindow window;
    NoBlink blink;
    ConfigSender sender(state, store, pointerSpeed, window, blink);
    sender.applyConfiguration();

    run.reports = recorder.reports();
    run.pointerSpeed = pointerSpeed.value;
    if (state.ackReceived == 0) run.confirmSlot = state.pendingConfirmButton;
    return run;
}

void printApplyRun(const ApplyRun& run) {
    for (const auto& report : run.reports) {
        std::string line;
        for (std::size_t i = 0; i < 4 && i < report.size(); ++i) {
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02X", report[i]);
            if (i > 0) line += ' ';
            line += hex;
        }
        std::cout << line << '\n';
    }
    if (run.pointerSpeed) std::cout << "pointer-speed: " << *run.pointerSpeed << '\n';
    if (run.confirmSlot) std::cout << "confirm: slot " << *run.confirmSlot << '\n';
}

std::optional<ApplyOptions> parseApplyOptions(const std::vector<std::string>& args, int& exitCode) {
    CommandLine line(args, {"--config", "--profile"}, {});
    const auto number = line.integer("--profile");
    if (!line.ok()) {
        printError(line.error());
        exitCode = kExitUsage;
        return std::nullopt;
    }
    if (number && (*number < 1 || *number > 5)) {
        printError("option --profile needs a profile number 1..5, not " + std::to_string(*number));
        exitCode = kExitUsage;
        return std::nullopt;
    }
    ApplyOptions options;
    if (const auto file = line.value("--config")) options.configFile = *file;
    if (number) options.profile = static_cast<std::int32_t>(*number);
    if (options.configFile && !std::filesystem::is_regular_file(*options.configFile)) {
        printError("cannot read " + options.configFile->string());
        exitCode = kExitMissingFile;
        return std::nullopt;
    }
    return options;
}

}  // namespace torvane::cli
