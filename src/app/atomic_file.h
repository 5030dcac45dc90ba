#pragma once

#include <cstddef>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>

namespace torvane {

// Writes a whole file so that a crash or a full disk never leaves it half written: the bytes go
// to a temporary file in the same folder, which is flushed to disk and then renamed over the
// target. On failure the temporary file is removed and the old file is untouched.
//
// `capacity` limits how many bytes the temporary file takes before a write fails, as a full disk
// would; the program always passes the default. Returns whether the target now holds `bytes`.
bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                         std::size_t capacity = std::numeric_limits<std::size_t>::max());

// The whole content of a file, or nullopt-like empty with `exists` false when it is missing.
struct FileContent {
    bool exists = false;
    std::string bytes;
};
FileContent readWholeFile(const std::filesystem::path& path);

}  // namespace torvane
