#include "device/config_sender.h"

#include "app/app_state.h"
#include "app/app_window.h"
#include "app/button_function.h"
#include "app/pointer_speed.h"
#include "app/profile_store.h"
#include "app/stored_index.h"
#include "device/config_report.h"
#include "device/confirm_blink.h"

namespace torvane {

namespace {
// The profile number applyConfiguration also saves the current profile under.
constexpr std::int32_t kAppliedCopyProfile = 6;
}  // namespace

bool ConfigSender::send(const ConfigReport& report) {
    DeviceHandle& handle = m_state.deviceLink.writeHandle;
    const DeviceHandle::Snapshot snapshot = handle.snapshot();
    if (snapshot.state != HandleState::Open) return false;
    const auto wire = report.wire(snapshot.caps.featureReportLength);
    if (wire.empty()) return false;
    return handle.sendFeatureReport(wire);
}

void ConfigSender::applyConfiguration() {
    AppState& s = m_state;
    s.ackReceived = 1;

    const std::int32_t profile = s.currentConfigIndex;
    m_profiles.saveAppliedProfile(s.configFilePath, profile, kAppliedCopyProfile);

    for (int slot = 1; slot <= kButtonSlotCount; ++slot) {
        const auto index = static_cast<std::size_t>(slot);
        const DeviceCode code = deviceCodeOf(s.config.buttonFunction[index]);
        s.dpiButtonStep[index] = code.dpiStep;
        if (!code.deviceCode) continue;
        send(ConfigReport::make(kCommandAssignButton, kButtonHardwareId[index], *code.deviceCode));
        if (*code.deviceCode == kReportToHostDeviceCode && s.ackReceived == 1) {
            s.ackReceived = 0;
            s.confirmBlinkOn = 1;
            s.pendingConfirmButton = slot;
            if (s.confirmBlinkStarted == 0) {
                s.confirmBlinkStarted = 1;
                m_blink.start();
            }
        }
    }

    send(
        ConfigReport::make(kCommandWheel, static_cast<std::uint8_t>(s.config.wheelMode.load()), 0));

    for (std::size_t stage = 0; stage < kDpiStageCount; ++stage) {
        s.appliedDpiSetting[stage] = s.config.dpiSetting[stage].load();
    }
    s.appliedLedMode = s.config.ledMode.load();
    sendDpiAndLed(s.config.currentDpiLevel, s.appliedLedMode);

    m_window.requestRepaint();

    if (m_pointerSpeed.get()) m_pointerSpeed.set(systemPointerSpeedOf(s.config.pointerSpeed));

    m_profiles.saveProfile(s.configFilePath, profile);
}

void ConfigSender::sendDpiAndLed(std::int32_t level, std::uint8_t ledValue) {
    const std::size_t stage = dpiStageOf(level);
    const std::uint8_t valueIndex = m_state.appliedDpiSetting[stage];
    send(ConfigReport::make(kCommandDpiAndLed, static_cast<std::uint8_t>(stage),
                            dpiAndLedByte(valueIndex, ledValue)));
}

void ConfigSender::sendDriverOff() {
    send(ConfigReport::make(kCommandDriverOff, 0, 0));
}

}  // namespace torvane
