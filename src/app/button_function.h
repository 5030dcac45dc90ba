#pragma once

#include <cstdint>
#include <optional>

namespace torvane {

// The function codes a button slot can carry (the int32 stored under K1..K7). Codes not listed
// (7..10, 20, 27..30, above 52, negative) can only come from a hand-edited file.
enum class ButtonFunction : std::int32_t {
    DeviceFunction0 = 0,
    LeftClick = 1,
    RightClick = 2,
    MiddleClick = 3,
    Button4 = 4,
    Button5 = 5,
    DpiCycle = 6,
    DeviceFunction7 = 11,
    DeviceFunction8 = 12,
    DeviceFunction9 = 13,
    DeviceFunction10 = 14,
    DeviceFunction11 = 15,
    DeviceFunction12 = 16,
    DpiUp = 17,
    DpiDown = 18,
    LedToggle = 19,
    DeviceFunction13 = 21,
    DeviceFunction14 = 22,
    DeviceFunction15 = 23,
    DeviceFunction16 = 24,
    DeviceFunction17 = 25,
    Mute = 26,
    Copy = 31,
    Paste = 32,
    SelectAll = 33,
    Undo = 34,
    CloseWindow = 35,
    OpenComputer = 36,
    LockScreen = 37,
    Calculator = 38,
    CommandPrompt = 39,
    NextConfig = 40,
    Macro1 = 41,
    Macro12 = 52,
};

constexpr std::int32_t codeOf(ButtonFunction function) {
    return static_cast<std::int32_t>(function);
}

// Byte 3 of the assign-button command that tells the mouse to report the button to the host.
inline constexpr std::uint8_t kReportToHostDeviceCode = 31;

struct DeviceCode {
    // Byte 3 of the assign-button command; nullopt when the code is not sent at all, so the
    // button keeps its previous assignment in the mouse.
    std::optional<std::uint8_t> deviceCode;
    // DPI step of the slot: 2 cycle (code 6), 1 up (17), -1 down (18), 0 otherwise.
    std::int32_t dpiStep = 0;
};

// The device code and DPI step of a function code.
DeviceCode deviceCodeOf(std::int32_t code);

// Whether the host, not the mouse, performs this code (its device code is 31).
bool isSoftwareFunction(std::int32_t code);

}  // namespace torvane
