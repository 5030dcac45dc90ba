#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_table.h"

namespace torvane {

struct AppState;
class IniFile;
class MessageBox;

// The macro file (Macro.dat, skins/defMacro.dat, exported and imported files) is an INI file with
// one section "Macros": "macroNum" holds the number of macros N, keys "0".."N-1" one macro each.
//
// A macro line is the 1064-byte record written as 1064 fields of exactly three decimal digits
// (3192 characters, no separators):
//   bytes 0..39     the name, UTF-16LE (low byte of each unit first), NUL-terminated
//   byte  40        repeatEnabled
//   bytes 41..42    repeatCount, low byte first
//   byte  43        eventCount
//   bytes 44+4k..   event k (k = 0..254): code, action, delay low byte, delay high byte
// All 255 event slots are written, empty ones included.
inline constexpr int kMacroLineLength = 3 * kMacroRecordBytes;
static_assert(kMacroLineLength == 3192);

inline constexpr std::u16string_view kMacroSection = u"Macros";
inline constexpr std::u16string_view kMacroCountKey = u"macroNum";
// The text of the message shown when a macro file is missing.
inline constexpr std::u16string_view kMacroFileMissingText = u"找不到配置文件";

using MacroRecordBytes = std::array<std::uint8_t, kMacroRecordBytes>;

// The record's bytes in file order, and back.
MacroRecordBytes encodeMacroRecord(const Macro& macro);
Macro decodeMacroRecord(const MacroRecordBytes& bytes);

// The 3192-character line of a macro.
std::string encodeMacroLine(const Macro& macro);
// A macro from its line. Field f is characters 3f..3f+2 read with the C decimal conversion
// (leading blanks and a sign allowed, no digits give 0), keeping the low 8 bits; fields that a
// short line lacks are 0. Never fails.
Macro decodeMacroLine(std::u16string_view line);

// What a macro file holds, as the loader takes it.
struct MacroFileContent {
    // "macroNum" as read (its first two characters); may be negative or above 12 in a
    // hand-made file.
    int declaredCount = 0;
    // The macros taken: declaredCount limited to 0..12.
    std::vector<Macro> macros;
};

// Reads the macro section of a document. A count above 12 takes the first 12 macros and drops
// the others; a negative count takes none.
MacroFileContent readMacroFile(const IniFile& file);
// Writes "macroNum" and the lines of macros 0..count-1 into a document.
void writeMacroFile(IniFile& file, const MacroTable& table);

// Replaces macros 0..N-1 of the state's table with the N macros of the file at `path`, sets the
// count to N and currentMacroIndex to N-1 (0 when N is 0). Records N..11 keep their contents.
// A missing file shows "找不到配置文件" and loads as an empty file. UI thread only.
void loadMacroFile(AppState& state, const std::filesystem::path& path, MessageBox& messageBox);

// Writes the count and macros 0..count-1 to the file at `path`, in one atomic save that keeps the
// file's other lines. Returns whether the file was written. UI thread only.
bool saveMacroFile(const MacroTable& table, const std::filesystem::path& path);

}  // namespace torvane
