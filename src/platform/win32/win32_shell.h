#pragma once

#include "engine/shell.h"

namespace torvane {

// The launch and lock functions on Windows: the calculator and the command prompt through
// WinExec, the Computer folder through ShellExecuteW, and LockWorkStation. Failures are silent.
class Win32Shell final : public Shell {
public:
    void openCalculator() override;
    void openCommandPrompt() override;
    void openComputer() override;
    void lockSession() override;
};

}  // namespace torvane
