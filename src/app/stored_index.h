#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace torvane {

// Values read from files, device reports and the command line are used as indexes in many places
// (the active DPI stage, a DPI value index, a page, a function code, an element number). This is
// the one guard they all pass through: it never lets a stored value index past a table.

// The index `value` names in a table of `size` entries, or nullopt when it lies outside.
constexpr std::optional<std::size_t> storedIndex(std::int64_t value, std::size_t size) {
    if (value < 0 || static_cast<std::uint64_t>(value) >= size) return std::nullopt;
    return static_cast<std::size_t>(value);
}

// The DPI stage that a stored DPI level stands for when a table of the four stages is indexed:
// the level itself when it is 0..3, otherwise stage 0. A hand-edited DPI_LEVEL of 7 therefore
// reads, sends and steps as stage 0, while the stored level is kept as it is until it changes.
constexpr std::size_t dpiStageOf(std::int64_t level) {
    return storedIndex(level, 4).value_or(0);
}

}  // namespace torvane
