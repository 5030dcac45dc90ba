#pragma once

#include <cstdint>
#include <optional>

#include "app/app_window.h"
#include "app/pointer_speed.h"
#include "device/confirm_blink.h"
#include "engine/input_injector.h"
#include "engine/shell.h"

namespace torvane {

// Ports that do nothing, for the programs and tools that run the core without a window, a
// desktop or a pointer of their own (the headless driver, the command-line tool, benchmarks).

class NoWindow : public AppWindow {
public:
    void requestRepaint() override {}
    void destroy() override {}
};

class NoPointerSpeed : public PointerSpeed {
public:
    std::optional<int> get() override { return std::nullopt; }
    void set(int) override {}
};

class NoBlink : public ConfirmBlink {
public:
    void start() override {}
};

class NoShell : public Shell {
public:
    void openCalculator() override {}
    void openCommandPrompt() override {}
    void openComputer() override {}
    void lockSession() override {}
};

class NoInjector : public InputInjector {
public:
    void keyEvent(std::uint8_t, std::uint8_t, std::uint32_t) override {}
    void mouseButtonEvent(std::uint32_t) override {}
    std::uint8_t scanCodeOf(std::uint8_t) override { return 0; }
};

}  // namespace torvane
