#include "engine/macro_playback.h"

#include <array>
#include <chrono>

#include "app/app_state.h"
#include "engine/deadline_clock.h"
#include "engine/input_injector.h"

namespace torvane {

namespace {

constexpr std::uint8_t kStepPress = 1;
constexpr std::uint8_t kStepRelease = 2;
constexpr std::uint8_t kLeftButtonCode = 240;
constexpr std::uint8_t kRightButtonCode = 241;

constexpr std::array<bool, 256> makeExtendedKeys() {
    std::array<bool, 256> keys{};
    for (const int key : {33, 34, 35, 36, 37, 38, 39, 40, 44, 45, 46, 91, 93, 111, 144, 161, 163,
                          165}) {
        keys[static_cast<std::size_t>(key)] = true;
    }
    return keys;
}
constexpr std::array<bool, 256> kExtendedKeys = makeExtendedKeys();

struct MacroHeader {
    std::uint8_t eventCount = 0;
    std::int32_t repetitions = 0;
};

bool stopSeen(const AppState& state, const std::stop_token& stop) {
    return state.stopRequested.load() == 1 || stop.stop_requested();
}

}  // namespace

bool isExtendedKey(std::uint8_t virtualKey) { return kExtendedKeys[virtualKey]; }

std::uint8_t macroScanCode(std::uint8_t virtualKey, InputInjector& injector) {
    switch (virtualKey) {
        case 44: return 0x37;  // Print Screen
        case 19: return 0x45;  // Pause
        case 91: return 0x5B;  // left Windows key
        default: return injector.scanCodeOf(virtualKey);
    }
}

void emitMacroStep(const MacroEvent& event, InputInjector& injector) {
    if (event.action != kStepPress && event.action != kStepRelease) return;
    const bool release = event.action == kStepRelease;
    if (event.code < kLeftButtonCode) {
        std::uint32_t flags = isExtendedKey(event.code) ? kKeyEventExtendedKey : 0;
        if (release) flags |= kKeyEventKeyUp;
        injector.keyEvent(event.code, macroScanCode(event.code, injector), flags);
    } else if (event.code == kLeftButtonCode) {
        injector.mouseButtonEvent(release ? kMouseLeftUp : kMouseLeftDown);
    } else if (event.code == kRightButtonCode) {
        injector.mouseButtonEvent(release ? kMouseRightUp : kMouseRightDown);
    } else {
        injector.mouseButtonEvent(release ? kMouseMiddleUp : kMouseMiddleDown);
    }
}

std::int32_t macroRepetitions(const Macro& macro, std::int32_t macroRepeatWhileHeld) {
    // Any mode other than 0 (a hand-edited MACRO_MODE2 of 2, say) is hold mode, as it is for the
    // listener, which then turns a release into a stop; so such a macro can always be ended.
    if (macroRepeatWhileHeld != 0) return kHeldMacroRepetitions;
    if (macro.repeatEnabled == 0) return 1;
    return macro.repeatCount;
}

void playMacro(AppState& state, int m, InputInjector& injector, DeadlineClock& clock,
               std::stop_token stop) {
    if (m < 0 || m >= kMacroCapacity) return;
    const std::int32_t mode = state.config.macroRepeatWhileHeld.load();
    const MacroHeader header = state.macroTable.read([&](const MacroTable& table) {
        const Macro& macro = table.macros[static_cast<std::size_t>(m)];
        return MacroHeader{macro.eventCount, macroRepetitions(macro, mode)};
    });
    if (header.repetitions <= 0) return;

    DeadlineClock::TimePoint deadline = clock.now();
    for (std::int32_t repetition = 0; repetition < header.repetitions; ++repetition) {
        for (int k = 0; k < header.eventCount; ++k) {
            // The UI thread may edit the macro while it plays; each step is copied afresh.
            const std::optional<MacroEvent> event = state.macroTable.event(m, k);
            if (!event) break;
            emitMacroStep(*event, injector);
            deadline += std::chrono::milliseconds(event->delayMs);
            clock.sleepUntil(deadline, stop);
            if (stopSeen(state, stop)) return;
        }
        if (stopSeen(state, stop)) return;
    }
}

}  // namespace torvane
