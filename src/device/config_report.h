#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace torvane {

// The configuration feature report sent on the mouse's write collection:
//   byte 0  report id, always 7
//   byte 1  command (assign button, wheel, DPI and LED, driver off)
//   byte 2  argument 1
//   byte 3  argument 2
//   byte 4.. zero
// Every send takes the write collection's feature report length from the start of the buffer.
inline constexpr std::size_t kReportBufferSize = 260;
inline constexpr std::size_t kConfigReportHeaderSize = 4;
inline constexpr std::uint8_t kConfigReportId = 7;

inline constexpr std::uint8_t kCommandAssignButton = 0x10;  // hardware number, device code
inline constexpr std::uint8_t kCommandWheel = 0x11;         // wheel mode, 0
inline constexpr std::uint8_t kCommandDpiAndLed = 0x09;     // DPI stage, value and LED byte
inline constexpr std::uint8_t kCommandDriverOff = 0x20;     // 0, 0

// The mouse's input report that confirms a software assignment: 06 00.
inline constexpr std::uint8_t kConfirmReportId = 6;

// One report in its own buffer, so that senders on different threads never share bytes.
struct ConfigReport {
    std::array<std::uint8_t, kReportBufferSize> bytes{};

    static ConfigReport make(std::uint8_t command, std::uint8_t argument1, std::uint8_t argument2);

    // The first `featureReportLength` bytes, cut to the buffer; empty for a length of 0.
    std::span<const std::uint8_t> wire(std::size_t featureReportLength) const;
};
static_assert(sizeof(ConfigReport) == kReportBufferSize);

// Byte 3 of the DPI-and-LED command: (value index + 8) * 16 + LED mode, kept to 8 bits. Value
// indexes 0..4 give a high nibble of 8..12, the LED mode 0..3 is the low nibble.
constexpr std::uint8_t dpiAndLedByte(std::uint8_t valueIndex, std::uint8_t ledMode) {
    return static_cast<std::uint8_t>((valueIndex + 8) * 16 + ledMode);
}

}  // namespace torvane
