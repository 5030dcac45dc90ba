#pragma once

#include <mutex>
#include <optional>
#include <utility>

#include "macro/macro_table.h"

namespace torvane {

// The macro table shared by the UI thread (which loads, edits and saves it) and the engine thread
// (which plays from it). One mutex guards it; the engine copies one step at a time under it, with
// no allocation, so an edit during playback is seen from the next step on.
class SharedMacroTable {
public:
    // Runs fn(MacroTable&) under the guard and returns its result. For the UI thread's edits.
    template <typename Fn>
    decltype(auto) edit(Fn&& fn) {
        std::lock_guard lock(m_mutex);
        return std::forward<Fn>(fn)(m_table);
    }

    // Runs fn(const MacroTable&) under the guard and returns its result.
    template <typename Fn>
    decltype(auto) read(Fn&& fn) const {
        std::lock_guard lock(m_mutex);
        return std::forward<Fn>(fn)(std::as_const(m_table));
    }

    // A copy of the whole table.
    MacroTable snapshot() const {
        std::lock_guard lock(m_mutex);
        return m_table;
    }

    std::int16_t count() const {
        std::lock_guard lock(m_mutex);
        return m_table.count;
    }

    // Event k of macro m, copied under the guard; nullopt when m or k lies outside the records.
    std::optional<MacroEvent> event(int m, int k) const {
        if (m < 0 || m >= kMacroCapacity || k < 0 || k >= kMacroEventCapacity) return std::nullopt;
        std::lock_guard lock(m_mutex);
        const Macro& macro = m_table.macros[static_cast<std::size_t>(m)];
        const auto index = static_cast<std::size_t>(k);
        return MacroEvent{macro.steps[index].code, macro.steps[index].action, macro.delays[index]};
    }

private:
    mutable std::mutex m_mutex;  // guards m_table
    MacroTable m_table;
};

}  // namespace torvane
