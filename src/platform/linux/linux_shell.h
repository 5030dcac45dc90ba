#pragma once

#include <condition_variable>
#include <deque>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/shell.h"

namespace torvane {

// Launches the desktop's calculator, terminal and file manager and locks the session, on Linux.
//
// The engine's calls only queue the request: a worker thread owned by the shell looks for the
// program and starts it detached (its own process group, input and output on /dev/null), so
// neither a slow file system nor a slow program holds up the engine, and the program outlives
// the driver. Nothing is reported when no program is found or it fails.
class LinuxShell final : public Shell {
public:
    // What the commands are chosen from: the environment and a test for a program on PATH.
    struct Environment {
        std::string path;        // $PATH
        std::string home;        // $HOME
        std::string terminal;    // $TERMINAL
        std::string dataHome;    // $XDG_DATA_HOME
        std::string dataDirs;    // $XDG_DATA_DIRS
        static Environment current();
        // The full path of `program` in one of the folders of `path`, if it is executable there.
        std::optional<std::string> find(const std::string& program) const;
    };

    LinuxShell();
    ~LinuxShell() override;
    LinuxShell(const LinuxShell&) = delete;
    LinuxShell& operator=(const LinuxShell&) = delete;

    void openCalculator() override;
    void openCommandPrompt() override;
    void openComputer() override;
    void lockSession() override;

    // The shell command each request runs; empty when there is nothing to run.
    static std::string calculatorCommand(const Environment& environment);
    static std::string terminalCommand(const Environment& environment);
    static std::string computerCommand(const Environment& environment);
    static std::string lockCommand(const Environment& environment);

    // The Exec line of the first desktop entry (in the XDG data folders, in their order) whose
    // categories include `category` and that is meant to be shown, with its field codes removed.
    static std::optional<std::string> desktopEntryCommand(const Environment& environment,
                                                          const std::string& category);

private:
    enum class Request { Calculator, Terminal, Computer, Lock };
    void post(Request request);
    void work(std::stop_token stop);

    std::mutex m_mutex;  // guards m_queue
    std::condition_variable_any m_wake;
    std::deque<Request> m_queue;
    std::jthread m_worker;  // last member: it stops before the queue goes
};

}  // namespace torvane
