#include "platform/win32/win32_shell.h"

#include <windows.h>
// shellapi.h needs windows.h before it.
#include <shellapi.h>

namespace torvane {

void Win32Shell::openCalculator() { WinExec("calc.exe", SW_SHOW); }

void Win32Shell::openCommandPrompt() { WinExec("cmd.exe", SW_SHOW); }

void Win32Shell::openComputer() {
    ShellExecuteW(nullptr, nullptr, L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", nullptr, nullptr,
                  SW_SHOWNORMAL);
}

void Win32Shell::lockSession() { LockWorkStation(); }

}  // namespace torvane
