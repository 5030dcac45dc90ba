#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <utility>
#include <string>
#include <string_view>
#include <vector>

namespace torvane {

// An INI text file read and written the way the profile-string services of the stored files
// expect:
// - section and key names match without regard to ASCII letter case; the first match counts;
// - a value is the text after the key's first '=', without surrounding blanks;
// - a missing file, section or key reads as empty text;
// - a write replaces the value in place, or appends the key at the end of its section, or
//   appends the section at the end of the file;
// - every other line (comments, blank lines, unknown keys, stray bytes) and every line ending is
//   kept as it was.
// Files are read as UTF-8 (with or without a byte-order mark) or UTF-16LE with its mark, and a
// rewrite keeps the encoding; a new file is UTF-8 with CRLF line endings.
//
// One IniFile is one document in memory: several writes followed by one save() rewrite the file
// once. Not thread-safe; the profile store serialises the access to config.ini.
class IniFile {
public:
    enum class Encoding { Utf8, Utf8Bom, Utf16Le };

    IniFile() = default;

    // The document of the file at `path`; a missing or unreadable file gives an empty document.
    static IniFile load(const std::filesystem::path& path);
    // The document held in `bytes`.
    static IniFile parse(std::string_view bytes);

    // The trimmed value of `key` in `section`, nullopt when either is missing.
    std::optional<std::u16string> find(std::u16string_view section, std::u16string_view key) const;
    // The trimmed value cut to its first `maxUnits` UTF-16 units (a buffer of maxUnits + 1);
    // empty when missing.
    std::u16string value(std::u16string_view section, std::u16string_view key,
                         std::size_t maxUnits) const;
    // ASCII-name convenience.
    std::u16string value(std::string_view section, std::string_view key,
                         std::size_t maxUnits) const;

    bool hasSection(std::u16string_view section) const;

    // The keys of `section` with their trimmed values, in file order (the first of duplicates).
    std::vector<std::pair<std::u16string, std::u16string>> entries(
        std::u16string_view section) const;

    // Sets `key` in `section` to `value`, as described above.
    void set(std::u16string_view section, std::u16string_view key, std::u16string_view value);
    void set(std::string_view section, std::string_view key, std::string_view asciiValue);

    // The bytes of the document in its encoding.
    std::string serialize() const;
    // Writes the document to `path` atomically; returns whether it succeeded.
    bool save(const std::filesystem::path& path) const;

    Encoding encoding() const { return m_encoding; }

private:
    struct Line {
        std::u16string text;  // without its line ending
        std::u16string eol;   // "\r\n", "\n", "\r" or empty for a last line without one
    };
    struct SectionRange {
        std::size_t header = 0;  // index of the [section] line
        std::size_t end = 0;     // index of the next section's header, or the line count
    };

    std::optional<SectionRange> findSection(std::u16string_view section) const;
    std::optional<std::size_t> findKey(const SectionRange& range, std::u16string_view key) const;
    std::u16string newLineEnding() const;

    std::vector<Line> m_lines;
    Encoding m_encoding = Encoding::Utf8;
};

}  // namespace torvane
