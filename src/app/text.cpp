#include "app/text.h"

#include <limits>

namespace torvane {

namespace {

bool isCWhiteSpace(char32_t c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

template <typename Char>
std::int32_t parseLeading(std::basic_string_view<Char> text) {
    std::size_t i = 0;
    while (i < text.size() && isCWhiteSpace(static_cast<char32_t>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i] - '0');
        if (value > kLimit) value = kLimit;
        ++i;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) {
        value = std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(value);
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::u16string utf16FromUtf8(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(utf8[at]); };
    while (i < utf8.size()) {
        const unsigned char b0 = byte(i);
        std::size_t length = 0;
        char32_t c = 0;
        char32_t minimum = 0;
        if (b0 < 0x80) {
            length = 1;
            c = b0;
        } else if ((b0 & 0xE0) == 0xC0) {
            length = 2;
            c = b0 & 0x1F;
            minimum = 0x80;
        } else if ((b0 & 0xF0) == 0xE0) {
            length = 3;
            c = b0 & 0x0F;
            minimum = 0x800;
        } else if ((b0 & 0xF8) == 0xF0) {
            length = 4;
            c = b0 & 0x07;
            minimum = 0x10000;
        }
        bool valid = length > 0 && i + length <= utf8.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const unsigned char b = byte(i + k);
            if ((b & 0xC0) != 0x80) {
                valid = false;
            } else {
                c = (c << 6) | (b & 0x3F);
            }
        }
        if (valid && (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))) valid = false;
        if (!valid) {
            out += static_cast<char16_t>(0xDC00 + b0);
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
        i += length;
    }
    return out;
}

std::string utf8FromUtf16(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t u = utf16[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            const char32_t c = 0x10000 + ((char32_t{u} - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            appendUtf8(out, c);
            ++i;
        } else if (u >= 0xDC80 && u <= 0xDCFF) {
            out += static_cast<char>(u - 0xDC00);
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            appendUtf8(out, 0xFFFD);
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

std::u16string asciiToUtf16(std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

std::int32_t parseLeadingInt(std::u16string_view text) { return parseLeading(text); }
std::int32_t parseLeadingInt(std::string_view text) { return parseLeading(text); }

std::u16string decimal16(std::int64_t value) { return asciiToUtf16(std::to_string(value)); }

std::u16string_view trimBlanks(std::u16string_view text) {
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool equalsIgnoreAsciiCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    const auto fold = [](char16_t c) -> char16_t {
        return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
    };
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

}  // namespace torvane
