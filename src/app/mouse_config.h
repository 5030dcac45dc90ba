#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "app/shared_value.h"

namespace torvane {

inline constexpr int kButtonSlotCount = 7;  // slots 1..7
inline constexpr int kDpiStageCount = 4;    // stages 0..3
inline constexpr int kDpiValueCount = 5;    // value indexes 0..4 per stage

// Hardware number of each button slot; index 0 is unused. Slots 4 and 5 are crossed: slot 4 is
// hardware button 5 and slot 5 is hardware button 4. A press of slot i arrives as 240 + this.
inline constexpr std::array<std::uint8_t, kButtonSlotCount + 1> kButtonHardwareId{0, 1, 2, 3,
                                                                                  5, 4, 6, 9};

// One profile. The engine thread reads it and changes the DPI level, the LED mode and (for the
// next-profile function) the whole record while the UI thread edits it, so every field is a
// SharedValue; copying a MouseConfig takes a field-by-field snapshot.
struct MouseConfig {
    // Function code of button slots 1..7 (keys K1..K7); entry 0 is unused.
    std::array<SharedValue<std::int32_t>, kButtonSlotCount + 1> buttonFunction{};
    SharedValue<std::int32_t> wheelMode{0};             // WHEEL_STATUS, 0 or 1
    SharedValue<std::int32_t> macroRepeatWhileHeld{0};  // MACRO_MODE2, 0 or 1
    SharedValue<std::int32_t> currentDpiLevel{0};       // DPI_LEVEL, 0..3 (see dpiStageOf)
    std::array<SharedValue<std::uint8_t>, kDpiStageCount> dpiSetting{};       // DPI_SETn, 0..4
    std::array<SharedValue<std::uint8_t>, kDpiStageCount> dpiLevelEnabled{};  // DPI_SET_ENn, 0/1
    SharedValue<std::uint8_t> ledMode{0};       // LED_STATUS, 0..3; 3 is off
    SharedValue<std::uint8_t> pointerSpeed{0};  // DPI_SPEED, 8, 9 or 10
};

// Sets the factory profile: buttons 1, 2, 3, 5, 4, 6, 13; wheel 0; stage 0 active; DPI values
// 1, 2, 4, 0; all stages enabled; LED 0. macroRepeatWhileHeld and pointerSpeed are kept.
void resetToFactory(MouseConfig& config);

}  // namespace torvane
