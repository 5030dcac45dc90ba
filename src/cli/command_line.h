#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace torvane::cli {

// Exit codes shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitMissingFile = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitNoMouse = 3;

// Options of one command: "--name value" pairs and "--flag" switches. Unknown options, missing
// values and stray words are errors, reported as one line.
class CommandLine {
public:
    // Parses `args` against the known value options and switches; on error, `error()` is set.
    CommandLine(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
                const std::set<std::string>& switches);

    bool ok() const { return m_error.empty(); }
    const std::string& error() const { return m_error; }

    std::optional<std::string> value(const std::string& name) const;
    bool flag(const std::string& name) const { return m_flags.count(name) != 0; }

    // The integer value of an option: nullopt when absent; sets the error when not a number.
    std::optional<long long> integer(const std::string& name);

private:
    std::map<std::string, std::string> m_values;
    std::set<std::string> m_flags;
    std::string m_error;
};

// The folder of the running executable.
std::filesystem::path programDirectory(const char* argv0);

// Prints "torvane-ctl: <message>" on stderr.
void printError(const std::string& message);

}  // namespace torvane::cli
