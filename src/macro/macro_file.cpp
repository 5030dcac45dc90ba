#include "macro/macro_file.h"

#include <algorithm>

#include "app/app_state.h"
#include "app/ini_file.h"
#include "app/message_box.h"
#include "app/text.h"

namespace torvane {

namespace {

constexpr std::size_t kNameBytes = 2 * kMacroNameUnits;
constexpr std::size_t kRepeatEnabledByte = 40;
constexpr std::size_t kRepeatCountByte = 41;
constexpr std::size_t kEventCountByte = 43;
constexpr std::size_t kFirstEventByte = 44;
static_assert(kNameBytes == 40);
static_assert(kFirstEventByte + 4 * kMacroEventCapacity == kMacroRecordBytes);

// "macroNum" is read as at most two characters.
constexpr std::size_t kCountUnits = 2;

std::uint8_t lowByte(unsigned value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}
std::uint8_t highByte(unsigned value) {
    return static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

MacroRecordBytes encodeMacroRecord(const Macro& macro) {
    MacroRecordBytes bytes{};
    for (std::size_t i = 0; i < kMacroNameUnits; ++i) {
        bytes[2 * i] = lowByte(macro.name[i]);
        bytes[2 * i + 1] = highByte(macro.name[i]);
    }
    bytes[kRepeatEnabledByte] = macro.repeatEnabled;
    bytes[kRepeatCountByte] = lowByte(macro.repeatCount);
    bytes[kRepeatCountByte + 1] = highByte(macro.repeatCount);
    bytes[kEventCountByte] = macro.eventCount;
    for (std::size_t k = 0; k < kMacroEventCapacity; ++k) {
        const std::size_t at = kFirstEventByte + 4 * k;
        bytes[at] = macro.steps[k].code;
        bytes[at + 1] = macro.steps[k].action;
        bytes[at + 2] = lowByte(macro.delays[k]);
        bytes[at + 3] = highByte(macro.delays[k]);
    }
    return bytes;
}

Macro decodeMacroRecord(const MacroRecordBytes& bytes) {
    Macro macro;
    for (std::size_t i = 0; i < kMacroNameUnits; ++i) {
        macro.name[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    macro.repeatEnabled = bytes[kRepeatEnabledByte];
    macro.repeatCount =
        static_cast<std::uint16_t>(bytes[kRepeatCountByte] | (bytes[kRepeatCountByte + 1] << 8));
    macro.eventCount = bytes[kEventCountByte];
    for (std::size_t k = 0; k < kMacroEventCapacity; ++k) {
        const std::size_t at = kFirstEventByte + 4 * k;
        macro.steps[k] = MacroStep{bytes[at], bytes[at + 1]};
        macro.delays[k] = static_cast<std::uint16_t>(bytes[at + 2] | (bytes[at + 3] << 8));
    }
    return macro;
}

std::string encodeMacroLine(const Macro& macro) {
    const MacroRecordBytes bytes = encodeMacroRecord(macro);
    std::string line;
    line.reserve(kMacroLineLength);
    for (const std::uint8_t byte : bytes) {
        line += static_cast<char>('0' + byte / 100);
        line += static_cast<char>('0' + byte / 10 % 10);
        line += static_cast<char>('0' + byte % 10);
    }
    return line;
}

Macro decodeMacroLine(std::u16string_view line) {
    MacroRecordBytes bytes{};
    for (std::size_t f = 0; f < bytes.size(); ++f) {
        const std::size_t at = 3 * f;
        if (at >= line.size()) break;
        const std::int32_t value = parseLeadingInt(line.substr(at, 3));
        bytes[f] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) & 0xFF);
    }
    return decodeMacroRecord(bytes);
}

MacroFileContent readMacroFile(const IniFile& file) {
    MacroFileContent content;
    content.declaredCount = parseLeadingInt(file.value(kMacroSection, kMacroCountKey, kCountUnits));
    const int taken = std::clamp(content.declaredCount, 0, kMacroCapacity);
    content.macros.reserve(static_cast<std::size_t>(taken));
    for (int m = 0; m < taken; ++m) {
        const std::u16string line =
            file.value(kMacroSection, decimal16(m), static_cast<std::size_t>(kMacroLineLength));
        content.macros.push_back(decodeMacroLine(line));
    }
    return content;
}

void writeMacroFile(IniFile& file, const MacroTable& table) {
    const int count = std::clamp<int>(table.count, 0, kMacroCapacity);
    file.set(kMacroSection, kMacroCountKey, decimal16(count));
    for (int m = 0; m < count; ++m) {
        file.set(kMacroSection, decimal16(m),
                 asciiToUtf16(encodeMacroLine(table.macros[static_cast<std::size_t>(m)])));
    }
}

void loadMacroFile(AppState& state, const std::filesystem::path& path, MessageBox& messageBox) {
    std::error_code error;
    const bool exists = std::filesystem::is_regular_file(path, error);
    if (!exists) messageBox.show(std::u16string(kMacroFileMissingText));
    const MacroFileContent content =
        exists ? readMacroFile(IniFile::load(path)) : MacroFileContent{};
    const int count = static_cast<int>(content.macros.size());
    state.macroTable.edit([&](MacroTable& table) {
        for (int m = 0; m < count; ++m) {
            table.macros[static_cast<std::size_t>(m)] = content.macros[static_cast<std::size_t>(m)];
        }
        table.count = static_cast<std::int16_t>(count);
    });
    state.currentMacroIndex = count >= 1 ? count - 1 : 0;
}

bool saveMacroFile(const MacroTable& table, const std::filesystem::path& path) {
    IniFile file = IniFile::load(path);
    writeMacroFile(file, table);
    return file.save(path);
}

}  // namespace torvane
