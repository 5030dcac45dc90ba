#pragma once

#include <cstdint>

namespace torvane {

// The kinds of key message, with the codes the window's message filter sees.
enum class KeyMessageKind : std::uint32_t {
    KeyDown = 256,
    KeyUp = 257,
    SystemKeyDown = 260,  // a key pressed with Alt held, or F10
    SystemKeyUp = 261,
};

// Receives the captured key events. Called on the UI thread only, one event at a time, in the
// order the keys were pressed and released.
class KeyEventSink {
  public:
    virtual ~KeyEventSink() = default;
    // One key event with its virtual-key code (1..254).
    virtual void keyEvent(KeyMessageKind kind, std::uint32_t virtualKey) = 0;
};

// The system-wide keyboard capture used while a macro is recorded: while it runs, every key event
// of the system, also synthesised ones, is withheld from all programs (this one included) and
// handed once to the sink instead. UI thread only.
class KeyboardCapture {
  public:
    virtual ~KeyboardCapture() = default;
    // Starts the capture; the sink must outlive it. False when it cannot start (no event will
    // then arrive).
    virtual bool start(KeyEventSink& sink) = 0;
    // Ends the capture; no event reaches the sink after it returns.
    virtual void stop() = 0;
};

}  // namespace torvane
