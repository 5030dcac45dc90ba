#include "platform/x11/xtest_injector.h"

#include <X11/XF86keysym.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <array>

namespace torvane {

namespace {

constexpr unsigned long kNoKeysym = 0;

constexpr std::array<unsigned long, 256> makeKeysyms() {
    std::array<unsigned long, 256> map{};
    map[0x08] = XK_BackSpace;
    map[0x09] = XK_Tab;
    map[0x0C] = XK_Clear;
    map[0x0D] = XK_Return;
    map[0x10] = XK_Shift_L;
    map[0x11] = XK_Control_L;
    map[0x12] = XK_Alt_L;
    map[0x13] = XK_Pause;
    map[0x14] = XK_Caps_Lock;
    map[0x1B] = XK_Escape;
    map[0x20] = XK_space;
    map[0x21] = XK_Prior;
    map[0x22] = XK_Next;
    map[0x23] = XK_End;
    map[0x24] = XK_Home;
    map[0x25] = XK_Left;
    map[0x26] = XK_Up;
    map[0x27] = XK_Right;
    map[0x28] = XK_Down;
    map[0x29] = XK_Select;
    map[0x2A] = XK_Print;
    map[0x2B] = XK_Execute;
    map[0x2C] = XK_Print;
    map[0x2D] = XK_Insert;
    map[0x2E] = XK_Delete;
    map[0x2F] = XK_Help;
    for (int i = 0; i < 10; ++i) map[static_cast<std::size_t>(0x30 + i)] = XK_0 + i;
    for (int i = 0; i < 26; ++i) map[static_cast<std::size_t>(0x41 + i)] = XK_a + i;
    map[0x5B] = XK_Super_L;
    map[0x5C] = XK_Super_R;
    map[0x5D] = XK_Menu;
    map[0x5F] = XF86XK_Sleep;
    for (int i = 0; i < 10; ++i) map[static_cast<std::size_t>(0x60 + i)] = XK_KP_0 + i;
    map[0x6A] = XK_KP_Multiply;
    map[0x6B] = XK_KP_Add;
    map[0x6C] = XK_KP_Separator;
    map[0x6D] = XK_KP_Subtract;
    map[0x6E] = XK_KP_Decimal;
    map[0x6F] = XK_KP_Divide;
    for (int i = 0; i < 24; ++i) map[static_cast<std::size_t>(0x70 + i)] = XK_F1 + i;
    map[0x90] = XK_Num_Lock;
    map[0x91] = XK_Scroll_Lock;
    map[0xA0] = XK_Shift_L;
    map[0xA1] = XK_Shift_R;
    map[0xA2] = XK_Control_L;
    map[0xA3] = XK_Control_R;
    map[0xA4] = XK_Alt_L;
    map[0xA5] = XK_Alt_R;
    map[0xA6] = XF86XK_Back;
    map[0xA7] = XF86XK_Forward;
    map[0xA8] = XF86XK_Refresh;
    map[0xA9] = XF86XK_Stop;
    map[0xAA] = XF86XK_Search;
    map[0xAB] = XF86XK_Favorites;
    map[0xAC] = XF86XK_HomePage;
    map[0xAD] = XF86XK_AudioMute;
    map[0xAE] = XF86XK_AudioLowerVolume;
    map[0xAF] = XF86XK_AudioRaiseVolume;
    map[0xB0] = XF86XK_AudioNext;
    map[0xB1] = XF86XK_AudioPrev;
    map[0xB2] = XF86XK_AudioStop;
    map[0xB3] = XF86XK_AudioPlay;
    map[0xB4] = XF86XK_Mail;
    map[0xB5] = XF86XK_AudioMedia;
    map[0xB6] = XF86XK_MyComputer;
    map[0xB7] = XF86XK_Calculator;
    map[0xBA] = XK_semicolon;
    map[0xBB] = XK_equal;
    map[0xBC] = XK_comma;
    map[0xBD] = XK_minus;
    map[0xBE] = XK_period;
    map[0xBF] = XK_slash;
    map[0xC0] = XK_grave;
    map[0xDB] = XK_bracketleft;
    map[0xDC] = XK_backslash;
    map[0xDD] = XK_bracketright;
    map[0xDE] = XK_apostrophe;
    map[0xE2] = XK_less;
    return map;
}
constexpr std::array<unsigned long, 256> kKeysyms = makeKeysyms();

// Keys that act when pressed and are never held: volume, mute and playback.
bool actsOnPress(std::uint8_t virtualKey) { return virtualKey >= 0xAD && virtualKey <= 0xB3; }

// X keycodes of the evdev driver are the Linux input codes + 8; for codes 1..88 those are the
// PC scan codes of set 1.
constexpr unsigned int kEvdevOffset = 8;
constexpr unsigned int kLastScanCodeKey = 88;

}  // namespace

unsigned long keysymOfVirtualKey(std::uint8_t virtualKey) { return kKeysyms[virtualKey]; }

std::unique_ptr<XTestInjector> XTestInjector::open(const char* displayName) {
    Display* display = XOpenDisplay(displayName);
    if (display == nullptr) return nullptr;
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
        XCloseDisplay(display);
        return nullptr;
    }
    // The engine's injections must reach the server even while a grab is active elsewhere.
    XTestGrabControl(display, True);
    return std::unique_ptr<XTestInjector>(new XTestInjector(display));
}

XTestInjector::XTestInjector(_XDisplay* display) : m_display(display) {}

XTestInjector::~XTestInjector() {
    std::lock_guard lock(m_mutex);
    XSync(m_display, False);
    unbindReleased(true);
    XCloseDisplay(m_display);
}

unsigned int XTestInjector::keycodeForPress(unsigned long keysym) {
    for (Binding& binding : m_bindings) {
        if (binding.keysym == keysym) {
            binding.held = true;
            return binding.keycode;
        }
    }
    if (const KeyCode code = XKeysymToKeycode(m_display, keysym); code != 0) return code;

    // Not in the keymap: borrow a keycode that has no keysym, highest first.
    int minKeycode = 0;
    int maxKeycode = 0;
    XDisplayKeycodes(m_display, &minKeycode, &maxKeycode);
    int perKeycode = 0;
    KeySym* mapping = XGetKeyboardMapping(m_display, static_cast<KeyCode>(minKeycode),
                                          maxKeycode - minKeycode + 1, &perKeycode);
    if (mapping == nullptr) return 0;
    unsigned int spare = 0;
    for (int code = maxKeycode; code >= minKeycode && spare == 0; --code) {
        bool empty = true;
        for (int i = 0; i < perKeycode; ++i) {
            if (mapping[(code - minKeycode) * perKeycode + i] != NoSymbol) empty = false;
        }
        if (empty) spare = static_cast<unsigned int>(code);
    }
    XFree(mapping);
    if (spare == 0) {
        // Every spare is lent: take back the one released longest ago.
        auto oldest = m_bindings.end();
        for (auto it = m_bindings.begin(); it != m_bindings.end(); ++it) {
            if (!it->held && (oldest == m_bindings.end() || it->releasedAt < oldest->releasedAt)) {
                oldest = it;
            }
        }
        if (oldest == m_bindings.end()) return 0;
        spare = oldest->keycode;
        m_bindings.erase(oldest);
    }
    KeySym symbols[2] = {static_cast<KeySym>(keysym), static_cast<KeySym>(keysym)};
    XChangeKeyboardMapping(m_display, static_cast<int>(spare), 2, symbols, 1);
    XSync(m_display, False);
    m_bindings.push_back(Binding{keysym, spare, true, {}});
    return spare;
}

unsigned int XTestInjector::keycodeForRelease(unsigned long keysym) {
    for (const Binding& binding : m_bindings) {
        if (binding.keysym == keysym) return binding.keycode;
    }
    return XKeysymToKeycode(m_display, keysym);
}

void XTestInjector::markReleased(unsigned int keycode) {
    for (Binding& binding : m_bindings) {
        if (binding.keycode == keycode) {
            binding.held = false;
            binding.releasedAt = std::chrono::steady_clock::now();
        }
    }
}

void XTestInjector::unbind(const Binding& binding) {
    KeySym none = NoSymbol;
    XChangeKeyboardMapping(m_display, static_cast<int>(binding.keycode), 1, &none, 1);
}

void XTestInjector::unbindReleased(bool all) {
    if (m_bindings.empty()) return;
    const auto now = std::chrono::steady_clock::now();
    bool changed = false;
    for (auto it = m_bindings.begin(); it != m_bindings.end();) {
        if (all || (!it->held && now - it->releasedAt >= kBindingLinger)) {
            unbind(*it);
            it = m_bindings.erase(it);
            changed = true;
        } else {
            ++it;
        }
    }
    if (changed) XFlush(m_display);
}

void XTestInjector::keyEvent(std::uint8_t virtualKey, std::uint8_t /*scanCode*/,
                             std::uint32_t flags) {
    const unsigned long keysym = keysymOfVirtualKey(virtualKey);
    if (keysym == kNoKeysym) return;
    const bool release = (flags & kKeyEventKeyUp) != 0;
    std::lock_guard lock(m_mutex);
    unbindReleased(false);
    if (actsOnPress(virtualKey)) {
        if (release) return;
        const unsigned int code = keycodeForPress(keysym);
        if (code == 0) return;
        XTestFakeKeyEvent(m_display, code, True, CurrentTime);
        XTestFakeKeyEvent(m_display, code, False, CurrentTime);
        XFlush(m_display);
        markReleased(code);
        return;
    }
    const unsigned int code = release ? keycodeForRelease(keysym) : keycodeForPress(keysym);
    if (code == 0) return;
    XTestFakeKeyEvent(m_display, code, release ? False : True, CurrentTime);
    XFlush(m_display);
    if (release) markReleased(code);
}

void XTestInjector::mouseButtonEvent(std::uint32_t flags) {
    unsigned int button = 0;
    bool press = false;
    switch (flags) {
        case kMouseLeftDown: button = 1, press = true; break;
        case kMouseLeftUp: button = 1; break;
        case kMouseMiddleDown: button = 2, press = true; break;
        case kMouseMiddleUp: button = 2; break;
        case kMouseRightDown: button = 3, press = true; break;
        case kMouseRightUp: button = 3; break;
        default: return;
    }
    std::lock_guard lock(m_mutex);
    XTestFakeButtonEvent(m_display, button, press ? True : False, CurrentTime);
    XFlush(m_display);
}

std::uint8_t XTestInjector::scanCodeOf(std::uint8_t virtualKey) {
    const unsigned long keysym = keysymOfVirtualKey(virtualKey);
    if (keysym == kNoKeysym) return 0;
    std::lock_guard lock(m_mutex);
    const unsigned int code = XKeysymToKeycode(m_display, keysym);
    if (code <= kEvdevOffset || code - kEvdevOffset > kLastScanCodeKey) return 0;
    return static_cast<std::uint8_t>(code - kEvdevOffset);
}

}  // namespace torvane
