#pragma once

#include <atomic>
#include <cstdint>
#include <stop_token>
#include <thread>

namespace torvane {

struct AppState;
class AppWindow;
class DeadlineClock;
class EngineDevice;
class InputInjector;
class ProfileStore;
class Shell;

// Virtual keys the engine presses itself.
inline constexpr std::uint8_t kVkControl = 17;
inline constexpr std::uint8_t kVkMenu = 18;  // Alt
inline constexpr std::uint8_t kVkVolumeMute = 173;

// The worker that performs the button functions that need the host: it takes the press the
// listener handed over in AppState (buttonEventCode, buttonEventPending), finds the button slot
// it belongs to and performs the slot's function: a DPI step, the LED toggle, a key combination,
// a launch, the lock, the next profile or a macro.
//
// Threads: start() runs the loop on a std::jthread owned by the engine; the destructor (or
// stop()) ends and joins it, also in the middle of a macro. While idle the thread blocks on
// state.engineWakeCounter, which the listener bumps through state.wakeEngine(); it costs no
// wake-ups while no button is pressed. The ports are called from that thread only (the window's
// requestRepaint must be thread-safe). All references must outlive the engine.
class DriverEngine {
public:
    DriverEngine(AppState& state, ProfileStore& store, AppWindow& window, EngineDevice& device,
                 InputInjector& injector, Shell& shell, DeadlineClock& clock);
    ~DriverEngine();
    DriverEngine(const DriverEngine&) = delete;
    DriverEngine& operator=(const DriverEngine&) = delete;

    // Starts the engine thread (once; later calls do nothing).
    void start();
    // Ends the engine thread and waits for it. A running macro ends after its current step.
    void stop();

    // The body of the thread: waits for presses and handles them until `stop` is requested.
    void run(std::stop_token stop);

    // One pass of the loop without the wait: handles the pending press if there is one (and
    // returns true); otherwise drops a stop request raised while idle and returns false.
    bool pass(std::stop_token stop = {});

    // Handles the pending press: walks slots 1..7 in order, performs each slot whose event code
    // matches buttonEventCode, then clears buttonEventPending and stopRequested. Presses that
    // arrive meanwhile are not queued; at most they stopped the running action.
    void handlePendingEvent(std::stop_token stop = {});

    // Performs the function of button slot 1..7 (other slots do nothing).
    void handleSlot(int slot, std::stop_token stop = {});

    // Passes of the idle loop so far (each wake-up counts once). For the benchmarks.
    std::uint64_t loopPasses() const { return m_loopPasses.load(std::memory_order_relaxed); }

private:
    void stepDpi(std::int32_t step);
    void toggleLed();
    void nextConfiguration();
    void keyCombination(std::uint8_t modifier, std::uint8_t key, bool pause,
                        const std::stop_token& stop);

    AppState& m_state;
    ProfileStore& m_store;
    AppWindow& m_window;
    EngineDevice& m_device;
    InputInjector& m_injector;
    Shell& m_shell;
    DeadlineClock& m_clock;
    std::atomic<std::uint64_t> m_loopPasses{0};
    std::jthread m_thread;  // last member: it stops before the others go
};

}  // namespace torvane
