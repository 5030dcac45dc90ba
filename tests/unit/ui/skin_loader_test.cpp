#include "ui/skin/skin_loader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/text.h"
#include "support/fakes.h"

namespace torvane {
namespace {

using test::FakeMessageBox;
using test::TempDir;
using test::writeFile;

struct RecordCase {
    const char* name;
    std::string line;  // the line in [BUTTONPOS]
    int key;
    std::vector<std::u16string> fields;  // expected fields 0..6
    SkinRect rect;
    bool error;
};

void PrintTo(const RecordCase& c, std::ostream* os) {
    *os << c.name;
}

class SkinRecordTest : public ::testing::TestWithParam<RecordCase> {};

TEST_P(SkinRecordTest, SplitsTheValueOfOneKey) {
    const RecordCase& c = GetParam();
    TempDir dir;
    writeFile(dir / "skin_main.ini",
              "[BUTTONPOS]\r\n" + c.line + "\r\n[OTHER]\r\n5=x,9,9,9,9,y,\r\n");
    FakeMessageBox box;
    const std::optional<SkinRecord> record =
        readSkinRecord(dir / "skin_main.ini", "buttonpos", c.key, box);
    ASSERT_TRUE(record.has_value());
    for (std::size_t k = 0; k < kSkinRecordFieldCount; ++k) {
        EXPECT_EQ((*record)[k], c.fields[k]) << "field " << k;
    }
    EXPECT_EQ(skinRectOf(*record), c.rect);
    EXPECT_EQ(box.shown, c.error ? std::vector<std::u16string>{u"加载ini错误！"}
                                 : std::vector<std::u16string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Records, SkinRecordTest,
    ::testing::Values(
        RecordCase{"LabelNumbersCaption",
                   "5=save,10,20,30,40,保存,",
                   5,
                   {u"save", u"10", u"20", u"30", u"40", u"保存", u""},
                   {10, 20, 30, 40},
                   false},
        RecordCase{"NoClosingComma",
                   "5=save,10,20,30,40,保存",
                   5,
                   {u"save", u"10", u"20", u"30", u"40", u"", u""},
                   {10, 20, 30, 40},
                   false},
        RecordCase{"BlanksInsideKept",
                   "5 =  lbl, 1,2,3,4,  前 后 ,  ",
                   5,
                   {u"lbl", u" 1", u"2", u"3", u"4", u"  前 后 ", u""},
                   {1, 2, 3, 4},
                   false},
        RecordCase{"LeadingNumbers",
                   "5=l,12abc, 7,-5,abc,c,",
                   5,
                   {u"l", u"12abc", u" 7", u"-5", u"abc", u"c", u""},
                   {12, 7, -5, 0},
                   false},
        RecordCase{"EightCommas",
                   "5=l,1,2,3,4,c,a,b,c",
                   5,
                   {u"l", u"1", u"2", u"3", u"4", u"c", u"a,b,c"},
                   {1, 2, 3, 4},
                   true},
        RecordCase{
            "NoComma", "5=just text", 5, {u"just text", u"", u"", u"", u"", u"", u""}, {}, false},
        RecordCase{"FewCommasLastFieldEmpty",
                   "5=l,5,6",
                   5,
                   {u"l", u"5", u"", u"", u"", u"", u""},
                   {5, 0, 0, 0},
                   false},
        RecordCase{"LeadingZeroKeyNotFound",
                   "07=l,1,1,1,1,x,",
                   7,
                   {u"", u"", u"", u"", u"", u"", u""},
                   {},
                   false},
        RecordCase{"KeyOfOtherSectionNotUsed",
                   "6=l,1,1,1,1,x,",
                   5,
                   {u"", u"", u"", u"", u"", u"", u""},
                   {},
                   false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SkinRecord, OnlyTheFirst259UnitsAreRead) {
    // "l,1,2,3,4," is 10 units; a caption of 249 units ends exactly at unit 259 and keeps its
    // closing comma out of reach, one of 248 units keeps it.
    TempDir dir;
    const std::u16string fits(248, u'字');
    const std::u16string tooLong(249, u'字');
    writeFile(dir / "skin_main.ini", "[BUTTONPOS]\n0=l,1,2,3,4," + utf8FromUtf16(fits) +
                                         ",\n1=l,1,2,3,4," + utf8FromUtf16(tooLong) + ",\n");
    FakeMessageBox box;
    const auto first = readSkinRecord(dir / "skin_main.ini", "BUTTONPOS", 0, box);
    const auto second = readSkinRecord(dir / "skin_main.ini", "BUTTONPOS", 1, box);
    ASSERT_TRUE(first && second);
    EXPECT_EQ((*first)[5], fits);
    EXPECT_EQ((*second)[5], u"");
    EXPECT_EQ(skinRectOf(*second), (SkinRect{1, 2, 3, 4}));
}

TEST(SkinRecord, MissingFileIsReported) {
    TempDir dir;
    FakeMessageBox box;
    EXPECT_FALSE(readSkinRecord(dir / "skin_main.ini", "BUTTONPOS", 0, box));
    EXPECT_EQ(box.shown, std::vector<std::u16string>{u"找不到配置文件"});
}

class LoadSkinTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setProgramDirectory(state, dir.path());
        std::filesystem::create_directories(dir / "skins");
        writeFile(dir / "skins/skin_main.ini",
                  "[BUTTONPOS]\n0=save,1,2,3,4,保存,\n79=last,5,6,7,8,尾,\n"
                  "[FUN_STRING]\n1=左键\n2=右键,ignored,\n54=最后\n0=never\n");
        // UTF-16LE with its mark, as the platform's profile reader takes it.
        std::u16string colour = u"\uFEFF[BUTTONPOS]\r\n11=swatch,600,50,40,40,色块,\r\n";
        std::string bytes;
        for (char16_t unit : colour) {
            bytes.push_back(static_cast<char>(unit & 0xff));
            bytes.push_back(static_cast<char>(unit >> 8));
        }
        writeFile(dir / "skins/skin_color.ini", bytes);
        writeFile(
            dir / "skins/skin_advance.ini",
            "[BUTTONPOS]\n19=x,9,9,9,9,十九,\n[EDIT]\n3=count,10,11,12,13,\n"
            "4=name,20,21,22,23,\n[MACRODISPLAY]\n1=list,30,31,32,33,\n2=events,40,41,42,43,\n");
        writeFile(dir / "skins/LBWarning.ini",
                  "[BUTTONPOS]\n0=ok,1,1,50,20,确定,\n2=msg,0,0,200,60,提示,\n");
    }

    TempDir dir;
    AppState state;
    FakeMessageBox box;
};

TEST_F(LoadSkinTest, FillsEveryTable) {
    ASSERT_TRUE(loadSkin(state, box));
    ASSERT_TRUE(loadWarningLayout(state, box));
    const SkinLayout& skin = state.skinLayout;
    EXPECT_EQ(state.skinDirectory, dir.path() / "skins");
    EXPECT_EQ(skin.mainRects[0], (SkinRect{1, 2, 3, 4}));
    EXPECT_EQ(skin.mainCaptions[0], u"保存");
    EXPECT_EQ(skin.mainRects[79], (SkinRect{5, 6, 7, 8}));
    EXPECT_EQ(skin.mainRects[40], SkinRect{});
    EXPECT_EQ(skin.functionNames[0], u"");
    EXPECT_EQ(skin.functionNames[1], u"左键");
    EXPECT_EQ(skin.functionNames[2], u"右键");
    EXPECT_EQ(skin.functionNames[54], u"最后");
    EXPECT_EQ(skin.colourRects[11], (SkinRect{600, 50, 40, 40}));
    EXPECT_EQ(skin.colourCaptions[11], u"色块");
    EXPECT_EQ(skin.advancedCaptions[19], u"十九");
    EXPECT_EQ(skin.countEditRect, (SkinRect{10, 11, 12, 13}));
    EXPECT_EQ(skin.nameEditRect, (SkinRect{20, 21, 22, 23}));
    EXPECT_EQ(skin.macroListRect, (SkinRect{30, 31, 32, 33}));
    EXPECT_EQ(skin.eventListRect, (SkinRect{40, 41, 42, 43}));
    EXPECT_EQ(skin.warningRects[0], (SkinRect{1, 1, 50, 20}));
    EXPECT_EQ(skin.warningCaptions[2], u"提示");
    EXPECT_TRUE(box.shown.empty());
}

TEST_F(LoadSkinTest, MissingFileStopsAfterOneMessage) {
    std::filesystem::remove(dir / "skins/skin_color.ini");
    EXPECT_FALSE(loadSkin(state, box));
    EXPECT_EQ(box.shown, std::vector<std::u16string>{u"找不到配置文件"});
    EXPECT_EQ(state.skinLayout.mainCaptions[0], u"保存");   // read before the missing file
    EXPECT_EQ(state.skinLayout.advancedCaptions[19], u"");  // nothing read after it

    std::filesystem::remove(dir / "skins/LBWarning.ini");
    FakeMessageBox second;
    EXPECT_FALSE(loadWarningLayout(state, second));
    EXPECT_EQ(second.shown.size(), 1u);
}

TEST_F(LoadSkinTest, EveryMalformedValueIsReportedOnce) {
    writeFile(dir / "skins/skin_main.ini",
              "[BUTTONPOS]\n0=a,1,2,3,4,c,,,\n1=b,1,2,3,4,c,\n[FUN_STRING]\n3=x,,,,,,,\n");
    ASSERT_TRUE(loadSkin(state, box));
    EXPECT_EQ(box.shown, (std::vector<std::u16string>{u"加载ini错误！", u"加载ini错误！"}));
    EXPECT_EQ(state.skinLayout.mainRects[0], (SkinRect{1, 2, 3, 4}));
    EXPECT_EQ(state.skinLayout.functionNames[3], u"x");
}

TEST(HitTestElements, FindsTheLowestElementUnderThePoint) {
    const std::vector<SkinRect> rects{
        {0, 0, 0, 0}, {10, 10, 20, 20}, {15, 15, 20, 20}, {40, 0, -5, 10}, {0, 0, 100, 100}};
    struct Case {
        std::int32_t last, x, y, expected;
    };
    const Case cases[] = {
        {4, 10, 10, 1},  // top-left corner is inside
        {4, 29, 29, 1},  // last pixel inside
        {4, 30, 20, 2},  // right edge of 1 is outside, 2 still holds it
        {4, 20, 30, 2},
        {4, 35, 35, 4},           // outside 2, inside 4
        {4, 0, 0, 4},             // the empty rectangle 0 holds no point
        {4, 38, 5, 4},            // a negative width holds no point
        {3, 35, 35, kNoElement},  // the last index limits the search
        {1, 16, 16, 1},
        {-1, 16, 16, kNoElement},
        {99, 99, 99, 4},  // an index beyond the table is not read
        {4, 100, 50, kNoElement},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hitTestElements(rects, c.last, c.x, c.y), c.expected)
            << "last " << c.last << " at " << c.x << "," << c.y;
    }
}

}  // namespace
}  // namespace torvane
