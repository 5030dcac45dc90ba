#pragma once

#include <optional>

#include "app/pointer_speed.h"
#include "engine/input_injector.h"
#include "engine/shell.h"

namespace torvane {

// The pointer speed where the session offers none to change (no X display): nothing to read,
// so nothing is set.
class UnavailablePointerSpeed : public PointerSpeed {
  public:
    std::optional<int> get() override { return std::nullopt; }
    void set(int) override {}
};

// Input injection where the platform offers none: every event is dropped.
class DroppingInjector : public InputInjector {
  public:
    void keyEvent(std::uint8_t, std::uint8_t, std::uint32_t) override {}
    void mouseButtonEvent(std::uint32_t) override {}
    std::uint8_t scanCodeOf(std::uint8_t) override { return 0; }
};

// Desktop services where the platform offers none: launches and the lock do nothing.
class UnavailableShell : public Shell {
  public:
    void openCalculator() override {}
    void openCommandPrompt() override {}
    void openComputer() override {}
    void lockSession() override {}
};

}  // namespace torvane
