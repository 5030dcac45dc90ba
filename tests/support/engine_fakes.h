#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "app/app_window.h"
#include "engine/deadline_clock.h"
#include "engine/engine_device.h"
#include "engine/input_injector.h"
#include "engine/shell.h"

namespace torvane::test {

// Virtual time for the engine. Time only moves when the engine waits (or a test advances it);
// actions scheduled for a moment run when the time passes it, in the order of their moments
// (ties in the order they were scheduled), with now() at that moment.
class FakeDeadlineClock : public DeadlineClock {
public:
    TimePoint now() override;
    bool sleepUntil(TimePoint deadline, std::stop_token stop) override;

    // Runs `action` when virtual time reaches `at` (milliseconds since the start).
    void at(std::chrono::milliseconds at, std::function<void()> action);
    // Moves the time forward by `step`, running what falls due.
    void advance(std::chrono::nanoseconds step);
    // Runs the next scheduled action, moving time to it; false when none is left.
    bool runNext();
    // Virtual milliseconds since the start.
    std::int64_t elapsedMs();

    std::vector<std::chrono::nanoseconds> sleeps;  // the length of every wait asked for

private:
    struct Scheduled {
        TimePoint at;
        std::function<void()> action;
    };
    void runUntil(TimePoint deadline);

    std::mutex m_mutex;  // guards m_now and m_scheduled
    TimePoint m_now{};
    std::vector<Scheduled> m_scheduled;  // sorted by time
};

// Appends one line per call to a shared log, each starting with the clock's milliseconds.
class EngineLog {
public:
    explicit EngineLog(DeadlineClock& clock) : m_clock(clock) {}
    void add(const std::string& line);
    std::string text();  // every line, each ended by '\n'
    std::vector<std::string> lines();

private:
    DeadlineClock& m_clock;
    std::mutex m_mutex;  // guards m_lines (the engine thread writes, the test reads)
    std::vector<std::string> m_lines;
};

// Logs "key VK down|up ext=0|1 scan=S" and "mouse left|right|middle down|up" (other mouse flags
// as "mouse 0xF"). Scan codes are the virtual key + 0x10. Each call can cost virtual time.
class LoggingInjector : public InputInjector {
public:
    LoggingInjector(EngineLog& log, FakeDeadlineClock* clock = nullptr) : m_log(log), m_clock(clock) {}
    void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) override;
    void mouseButtonEvent(std::uint32_t flags) override;
    std::uint8_t scanCodeOf(std::uint8_t virtualKey) override;
    std::chrono::nanoseconds costPerEvent{0};  // virtual time each injection takes

private:
    EngineLog& m_log;
    FakeDeadlineClock* m_clock;
};

// Logs "dpi-led LEVEL VALUE" and "apply".
class LoggingEngineDevice : public EngineDevice {
public:
    explicit LoggingEngineDevice(EngineLog& log) : m_log(log) {}
    void sendDpiAndLed(std::int32_t level, std::uint8_t ledValue) override;
    void applyConfiguration() override;

private:
    EngineLog& m_log;
};

// Logs "launch calculator|terminal|computer" and "lock".
class LoggingShell : public Shell {
public:
    explicit LoggingShell(EngineLog& log) : m_log(log) {}
    void openCalculator() override { m_log.add("launch calculator"); }
    void openCommandPrompt() override { m_log.add("launch terminal"); }
    void openComputer() override { m_log.add("launch computer"); }
    void lockSession() override { m_log.add("lock"); }

private:
    EngineLog& m_log;
};

// Logs "repaint".
class LoggingWindow : public AppWindow {
public:
    explicit LoggingWindow(EngineLog& log) : m_log(log) {}
    void requestRepaint() override { m_log.add("repaint"); }
    void destroy() override { m_log.add("destroy"); }

private:
    EngineLog& m_log;
};

}  // namespace torvane::test
