#include "cli/command_line.h"

#include <iostream>
#include <system_error>

namespace torvane::cli {

CommandLine::CommandLine(const std::vector<std::string>& args,
                         const std::set<std::string>& valueOptions,
                         const std::set<std::string>& switches) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (valueOptions.count(arg) != 0) {
            if (i + 1 >= args.size()) {
                m_error = "option " + arg + " needs a value";
                return;
            }
            m_values[arg] = args[++i];
        } else if (switches.count(arg) != 0) {
            m_flags.insert(arg);
        } else {
            m_error = (arg.rfind("--", 0) == 0 ? "unknown option " : "unexpected argument ") + arg;
            return;
        }
    }
}

std::optional<std::string> CommandLine::value(const std::string& name) const {
    const auto it = m_values.find(name);
    if (it == m_values.end()) return std::nullopt;
    return it->second;
}

std::optional<long long> CommandLine::integer(const std::string& name) {
    const auto text = value(name);
    if (!text) return std::nullopt;
    std::size_t start = (!text->empty() && ((*text)[0] == '-' || (*text)[0] == '+')) ? 1 : 0;
    bool valid = text->size() > start && text->size() - start <= 9;
    for (std::size_t i = start; valid && i < text->size(); ++i) {
        valid = (*text)[i] >= '0' && (*text)[i] <= '9';
    }
    if (!valid) {
        if (m_error.empty()) m_error = "option " + name + " needs a number, not '" + *text + "'";
        return std::nullopt;
    }
    return std::stoll(*text);
}

std::filesystem::path programDirectory(const char* argv0) {
    std::error_code error;
#if defined(__linux__)
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return self.parent_path();
#endif
    const auto absolute = std::filesystem::absolute(argv0 == nullptr ? "" : argv0, error);
    return error ? std::filesystem::path{} : absolute.parent_path();
}

void printError(const std::string& message) { std::cerr << "torvane-ctl: " << message << '\n'; }

}  // namespace torvane::cli
