#pragma once

#include <array>
#include <cstdint>

namespace torvane {

inline constexpr int kMacroCapacity = 12;       // records in the table
inline constexpr int kMacroEventCapacity = 255;  // event slots of one record
inline constexpr int kMacroNameUnits = 20;       // UTF-16 units of a name, terminator included

// One step: a key or mouse-button code, press or release, and the wait after it.
struct MacroEvent {
    std::uint8_t code = 0;     // virtual-key code 1..239; 240 left, 241 right, 242 middle button
    std::uint8_t action = 0;   // 1 press, 2 release, anything else a pure pause
    std::uint16_t delayMs = 0; // milliseconds to wait after the step
};

struct MacroStep {
    std::uint8_t code = 0;
    std::uint8_t action = 0;
};

// One named macro: a fixed record of 1064 bytes in the file (see macro_file.h for the encoding).
struct Macro {
    std::array<char16_t, kMacroNameUnits> name{};  // UTF-16, NUL-terminated, at most 19 units
    std::uint8_t repeatEnabled = 0;                // 1: play repeatCount times
    std::uint16_t repeatCount = 0;
    std::uint8_t eventCount = 0;                   // events in use, 0..255
    std::array<MacroStep, kMacroEventCapacity> steps{};
    std::array<std::uint16_t, kMacroEventCapacity> delays{};

    bool operator==(const Macro&) const = default;
};

// Size of one record in the macro file: 40 name bytes, repeatEnabled, two repeatCount bytes,
// eventCount, then 255 x (code, action) and 255 x two delay bytes.
inline constexpr int kMacroRecordBytes = 40 + 1 + 2 + 1 + 2 * kMacroEventCapacity +
                                         2 * kMacroEventCapacity;
static_assert(kMacroRecordBytes == 1064);

// The twelve macro records; macros 0..count-1 are in use, the others keep what they last held.
struct MacroTable {
    std::int16_t count = 0;
    std::array<Macro, kMacroCapacity> macros{};
};

}  // namespace torvane
