#include "macro/macro_file.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/app_state.h"
#include "app/ini_file.h"
#include "app/text.h"
#include "macro/default_macros.h"
#include "support/fakes.h"

namespace torvane {
namespace {

using test::FakeMessageBox;
using test::TempDir;

Macro sampleMacro(std::u16string_view name, int events) {
    Macro macro;
    macro.setName(name);
    macro.repeatEnabled = 1;
    macro.repeatCount = 0x1234;
    macro.eventCount = static_cast<std::uint8_t>(events);
    for (int k = 0; k < events; ++k) {
        const auto i = static_cast<std::size_t>(k);
        macro.steps[i] =
            MacroStep{static_cast<std::uint8_t>(k + 1), static_cast<std::uint8_t>(1 + k % 2)};
        macro.delays[i] = static_cast<std::uint16_t>(k * 257 + 3);
    }
    return macro;
}

std::string field(int value) {
    char text[4];
    std::snprintf(text, sizeof text, "%03d", value);
    return text;
}

TEST(MacroLine, MatchesTheDocumentedExample) {
    Macro macro;
    macro.setName(u"a");
    macro.repeatCount = 1;
    macro.eventCount = 2;
    macro.steps[0] = {65, 1};
    macro.steps[1] = {65, 2};
    macro.delays[0] = 30;
    macro.delays[1] = 30;
    std::string expected = "097000";
    for (int i = 0; i < 38; ++i) expected += "000";
    expected +=
        "000001000002"
        "065001030000"
        "065002030000";
    expected.resize(3192, '0');
    EXPECT_EQ(encodeMacroLine(macro), expected);
}

TEST(MacroLine, EmptyMacroIsAllZeros) {
    EXPECT_EQ(encodeMacroLine(Macro{}), std::string(3192, '0'));
}

TEST(MacroLine, RoundTripKeepsEveryByte) {
    Macro macro = sampleMacro(u"连发ABCDEFGHIJKLMNOPQ", 255);  // 19 units: the longest name
    ASSERT_EQ(macro.nameView().size(), 19u);
    macro.delays[254] = 0xAB01;  // the high byte of the very last field
    const std::string line = encodeMacroLine(macro);
    ASSERT_EQ(line.size(), 3192u);
    EXPECT_EQ(line.substr(3189), field(0xAB));
    // Name units 0..18, terminator as the last two bytes.
    EXPECT_EQ(line.substr(3 * 38, 6), "000000");
    const Macro back = decodeMacroLine(asciiToUtf16(line));
    EXPECT_EQ(back, macro);
    EXPECT_EQ(back.delays[254], 0xAB01);
}

TEST(MacroLine, FieldsReadAsLowBitsOfTheirLeadingNumber) {
    struct Case {
        std::string text;
        std::uint8_t byte;
    };
    const Case cases[] = {{"999", 231}, {"256", 0}, {"007", 7}, {" 42", 42}, {"-01", 255},
                          {"+05", 5},   {"1x9", 1}, {"abc", 0}, {"   ", 0}};
    for (const Case& c : cases) {
        const Macro macro = decodeMacroLine(asciiToUtf16(c.text));
        EXPECT_EQ(static_cast<int>(macro.name[0] & 0xFF), c.byte) << c.text;
    }
}

TEST(MacroLine, ShortLineLeavesMissingFieldsZero) {
    // Name "b", repeatEnabled 1, repeatCount low byte 5, then the line ends inside a field.
    std::string line = "098";
    for (int i = 0; i < 39; ++i) line += "000";
    line +=
        "001005"
        "0";
    const Macro macro = decodeMacroLine(asciiToUtf16(line));
    EXPECT_EQ(macro.nameView(), u"b");
    EXPECT_EQ(macro.repeatEnabled, 1);
    EXPECT_EQ(macro.repeatCount, 5);
    EXPECT_EQ(macro.eventCount, 0);
    EXPECT_EQ(decodeMacroLine(u""), Macro{});
}

class MacroFileTest : public ::testing::Test {
  protected:
    std::filesystem::path file(const std::string& name) { return dir / name; }
    void loadInto(const std::filesystem::path& path) { loadMacroFile(state, path, messages); }
    MacroTable table() const { return state.macroTable.snapshot(); }

    TempDir dir;
    AppState state;
    FakeMessageBox messages;
};

TEST_F(MacroFileTest, SaveThenLoadRoundTrips) {
    MacroTable saved;
    saved.count = 3;
    saved.macros[0] = sampleMacro(u"one", 1);
    saved.macros[1] = sampleMacro(u"名字", 255);
    saved.macros[2] = sampleMacro(u"ABCDEFGHIJKLMNOPQRS", 0);
    saved.macros[1].delays[254] = 0xFFEE;
    ASSERT_TRUE(saveMacroFile(saved, file("Macro.dat")));
    loadInto(file("Macro.dat"));
    const MacroTable loaded = table();
    EXPECT_EQ(loaded.count, 3);
    for (std::size_t m = 0; m < 3; ++m) EXPECT_EQ(loaded.macros[m], saved.macros[m]) << m;
    EXPECT_EQ(state.currentMacroIndex, 2);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MacroFileTest, EmptyTableWritesOnlyTheCount) {
    ASSERT_TRUE(saveMacroFile(MacroTable{}, file("empty.dat")));
    EXPECT_EQ(test::readFile(file("empty.dat")), "[Macros]\r\nmacroNum=0\r\n");
    loadInto(file("empty.dat"));
    EXPECT_EQ(table().count, 0);
    EXPECT_EQ(state.currentMacroIndex, 0);
}

TEST_F(MacroFileTest, MissingKeyLoadsAnEmptyMacro) {
    const std::string line = encodeMacroLine(sampleMacro(u"x", 4));
    test::writeFile(file("gap.dat"), "[Macros]\nmacroNum=3\n0=" + line + "\n2=" + line + "\n");
    state.macroTable.edit([](MacroTable& t) { t.macros[1] = sampleMacro(u"old", 9); });
    loadInto(file("gap.dat"));
    const MacroTable loaded = table();
    EXPECT_EQ(loaded.count, 3);
    EXPECT_EQ(loaded.macros[1].nameView(), u"");
    EXPECT_EQ(loaded.macros[1].eventCount, 0);
    EXPECT_EQ(loaded.macros[1].repeatEnabled, 0);
    EXPECT_EQ(loaded.macros[2].eventCount, 4);
}

TEST_F(MacroFileTest, ImportingTwoOverFiveKeepsTheSpareRecords) {
    MacroTable five;
    five.count = 5;
    for (std::size_t m = 0; m < 5; ++m)
        five.macros[m] = sampleMacro(u"five", static_cast<int>(m + 1));
    state.macroTable.edit([&](MacroTable& t) { t = five; });
    MacroTable two;
    two.count = 2;
    two.macros[0] = sampleMacro(u"a", 2);
    two.macros[1] = sampleMacro(u"b", 3);
    ASSERT_TRUE(saveMacroFile(two, file("two.dat")));
    loadInto(file("two.dat"));
    const MacroTable loaded = table();
    EXPECT_EQ(loaded.count, 2);
    EXPECT_EQ(loaded.macros[0], two.macros[0]);
    EXPECT_EQ(loaded.macros[1], two.macros[1]);
    for (std::size_t m = 2; m < 5; ++m) EXPECT_EQ(loaded.macros[m], five.macros[m]) << m;
    EXPECT_EQ(state.currentMacroIndex, 1);
}

TEST_F(MacroFileTest, MissingFileTellsTheUserAndLoadsNothing) {
    state.macroTable.edit([](MacroTable& t) {
        t.count = 2;
        t.macros[0] = sampleMacro(u"kept", 1);
    });
    state.currentMacroIndex = 1;
    loadInto(file("absent.dat"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], u"找不到配置文件");
    EXPECT_EQ(table().count, 0);
    EXPECT_EQ(table().macros[0].nameView(), u"kept");
    EXPECT_EQ(state.currentMacroIndex, 0);
}

TEST_F(MacroFileTest, CountIsKeptToTheTable) {
    const std::string line = encodeMacroLine(sampleMacro(u"m", 1));
    struct Case {
        std::string count;
        int loaded;
        int current;
    };
    const Case cases[] = {{"99", 12, 11}, {"13", 12, 11}, {"123", 12, 11}, {"-5", 0, 0},
                          {"x", 0, 0},    {"", 0, 0},     {"1", 1, 0}};
    for (const Case& c : cases) {
        std::string text = "[Macros]\nmacroNum=" + c.count + "\n";
        for (int m = 0; m < 20; ++m) text += std::to_string(m) + "=" + line + "\n";
        test::writeFile(file("count.dat"), text);
        state.macroTable.edit([](MacroTable& t) { t = MacroTable{}; });
        loadInto(file("count.dat"));
        EXPECT_EQ(table().count, c.loaded) << c.count;
        EXPECT_EQ(state.currentMacroIndex, c.current) << c.count;
    }
}

TEST_F(MacroFileTest, ShorterSaveKeepsOtherLinesAndStaleKeysUnread) {
    test::writeFile(file("Macro.dat"), "; user note\r\n[Other]\r\nk=v\r\n");
    MacroTable three;
    three.count = 3;
    ASSERT_TRUE(saveMacroFile(three, file("Macro.dat")));
    MacroTable one;
    one.count = 1;
    one.macros[0] = sampleMacro(u"z", 2);
    ASSERT_TRUE(saveMacroFile(one, file("Macro.dat")));
    const IniFile written = IniFile::load(file("Macro.dat"));
    EXPECT_EQ(written.value("Other", "k", 10), u"v");
    EXPECT_TRUE(written.find(u"Macros", u"2").has_value());  // left over, not removed
    loadInto(file("Macro.dat"));
    EXPECT_EQ(table().count, 1);
    EXPECT_EQ(table().macros[0], one.macros[0]);
}

TEST(DefaultMacroFile, CommittedFileEqualsTheGeneratedOne) {
    const std::filesystem::path committed =
        std::filesystem::path(TORVANE_SOURCE_DIR) / "skins" / "defMacro.dat";
    EXPECT_EQ(test::readFile(committed), defaultMacroFileBytes())
        << "run: macro_builder skins/defMacro.dat";
    const MacroFileContent content = readMacroFile(IniFile::parse(defaultMacroFileBytes()));
    ASSERT_EQ(content.macros.size(), 3u);
    for (const Macro& macro : content.macros) {
        EXPECT_GT(macro.eventCount, 0);
        EXPECT_EQ(macro.repeatCount, 1);
    }
}

// The engine copies events while the UI thread replaces whole macros: every event read must be
// one that was written as a whole (no torn step), and TSan sees the guard.
TEST(SharedMacroTableThreads, ReaderSeesWholeEventsDuringEdits) {
    SharedMacroTable shared;
    std::atomic<bool> done{false};
    std::atomic<int> torn{0};
    std::jthread reader([&] {
        while (!done.load()) {
            for (int k = 0; k < kMacroEventCapacity; ++k) {
                const auto event = shared.event(3, k);
                if (!event) continue;
                const int pattern = event->code;
                if (event->action != pattern || event->delayMs != pattern * 257) ++torn;
            }
            (void)shared.count();
        }
    });
    for (int round = 0; round < 200; ++round) {
        const auto value = static_cast<std::uint8_t>(round % 200);
        shared.edit([&](MacroTable& table) {
            Macro& macro = table.macros[3];
            for (std::size_t k = 0; k < kMacroEventCapacity; ++k) {
                macro.steps[k] = MacroStep{value, value};
                macro.delays[k] = static_cast<std::uint16_t>(value * 257);
            }
            table.count = 4;
        });
    }
    done = true;
    reader.join();
    EXPECT_EQ(torn.load(), 0);
    EXPECT_FALSE(shared.event(12, 0).has_value());
    EXPECT_FALSE(shared.event(0, 255).has_value());
    EXPECT_FALSE(shared.event(-1, 0).has_value());
}

}  // namespace
}  // namespace torvane
