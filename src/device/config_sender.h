#pragma once

#include <cstdint>

namespace torvane {

struct AppState;
class AppWindow;
class ConfirmBlink;
class PointerSpeed;
class ProfileStore;
struct ConfigReport;

// Sends the configuration reports on the mouse's write collection. Every send builds its own
// buffer and goes through the write handle, which serialises the sends, so the UI thread and
// the engine thread may both call every member at the same time. A send is skipped when the
// write handle is not open; its result is ignored.
class ConfigSender {
  public:
    ConfigSender(AppState& state, ProfileStore& profiles, PointerSpeed& pointerSpeed,
                 AppWindow& window, ConfirmBlink& blink)
        : m_state(state),
          m_profiles(profiles),
          m_pointerSpeed(pointerSpeed),
          m_window(window),
          m_blink(blink) {}

    // Sends the current profile (seven button assignments, wheel, DPI and LED), saves it, sets
    // the pointer speed and starts the confirmation wait for the first slot handed to the
    // driver.
    void applyConfiguration();
    // DPI stage `level` with its applied value, and LED mode `ledValue`. A level outside 0..3
    // is sent as stage 0 with stage 0's value.
    void sendDpiAndLed(std::int32_t level, std::uint8_t ledValue);
    // 07 20 00 00: the mouse goes back to acting on its own.
    void sendDriverOff();

  private:
    bool send(const ConfigReport& report);

    AppState& m_state;
    ProfileStore& m_profiles;
    PointerSpeed& m_pointerSpeed;
    AppWindow& m_window;
    ConfirmBlink& m_blink;
};

// The pointer speed that a profile's DPI_SPEED sets: 8 is set as 7, others as they are.
constexpr int systemPointerSpeedOf(int pointerSpeed) {
    return pointerSpeed == 8 ? 7 : pointerSpeed;
}

}  // namespace torvane
