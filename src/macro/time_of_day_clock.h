#pragma once

#include <cstdint>

namespace torvane {

// The system time of day. Any thread.
class TimeOfDayClock {
  public:
    virtual ~TimeOfDayClock() = default;
    // Milliseconds since midnight UTC, 0..86399999.
    virtual std::int32_t millisecondOfDay() = 0;
};

}  // namespace torvane
