#include "platform/x11/x11_pointer_speed.h"

#include <X11/Xlib.h>

#include <algorithm>

namespace torvane {

struct X11PointerSpeed::Connection {
    Display* display = nullptr;
    ~Connection() {
        if (display != nullptr) XCloseDisplay(display);
    }
};

std::optional<int> pointerSpeedFromAcceleration(int numerator, int denominator) {
    if (denominator <= 0 || numerator < 0) return std::nullopt;
    const long long scaled = static_cast<long long>(numerator) * kPointerSpeedDenominator;
    const long long speed = (scaled + denominator / 2) / denominator;
    return static_cast<int>(std::clamp<long long>(speed, kPointerSpeedMin, kPointerSpeedMax));
}

std::unique_ptr<X11PointerSpeed> X11PointerSpeed::open() {
    auto connection = std::make_unique<Connection>();
    connection->display = XOpenDisplay(nullptr);
    if (connection->display == nullptr) return nullptr;
    return std::unique_ptr<X11PointerSpeed>(new X11PointerSpeed(std::move(connection)));
}

X11PointerSpeed::X11PointerSpeed(std::unique_ptr<Connection> connection)
    : m_connection(std::move(connection)) {}

X11PointerSpeed::~X11PointerSpeed() = default;

std::optional<int> X11PointerSpeed::get() {
    int numerator = 0;
    int denominator = 0;
    int threshold = 0;
    XGetPointerControl(m_connection->display, &numerator, &denominator, &threshold);
    return pointerSpeedFromAcceleration(numerator, denominator);
}

void X11PointerSpeed::set(int speed) {
    const int clamped = std::clamp(speed, kPointerSpeedMin, kPointerSpeedMax);
    XChangePointerControl(m_connection->display, True, False, clamped, kPointerSpeedDenominator, 0);
    XFlush(m_connection->display);
}

}  // namespace torvane
