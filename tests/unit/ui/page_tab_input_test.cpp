#include "ui/main_window/page_tab_input.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "device/confirm_blink.h"

namespace torvane {
namespace {

// A layout where the three tabs sit in a row at the top, main element 30 (a DPI box) and
// advanced element 2 overlap a frame element, and everything else is empty.
class PageTabInputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SkinLayout& layout = state.skinLayout;
        layout.mainRects[4] = {10, 100, 40, 20};   // profile 1 selector
        layout.mainRects[5] = {60, 100, 40, 20};   // profile 2 selector
        layout.mainRects[9] = {10, 10, 50, 20};    // main tab
        layout.mainRects[10] = {70, 10, 50, 20};   // advanced tab
        layout.mainRects[11] = {130, 10, 50, 20};  // colour tab
        layout.mainRects[30] = {300, 300, 20, 20};
        layout.advancedRects[2] = {10, 100, 40, 20};  // under profile 1's selector
        layout.colourRects[1] = {400, 400, 20, 20};
    }
    AppState state;
    PageTabInput input{state};
};

constexpr Point kMainTab{20, 15};
constexpr Point kAdvancedTab{80, 15};
constexpr Point kColourTab{140, 15};
constexpr Point kEmpty{600, 600};

TEST_F(PageTabInputTest, RepaintsOncePerLayoutWhoseHoverChanged) {
    EXPECT_EQ(input.mouseMove({12, 102}), 2);  // frame element 4 and advanced element 2
    EXPECT_EQ(state.hoverMainElement, 4);
    EXPECT_EQ(state.hoverAdvancedElement, 2);
    EXPECT_EQ(input.mouseMove({14, 104}), 0);  // still the same elements
    EXPECT_EQ(input.mouseMove({62, 102}), 2);  // element 5; advanced element 2 left
    EXPECT_EQ(input.mouseMove({64, 104}), 0);
    EXPECT_EQ(input.mouseMove(kEmpty), 1);
    EXPECT_EQ(state.hoverMainElement, kNoElement);
}

TEST_F(PageTabInputTest, OtherPagesHitTestOnlyTheFrameOfTheMainLayout) {
    input.mouseMove({305, 305});
    EXPECT_EQ(state.hoverMainElement, 30);
    state.currentPage = 1;
    input.mouseMove({306, 306});
    EXPECT_EQ(state.hoverMainElement, kNoElement);
}

TEST_F(PageTabInputTest, TabsSwitchPagesFromEveryPage) {
    struct Case {
        std::uint8_t from;
        Point click;
        std::uint8_t to;
    };
    const Case cases[] = {
        {0, kAdvancedTab, 1}, {0, kColourTab, 2},   {0, kMainTab, 0},
        {1, kMainTab, 0},     {1, kColourTab, 2},   {1, kAdvancedTab, 1},
        {2, kMainTab, 0},     {2, kAdvancedTab, 1}, {2, kColourTab, 2},
    };
    for (const Case& c : cases) {
        state.currentPage = c.from;
        input.mouseMove(c.click);
        const PageTabInput::PressResult result = input.leftDown(c.click);
        EXPECT_EQ(state.currentPage, c.to) << "from page " << int{c.from};
        EXPECT_TRUE(result.repaint);
        EXPECT_FALSE(result.drag);
        EXPECT_TRUE(state.elementPressed);
        input.leftUp(c.click);
        EXPECT_FALSE(state.elementPressed);
    }
}

TEST_F(PageTabInputTest, PressOnEmptySpaceDragsOnlyWhereNothingIsHovered) {
    input.mouseMove(kEmpty);
    PageTabInput::PressResult result = input.leftDown(kEmpty);
    EXPECT_TRUE(result.drag);
    EXPECT_FALSE(result.repaint);
    EXPECT_FALSE(state.elementPressed);

    // On the colour page a colour element is not empty space, on the main page it is.
    const Point colourChoice{405, 405};
    input.mouseMove(colourChoice);
    EXPECT_TRUE(input.leftDown(colourChoice).drag);
    state.currentPage = 2;
    input.mouseMove(colourChoice);
    result = input.leftDown(colourChoice);
    EXPECT_FALSE(result.drag);
    EXPECT_TRUE(result.repaint);
    EXPECT_EQ(state.currentPage, 2);
}

class CountingBlink : public ConfirmBlink {
  public:
    void start() override { ++starts; }
    int starts = 0;
};

TEST_F(PageTabInputTest, EnteringTheMainPageRestartsTheBlinkOnlyWhenNoneRuns) {
    CountingBlink blink;
    PageTabInput withBlink(state, &blink);
    struct Case {
        std::uint8_t from;
        Point click;
        std::uint8_t blinkActive;
        int starts;
    };
    const Case cases[] = {
        {1, kMainTab, 0, 1},    // back to the main page, no blinker: one starts
        {2, kMainTab, 1, 0},    // one still runs: not a second
        {0, kMainTab, 0, 0},    // the page shown already: nothing happens
        {0, kColourTab, 0, 0},  // another page: no blink
    };
    for (const Case& c : cases) {
        blink.starts = 0;
        state.currentPage = c.from;
        state.blinkThreadActive = c.blinkActive;
        withBlink.mouseMove(c.click);
        withBlink.leftDown(c.click);
        EXPECT_EQ(blink.starts, c.starts) << "from page " << int{c.from};
    }
}

}  // namespace
}  // namespace torvane
