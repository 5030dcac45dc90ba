#include "engine/driver_engine.h"

#include <chrono>

#include "app/app_state.h"
#include "app/app_window.h"
#include "app/button_function.h"
#include "app/profile_store.h"
#include "app/stored_index.h"
#include "engine/deadline_clock.h"
#include "engine/engine_device.h"
#include "engine/input_injector.h"
#include "engine/macro_playback.h"
#include "engine/shell.h"

namespace torvane {

namespace {

constexpr std::int32_t kFirstMacroCode = codeOf(ButtonFunction::Macro1);
constexpr std::uint8_t kLedOff = 3;
constexpr std::int32_t kProfileCount = 5;
constexpr auto kCtrlCombinationPause = std::chrono::milliseconds(20);

constexpr std::uint8_t kVkA = 65;
constexpr std::uint8_t kVkC = 67;
constexpr std::uint8_t kVkV = 86;
constexpr std::uint8_t kVkZ = 90;
constexpr std::uint8_t kVkF4 = 115;

std::uint8_t eventCodeOfSlot(int slot) {
    return static_cast<std::uint8_t>(240 + kButtonHardwareId[static_cast<std::size_t>(slot)]);
}

}  // namespace

DriverEngine::DriverEngine(AppState& state, ProfileStore& store, AppWindow& window,
                           EngineDevice& device, InputInjector& injector, Shell& shell,
                           DeadlineClock& clock)
    : m_state(state),
      m_store(store),
      m_window(window),
      m_device(device),
      m_injector(injector),
      m_shell(shell),
      m_clock(clock) {}

DriverEngine::~DriverEngine() { stop(); }

void DriverEngine::start() {
    if (m_thread.joinable()) return;
    m_thread = std::jthread([this](std::stop_token stop) { run(stop); });
}

void DriverEngine::stop() {
    if (!m_thread.joinable()) return;
    m_thread.request_stop();
    m_state.wakeEngine();  // the idle wait only ends on a change of the counter
    m_thread.join();
}

void DriverEngine::run(std::stop_token stop) {
    while (!stop.stop_requested()) {
        m_loopPasses.fetch_add(1, std::memory_order_relaxed);
        // Read the counter before the flags: a change after this read ends the wait at once.
        const std::uint32_t seen = m_state.engineWakeCounter.load();
        if (!pass(stop)) m_state.engineWakeCounter.wait(seen);
    }
}

bool DriverEngine::pass(std::stop_token stop) {
    if (m_state.buttonEventPending.load() == 0) {
        // A stop raised while nothing plays belongs to no action; dropping it here keeps it from
        // cutting the next one short.
        m_state.stopRequested.store(0);
        return false;
    }
    handlePendingEvent(stop);
    return true;
}

void DriverEngine::handlePendingEvent(std::stop_token stop) {
    for (int slot = 1; slot <= kButtonSlotCount; ++slot) {
        if (m_state.buttonEventCode.load() == eventCodeOfSlot(slot)) handleSlot(slot, stop);
    }
    m_state.buttonEventPending.store(0);
    m_state.stopRequested.store(0);
}

void DriverEngine::handleSlot(int slot, std::stop_token stop) {
    if (slot < 1 || slot > kButtonSlotCount) return;
    const auto index = static_cast<std::size_t>(slot);
    if (const std::int32_t step = m_state.dpiButtonStep[index].load(); step != 0) {
        stepDpi(step);
        return;
    }
    const std::int32_t code = m_state.config.buttonFunction[index].load();
    const std::int64_t macro = static_cast<std::int64_t>(code) - kFirstMacroCode;
    if (macro >= 0 && macro < m_state.macroTable.count()) {
        playMacro(m_state, static_cast<int>(macro), m_injector, m_clock, stop);
        return;
    }
    switch (static_cast<ButtonFunction>(code)) {
        case ButtonFunction::LedToggle: toggleLed(); break;
        case ButtonFunction::Mute: m_injector.keyEvent(kVkVolumeMute, 0, 0); break;
        case ButtonFunction::Copy: keyCombination(kVkControl, kVkC, true, stop); break;
        case ButtonFunction::Paste: keyCombination(kVkControl, kVkV, true, stop); break;
        case ButtonFunction::SelectAll: keyCombination(kVkControl, kVkA, true, stop); break;
        case ButtonFunction::Undo: keyCombination(kVkControl, kVkZ, true, stop); break;
        case ButtonFunction::CloseWindow: keyCombination(kVkMenu, kVkF4, false, stop); break;
        case ButtonFunction::OpenComputer: m_shell.openComputer(); break;
        case ButtonFunction::LockScreen: m_shell.lockSession(); break;
        case ButtonFunction::Calculator: m_shell.openCalculator(); break;
        case ButtonFunction::CommandPrompt: m_shell.openCommandPrompt(); break;
        case ButtonFunction::NextConfig: nextConfiguration(); break;
        default: break;
    }
}

void DriverEngine::keyCombination(std::uint8_t modifier, std::uint8_t key, bool pause,
                                  const std::stop_token& stop) {
    m_injector.keyEvent(modifier, 0, 0);
    m_injector.keyEvent(key, m_injector.scanCodeOf(key), 0);
    // The pause is not cut short by a stop request: a further press never interrupts the
    // combination. Only the end of the engine does, and the releases still follow.
    if (pause) m_clock.sleepUntil(m_clock.now() + kCtrlCombinationPause, stop);
    m_injector.keyEvent(key, m_injector.scanCodeOf(key), kKeyEventKeyUp);
    m_injector.keyEvent(modifier, 0, kKeyEventKeyUp);
}

void DriverEngine::stepDpi(std::int32_t step) {
    MouseConfig& config = m_state.config;
    // A level outside 0..3 (a hand-edited profile) steps from stage 0; the result is a stage.
    const int from = static_cast<int>(dpiStageOf(config.currentDpiLevel.load()));
    const auto enabled = [&](int stage) {
        return config.dpiLevelEnabled[static_cast<std::size_t>(stage)].load() == 1;
    };
    int level = from;
    if (step < 0) {
        for (int stage = from - 1; stage >= 0; --stage) {
            if (enabled(stage)) {
                level = stage;
                break;
            }
        }
    } else if (step == 1) {
        for (int stage = from + 1; stage < kDpiStageCount; ++stage) {
            if (enabled(stage)) {
                level = stage;
                break;
            }
        }
    } else {
        // Cycle: at most one round, so a profile with no enabled stage keeps its level.
        for (int i = 1; i <= kDpiStageCount; ++i) {
            const int stage = (from + i) % kDpiStageCount;
            if (enabled(stage)) {
                level = stage;
                break;
            }
        }
    }
    config.currentDpiLevel = level;
    m_device.sendDpiAndLed(level, m_state.appliedLedMode.load());
    m_window.requestRepaint();
    m_store.writeDpiLevel(m_state.configFilePath, m_state.currentConfigIndex.load());
}

void DriverEngine::toggleLed() {
    const std::uint8_t mode = m_state.config.ledMode.load() == kLedOff ? 0 : kLedOff;
    m_state.config.ledMode = mode;
    m_state.appliedLedMode = mode;
    const auto level = static_cast<std::int32_t>(dpiStageOf(m_state.config.currentDpiLevel.load()));
    m_device.sendDpiAndLed(level, mode);
    m_window.requestRepaint();
    m_store.writeLedStatus(m_state.configFilePath, m_state.currentConfigIndex.load());
}

void DriverEngine::nextConfiguration() {
    const std::int32_t current = m_state.currentConfigIndex.load();
    // 1 -> 2 -> ... -> 5 -> 1; a number outside 1..5 from a hand-edited file starts over at 1.
    const std::int32_t next = (current >= 1 && current < kProfileCount) ? current + 1 : 1;
    m_state.currentConfigIndex = next;
    m_store.loadProfile(m_state.configFilePath, next, false);
    m_device.applyConfiguration();
    m_window.requestRepaint();
}

}  // namespace torvane
