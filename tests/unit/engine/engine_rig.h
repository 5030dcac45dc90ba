#pragma once

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/button_function.h"
#include "app/profile_store.h"
#include "device/device_listener.h"
#include "device/virtual_mouse.h"
#include "engine/driver_engine.h"
#include "support/engine_fakes.h"
#include "support/fakes.h"

namespace torvane::test {

// An engine on virtual time with logging ports, over a copy of the shipped config.ini (profile 1
// loaded), fed presses and releases through the listener's hand-over.
struct EngineRig {
    TempDir dir;
    AppState state;
    FakeDeadlineClock clock;
    EngineLog log{clock};
    LoggingInjector injector{log, &clock};
    LoggingEngineDevice device{log};
    LoggingShell shell{log};
    LoggingWindow window{log};
    ProfileStore store{state};
    DriverEngine engine{state, store, window, device, injector, shell, clock};

    EngineRig() {
        std::filesystem::copy_file(std::filesystem::path(TORVANE_SOURCE_DIR) / "data/config.ini",
                                   dir / "config.ini");
        setProgramDirectory(state, dir.path());
        state.currentConfigIndex = 1;
        store.loadProfile(state.configFilePath, 1, false);
        for (int slot = 1; slot <= kButtonSlotCount; ++slot) {
            setButton(slot, state.config.buttonFunction[static_cast<std::size_t>(slot)]);
        }
    }

    // Gives slot 1..7 a function, with the DPI step an apply would derive from it.
    void setButton(int slot, std::int32_t code) {
        state.config.buttonFunction[static_cast<std::size_t>(slot)] = code;
        state.dpiButtonStep[static_cast<std::size_t>(slot)] = deviceCodeOf(code).dpiStep;
    }

    // Stores macro m (and counts it as in use).
    void setMacro(int m, const std::vector<MacroEvent>& events, std::uint8_t repeatEnabled = 0,
                  std::uint16_t repeatCount = 0) {
        state.macroTable.edit([&](MacroTable& table) {
            Macro& macro = table.macros[static_cast<std::size_t>(m)];
            macro.repeatEnabled = repeatEnabled;
            macro.repeatCount = repeatCount;
            macro.eventCount = static_cast<std::uint8_t>(events.size());
            for (std::size_t k = 0; k < events.size(); ++k) {
                macro.steps[k] = {events[k].code, events[k].action};
                macro.delays[k] = events[k].delayMs;
            }
            table.count = std::max<std::int16_t>(table.count, static_cast<std::int16_t>(m + 1));
        });
    }

    // One button report of the mouse, handed over by the listener (no confirmation awaited).
    void report(std::uint8_t event) {
        const std::array<std::uint8_t, 2> bytes{VirtualMouse::kButtonReportId, event};
        handleDeviceEvent(state, bytes, window);
    }

    // Runs a script of "MS press H" and "MS release" lines (virtual milliseconds, hardware
    // button H) through the listener rules and the engine loop; returns the log.
    std::string run(const std::string& script) {
        std::istringstream in(script);
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream words(line);
            long long ms = 0;
            std::string what;
            int button = 0;
            if (!(words >> ms >> what)) continue;
            if (what == "press") {
                words >> button;
                clock.at(std::chrono::milliseconds(ms),
                         [this, button] { report(static_cast<std::uint8_t>(240 + button)); });
            } else if (what == "release") {
                clock.at(std::chrono::milliseconds(ms), [this] { report(0); });
            } else {
                ADD_FAILURE() << "bad script line: " << line;
            }
        }
        do {
            while (engine.pass()) {
            }
        } while (clock.runNext());
        return log.text();
    }

    std::string profileValue(const std::string& key) {
        const std::string text = readFile(state.configFilePath);
        const auto section = text.find("[Config" + std::to_string(state.currentConfigIndex) + "]");
        const auto at = text.find("\n" + key + "=", section);
        if (section == std::string::npos || at == std::string::npos) return {};
        const auto start = at + key.size() + 2;
        return text.substr(start, text.find_first_of("\r\n", start) - start);
    }
};

}  // namespace torvane::test
