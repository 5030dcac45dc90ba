#include "engine/deadline_clock.h"

#include <condition_variable>
#include <mutex>

namespace torvane {

DeadlineClock::TimePoint SteadyDeadlineClock::now() { return std::chrono::steady_clock::now(); }

bool SteadyDeadlineClock::sleepUntil(TimePoint deadline, std::stop_token stop) {
    if (stop.stop_requested()) return false;
    if (std::chrono::steady_clock::now() >= deadline) return true;
    // A condition variable that nobody notifies: the stop token's callback wakes it, the
    // deadline ends it otherwise. Both are local, so each wait costs nothing while idle.
    std::mutex mutex;
    std::condition_variable_any wakeUp;
    std::unique_lock lock(mutex);
    const bool stopped = wakeUp.wait_until(lock, stop, deadline, [] { return false; });
    return !stopped && !stop.stop_requested();
}

}  // namespace torvane
