#include "app/ini_file.h"

#include <gtest/gtest.h>

#include <string>

#include "app/text.h"
#include "support/fakes.h"

namespace torvane {
namespace {

using test::TempDir;

std::string valueOf(const std::string& bytes, const std::string& section, const std::string& key,
                    std::size_t maxUnits = 255) {
    return utf8FromUtf16(IniFile::parse(bytes).value(section, key, maxUnits));
}

struct ReadCase {
    const char* name;
    std::string file;
    std::string section;
    std::string key;
    std::size_t maxUnits;
    std::string expected;
};

TEST(IniFileTest, ReadsValuesByTheProfileStringRules) {
    const ReadCase cases[] = {
        {"plain", "[A]\nk=v\n", "A", "k", 255, "v"},
        {"section case", "[config1]\nK1=5\n", "Config1", "K1", 255, "5"},
        {"key case", "[A]\ncurconfig=3\n", "A", "CurConfig", 255, "3"},
        {"blanks trimmed", "[A]\n  k \t=  spaced value \t\n", "A", "k", 255, "spaced value"},
        {"blanks in section name", "[ A ]\nk=v\n", "A", "k", 255, "v"},
        {"cut to buffer", "[A]\nK1=12345\n", "A", "K1", 4, "1234"},
        {"cut after trimming", "[A]\nk=   abcdef\n", "A", "k", 2, "ab"},
        {"first equals splits", "[A]\nk=a=b\n", "A", "k", 255, "a=b"},
        {"missing key", "[A]\nk=v\n", "A", "x", 255, ""},
        {"missing section", "[A]\nk=v\n", "B", "k", 255, ""},
        {"key of another section", "[A]\nk=v\n[B]\n", "B", "k", 255, ""},
        {"first duplicate wins", "[A]\nk=1\nk=2\n", "A", "k", 255, "1"},
        {"comment is no key", "[A]\n;k=1\nk=2\n", "A", "k", 255, "2"},
        {"crlf", "[A]\r\nk=v\r\n", "A", "k", 255, "v"},
        {"no final newline", "[A]\nk=v", "A", "k", 255, "v"},
        {"empty value", "[A]\nk=\n", "A", "k", 255, ""},
        {"utf8 bom", "\xEF\xBB\xBF[A]\nk=v\n", "A", "k", 255, "v"},
        {"utf8 text", "[A]\nk=驱动运行中\n", "A", "k", 255, "驱动运行中"},
        {"utf16 le", std::string("\xFF\xFE[\0A\0]\0\n\0k\0=\0v\0", 16), "A", "k", 255, "v"},
    };
    for (const ReadCase& c : cases) {
        EXPECT_EQ(valueOf(c.file, c.section, c.key, c.maxUnits), c.expected) << c.name;
    }
}

TEST(IniFileTest, CutCountsUtf16Units) {
    EXPECT_EQ(valueOf("[A]\nk=配置完成\n", "A", "k", 2), "配置");
}

struct WriteCase {
    const char* name;
    std::string before;
    std::string section;
    std::string key;
    std::string value;
    std::string after;
};

TEST(IniFileTest, WritesKeepEveryOtherLine) {
    const WriteCase cases[] = {
        {"replace in place", "; comment\r\n[A]\r\nk=1\r\nother=x\r\n\r\n[B]\r\nk=2\r\n", "A", "K",
         "7", "; comment\r\n[A]\r\nk=7\r\nother=x\r\n\r\n[B]\r\nk=2\r\n"},
        {"replace keeps spacing before value", "[A]\nk =  1\n", "A", "k", "22", "[A]\nk =  22\n"},
        {"append key before blank separator", "[A]\nk=1\n\n[B]\nx=1\n", "a", "n", "2",
         "[A]\nk=1\nn=2\n\n[B]\nx=1\n"},
        {"append key at end of last section", "[A]\nk=1", "A", "n", "2", "[A]\nk=1\nn=2\n"},
        {"append key to empty section", "[A]\n[B]\n", "A", "n", "2", "[A]\nn=2\n[B]\n"},
        {"append section", "[A]\r\nk=1\r\n", "B", "n", "2", "[A]\r\nk=1\r\n[B]\r\nn=2\r\n"},
        {"append section after missing newline", "[A]\nk=1", "B", "n", "2",
         "[A]\nk=1\n[B]\nn=2\n"},
        {"new document", "", "Init", "CurConfig", "1", "[Init]\r\nCurConfig=1\r\n"},
        {"stray bytes kept", "[A]\nx=\xFF\xFE\x80\nk=1\n", "A", "k", "2",
         "[A]\nx=\xFF\xFE\x80\nk=2\n"},
        {"utf8 bom kept", "\xEF\xBB\xBF[A]\nk=1\n", "A", "k", "2", "\xEF\xBB\xBF[A]\nk=2\n"},
    };
    for (const WriteCase& c : cases) {
        IniFile file = IniFile::parse(c.before);
        file.set(c.section, c.key, c.value);
        EXPECT_EQ(file.serialize(), c.after) << c.name;
    }
}

TEST(IniFileTest, Utf16FileStaysUtf16) {
    const std::string before("\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0\x31\0\r\0\n\0", 22);
    IniFile file = IniFile::parse(before);
    file.set("A", "k", "9");
    file.set("B", "n", "5");
    const std::string expected("\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0\x39\0\r\0\n\0"
                               "[\0B\0]\0\r\0\n\0n\0=\0\x35\0\r\0\n\0",
                               42);
    EXPECT_EQ(file.serialize(), expected);
    EXPECT_EQ(file.encoding(), IniFile::Encoding::Utf16Le);
}

TEST(IniFileTest, MissingFileReadsEmptyAndSaveCreatesIt) {
    TempDir dir;
    const auto path = dir / "config.ini";
    IniFile file = IniFile::load(path);
    EXPECT_EQ(file.value("Init", "CurConfig", 4), u"");
    file.set("Init", "CurConfig", "2");
    file.set("Config2", "K1", "1");
    ASSERT_TRUE(file.save(path));
    EXPECT_EQ(test::readFile(path), "[Init]\r\nCurConfig=2\r\n[Config2]\r\nK1=1\r\n");
    EXPECT_EQ(IniFile::load(path).value("config2", "k1", 4), u"1");
}

TEST(IniFileTest, EntriesListKeysInFileOrder) {
    const IniFile file = IniFile::parse("[A]\nb=2\n;c=3\na = 1 \nB=9\n[C]\nz=0\n");
    const auto entries = file.entries(u"a");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0], std::make_pair(std::u16string(u"b"), std::u16string(u"2")));
    EXPECT_EQ(entries[1], std::make_pair(std::u16string(u"a"), std::u16string(u"1")));
}

}  // namespace
}  // namespace torvane
