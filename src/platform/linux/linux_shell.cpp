#include "platform/linux/linux_shell.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

extern char** environ;

namespace torvane {

namespace {

constexpr std::size_t kMaxQueuedRequests = 8;

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::vector<std::string> splitList(const std::string& list) {
    std::vector<std::string> parts;
    std::stringstream in(list);
    std::string part;
    while (std::getline(in, part, ':')) {
        if (!part.empty()) parts.push_back(part);
    }
    return parts;
}

// One argument for sh, in single quotes.
std::string quoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text) {
        if (c == '\'') {
            out += "'\\''";
        } else {
            out += c;
        }
    }
    return out + "'";
}

// The first of `programs` found on PATH, as a command with `argument` (if any).
std::string firstFound(const LinuxShell::Environment& environment,
                       const std::vector<std::string>& programs, const std::string& argument = {}) {
    for (const std::string& program : programs) {
        if (const auto found = environment.find(program)) {
            return argument.empty() ? quoted(*found) : quoted(*found) + ' ' + quoted(argument);
        }
    }
    return {};
}

// Removes the field codes of a desktop entry's Exec value (%f, %U, ...); "%%" stays one "%".
std::string withoutFieldCodes(const std::string& exec) {
    std::string out;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        if (exec[i] != '%') {
            out += exec[i];
        } else if (i + 1 < exec.size()) {
            if (exec[i + 1] == '%') out += '%';
            ++i;
        }
    }
    const auto last = out.find_last_not_of(" \t");
    return last == std::string::npos ? std::string() : out.substr(0, last + 1);
}

struct DesktopEntry {
    std::string exec;
    std::string categories;
    bool hidden = false;
    bool application = false;
};

std::optional<DesktopEntry> readDesktopEntry(const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in) return std::nullopt;
    DesktopEntry entry;
    bool inMainGroup = false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line.front() == '[') {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        if (!inMainGroup) continue;
        const auto equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::string key = line.substr(0, equals);
        key.erase(key.find_last_not_of(" \t") + 1);
        std::string value = line.substr(equals + 1);
        value.erase(0, value.find_first_not_of(" \t"));
        if (key == "Exec") entry.exec = value;
        if (key == "Categories") entry.categories = value;
        if (key == "Type") entry.application = value == "Application";
        if ((key == "NoDisplay" || key == "Hidden") && value == "true") entry.hidden = true;
    }
    return entry;
}

bool hasCategory(const std::string& categories, const std::string& category) {
    std::stringstream in(categories);
    std::string part;
    while (std::getline(in, part, ';')) {
        if (part == category) return true;
    }
    return false;
}

// Starts `command` through sh, detached: sh puts it in the background and exits at once.
void runDetached(const std::string& command) {
    if (command.empty()) return;
    const std::string script = "(" + command + ") </dev/null >/dev/null 2>&1 &";
    std::string shell = "sh";
    std::string dashC = "-c";
    std::string body = script;
    char* argv[] = {shell.data(), dashC.data(), body.data(), nullptr};
    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0) return;
    // Its own process group: a Ctrl+C in the driver's terminal does not reach the program.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t child = 0;
    if (posix_spawn(&child, "/bin/sh", nullptr, &attributes, argv, environ) == 0) {
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }
    posix_spawnattr_destroy(&attributes);
}

}  // namespace

LinuxShell::Environment LinuxShell::Environment::current() {
    return {env("PATH"), env("HOME"), env("TERMINAL"), env("XDG_DATA_HOME"),
            env("XDG_DATA_DIRS")};
}

std::optional<std::string> LinuxShell::Environment::find(const std::string& program) const {
    if (program.empty()) return std::nullopt;
    if (program.find('/') != std::string::npos) {
        if (access(program.c_str(), X_OK) == 0) return program;
        return std::nullopt;
    }
    for (const std::string& folder : splitList(path)) {
        const std::string candidate = folder + '/' + program;
        if (access(candidate.c_str(), X_OK) == 0 && !std::filesystem::is_directory(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

std::optional<std::string> LinuxShell::desktopEntryCommand(const Environment& environment,
                                                           const std::string& category) {
    std::vector<std::filesystem::path> folders;
    if (!environment.dataHome.empty()) {
        folders.emplace_back(environment.dataHome);
    } else if (!environment.home.empty()) {
        folders.emplace_back(std::filesystem::path(environment.home) / ".local/share");
    }
    const auto dataDirs = splitList(environment.dataDirs.empty() ? "/usr/local/share:/usr/share"
                                                                 : environment.dataDirs);
    folders.insert(folders.end(), dataDirs.begin(), dataDirs.end());
    for (const auto& folder : folders) {
        std::error_code error;
        std::vector<std::filesystem::path> files;
        for (const auto& item : std::filesystem::directory_iterator(folder / "applications", error)) {
            if (item.path().extension() == ".desktop") files.push_back(item.path());
        }
        std::sort(files.begin(), files.end());
        for (const auto& file : files) {
            const auto entry = readDesktopEntry(file);
            if (!entry || !entry->application || entry->hidden) continue;
            if (!hasCategory(entry->categories, category)) continue;
            const std::string command = withoutFieldCodes(entry->exec);
            if (!command.empty()) return command;
        }
    }
    return std::nullopt;
}

std::string LinuxShell::calculatorCommand(const Environment& environment) {
    if (auto command = desktopEntryCommand(environment, "Calculator")) return *command;
    return firstFound(environment, {"gnome-calculator", "kcalc", "galculator", "qalculate-gtk",
                                    "mate-calc", "xcalc"});
}

std::string LinuxShell::terminalCommand(const Environment& environment) {
    if (!environment.terminal.empty()) return environment.terminal;
    return firstFound(environment, {"x-terminal-emulator", "gnome-terminal", "konsole",
                                    "xfce4-terminal", "xterm"});
}

std::string LinuxShell::computerCommand(const Environment& environment) {
    struct Viewer {
        const char* program;
        const char* computerView;
    };
    const Viewer viewers[] = {{"nautilus", "other-locations:///"},
                              {"nemo", "computer:///"},
                              {"caja", "computer:///"},
                              {"dolphin", "solid:/"}};
    for (const Viewer& viewer : viewers) {
        if (const auto found = environment.find(viewer.program)) {
            return quoted(*found) + ' ' + quoted(viewer.computerView);
        }
    }
    if (environment.home.empty()) return {};
    return firstFound(environment, {"xdg-open", "thunar", "pcmanfm"}, environment.home);
}

std::string LinuxShell::lockCommand(const Environment& environment) {
    std::vector<std::string> steps;
    const auto dbusSend = environment.find("dbus-send");
    const auto gdbus = environment.find("gdbus");
    for (const char* service : {"org.freedesktop.ScreenSaver", "org.gnome.ScreenSaver"}) {
        std::string object = std::string("/") + service;
        std::replace(object.begin(), object.end(), '.', '/');
        const std::string method = std::string(service) + ".Lock";
        if (dbusSend) {
            steps.push_back(quoted(*dbusSend) + " --session --print-reply --dest=" + service + ' ' +
                            object + ' ' + method);
        } else if (gdbus) {
            steps.push_back(quoted(*gdbus) + " call --session --dest " + service +
                            " --object-path " + object + " --method " + method);
        }
    }
    if (const auto loginctl = environment.find("loginctl")) {
        steps.push_back(quoted(*loginctl) + " lock-session");
    }
    if (const auto screensaver = environment.find("xdg-screensaver")) {
        steps.push_back(quoted(*screensaver) + " lock");
    }
    std::string chain;
    for (const std::string& step : steps) chain += (chain.empty() ? "" : " || ") + step;
    return chain;
}

LinuxShell::LinuxShell() : m_worker([this](std::stop_token stop) { work(stop); }) {}

LinuxShell::~LinuxShell() {
    m_worker.request_stop();
    m_worker.join();
}

void LinuxShell::openCalculator() { post(Request::Calculator); }
void LinuxShell::openCommandPrompt() { post(Request::Terminal); }
void LinuxShell::openComputer() { post(Request::Computer); }
void LinuxShell::lockSession() { post(Request::Lock); }

void LinuxShell::post(Request request) {
    {
        std::lock_guard lock(m_mutex);
        if (m_queue.size() >= kMaxQueuedRequests) return;  // a burst of presses: drop the rest
        m_queue.push_back(request);
    }
    m_wake.notify_one();
}

void LinuxShell::work(std::stop_token stop) {
    for (;;) {
        Request request;
        {
            std::unique_lock lock(m_mutex);
            if (!m_wake.wait(lock, stop, [this] { return !m_queue.empty(); })) return;
            request = m_queue.front();
            m_queue.pop_front();
        }
        const Environment environment = Environment::current();
        switch (request) {
            case Request::Calculator: runDetached(calculatorCommand(environment)); break;
            case Request::Terminal: runDetached(terminalCommand(environment)); break;
            case Request::Computer: runDetached(computerCommand(environment)); break;
            case Request::Lock: runDetached(lockCommand(environment)); break;
        }
    }
}

}  // namespace torvane
