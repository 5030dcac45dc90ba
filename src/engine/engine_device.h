#pragma once

#include <cstdint>

namespace torvane {

// The two things the driver engine asks of the mouse. The program adapts its device link to it.
// Called from the engine thread while the UI thread may send reports too; an implementation
// keeps two reports from interleaving. Failures are silent.
class EngineDevice {
public:
    virtual ~EngineDevice() = default;
    // Sends the DPI-and-LED report: DPI stage `level` (0..3) with the applied DPI value of that
    // stage, and LED mode `ledValue` (0..3; 3 is off).
    virtual void sendDpiAndLed(std::int32_t level, std::uint8_t ledValue) = 0;
    // Sends the whole current profile to the mouse and saves it, as the apply button does.
    virtual void applyConfiguration() = 0;
};

}  // namespace torvane
