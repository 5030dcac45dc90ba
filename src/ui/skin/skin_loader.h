#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "ui/skin/skin_layout.h"

namespace torvane {

struct AppState;
class MessageBox;

inline constexpr char16_t kSkinFileMissingMessage[] = u"找不到配置文件";
inline constexpr char16_t kSkinRecordErrorMessage[] = u"加载ini错误！";

// Layout files of the skin folder.
namespace skin_file {
inline constexpr std::string_view kMainLayout = "skin_main.ini";
inline constexpr std::string_view kColourLayout = "skin_color.ini";
inline constexpr std::string_view kAdvancedLayout = "skin_advance.ini";
inline constexpr std::string_view kWarningLayout = "LBWarning.ini";
}  // namespace skin_file

// At most this many UTF-16 units of a layout value are read.
inline constexpr std::size_t kSkinValueMaxUnits = 259;
inline constexpr int kSkinRecordFieldCount = 7;

// The fields 0..6 of one layout value. A value is a record of fields separated by commas:
// fields 0..5 each end at a comma (a field without its closing comma is empty, and so is every
// field after it), field 6 is all the text after the sixth comma, further commas included. A
// value without any comma is field 0 alone.
using SkinRecord = std::array<std::u16string, kSkinRecordFieldCount>;

struct SplitSkinValue {
    SkinRecord fields;
    bool tooManyCommas = false;  // more than six commas: the layout file is malformed
};

// Splits one layout value into its fields.
SplitSkinValue splitSkinValue(std::u16string_view value);

// The rectangle of fields 1..4 (x, y, width, height), each read as a leading decimal integer.
SkinRect skinRectOf(const SkinRecord& record);

// Reads the value of `key` (written in decimal) in `section` of the layout file `file` and
// splits it. A missing file shows kSkinFileMissingMessage and gives nullopt; a value with more
// than six commas shows kSkinRecordErrorMessage and is still used. A missing key or section
// gives empty fields. UI thread only.
std::optional<SkinRecord> readSkinRecord(const std::filesystem::path& file,
                                         std::string_view section, int key, MessageBox& messages);

// Fills the page layouts of state.skinLayout from skin_main.ini, skin_color.ini and
// skin_advance.ini of the skin folder (state.skinDirectory becomes programDirectory/skins).
// Returns false when a layout file is missing: its message has been shown once, no further
// record was read, and the caller closes the program. UI thread only, once at start-up.
bool loadSkin(AppState& state, MessageBox& messages);

// Fills the warning dialog's layout from LBWarning.ini; false (after the message) when the file
// is missing. Runs after the profile has been read at start-up.
bool loadWarningLayout(AppState& state, MessageBox& messages);

}  // namespace torvane
