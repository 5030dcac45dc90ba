#include "platform/win32/win32_injector.h"

#include <windows.h>

namespace torvane {

// Our flag values are the platform's own; keep them so.
static_assert(kKeyEventExtendedKey == KEYEVENTF_EXTENDEDKEY);
static_assert(kKeyEventKeyUp == KEYEVENTF_KEYUP);
static_assert(kMouseLeftDown == MOUSEEVENTF_LEFTDOWN && kMouseLeftUp == MOUSEEVENTF_LEFTUP);
static_assert(kMouseRightDown == MOUSEEVENTF_RIGHTDOWN && kMouseRightUp == MOUSEEVENTF_RIGHTUP);
static_assert(kMouseMiddleDown == MOUSEEVENTF_MIDDLEDOWN &&
              kMouseMiddleUp == MOUSEEVENTF_MIDDLEUP);

void Win32Injector::keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) {
    keybd_event(virtualKey, scanCode, flags, 0);
}

void Win32Injector::mouseButtonEvent(std::uint32_t flags) { mouse_event(flags, 0, 0, 0, 0); }

std::uint8_t Win32Injector::scanCodeOf(std::uint8_t virtualKey) {
    return static_cast<std::uint8_t>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC) & 0xFF);
}

}  // namespace torvane
