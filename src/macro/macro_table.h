#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace torvane {

inline constexpr int kMacroCapacity = 12;        // records in the table
inline constexpr int kMacroEventCapacity = 255;  // event slots of one record
inline constexpr int kMacroNameUnits = 20;       // UTF-16 units of a name, terminator included
inline constexpr int kMacroNameMaxLength = kMacroNameUnits - 1;  // units before the terminator
inline constexpr int kMacroStepLimit = 254;  // steps the editing commands let a macro reach

// One step: a key or mouse-button code, press or release, and the wait after it.
struct MacroEvent {
    std::uint8_t code = 0;      // virtual-key code 1..239; 240 left, 241 right, 242 middle button
    std::uint8_t action = 0;    // 1 press, 2 release, anything else a pure pause
    std::uint16_t delayMs = 0;  // milliseconds to wait after the step
    bool operator==(const MacroEvent&) const = default;
};

inline constexpr std::uint8_t kActionPress = 1;
inline constexpr std::uint8_t kActionRelease = 2;
inline constexpr std::uint8_t kCodeLeftButton = 240;
inline constexpr std::uint8_t kCodeRightButton = 241;
inline constexpr std::uint8_t kCodeMiddleButton = 242;

struct MacroStep {
    std::uint8_t code = 0;
    std::uint8_t action = 0;
    bool operator==(const MacroStep&) const = default;
};

// One named macro: a fixed record of 1064 bytes in the file (see macro_file.h for the encoding).
struct Macro {
    std::array<char16_t, kMacroNameUnits> name{};  // UTF-16, NUL-terminated, at most 19 units
    std::uint8_t repeatEnabled = 0;                // 1: play repeatCount times
    std::uint16_t repeatCount = 0;
    std::uint8_t eventCount = 0;  // events in use, 0..255
    std::array<MacroStep, kMacroEventCapacity> steps{};
    std::array<std::uint16_t, kMacroEventCapacity> delays{};

    bool operator==(const Macro&) const = default;

    // The name up to its terminator (all 20 units when a hand-made record has none).
    std::u16string_view nameView() const {
        std::size_t length = 0;
        while (length < name.size() && name[length] != u'\0') ++length;
        return {name.data(), length};
    }

    // Stores `text` cut to its first 19 units, with its terminator. The units after the
    // terminator keep what they held: they are not significant.
    void setName(std::u16string_view text) {
        const std::size_t length = std::min<std::size_t>(text.size(), kMacroNameMaxLength);
        for (std::size_t i = 0; i < length; ++i) name[i] = text[i];
        name[length] = u'\0';
    }

    // Event k (0..254) made of its step and its wait.
    MacroEvent event(std::size_t k) const {
        return MacroEvent{steps[k].code, steps[k].action, delays[k]};
    }
};

// Size of one record in the macro file: 40 name bytes, repeatEnabled, two repeatCount bytes,
// eventCount, then 255 x (code, action) and 255 x two delay bytes.
inline constexpr int kMacroRecordBytes =
    40 + 1 + 2 + 1 + 2 * kMacroEventCapacity + 2 * kMacroEventCapacity;
static_assert(kMacroRecordBytes == 1064);

// The twelve macro records; macros 0..count-1 are in use, the others keep what they last held.
struct MacroTable {
    std::int16_t count = 0;
    std::array<Macro, kMacroCapacity> macros{};
};

}  // namespace torvane
