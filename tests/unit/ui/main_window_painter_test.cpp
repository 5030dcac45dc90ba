#include "ui/main_window/main_window_painter.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "support/ui_fakes.h"

namespace torvane {
namespace {

using test::FakeImageLoader;
using test::RecordingCanvas;
using Kind = RecordingCanvas::Kind;

constexpr const char* kNormal = "main_normal.jpg";
constexpr const char* kOver = "main_over.jpg";
constexpr const char* kDown = "main_down.jpg";

// Element n of each page sits in its own 10 x 20 cell, so every copy names its element.
SkinRect cell(int n, int row) {
    return SkinRect{n * 10, row * 100, 10, 20};
}

class PainterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SkinLayout& skin = state.skinLayout;
        for (int n = 0; n < kMainElementCount; ++n) skin.mainRects[n] = cell(n, 0);
        for (int n = 0; n < kAdvancedElementCount; ++n) skin.advancedRects[n] = cell(n, 1);
        for (int n = 0; n < kColourElementCount; ++n) skin.colourRects[n] = cell(n, 2);
        skin.maskWidth = 800;
        skin.maskHeight = 640;
        images.addFilled(
            {kNormal, kOver, kDown, "advanced_normal.jpg", "advanced_over.jpg", "advanced_down.jpg",
             "color_normal_pink.jpg", "color_over_red.jpg", "color_down_purple.jpg",
             "color_over_blue.jpg", "color_normal_gray.jpg", "dpi_slider.jpg"},
            800, 640);
        state.hoverMainElement = kNoElement;
        state.currentConfigIndex = 1;
        state.config.currentDpiLevel = 2;
        state.config.dpiLevelEnabled[0] = 1;
        state.config.dpiLevelEnabled[3] = 1;
        state.config.wheelMode = 1;
        state.config.pointerSpeed = 9;
        state.dpiSettingElement = {45, 51, 57, 64};
    }

    RecordingCanvas paint(const PaintView& view = {}) {
        RecordingCanvas canvas(images);
        lastResult = paintMainWindow(state, images, canvas, view);
        return canvas;
    }

    AppState state;
    FakeImageLoader images;
    PaintResult lastResult;
};

std::vector<SkinRect> cells(std::initializer_list<int> elements, int row) {
    std::vector<SkinRect> rects;
    for (int n : elements) rects.push_back(cell(n, row));
    return rects;
}

TEST_F(PainterTest, MainPageWithoutHoverShowsOnlyTheStateOverlays) {
    const RecordingCanvas canvas = paint();
    ASSERT_FALSE(canvas.ops.empty());
    EXPECT_EQ(canvas.ops.front(),
              (RecordingCanvas::Op{Kind::Copy, kNormal, {0, 0, 800, 640}, {}, {}}));
    EXPECT_TRUE(canvas.copiesFrom(kOver).empty());
    // active stage 67, enabled stages 27 and 30, wheel 33, then the frame: selector 4, tab 9.
    EXPECT_EQ(canvas.copiesFrom(kDown), cells({67, 27, 30, 33, 4, 9}, 0));
    std::vector<RecordingCanvas::Op> knobs;
    for (const auto& op : canvas.ops) {
        if (op.kind == Kind::TopLeft) knobs.push_back(op);
    }
    ASSERT_EQ(knobs.size(), 4u);
    EXPECT_EQ(knobs[1].picture, "dpi_slider.jpg");
    EXPECT_EQ(knobs[1].rect, cell(51, 0));
}

TEST_F(PainterTest, HoveredElementShowsOverAndDownWhilePressed) {
    state.hoverMainElement = 20;
    EXPECT_EQ(paint().lastCopyOf(cell(20, 0)), kOver);
    state.elementPressed = true;
    EXPECT_EQ(paint().lastCopyOf(cell(20, 0)), kDown);
}

TEST_F(PainterTest, FrameRulesForSelectorAndTab) {
    struct Case {
        std::uint8_t page;
        std::int32_t hovered;
        bool pressed;
        int element;
        const char* expected;
    };
    const Case cases[] = {
        {0, 4, false, 4, kDown},  // the selected profile stays pressed under the cursor
        {0, 9, false, 9, kOver},  // the current tab shows its hover state
        {0, 9, true, 9, kDown},
        {0, 10, false, 10, kOver},
        {0, kNoElement, false, 10, ""},  // another page's tab is left as drawn
        {1, kNoElement, false, 10, "advanced_down.jpg"},
        {1, 10, false, 10, "advanced_over.jpg"},
        {2, 5, false, 5, "color_down_purple.jpg"},  // the frame uses the page's pictures
    };
    for (const Case& c : cases) {
        state.currentPage = c.page;
        state.hoverMainElement = c.hovered;
        state.elementPressed = c.pressed;
        state.currentConfigIndex = c.element == 5 ? 2 : 1;
        EXPECT_EQ(paint().lastCopyOf(cell(c.element, 0)), c.expected)
            << "page " << int(c.page) << " hover " << c.hovered << " element " << c.element;
    }
}

TEST_F(PainterTest, FunctionBoxes) {
    state.skinLayout.functionNames[1] = u"左键";
    state.skinLayout.functionNames[41] = u"wrong";
    state.macroTable.edit([](MacroTable& table) {
        const std::u16string name = u"连招";
        std::copy(name.begin(), name.end(), table.macros[0].name.begin());
        table.macros[11].name.fill(u'满');  // no terminator: the whole record is the name
        table.count = 1;
    });
    struct Case {
        std::int32_t code;
        std::u16string text;
    };
    const Case cases[] = {{0, u""},  {1, u"左键"}, {41, u"连招"}, {52, std::u16string(20, u'满')},
                          {53, u""}, {-3, u""},    {1000, u""}};
    for (const Case& c : cases) {
        state.config.buttonFunction[3] = c.code;  // slot 3: element 19
        const RecordingCanvas canvas = paint();
        std::vector<RecordingCanvas::Op> inBox;
        for (const auto& op : canvas.texts()) {
            if (op.rect.x == cell(19, 0).x + 5) inBox.push_back(op);
        }
        if (c.text.empty()) {
            EXPECT_TRUE(inBox.empty()) << c.code;
            continue;
        }
        ASSERT_EQ(inBox.size(), 1u) << c.code;
        EXPECT_EQ(inBox[0].text, c.text);
        EXPECT_EQ(inBox[0].rect.y, (20 - RecordingCanvas::kTextHeight) / 2);
        EXPECT_EQ(inBox[0].colour, kWhite);
    }
    state.config.buttonFunction[3] = 1;
    state.hoverMainElement = 19;
    EXPECT_EQ(paint().textOp(u"左键")->colour, kRed);
}

TEST_F(PainterTest, CaptionsAreCentredWithTruncatingDivision) {
    state.skinLayout.mainRects[0] = {0, 0, 100, 31};
    state.skinLayout.mainCaptions[0] = u"保存";
    state.skinLayout.mainRects[24] = {50, 300, 10, 10};
    state.skinLayout.mainCaptions[24] = u"abc";  // wider than its box: -11 / 2 is -5
    const RecordingCanvas canvas = paint();
    EXPECT_EQ(canvas.textOp(u"保存")->rect, (SkinRect{43, 9, 0, 0}));
    EXPECT_EQ(canvas.textOp(u"abc")->rect, (SkinRect{45, 299, 0, 0}));
    EXPECT_EQ(canvas.textOp(u"abc")->colour, kWhite);
}

TEST_F(PainterTest, StatusLineBlinksWithTheButtonIndicator) {
    const RecordingCanvas idle = paint();
    EXPECT_EQ(idle.textOp(u"驱动运行中...")->colour, kYellow);

    state.ackReceived = 0;
    state.pendingConfirmButton = 3;
    state.confirmBlinkOn = 1;
    const RecordingCanvas on = paint();
    EXPECT_NE(on.textOp(u"配置完成，请点击鼠标第[3]键运行驱动"), nullptr);
    EXPECT_EQ(on.lastCopyOf(cell(71, 0)), kOver);
    EXPECT_EQ(state.skinLayout.mainCaptions[1], u"配置完成，请点击鼠标第[3]键运行驱动");

    state.confirmBlinkOn = 0;
    const RecordingCanvas off = paint();
    EXPECT_NE(off.textOp(u"配置完成，请点击鼠标第[ ]键运行驱动"), nullptr);
    EXPECT_EQ(off.lastCopyOf(cell(71, 0)), kDown);
}

TEST_F(PainterTest, AdvancedPageOverlaysAndCaptions) {
    state.currentPage = 1;
    state.recording = true;
    state.config.macroRepeatWhileHeld = 1;
    state.currentMacroIndex = 2;
    state.macroTable.edit([](MacroTable& table) { table.macros[2].repeatEnabled = 1; });
    state.pressLineCount = 3;
    state.releaseLineCount = 12;
    state.hoverAdvancedElement = 5;
    state.skinLayout.advancedCaptions[5] = u"次数";
    const RecordingCanvas canvas = paint();
    EXPECT_EQ(canvas.copiesFrom("advanced_over.jpg"), cells({5}, 1));
    // record, pointer speed 9, hold mode, repeat; then the frame's selector 4 and tab 10.
    std::vector<SkinRect> down = cells({4, 9, 7, 6}, 1);
    down.push_back(cell(4, 0));
    down.push_back(cell(10, 0));
    EXPECT_EQ(canvas.copiesFrom("advanced_down.jpg"), down);
    EXPECT_NE(canvas.textOp(u"停止"), nullptr);
    EXPECT_NE(canvas.textOp(u"↓3"), nullptr);
    EXPECT_NE(canvas.textOp(u"↑12"), nullptr);
    EXPECT_EQ(canvas.textOp(u"次数")->colour, kRed);

    state.recording = false;
    state.currentMacroIndex = 40;  // outside the table: no repeat overlay, no crash
    const RecordingCanvas idle = paint();
    EXPECT_NE(idle.textOp(u"录制"), nullptr);
    EXPECT_EQ(idle.lastCopyOf(cell(6, 1)), "");
    EXPECT_EQ(idle.lastCopyOf(cell(4, 1)), "");
}

TEST_F(PainterTest, ColourPageSwatchAndDpiText) {
    state.currentPage = 2;
    state.config.ledMode = 2;
    struct Case {
        bool dark;
        std::int32_t stage;
        const char* swatch;
    };
    const Case swatches[] = {
        {true, 0, "color_normal_gray.jpg"}, {false, 0, "color_over_blue.jpg"},   {false, 1, ""},
        {false, 2, "color_over_red.jpg"},   {false, 3, "color_down_purple.jpg"}, {false, 9, ""}};
    for (const Case& c : swatches) {
        state.ledPreviewDark = c.dark;
        state.ledPreviewStage = c.stage;
        const RecordingCanvas canvas = paint();
        EXPECT_EQ(canvas.lastCopyOf(cell(11, 2)), c.swatch) << c.dark << " " << c.stage;
        EXPECT_EQ(canvas.lastCopyOf(cell(2, 2)), "color_down_purple.jpg");
    }

    const std::pair<std::uint8_t, std::u16string> texts[] = {
        {0, u"3200"}, {1, u"1200"}, {2, u"1600"}, {3, u"2000"}, {4, u"2400"}, {5, u"1200"}};
    for (const auto& [index, text] : texts) {
        state.appliedDpiSetting[2] = index;  // the active stage is 2
        const RecordingCanvas canvas = paint();
        ASSERT_NE(canvas.textOp(text), nullptr) << int(index);
        EXPECT_EQ(canvas.textOp(text)->colour, kWhite);
    }
    state.hoverColourElement = 9;
    EXPECT_EQ(paint().textOp(u"1200")->colour, kRed);
}

TEST_F(PainterTest, MissingPicturesAndStrayValuesDrawNothing) {
    images.remove(kOver);
    images.remove(kNormal);
    images.remove("dpi_slider.jpg");
    state.hoverMainElement = 20;
    state.dpiSettingElement = {200, -1, 45, 80};
    state.config.currentDpiLevel = 40;
    state.ackReceived = 0;
    state.pendingConfirmButton = 500;
    const RecordingCanvas canvas = paint();
    EXPECT_EQ(canvas.ops.front(),
              (RecordingCanvas::Op{Kind::Fill, {}, {0, 0, 800, 640}, {}, kBlack}));
    for (const auto& op : canvas.ops) {
        EXPECT_NE(op.kind, Kind::TopLeft);
        if (op.kind == Kind::Copy) {
            EXPECT_EQ(op.picture, kDown);
        }
    }
    EXPECT_EQ(canvas.lastCopyOf(cell(20, 0)), "");
}

TEST_F(PainterTest, MinimisedWindowPaintsOnlyTheCentredIcon) {
    const Image icon = Image::filled(32, 32, Image::rgb(1, 2, 3));
    images.add("icon", icon);
    state.closePickerOnPaint = true;
    RecordingCanvas canvas(images);
    PaintView view{true, 161, 100, nullptr};
    lastResult = paintMainWindow(state, images, canvas, view);
    EXPECT_TRUE(lastResult.closePicker);
    EXPECT_FALSE(state.closePickerOnPaint);
    ASSERT_EQ(canvas.ops.size(), 1u);
    EXPECT_EQ(canvas.ops[0].kind, Kind::Fill);
    EXPECT_TRUE(images.loads.empty());

    const auto sharedIcon = images.load("icon");
    images.loads.clear();
    view.icon = sharedIcon.get();
    RecordingCanvas withIcon(images);
    paintMainWindow(state, images, withIcon, view);
    ASSERT_EQ(withIcon.ops.size(), 2u);
    EXPECT_EQ(withIcon.ops[1].rect, (SkinRect{65, 34, 32, 32}));
    EXPECT_FALSE(paint().texts().empty());
    EXPECT_FALSE(lastResult.closePicker);
}

}  // namespace
}  // namespace torvane
