#pragma once

#include "engine/input_injector.h"

namespace torvane {

// Injects input through the Windows input-synthesis calls (keybd_event, mouse_event) and looks
// scan codes up with MapVirtualKeyW. The calls are thread-safe in Windows; any thread may use
// it. Failures are silent.
class Win32Injector final : public InputInjector {
public:
    void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) override;
    void mouseButtonEvent(std::uint32_t flags) override;
    std::uint8_t scanCodeOf(std::uint8_t virtualKey) override;
};

}  // namespace torvane
