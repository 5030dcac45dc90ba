// A test client for the end-to-end tests: a window over the whole screen that takes the input
// focus and prints every key and mouse-button event it receives, one line each:
//   key KEYSYM down|up [shift] [ctrl] [alt]     (modifiers held before the event)
//   button N down|up
// It prints "ready" once it has the focus and ends after the given number of seconds.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void printKey(XKeyEvent& event, bool down) {
    KeySym keysym = NoSymbol;
    char text[16];
    XLookupString(&event, text, sizeof text, &keysym, nullptr);
    // The keysym without the Shift level, so "a" stays "a" whatever is held.
    const KeySym base = XLookupKeysym(&event, 0);
    const char* name = XKeysymToString(base != NoSymbol ? base : keysym);
    std::string line = std::string("key ") + (name != nullptr ? name : "?") + (down ? " down" : " up");
    if (event.state & ShiftMask) line += " shift";
    if (event.state & ControlMask) line += " ctrl";
    if (event.state & Mod1Mask) line += " alt";
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 20;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "input_observer_client: no display\n");
        return 2;
    }
    const int screen = DefaultScreen(display);
    XSetWindowAttributes attributes{};
    attributes.event_mask = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                            StructureNotifyMask;
    const Window window = XCreateWindow(
        display, RootWindow(display, screen), 0, 0,
        static_cast<unsigned>(DisplayWidth(display, screen)),
        static_cast<unsigned>(DisplayHeight(display, screen)), 0, CopyFromParent, InputOutput,
        CopyFromParent, CWEventMask, &attributes);
    XMapRaised(display, window);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify) break;
    }
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XWarpPointer(display, None, window, 0, 0, 0, 0, 10, 10);
    XSync(display, False);
    std::printf("ready\n");
    std::fflush(stdout);

    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    const int fd = ConnectionNumber(display);
    while (std::chrono::steady_clock::now() < end) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            switch (event.type) {
                case KeyPress: printKey(event.xkey, true); break;
                case KeyRelease: printKey(event.xkey, false); break;
                case ButtonPress:
                case ButtonRelease:
                    std::printf("button %u %s\n", event.xbutton.button,
                                event.type == ButtonPress ? "down" : "up");
                    std::fflush(stdout);
                    break;
                case MappingNotify: XRefreshKeyboardMapping(&event.xmapping); break;
                default: break;
            }
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        timeval timeout{0, 100000};
        select(fd + 1, &readable, nullptr, nullptr, &timeout);
    }
    XCloseDisplay(display);
    return 0;
}
