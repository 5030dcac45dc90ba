#pragma once

#include <array>
#include <cstdint>

#include "macro/keyboard_capture.h"

namespace torvane {

struct AppState;
class AppWindow;
class TimeOfDayClock;

// Records the keys the user types into the macro selected in the macro name list, with the time
// between them, and shows each step at once in the macro event list.
//
// Limits of one recording: 216 steps, 108 press lines, 9 keys held at once. A press beyond the
// press limit, or while 9 keys are held, is not taken, and so its release is not taken either.
// A key-down or key-up identical to the last one handled is an auto-repeat and is dropped; that
// memory lasts across recordings.
//
// UI thread only: the capture delivers its events there.
class MacroRecorder : public KeyEventSink {
  public:
    static constexpr int kMaxSteps = 216;
    static constexpr int kMaxPressLines = 108;
    static constexpr int kMaxHeldKeys = 9;
    static constexpr std::uint16_t kWaitAfterNewestStep = 30;
    static constexpr std::int32_t kMaxWait = 65535;

    MacroRecorder(AppState& state, AppWindow& window, KeyboardCapture& capture,
                  TimeOfDayClock& clock)
        : m_state(state), m_window(window), m_capture(capture), m_clock(clock) {}
    ~MacroRecorder() override;
    MacroRecorder(const MacroRecorder&) = delete;
    MacroRecorder& operator=(const MacroRecorder&) = delete;

    // The record element: starts recording over the selected macro (emptied, its name kept, played
    // once), or stops and fixes the macro's event count. Does nothing without a macro.
    void toggleRecording();

    // The window's message filter for key messages. Takes a step for a key message while
    // recording; returns true when the message is consumed: a key-down of Escape or Enter, and any
    // message whose first parameter is 121 (F10), so that neither closes nor confirms the window.
    bool recordKeyMessage(std::uint32_t message, std::uint64_t firstParameter);

    // The captured events: the filter above, as if the messages had been posted to the window.
    void keyEvent(KeyMessageKind kind, std::uint32_t virtualKey) override;

    // Milliseconds since the previous call, across midnight as well, limited to 65535.
    std::int32_t elapsedMs();

    bool capturing() const { return m_capturing; }
    int recordingMacroIndex() const { return m_recordingMacroIndex; }
    int recordedStepCount() const { return m_recordedStepCount; }
    int heldKeyCount() const { return m_heldKeyCount; }

  private:
    void startRecording(int m);
    void stopRecording();
    void takeKeyMessage(std::uint32_t message, std::uint32_t key);

    AppState& m_state;
    AppWindow& m_window;
    KeyboardCapture& m_capture;
    TimeOfDayClock& m_clock;

    bool m_capturing = false;
    int m_recordingMacroIndex = 0;
    int m_recordedStepCount = 0;
    std::array<std::uint8_t, kMaxHeldKeys> m_heldKeys{};  // pressed and not released, oldest first
    int m_heldKeyCount = 0;
    std::uint32_t m_lastKeyMessage = 0;  // not cleared between recordings
    std::uint32_t m_lastKeyCode = 0;
    std::int32_t m_lastStepTime = 0;  // millisecond of the day of the last elapsedMs call
};

}  // namespace torvane
