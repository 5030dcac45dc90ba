#include "ui/main_window/window_shape.h"

#include <gtest/gtest.h>

#include <random>

#include "app/app_state.h"
#include "support/ui_fakes.h"
#include "ui/skin/mask_shape.h"

namespace torvane {
namespace {

using test::FakeImageLoader;

constexpr std::uint32_t kWhitePixel = Image::rgb(255, 255, 255);
constexpr std::uint32_t kDarkPixel = Image::rgb(0, 0, 0);

TEST(MaskShape, ThresholdIsEachComponentAbove100) {
    struct Case {
        std::uint8_t r, g, b;
        bool cut;
    };
    const Case cases[] = {{101, 101, 100, false}, {101, 101, 101, true}, {100, 255, 255, false},
                          {255, 100, 255, false}, {255, 255, 255, true}, {0, 0, 0, false}};
    for (const Case& c : cases) {
        Image mask = Image::filled(3, 1, kWhitePixel);
        mask.pixels[1] = Image::rgb(c.r, c.g, c.b);
        const Region shape = shapeFromMask(mask);
        EXPECT_EQ(shape.contains(1, 0), !c.cut) << int(c.r) << "," << int(c.g) << "," << int(c.b);
        EXPECT_EQ(shape.area(), c.cut ? 0 : 1);
    }
}

TEST(MaskShape, DarkMaskKeepsTheRectangleAndWhiteMaskNothing) {
    EXPECT_EQ(shapeFromMask(Image::filled(7, 4, Image::rgb(100, 100, 100))),
              Region::rectangle(0, 0, 7, 4));
    EXPECT_TRUE(shapeFromMask(Image::filled(7, 4, kWhitePixel)).empty());
    EXPECT_TRUE(shapeFromMask(Image{}).empty());
}

// A noisy mask with blobs: the runs must hold exactly the kept pixels, one run per stretch.
TEST(MaskShape, RunsHoldExactlyTheKeptPixels) {
    std::mt19937 random(7);
    Image mask = Image::filled(61, 37, kWhitePixel);
    for (std::uint32_t& pixel : mask.pixels) {
        if (random() % 3 == 0) pixel = kDarkPixel;
    }
    const Region shape = shapeFromMask(mask);
    for (std::int32_t y = 0; y < mask.height; ++y) {
        for (std::int32_t x = 0; x < mask.width; ++x) {
            ASSERT_EQ(shape.contains(x, y), !isMaskPixelCut(mask.at(x, y))) << x << "," << y;
        }
    }
    for (std::size_t i = 1; i < shape.runs.size(); ++i) {
        const auto& a = shape.runs[i - 1];
        const auto& b = shape.runs[i];
        EXPECT_TRUE(a.y < b.y || (a.y == b.y && a.x1 < b.x0)) << "runs unsorted or touching";
    }
}

// Exclusive-or against a per-pixel model, for overlapping, touching and outside rectangles.
TEST(Region, XorRectMatchesPixelModel) {
    constexpr int kW = 40, kH = 30;
    std::vector<bool> model(kW * kH, false);
    Region region;
    const Region::Rect rects[] = {{2, 2, 20, 10}, {10, 5, 20, 20}, {22, 2, 5, 10},
                                  {0, 0, 40, 1},  {5, 5, 5, 5},    {-3, 20, 10, 15},
                                  {30, 25, 0, 5}, {12, 8, -4, 4},  {0, 0, 40, 30}};
    for (const Region::Rect& r : rects) {
        region.xorRect(r);
        if (r.width <= 0 || r.height <= 0) continue;
        for (int y = r.y; y < r.y + r.height; ++y) {
            for (int x = r.x; x < r.x + r.width; ++x) {
                if (x >= 0 && y >= 0 && x < kW && y < kH) model[y * kW + x] = !model[y * kW + x];
            }
        }
        for (int y = 0; y < kH; ++y) {
            for (int x = 0; x < kW; ++x) {
                ASSERT_EQ(region.contains(x, y), model[y * kW + x]) << x << "," << y;
            }
        }
    }
    // The bands cover exactly the region.
    Region rebuilt;
    for (const Region::Rect& band : region.bands()) rebuilt.xorRect(band);
    EXPECT_EQ(rebuilt, region);
}

TEST(Region, BandsMergeEqualScanLines) {
    Region region = Region::rectangle(0, 0, 10, 5);
    region.xorRect({3, 1, 2, 3});  // a hole through lines 1..3
    const std::vector<Region::Rect> expected{
        {0, 0, 10, 1}, {0, 1, 3, 3}, {5, 1, 5, 3}, {0, 4, 10, 1}};
    EXPECT_EQ(region.bands(), expected);
}

class BuildWindowShapeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // A 20 x 10 mask whose right column and bottom row are white.
        Image mask = Image::filled(20, 10, kDarkPixel);
        for (int y = 0; y < 10; ++y)
            mask.pixels[static_cast<std::size_t>(y * 20 + 19)] = kWhitePixel;
        for (int x = 0; x < 20; ++x)
            mask.pixels[static_cast<std::size_t>(9 * 20 + x)] = kWhitePixel;
        images.add("main_mask.jpg", mask);
        state.skinLayout.nameEditRect = {1, 1, 3, 3};
        state.skinLayout.eventListRect = {17, 0, 4, 2};  // reaches outside the shape
        state.skinLayout.macroListRect = {6, 1, 2, 2};
        state.skinLayout.countEditRect = {10, 1, 2, 2};  // not spared
    }
    AppState state;
    FakeImageLoader images;
};

TEST_F(BuildWindowShapeTest, ShapeAndAdvancedRegion) {
    ASSERT_TRUE(buildWindowShape(state, images));
    EXPECT_EQ(state.skinLayout.maskWidth, 20);
    EXPECT_EQ(state.skinLayout.maskHeight, 10);
    EXPECT_EQ(state.windowShape, Region::rectangle(0, 0, 19, 9));

    const Region& spared = state.advancedInvalidRegion;
    EXPECT_FALSE(spared.contains(2, 2));   // name box
    EXPECT_FALSE(spared.contains(6, 1));   // macro list
    EXPECT_FALSE(spared.contains(17, 1));  // event list inside the shape
    EXPECT_TRUE(spared.contains(19, 0));   // event list outside the shape joins the region
    EXPECT_TRUE(spared.contains(10, 1));   // the count box is painted over
    EXPECT_TRUE(spared.contains(0, 0));
    EXPECT_EQ(spared.area(), 19 * 9 - 9 - 4 - 4 + 4);
}

TEST_F(BuildWindowShapeTest, MissingMaskLeavesTheWindowUnshaped) {
    images.remove("main_mask.jpg");
    state.skinLayout.maskWidth = 5;
    EXPECT_FALSE(buildWindowShape(state, images));
    EXPECT_EQ(state.skinLayout.maskWidth, 0);
    EXPECT_TRUE(state.windowShape.empty());
    EXPECT_TRUE(state.advancedInvalidRegion.empty());
}

}  // namespace
}  // namespace torvane
