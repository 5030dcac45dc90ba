#pragma once

#include <chrono>
#include <stop_token>

namespace torvane {

// Time for the driver engine: the current time and waits until an absolute deadline, so that a
// long macro keeps its timing (each step is due at the start plus the delays before it) and tests
// can run the engine in virtual time.
//
// Called from the engine thread only; an implementation need not be shared between engines.
class DeadlineClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~DeadlineClock() = default;
    // A monotonic time; only differences between two calls mean anything.
    virtual TimePoint now() = 0;
    // Blocks until `deadline` (at once when it has passed) or until a stop is requested through
    // `stop`, whichever comes first. Returns false when it returned because of the stop.
    virtual bool sleepUntil(TimePoint deadline, std::stop_token stop) = 0;
};

// The real clock: std::chrono::steady_clock, with waits that a stop request cuts short.
class SteadyDeadlineClock final : public DeadlineClock {
public:
    TimePoint now() override;
    bool sleepUntil(TimePoint deadline, std::stop_token stop) override;
};

}  // namespace torvane
