// A test program for the end-to-end tests: the driver engine with the XTest injector, fed three
// presses the way the listener hands them over: slot 1 copies (Ctrl+C), slot 2 plays a macro
// that types "ab", slot 3 a macro that clicks the middle button. Further arguments are virtual
// keys that slot 4 then taps one by one through a macro.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "app/app_state.h"
#include "app/app_window.h"
#include "app/button_function.h"
#include "app/null_ports.h"
#include "app/profile_store.h"
#include "engine/deadline_clock.h"
#include "engine/driver_engine.h"
#include "engine/engine_device.h"
#include "engine/shell.h"
#include "platform/x11/xtest_injector.h"

namespace {

using namespace torvane;

class NoDevice : public EngineDevice {
public:
    void sendDpiAndLed(std::int32_t, std::uint8_t) override {}
    void applyConfiguration() override {}
};

void setMacro(AppState& state, int m, std::initializer_list<MacroEvent> events) {
    state.macroTable.edit([&](MacroTable& table) {
        Macro& macro = table.macros[static_cast<std::size_t>(m)];
        macro.eventCount = static_cast<std::uint8_t>(events.size());
        std::size_t k = 0;
        for (const MacroEvent& event : events) {
            macro.steps[k] = {event.code, event.action};
            macro.delays[k] = event.delayMs;
            ++k;
        }
        if (table.count < m + 1) table.count = static_cast<std::int16_t>(m + 1);
    });
}

bool pressAndWait(AppState& state, int hardwareButton) {
    state.buttonEventCode = static_cast<std::uint8_t>(240 + hardwareButton);
    state.buttonEventPending = 1;
    state.wakeEngine();
    for (int i = 0; i < 5000; ++i) {
        if (state.buttonEventPending == 0) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    auto injector = XTestInjector::open();
    if (!injector) {
        std::fprintf(stderr, "inject_client: no X display with XTest\n");
        return 2;
    }
    AppState state;
    state.config.buttonFunction[1] = codeOf(ButtonFunction::Copy);
    state.config.buttonFunction[2] = 41;
    state.config.buttonFunction[3] = 42;
    setMacro(state, 0, {{65, 1, 5}, {65, 2, 5}, {66, 1, 5}, {66, 2, 5}});
    setMacro(state, 1, {{242, 1, 5}, {242, 2, 5}});
    int presses[] = {1, 2, 3};

    ProfileStore store(state);
    NoDevice device;
    NoShell shell;
    NoWindow window;
    SteadyDeadlineClock clock;
    DriverEngine engine(state, store, window, device, *injector, shell, clock);
    engine.start();
    for (const int button : presses) {
        if (!pressAndWait(state, button)) return 1;
    }
    if (argc > 1) {
        state.config.buttonFunction[4] = 43;
        for (int i = 1; i < argc; ++i) {
            const auto key = static_cast<std::uint8_t>(std::atoi(argv[i]));
            setMacro(state, 2, {{key, 1, 5}, {key, 2, 5}});
            if (!pressAndWait(state, kButtonHardwareId[4])) return 1;
        }
    }
    return 0;
}
