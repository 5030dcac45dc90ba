// Figures of the driver engine with the device listener over the virtual mouse:
//   - press-to-injection latency (virtual-mouse press to the injector call), p50 and p99;
//   - idle wake-ups per second of the listener and engine threads together;
//   - timing drift of a 100-step macro with 10 ms delays, against relative sleeps.
// Goals: p99 under 200 us, 0 idle wake-ups per second, drift under 1 ms.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "app/app_state.h"
#include "app/app_window.h"
#include "app/button_function.h"
#include "app/null_ports.h"
#include "app/pointer_speed.h"
#include "app/profile_store.h"
#include "device/config_sender.h"
#include "device/confirm_blink.h"
#include "device/device_listener.h"
#include "device/mouse_discovery.h"
#include "device/virtual_mouse.h"
#include "engine/deadline_clock.h"
#include "engine/driver_engine.h"
#include "engine/input_injector.h"
#include "engine/macro_playback.h"
#include "engine/sender_engine_device.h"
#include "engine/shell.h"

namespace {

using namespace torvane;
using SteadyClock = std::chrono::steady_clock;
using namespace std::chrono_literals;

class StampingInjector : public InputInjector {
public:
    void keyEvent(std::uint8_t, std::uint8_t, std::uint32_t) override {
        last.store(SteadyClock::now().time_since_epoch().count());
        count.fetch_add(1);
    }
    void mouseButtonEvent(std::uint32_t) override {}
    std::uint8_t scanCodeOf(std::uint8_t) override { return 0; }
    std::atomic<SteadyClock::rep> last{0};
    std::atomic<int> count{0};
};

// Context switches of every thread of this process but the calling one.
long long otherThreadSwitches() {
    const std::string self = std::to_string(gettid());
    long long total = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        if (task.path().filename() == self) continue;
        std::ifstream status(task.path() / "status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("voluntary_ctxt_switches:", 0) == 0 ||
                line.rfind("nonvoluntary_ctxt_switches:", 0) == 0) {
                total += std::stoll(line.substr(line.find(':') + 1));
            }
        }
    }
    return total;
}

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

void benchLatencyAndIdle() {
    const auto folder = std::filesystem::temp_directory_path() / "torvane-engine-bench";
    std::filesystem::create_directories(folder);
    AppState state;
    setProgramDirectory(state, folder);
    state.currentConfigIndex = 1;
    resetToFactory(state.config);
    state.config.buttonFunction[1] = codeOf(ButtonFunction::Mute);  // one key event per press

    ProfileStore store(state);
    NoWindow window;
    NoPointerSpeed speed;
    NoBlink blink;
    ConfigSender sender(state, store, speed, window, blink);
    SenderEngineDevice device(sender);
    StampingInjector injector;
    NoShell shell;
    SteadyDeadlineClock clock;
    VirtualMouse mouse;

    DeviceListener listener(state, window, nullptr);
    DriverEngine engine(state, store, window, device, injector, shell, clock);
    listener.start();
    engine.start();
    discoverMouse(state.deviceLink, mouse);
    sender.applyConfiguration();
    mouse.press(1);  // the first press confirms the assignment
    mouse.release();
    for (int i = 0; i < 2000 && state.ackReceived == 0; ++i) std::this_thread::sleep_for(1ms);

    constexpr int kPresses = 1000;
    std::vector<double> latencies;
    latencies.reserve(kPresses);
    for (int i = 0; i < kPresses; ++i) {
        const int before = injector.count.load();
        const auto start = SteadyClock::now();
        mouse.press(1);
        while (injector.count.load() == before) std::this_thread::yield();
        const auto injected = SteadyClock::time_point(SteadyClock::duration(injector.last.load()));
        latencies.push_back(std::chrono::duration<double, std::micro>(injected - start).count());
        while (state.buttonEventPending != 0) std::this_thread::yield();
        mouse.release();
        // Past the listener's pauses after the press's and the release's report: a press that
        // comes during such a pause waits for its end, which is not the engine's latency.
        std::this_thread::sleep_for(6ms);
    }
    std::printf("press-to-injection latency over %d presses: p50 %.1f us, p99 %.1f us, max %.1f us"
                " (goal: p99 < 200 us)\n",
                kPresses, percentile(latencies, 0.5), percentile(latencies, 0.99),
                *std::max_element(latencies.begin(), latencies.end()));

    std::this_thread::sleep_for(100ms);
    const auto passes = engine.loopPasses();
    const long long switches = otherThreadSwitches();
    constexpr double kIdleSeconds = 3.0;
    std::this_thread::sleep_for(std::chrono::duration<double>(kIdleSeconds));
    const double perSecond = static_cast<double>(otherThreadSwitches() - switches) / kIdleSeconds;
    std::printf("idle wake-ups per second, listener and engine threads: %.2f (engine loop passes:"
                " %llu) (goal: 0)\n",
                perSecond, static_cast<unsigned long long>(engine.loopPasses() - passes));
    engine.stop();
    listener.stop();
    std::filesystem::remove_all(folder);
}

// Records the time of every key event into a buffer reserved beforehand.
class TimelineInjector : public InputInjector {
public:
    explicit TimelineInjector(std::size_t capacity) { times.reserve(capacity); }
    void keyEvent(std::uint8_t, std::uint8_t, std::uint32_t) override {
        times.push_back(SteadyClock::now());
    }
    void mouseButtonEvent(std::uint32_t) override {}
    std::uint8_t scanCodeOf(std::uint8_t) override { return 0; }
    std::vector<SteadyClock::time_point> times;
};

void benchDrift() {
    constexpr int kSteps = 100;
    constexpr auto kDelay = 10ms;
    constexpr auto kNominal = kSteps * kDelay;

    AppState state;
    state.macroTable.edit([&](MacroTable& table) {
        table.count = 1;
        table.macros[0].eventCount = kSteps;
        for (int k = 0; k < kSteps; ++k) {
            table.macros[0].steps[static_cast<std::size_t>(k)] = {65, k % 2 == 0 ? std::uint8_t{1}
                                                                               : std::uint8_t{2}};
            table.macros[0].delays[static_cast<std::size_t>(k)] = kDelay.count();
        }
    });
    SteadyDeadlineClock clock;
    const auto ms = [](auto duration) {
        return std::chrono::duration<double, std::milli>(duration).count();
    };
    // How late the last step came against start + 99 delays, and the whole run against 100.
    const auto report = [&](const char* name, SteadyClock::time_point start,
                            SteadyClock::time_point end, const TimelineInjector& timeline) {
        const auto lastNominal = start + (kSteps - 1) * kDelay;
        std::printf("  %-16s last step late by %7.3f ms, whole run off by %7.3f ms\n", name,
                    ms(timeline.times.back() - lastNominal), ms(end - start - kNominal));
    };

    TimelineInjector macro(kSteps);
    const auto macroStart = SteadyClock::now();
    playMacro(state, 0, macro, clock);
    const auto macroEnd = SteadyClock::now();

    TimelineInjector relative(kSteps);
    const auto relativeStart = SteadyClock::now();
    for (int k = 0; k < kSteps; ++k) {
        relative.keyEvent(65, 0, 0);
        std::this_thread::sleep_for(kDelay);
    }
    const auto relativeEnd = SteadyClock::now();

    std::printf("drift of a %d-step macro with %lld ms delays (goal: < 1 ms):\n", kSteps,
                static_cast<long long>(kDelay.count()));
    report("playMacro:", macroStart, macroEnd, macro);
    report("relative sleeps:", relativeStart, relativeEnd, relative);
}

}  // namespace

int main() {
    double load[1] = {0};
    if (getloadavg(load, 1) == 1) {
        std::printf("(load average %.2f on %u hardware threads)\n", load[0],
                    std::thread::hardware_concurrency());
    }
    benchLatencyAndIdle();
    benchDrift();
    return 0;
}
