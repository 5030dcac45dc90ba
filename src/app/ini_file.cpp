#include "app/ini_file.h"

#include "app/atomic_file.h"
#include "app/text.h"

namespace torvane {

namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view skipLeadingBlanks(std::u16string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    return text;
}

// The section name of a "[name]" line, or nullopt for any other line.
std::optional<std::u16string_view> sectionNameOf(std::u16string_view line) {
    line = skipLeadingBlanks(line);
    if (line.empty() || line.front() != u'[') return std::nullopt;
    line.remove_prefix(1);
    const std::size_t close = line.find(u']');
    if (close != std::u16string_view::npos) line = line.substr(0, close);
    return trimBlanks(line);
}

bool isComment(std::u16string_view line) {
    line = skipLeadingBlanks(line);
    return !line.empty() && (line.front() == u';' || line.front() == u'#');
}

// The key of a "key=value" line, or nullopt.
std::optional<std::u16string_view> keyOf(std::u16string_view line) {
    if (isComment(line) || sectionNameOf(line)) return std::nullopt;
    const std::size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos) return std::nullopt;
    return trimBlanks(line.substr(0, equals));
}

std::u16string decodeUtf16Le(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        out += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                     (static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    return out;
}

std::string encodeUtf16Le(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>(unit >> 8);
    }
    return out;
}

}  // namespace

IniFile IniFile::load(const std::filesystem::path& path) {
    const FileContent content = readWholeFile(path);
    if (!content.exists) return IniFile{};
    return parse(content.bytes);
}

IniFile IniFile::parse(std::string_view bytes) {
    IniFile file;
    std::u16string text;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        file.m_encoding = Encoding::Utf16Le;
        text = decodeUtf16Le(bytes.substr(2));
    } else if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        file.m_encoding = Encoding::Utf8Bom;
        text = utf16FromUtf8(bytes.substr(3));
    } else {
        text = utf16FromUtf8(bytes);
    }

    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r') ++end;
        Line line{text.substr(start, end - start), {}};
        if (end < text.size()) {
            if (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') {
                line.eol = u"\r\n";
            } else {
                line.eol = std::u16string(1, text[end]);
            }
        }
        start = end + line.eol.size();
        file.m_lines.push_back(std::move(line));
    }
    return file;
}

std::optional<IniFile::SectionRange> IniFile::findSection(std::u16string_view section) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const auto name = sectionNameOf(m_lines[i].text);
        if (!name || !equalsIgnoreAsciiCase(*name, section)) continue;
        SectionRange range{i, m_lines.size()};
        for (std::size_t j = i + 1; j < m_lines.size(); ++j) {
            if (sectionNameOf(m_lines[j].text)) {
                range.end = j;
                break;
            }
        }
        return range;
    }
    return std::nullopt;
}

std::optional<std::size_t> IniFile::findKey(const SectionRange& range,
                                            std::u16string_view key) const {
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        const auto name = keyOf(m_lines[i].text);
        if (name && equalsIgnoreAsciiCase(*name, key)) return i;
    }
    return std::nullopt;
}

std::optional<std::u16string> IniFile::find(std::u16string_view section,
                                            std::u16string_view key) const {
    const auto range = findSection(section);
    if (!range) return std::nullopt;
    const auto index = findKey(*range, key);
    if (!index) return std::nullopt;
    const std::u16string_view line = m_lines[*index].text;
    return std::u16string(trimBlanks(line.substr(line.find(u'=') + 1)));
}

std::u16string IniFile::value(std::u16string_view section, std::u16string_view key,
                              std::size_t maxUnits) const {
    std::u16string text = find(section, key).value_or(std::u16string{});
    if (text.size() > maxUnits) text.resize(maxUnits);
    return text;
}

std::u16string IniFile::value(std::string_view section, std::string_view key,
                              std::size_t maxUnits) const {
    return value(asciiToUtf16(section), asciiToUtf16(key), maxUnits);
}

bool IniFile::hasSection(std::u16string_view section) const {
    return findSection(section).has_value();
}

std::vector<std::pair<std::u16string, std::u16string>> IniFile::entries(
    std::u16string_view section) const {
    std::vector<std::pair<std::u16string, std::u16string>> result;
    const auto range = findSection(section);
    if (!range) return result;
    for (std::size_t i = range->header + 1; i < range->end; ++i) {
        const auto name = keyOf(m_lines[i].text);
        if (!name) continue;
        bool seen = false;
        for (const auto& entry : result) seen = seen || equalsIgnoreAsciiCase(entry.first, *name);
        if (seen) continue;
        const std::u16string_view line = m_lines[i].text;
        result.emplace_back(*name, trimBlanks(line.substr(line.find(u'=') + 1)));
    }
    return result;
}

std::u16string IniFile::newLineEnding() const {
    for (const Line& line : m_lines) {
        if (!line.eol.empty()) return line.eol;
    }
    return u"\r\n";
}

void IniFile::set(std::u16string_view section, std::u16string_view key,
                  std::u16string_view value) {
    const std::u16string eol = newLineEnding();
    std::u16string keyLine(key);
    keyLine += u'=';
    keyLine += value;

    const auto range = findSection(section);
    if (!range) {
        if (!m_lines.empty() && m_lines.back().eol.empty()) m_lines.back().eol = eol;
        std::u16string header = u"[";
        header += section;
        header += u']';
        m_lines.push_back({std::move(header), eol});
        m_lines.push_back({std::move(keyLine), eol});
        return;
    }
    if (const auto index = findKey(*range, key)) {
        std::u16string& text = m_lines[*index].text;
        std::size_t valueStart = text.find(u'=') + 1;
        while (valueStart < text.size() && isBlank(text[valueStart])) ++valueStart;
        text.replace(valueStart, std::u16string::npos, value);
        return;
    }
    // After the last line of the section that is not blank, so blank separators stay in place.
    std::size_t insertAt = range->header + 1;
    for (std::size_t i = range->end; i > range->header + 1; --i) {
        if (!trimBlanks(m_lines[i - 1].text).empty()) {
            insertAt = i;
            break;
        }
    }
    if (m_lines[insertAt - 1].eol.empty()) m_lines[insertAt - 1].eol = eol;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                   Line{std::move(keyLine), eol});
}

void IniFile::set(std::string_view section, std::string_view key, std::string_view asciiValue) {
    set(asciiToUtf16(section), asciiToUtf16(key), asciiToUtf16(asciiValue));
}

std::string IniFile::serialize() const {
    std::u16string text;
    for (const Line& line : m_lines) {
        text += line.text;
        text += line.eol;
    }
    switch (m_encoding) {
        case Encoding::Utf16Le:
            return std::string("\xFF\xFE") + encodeUtf16Le(text);
        case Encoding::Utf8Bom:
            return std::string("\xEF\xBB\xBF") + utf8FromUtf16(text);
        case Encoding::Utf8:
            break;
    }
    return utf8FromUtf16(text);
}

bool IniFile::save(const std::filesystem::path& path) const {
    return writeFileAtomically(path, serialize());
}

}  // namespace torvane
