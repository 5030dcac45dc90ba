#pragma once

#include <cstdint>
#include <string>

namespace torvane {

// The display name of a key code of a macro step: "A".."Z", "0".."9", the names of the other
// virtual keys ("RETURN", "F1", "NUMPAD0", ...), "Left_Key", "Right_Key", "Middle_Key" for the
// mouse buttons, and "不可录制" for a code without a name (it is still stored and played).
std::u16string keyName(std::uint8_t code);

}  // namespace torvane
