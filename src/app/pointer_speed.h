#pragma once

#include <optional>

namespace torvane {

// The system pointer speed of the user's session (1..20, 10 the default).
class PointerSpeed {
public:
    virtual ~PointerSpeed() = default;
    // The current speed, or nullopt when it cannot be read.
    virtual std::optional<int> get() = 0;
    // Sets the speed, saved for the user and announced to other programs.
    virtual void set(int speed) = 0;
};

}  // namespace torvane
