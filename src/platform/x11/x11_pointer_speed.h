#pragma once

#include <memory>
#include <optional>

#include "app/pointer_speed.h"

namespace torvane {

// The pointer speed of the X session, as the server's pointer acceleration: speed s (1..20) is
// the acceleration s/10, so 10 moves the pointer as the mouse moves, 20 twice as fast. The
// threshold is left as the user set it. Opens its own connection to the display; UI thread only.
class X11PointerSpeed : public PointerSpeed {
  public:
    // nullptr when no X display can be opened.
    static std::unique_ptr<X11PointerSpeed> open();
    ~X11PointerSpeed() override;

    std::optional<int> get() override;
    void set(int speed) override;

  private:
    struct Connection;
    explicit X11PointerSpeed(std::unique_ptr<Connection> connection);
    std::unique_ptr<Connection> m_connection;
};

// The speed an acceleration of numerator/denominator stands for, rounded and kept to 1..20;
// nullopt for a zero or negative denominator.
std::optional<int> pointerSpeedFromAcceleration(int numerator, int denominator);

inline constexpr int kPointerSpeedMin = 1;
inline constexpr int kPointerSpeedMax = 20;
// Speed s is the acceleration s / kPointerSpeedDenominator.
inline constexpr int kPointerSpeedDenominator = 10;

}  // namespace torvane
