// Any bytes as an INI document: reading, writing and serialising never crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    torvane::IniFile file = torvane::IniFile::parse(bytes);
    (void)file.value("Config1", "K1", 4);
    (void)file.entries(u"Macros");
    file.set("Config1", "K1", "7");
    file.set("NewSection", "key", "value");
    const torvane::IniFile again = torvane::IniFile::parse(file.serialize());
    (void)again.find(u"NewSection", u"key");
    return 0;
}
