#pragma once

#include <cstdint>

namespace torvane {

// Flags of a key event.
inline constexpr std::uint32_t kKeyEventExtendedKey = 0x0001;
inline constexpr std::uint32_t kKeyEventKeyUp = 0x0002;

// Flags of a mouse-button event (one flag per event).
inline constexpr std::uint32_t kMouseLeftDown = 0x0002;
inline constexpr std::uint32_t kMouseLeftUp = 0x0004;
inline constexpr std::uint32_t kMouseRightDown = 0x0008;
inline constexpr std::uint32_t kMouseRightUp = 0x0010;
inline constexpr std::uint32_t kMouseMiddleDown = 0x0020;
inline constexpr std::uint32_t kMouseMiddleUp = 0x0040;

// Synthesised input on the host. Key codes are Windows virtual-key codes; adapters translate them.
// Called from the engine thread (and, for the Alt releases of the close sequence, the UI thread);
// an adapter must allow both. Failures are silent.
class InputInjector {
public:
    virtual ~InputInjector() = default;
    // One key press (flags without kKeyEventKeyUp) or release, with its scan code.
    virtual void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) = 0;
    // One mouse-button event at the current pointer position, no movement.
    virtual void mouseButtonEvent(std::uint32_t flags) = 0;
    // The scan code of a virtual key (low 8 bits), 0 when it has none.
    virtual std::uint8_t scanCodeOf(std::uint8_t virtualKey) = 0;
};

}  // namespace torvane
