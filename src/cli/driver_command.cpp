// torvane-ctl driver: the software driver without a window.

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "app/app_state.h"
#include "app/app_window.h"
#include "app/button_function.h"
#include "app/message_box.h"
#include "app/null_ports.h"
#include "app/pointer_speed.h"
#include "app/profile_store.h"
#include "app/text.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "device/config_sender.h"
#include "device/confirm_blink.h"
#include "device/device_listener.h"
#include "device/mouse_discovery.h"
#include "device/mouse_removal.h"
#include "device/virtual_mouse.h"
#include "engine/deadline_clock.h"
#include "engine/driver_engine.h"
#include "engine/input_injector.h"
#include "engine/sender_engine_device.h"
#include "engine/shell.h"

#include "macro/macro_file.h"
#if defined(TORVANE_HIDAPI_AVAILABLE)
#include "device/hidapi/hidapi_backend.h"
#endif
#if defined(TORVANE_X11_AVAILABLE)
#include "platform/x11/xtest_injector.h"
#endif
#if defined(TORVANE_LINUX_AVAILABLE)
#include "platform/linux/linux_shell.h"
#endif
#if defined(TORVANE_WIN32_AVAILABLE)
#include "platform/win32/win32_injector.h"
#include "platform/win32/win32_shell.h"
#endif

#if defined(_WIN32)
#include <csignal>
#else
#include <poll.h>
#include <signal.h>
#include <unistd.h>
#endif

namespace torvane::cli {

namespace {

constexpr const char* kUsage =
    "usage: torvane-ctl driver [--config FILE] [--macros FILE] [--virtual]";
constexpr long long kLongestWaitMs = 24LL * 60 * 60 * 1000;

// Lines "MS TEXT" on stdout, MS the milliseconds since the driver started; any thread.
class EffectPrinter {
public:
    void line(const std::string& text) {
        std::lock_guard lock(m_mutex);
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - m_start)
                            .count();
        std::cout << ms << ' ' << text << '\n' << std::flush;
    }

private:
    std::mutex m_mutex;  // keeps lines whole
    const std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

class PrintingInjector : public InputInjector {
public:
    explicit PrintingInjector(EffectPrinter& out) : m_out(out) {}
    void keyEvent(std::uint8_t virtualKey, std::uint8_t, std::uint32_t flags) override {
        m_out.line("key " + std::to_string(virtualKey) +
                   ((flags & kKeyEventKeyUp) ? " up" : " down") +
                   ((flags & kKeyEventExtendedKey) ? " ext=1" : " ext=0"));
    }
    void mouseButtonEvent(std::uint32_t flags) override {
        switch (flags) {
            case kMouseLeftDown: m_out.line("mouse left down"); break;
            case kMouseLeftUp: m_out.line("mouse left up"); break;
            case kMouseRightDown: m_out.line("mouse right down"); break;
            case kMouseRightUp: m_out.line("mouse right up"); break;
            case kMouseMiddleDown: m_out.line("mouse middle down"); break;
            case kMouseMiddleUp: m_out.line("mouse middle up"); break;
            default: break;
        }
    }
    std::uint8_t scanCodeOf(std::uint8_t) override { return 0; }

private:
    EffectPrinter& m_out;
};

class PrintingShell : public Shell {
public:
    explicit PrintingShell(EffectPrinter& out) : m_out(out) {}
    void openCalculator() override { m_out.line("launch calculator"); }
    void openCommandPrompt() override { m_out.line("launch terminal"); }
    void openComputer() override { m_out.line("launch computer"); }
    void lockSession() override { m_out.line("lock"); }

private:
    EffectPrinter& m_out;
};

class StderrMessageBox : public MessageBox {
public:
    void show(const std::u16string& text) override { printError(utf8FromUtf16(text)); }
};

// The end of the run: a signal, the end of input, or the mouse gone.
std::atomic<bool> g_mouseGone{false};

class EndOnRemoval : public MouseRemovalHandler {
public:
    void mouseRemoved() override {
        g_mouseGone = true;
#if defined(_WIN32)
        std::raise(SIGTERM);
#else
        kill(getpid(), SIGTERM);
#endif
    }
};

#if defined(_WIN32)
std::atomic<bool> g_signalled{false};
void onSignal(int) { g_signalled = true; }
void blockEndSignals() {
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
}
void waitForEndSignal() {
    while (!g_signalled) std::this_thread::sleep_for(std::chrono::milliseconds(50));
}
#else
// SIGINT and SIGTERM stay blocked in every thread (the workers inherit the mask); the main
// thread takes them with sigwait or ppoll, so no handler runs at an awkward moment.
sigset_t endSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}
void blockEndSignals() {
    const sigset_t set = endSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}
void waitForEndSignal() {
    const sigset_t set = endSignals();
    int signal = 0;
    while (sigwait(&set, &signal) != 0) {
    }
}

std::atomic<bool> g_signalled{false};
void onSignal(int) { g_signalled = true; }

// Reads stdin line by line; a signal ends the reading as the end of input does.
class StdinLines {
public:
    StdinLines() {
        struct sigaction action {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, nullptr);
        sigaction(SIGTERM, &action, nullptr);
    }

    // The next line, or nullopt at the end of input or on a signal.
    std::optional<std::string> next() {
        for (;;) {
            if (const auto end = m_buffer.find('\n'); end != std::string::npos) {
                std::string line = m_buffer.substr(0, end);
                m_buffer.erase(0, end + 1);
                return line;
            }
            if (m_eof || g_signalled) {
                if (m_eof && !m_buffer.empty() && !g_signalled) {
                    std::string line;
                    line.swap(m_buffer);
                    return line;
                }
                return std::nullopt;
            }
            if (!waitFor(STDIN_FILENO, -1)) continue;
            char chunk[4096];
            const ssize_t got = read(STDIN_FILENO, chunk, sizeof chunk);
            if (got > 0) {
                m_buffer.append(chunk, static_cast<std::size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                m_eof = true;
            }
        }
    }

    // Sleeps `ms` milliseconds; false when a signal cut it short.
    bool sleep(long long ms) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        for (;;) {
            if (g_signalled) return false;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                end - std::chrono::steady_clock::now());
            if (left.count() <= 0) return true;
            waitFor(-1, static_cast<int>(std::min<long long>(left.count(), 1000)));
        }
    }

private:
    // Waits for `fd` (or only the time when fd < 0) with the end signals let through.
    static bool waitFor(int fd, int timeoutMs) {
        pollfd entry{fd, POLLIN, 0};
        sigset_t open;
        pthread_sigmask(SIG_SETMASK, nullptr, &open);
        sigdelset(&open, SIGINT);
        sigdelset(&open, SIGTERM);
        timespec timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000000L};
        const int ready = ppoll(fd >= 0 ? &entry : nullptr, fd >= 0 ? 1 : 0,
                                timeoutMs >= 0 ? &timeout : nullptr, &open);
        return ready > 0;
    }

    std::string m_buffer;
    bool m_eof = false;
};
#endif

std::string reportText(const std::vector<std::uint8_t>& report) {
    std::ostringstream text;
    text << "report";
    for (std::size_t i = 0; i < 4; ++i) {
        const unsigned byte = i < report.size() ? report[i] : 0;
        text << ' ' << std::uppercase << std::hex << std::setw(2) << std::setfill('0') << byte;
    }
    return text.str();
}

void loadMacros(AppState& state, const std::filesystem::path& path) {
    StderrMessageBox messageBox;
    loadMacroFile(state, path, messageBox);
}

// Everything the driver runs on, in the order it is built and torn down.
struct Driver {
    AppState state;
    ProfileStore store{state};
    NoWindow window;
    NoPointerSpeed pointerSpeed;
    NoBlink blink;
    ConfigSender sender{state, store, pointerSpeed, window, blink};
    SenderEngineDevice device{sender};
    SteadyDeadlineClock clock;
    EndOnRemoval removalHandler;
    MouseRemovalMonitor removal{state.deviceLink, removalHandler};
    std::unique_ptr<DeviceListener> listener;
    std::unique_ptr<DriverEngine> engine;

    void start(InputInjector& injector, Shell& shell) {
        listener = std::make_unique<DeviceListener>(state, window, &removal);
        engine = std::make_unique<DriverEngine>(state, store, window, device, injector, shell,
                                                clock);
        listener->start();
        engine->start();
    }
    void stopThreads() {
        engine.reset();
        listener.reset();
    }
};

// A private copy of the files the virtual run may change, removed afterwards.
struct ScratchFolder {
    std::filesystem::path path;
    ScratchFolder() {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path = std::filesystem::temp_directory_path() /
               ("torvane-driver-" + std::to_string(stamp));
        std::filesystem::create_directories(path);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

#if !defined(_WIN32)
int runVirtual(Driver& driver, StdinLines& input) {
    EffectPrinter out;
    VirtualMouse mouse;
    std::mutex printedMutex;
    std::size_t printed = 0;
    mouse.setChangeCallback([&] {
        std::lock_guard lock(printedMutex);
        const auto reports = mouse.receivedReports();
        for (; printed < reports.size(); ++printed) out.line(reportText(reports[printed]));
    });
    PrintingInjector injector(out);
    PrintingShell shell(out);

    AppState& state = driver.state;
    driver.start(injector, shell);
    discoverMouse(state.deviceLink, mouse);
    driver.sender.applyConfiguration();

    int lineNumber = 0;
    while (const auto line = input.next()) {
        ++lineNumber;
        std::istringstream words(*line);
        std::string command;
        if (!(words >> command) || command[0] == '#') continue;
        long long number = 0;
        std::string rest;
        const bool hasNumber = static_cast<bool>(words >> number);
        const bool extra = static_cast<bool>(words >> rest);
        const auto bad = [&](const std::string& why) {
            printError("input line " + std::to_string(lineNumber) + ": " + why);
        };
        if (command == "quit" && !hasNumber && !extra) break;
        if (command == "release" && !hasNumber && !extra) {
            mouse.release();
        } else if (command == "press") {
            if (!hasNumber || extra || number < 0 || number > 255) {
                bad("press needs a hardware button number 0..255");
                continue;
            }
            const auto button = static_cast<std::uint8_t>(number);
            const VirtualMouse::State before = mouse.state();
            const bool confirms = before.awaitingConfirmPress && !before.driverOff &&
                                  before.deviceCode[button] == kReportToHostDeviceCode;
            mouse.press(button);
            if (confirms) {
                for (int i = 0; i < 2000 && state.ackReceived == 0; ++i) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                }
                if (state.ackReceived == 1) out.line("confirmed");
            }
        } else if (command == "wait") {
            if (!hasNumber || extra || number < 0 || number > kLongestWaitMs) {
                bad("wait needs milliseconds 0.." + std::to_string(kLongestWaitMs));
                continue;
            }
            if (!input.sleep(number)) break;
        } else {
            bad("unknown command '" + *line + "' (press H, release, wait MS, quit)");
        }
    }

    driver.stopThreads();
    driver.sender.sendDriverOff();
    mouse.setChangeCallback({});
    return kExitOk;
}
#endif

int runReal(Driver& driver) {
#if defined(TORVANE_HIDAPI_AVAILABLE)
    HidapiBackend backend;
    AppState& state = driver.state;
    if (!discoverMouse(state.deviceLink, backend) ||
        state.deviceLink.writeHandle.state() != HandleState::Open) {
        std::cerr << "请插入【Torvane】USB鼠标\n";
        return kExitNoMouse;
    }
    std::unique_ptr<InputInjector> injector;
    std::unique_ptr<Shell> shell;
#if defined(TORVANE_X11_AVAILABLE)
    injector = XTestInjector::open();
    if (!injector) printError("no X display with XTest: key and mouse functions do nothing");
#elif defined(TORVANE_WIN32_AVAILABLE)
    injector = std::make_unique<Win32Injector>();
#endif
#if defined(TORVANE_LINUX_AVAILABLE)
    shell = std::make_unique<LinuxShell>();
#elif defined(TORVANE_WIN32_AVAILABLE)
    shell = std::make_unique<Win32Shell>();
#endif
    if (!injector) injector = std::make_unique<NoInjector>();
    if (!shell) shell = std::make_unique<NoShell>();

    driver.start(*injector, *shell);
    driver.sender.applyConfiguration();
    std::cerr << "torvane-ctl: driver running with profile " << state.currentConfigIndex.load()
              << "; Ctrl+C ends it\n";
    if (state.ackReceived == 0) {
        std::cerr << "torvane-ctl: press mouse button " << state.pendingConfirmButton.load()
                  << " once to start the driver\n";
    }
    waitForEndSignal();
    driver.stopThreads();
    if (g_mouseGone) {
        printError("the mouse was removed");
        return kExitNoMouse;
    }
    driver.sender.sendDriverOff();
    return kExitOk;
#else
    (void)driver;
    printError("this build has no HID support; use --virtual");
    return kExitNoMouse;
#endif
}

}  // namespace

int runDriverCommand(const CommandContext& context) {
    CommandLine line(context.args, {"--config", "--macros"}, {"--virtual"});
    if (!line.ok()) {
        printError(line.error());
        printError(kUsage);
        return kExitUsage;
    }
    const bool virtualMouse = line.flag("--virtual");

    auto driver = std::make_unique<Driver>();
    AppState& state = driver->state;
    setProgramDirectory(state, context.programDirectory);
    std::filesystem::path configFile = line.value("--config").value_or(state.configFilePath.string());
    std::filesystem::path macroFile = line.value("--macros").value_or(state.macroFilePath.string());
    const bool macrosGiven = line.value("--macros").has_value();

    std::error_code error;
    if (!std::filesystem::is_regular_file(configFile, error)) {
        printError("cannot read the profile file " + configFile.string());
        return kExitMissingFile;
    }
    if (macrosGiven && !std::filesystem::is_regular_file(macroFile, error)) {
        printError("cannot read the macro file " + macroFile.string());
        return kExitMissingFile;
    }

    std::optional<ScratchFolder> scratch;
    if (virtualMouse) {
        // The apply saves the profile: a virtual run works on copies.
        scratch.emplace();
        const auto copy = std::filesystem::copy_options::overwrite_existing;
        std::filesystem::copy_file(configFile, scratch->path / "config.ini", copy, error);
        if (error) {
            printError("cannot copy " + configFile.string() + ": " + error.message());
            return kExitMissingFile;
        }
        configFile = scratch->path / "config.ini";
        if (std::filesystem::is_regular_file(macroFile, error)) {
            std::filesystem::copy_file(macroFile, scratch->path / "Macro.dat", copy, error);
            if (!error) macroFile = scratch->path / "Macro.dat";
        }
    }
    state.configFilePath = configFile;
    state.macroFilePath = macroFile;

    state.currentConfigIndex = driver->store.readCurrentConfigIndex(configFile);
    driver->store.loadProfile(configFile, state.currentConfigIndex, false);
    if (std::filesystem::is_regular_file(macroFile, error) || macrosGiven) {
        loadMacros(state, macroFile);
    }

    blockEndSignals();
#if defined(_WIN32)
    if (virtualMouse) {
        printError("--virtual reads commands from stdin on POSIX systems only");
        return kExitUsage;
    }
    return runReal(*driver);
#else
    if (virtualMouse) {
        StdinLines input;
        return runVirtual(*driver, input);
    }
    return runReal(*driver);
#endif
}

}  // namespace torvane::cli
