#pragma once

namespace torvane {

// Starts the blinking of the awaited button's indicator when a confirmation wait begins. The
// implementation starts at most one blinker (it checks blinkThreadActive itself). Called by
// applyConfiguration on the UI or the engine thread.
class ConfirmBlink {
  public:
    virtual ~ConfirmBlink() = default;
    virtual void start() = 0;
};

}  // namespace torvane
