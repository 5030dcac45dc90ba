#pragma once

#include "device/config_sender.h"
#include "engine/engine_device.h"

namespace torvane {

// The engine's device port over the configuration sender of the device link. The sender
// serialises its reports, so the engine thread may use it beside the UI thread.
class SenderEngineDevice final : public EngineDevice {
public:
    explicit SenderEngineDevice(ConfigSender& sender) : m_sender(sender) {}
    void sendDpiAndLed(std::int32_t level, std::uint8_t ledValue) override {
        m_sender.sendDpiAndLed(level, ledValue);
    }
    void applyConfiguration() override { m_sender.applyConfiguration(); }

private:
    ConfigSender& m_sender;
};

}  // namespace torvane
