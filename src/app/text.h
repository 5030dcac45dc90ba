#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace torvane {

// Text in memory is UTF-16 (std::u16string), as captions, macro names and INI values are.

// UTF-8 to UTF-16. Bytes that are not valid UTF-8 become the lone surrogates U+DC80..U+DCFF, so
// that utf8FromUtf16 gives the very same bytes back (a file with stray bytes round-trips).
std::u16string utf16FromUtf8(std::string_view utf8);

// UTF-16 to UTF-8. The lone surrogates U+DC80..U+DCFF become the single bytes they stand for;
// other unpaired surrogates become U+FFFD.
std::string utf8FromUtf16(std::u16string_view utf16);

// ASCII text to UTF-16, unit by unit.
std::u16string asciiToUtf16(std::string_view ascii);

// The C library's decimal conversion: leading white space, an optional sign, then digits up to
// the first other character; no digits gives 0. Values beyond int32 saturate.
std::int32_t parseLeadingInt(std::u16string_view text);
std::int32_t parseLeadingInt(std::string_view text);

// Decimal text of a number, as "%d" writes it.
std::u16string decimal16(std::int64_t value);

// Blanks (space and tab) removed from both ends.
std::u16string_view trimBlanks(std::u16string_view text);

// Equal when the ASCII letters are folded to one case.
bool equalsIgnoreAsciiCase(std::u16string_view a, std::u16string_view b);

}  // namespace torvane
