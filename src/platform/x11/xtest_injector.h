#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "engine/input_injector.h"

struct _XDisplay;

namespace torvane {

// The X keysym a Windows virtual-key code stands for, with OEM keys as on the US layout; 0 when
// the key has none.
unsigned long keysymOfVirtualKey(std::uint8_t virtualKey);

// Injects key and mouse-button events into the X server through the XTest extension.
//
// Owns its own display connection; every call takes the injector's guard, so the engine thread
// and the UI thread may both use it. A key whose keysym has no keycode in the current keymap is
// bound to a spare keycode for as long as it is down, and unbound a moment after its release
// (at the next event after kBindingLinger, or when the injector goes), so that every client has
// read the release with the binding still in place. Media keys (mute, volume, playback) act on
// their press alone, so their press is sent as a whole keystroke and their release is dropped.
// Failures are silent.
class XTestInjector final : public InputInjector {
public:
    // Connects to `displayName` (null: $DISPLAY); nullptr when there is no X server or it lacks
    // the XTest extension.
    static std::unique_ptr<XTestInjector> open(const char* displayName = nullptr);
    ~XTestInjector() override;
    XTestInjector(const XTestInjector&) = delete;
    XTestInjector& operator=(const XTestInjector&) = delete;

    void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) override;
    void mouseButtonEvent(std::uint32_t flags) override;
    // The PC scan code of the key, where the X server's keycodes follow the Linux input codes
    // (keycode - 8, for the keys whose Linux code is their scan code); 0 otherwise.
    std::uint8_t scanCodeOf(std::uint8_t virtualKey) override;

    // How long a borrowed keycode keeps its keysym after the key's release.
    static constexpr std::chrono::milliseconds kBindingLinger{200};

private:
    // A spare keycode lent to a keysym the keymap lacks.
    struct Binding {
        unsigned long keysym = 0;
        unsigned int keycode = 0;
        bool held = false;
        std::chrono::steady_clock::time_point releasedAt{};
    };

    explicit XTestInjector(_XDisplay* display);
    unsigned int keycodeForPress(unsigned long keysym);
    unsigned int keycodeForRelease(unsigned long keysym);
    void markReleased(unsigned int keycode);
    void unbind(const Binding& binding);
    // Unbinds the released bindings older than kBindingLinger (all of them when `all`).
    void unbindReleased(bool all);

    std::mutex m_mutex;  // guards the display connection and the bindings below
    _XDisplay* m_display;
    std::vector<Binding> m_bindings;
};

}  // namespace torvane
