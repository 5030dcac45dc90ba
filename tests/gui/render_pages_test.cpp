// Renders each page of a skin to PNG files under the build folder (render_pages/), through the
// Qt image loader and the QPainter canvas, and checks the copies and the text on real pixels.
// The committed skins/ folder is used when it holds the pictures; otherwise a small skin is drawn
// here.

#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/app_state.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_image_loader.h"
#include "support/fakes.h"
#include "ui/main_window/main_window_painter.h"
#include "ui/main_window/window_shape.h"
#include "ui/skin/skin_loader.h"

namespace torvane {
namespace {

namespace fs = std::filesystem;

void ensureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "gui_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

QString qPath(const fs::path& path) {
    return QString::fromStdU16String(path.u16string());
}

constexpr int kWidth = 800;
constexpr int kHeight = 640;

SkinRect gridCell(int n) {
    return SkinRect{12 + (n % 10) * 78, 40 + (n / 10) * 66, 72, 28};
}

std::string record(const std::string& label, const SkinRect& r, const std::string& caption) {
    return label + "," + std::to_string(r.x) + "," + std::to_string(r.y) + "," +
           std::to_string(r.width) + "," + std::to_string(r.height) + "," + caption + ",";
}

void savePicture(const fs::path& file, QColor colour, bool withCells) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(colour);
    QPainter painter(&image);
    if (withCells) {
        painter.setPen(colour.lighter(160));
        for (int n = 0; n < 80; ++n) {
            const SkinRect r = gridCell(n);
            painter.drawRect(r.x, r.y, r.width - 1, r.height - 1);
        }
    }
    painter.end();
    ASSERT_TRUE(image.save(qPath(file), file.extension() == ".bmp" ? "BMP" : "JPG", 95));
}

// A skin whose element n of every page sits in cell n of a grid, with distinct state colours.
void writeSyntheticSkin(const fs::path& skins) {
    fs::create_directories(skins);
    const QColor normal(28, 30, 38), over(40, 110, 210), down(200, 50, 50);
    for (const char* page : {"main", "advanced"}) {
        savePicture(skins / (std::string(page) + "_normal.jpg"), normal, true);
        savePicture(skins / (std::string(page) + "_over.jpg"), over, true);
        savePicture(skins / (std::string(page) + "_down.jpg"), down, true);
    }
    savePicture(skins / "color_normal_pink.jpg", normal, true);
    savePicture(skins / "color_over_red.jpg", over, true);
    savePicture(skins / "color_down_purple.jpg", down, true);
    savePicture(skins / "color_over_blue.jpg", QColor(30, 60, 230), false);
    savePicture(skins / "color_normal_gray.jpg", QColor(60, 60, 60), false);
    savePicture(skins / "dpi_slider.jpg", QColor(240, 200, 40), false);

    QImage mask(kWidth, kHeight, QImage::Format_RGB32);
    mask.fill(Qt::white);
    {
        QPainter painter(&mask);
        painter.setBrush(Qt::black);
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(QRect(0, 0, kWidth, kHeight), 60, 60);
    }
    ASSERT_TRUE(mask.save(qPath(skins / "main_mask.jpg"), "JPG", 95));
    ASSERT_TRUE(mask.save(qPath(skins / "warning_mask.bmp"), "BMP"));

    std::string main = "[BUTTONPOS]\r\n";
    for (int n = 0; n < 80; ++n) {
        const std::string caption = n == 0                 ? "保存"
                                    : n == 9               ? "主页"
                                    : n == 10              ? "宏"
                                    : n == 11              ? "灯光"
                                    : (n >= 17 && n <= 23) ? ""
                                                           : "E" + std::to_string(n);
        main += std::to_string(n) + "=" + record("e" + std::to_string(n), gridCell(n), caption) +
                "\r\n";
    }
    main +=
        "[FUN_STRING]\r\n1=左键\r\n2=右键\r\n3=中键\r\n4=前进\r\n5=后退\r\n6=DPI+\r\n13="
        "DPI循环\r\n";
    std::string colour = "[BUTTONPOS]\r\n";
    for (int n = 0; n < 12; ++n) {
        colour += std::to_string(n) + "=" + record("c", gridCell(40 + n), "C" + std::to_string(n)) +
                  "\r\n";
    }
    std::string advanced = "[BUTTONPOS]\r\n";
    for (int n = 0; n < 20; ++n) {
        advanced += std::to_string(n) + "=" +
                    record("a", gridCell(40 + n), "A" + std::to_string(n)) + "\r\n";
    }
    advanced += "[EDIT]\r\n3=" + record("count", {600, 560, 60, 20}, "") +
                "\r\n4=" + record("name", {500, 560, 90, 20}, "") +
                "\r\n[MACRODISPLAY]\r\n1=" + record("list", {20, 480, 200, 120}, "") +
                "\r\n2=" + record("events", {240, 480, 200, 120}, "") + "\r\n";
    test::writeFile(skins / "skin_main.ini", main);
    test::writeFile(skins / "skin_color.ini", colour);
    test::writeFile(skins / "skin_advance.ini", advanced);
    test::writeFile(skins / "LBWarning.ini", "[BUTTONPOS]\r\n0=ok,10,10,60,24,确定,\r\n");
}

bool committedSkinPresent(const fs::path& skins) {
    for (const char* name :
         {"skin_main.ini", "skin_color.ini", "skin_advance.ini", "main_normal.jpg", "main_mask.jpg",
          "advanced_normal.jpg", "color_normal_pink.jpg"}) {
        if (!fs::exists(skins / name)) return false;
    }
    return true;
}

int colourDistance(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

class RenderPagesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureGuiApplication();
        const fs::path committed = fs::path(TORVANE_SOURCE_DIR);
        if (committedSkinPresent(committed / "skins")) {
            setProgramDirectory(state, committed);
            usingCommittedSkin = true;
        } else {
            writeSyntheticSkin(dir / "skins");
            setProgramDirectory(state, dir.path());
        }
        ASSERT_TRUE(loadSkin(state, messages));
        ASSERT_TRUE(loadWarningLayout(state, messages));
        images = std::make_unique<QtImageLoader>(state.skinDirectory);
        ASSERT_TRUE(buildWindowShape(state, *images));
        // The outline comes from the mask: its corners are cut, its middle kept.
        EXPECT_FALSE(state.windowShape.contains(0, 0));
        EXPECT_TRUE(state.windowShape.contains(state.skinLayout.maskWidth / 2,
                                               state.skinLayout.maskHeight / 2));
        EXPECT_TRUE(messages.shown.empty());
        resetToFactory(state.config);
        state.config.pointerSpeed = 10;
        state.currentConfigIndex = 1;
        updateDpiSettingElements(state);
        outputDir = fs::current_path() / "render_pages";
        fs::create_directories(outputDir);
    }

    QImage render() {
        QImage target(state.skinLayout.maskWidth, state.skinLayout.maskHeight,
                      QImage::Format_RGB32);
        target.fill(Qt::black);
        {
            QtCanvas canvas(target);
            paintMainWindow(state, *images, canvas);
        }
        return target;
    }

    // The page as the user sees it: pixels outside the window's shape are transparent.
    QImage shaped(const QImage& page) const {
        QImage result = page.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < result.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
            for (int x = 0; x < result.width(); ++x) {
                if (!state.windowShape.contains(x, y)) row[x] = qRgba(0, 0, 0, 0);
            }
        }
        return result;
    }

    QRgb picturePixel(std::string_view file, int x, int y) {
        const auto picture = images->load(file);
        if (!picture || x >= picture->width || y >= picture->height) return 0;
        return picture->at(x, y);
    }

    test::TempDir dir;
    AppState state;
    test::FakeMessageBox messages;
    std::unique_ptr<QtImageLoader> images;
    fs::path outputDir;
    bool usingCommittedSkin = false;
};

TEST_F(RenderPagesTest, EachPageRendersToPng) {
    struct PageCase {
        std::uint8_t page;
        const char* file;
        const char* over;
        const char* down;
        std::int32_t tab;
    };
    const PageCase pages[] = {{0, "main.png", "main_over.jpg", "main_down.jpg", 9},
                              {1, "advanced.png", "advanced_over.jpg", "advanced_down.jpg", 10},
                              {2, "colour.png", "color_over_red.jpg", "color_down_purple.jpg", 11}};
    for (const PageCase& p : pages) {
        state.currentPage = p.page;
        state.hoverMainElement = 13;  // the hide button, in the frame of every page
        const QImage page = render();
        ASSERT_EQ(page.width(), state.skinLayout.maskWidth);
        const fs::path png = outputDir / p.file;
        ASSERT_TRUE(shaped(page).save(qPath(png), "PNG"));
        ASSERT_FALSE(QImage(qPath(png)).isNull());
        std::cout << "rendered " << png.string() << "\n";

        // A corner pixel of the hovered element comes from the over picture, one of the current
        // tab from the down picture.
        const SkinRect hovered = state.skinLayout.mainRects[13];
        const SkinRect tab = state.skinLayout.mainRects[static_cast<std::size_t>(p.tab)];
        const int hx = hovered.x + 1, hy = hovered.y + hovered.height - 2;
        const int tx = tab.x + 1, ty = tab.y + tab.height - 2;
        EXPECT_EQ(page.pixel(hx, hy) & 0xffffff, picturePixel(p.over, hx, hy) & 0xffffff);
        EXPECT_EQ(page.pixel(tx, ty) & 0xffffff, picturePixel(p.down, tx, ty) & 0xffffff);
    }
}

TEST_F(RenderPagesTest, CaptionsAreDrawnInACjkFont) {
    state.currentPage = 0;
    state.hoverMainElement = kNoElement;
    const QImage withText = render();
    // The status line is drawn in yellow over its element.
    const SkinRect status = state.skinLayout.mainRects[1];
    int yellow = 0;
    for (int y = status.y; y < status.y + status.height; ++y) {
        for (int x = status.x; x < status.x + status.width; ++x) {
            if (x < 0 || y < 0 || x >= withText.width() || y >= withText.height()) continue;
            const QRgb pixel = withText.pixel(x, y);
            if (qRed(pixel) > 180 && qGreen(pixel) > 180 && qBlue(pixel) < 90) ++yellow;
        }
    }
    EXPECT_GT(yellow, 20);
    // Chinese text takes its full width: no missing-glyph boxes of zero advance.
    QImage probe(10, 10, QImage::Format_RGB32);
    QtCanvas canvas(probe);
    const TextSize chinese = canvas.measureText(u"驱动运行中");
    EXPECT_GE(chinese.width, 5 * 11);
    EXPECT_GE(chinese.height, 12);
    EXPECT_LE(chinese.height, 20);
}

TEST(QtImageLoader, DecodesKeepsAndFails) {
    ensureGuiApplication();
    test::TempDir dir;
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(QColor(10, 200, 30));
    picture.setPixel(3, 2, qRgb(255, 255, 255));
    ASSERT_TRUE(picture.save(qPath(dir / "p.bmp"), "BMP"));
    ASSERT_TRUE(picture.save(qPath(dir / "p.jpg"), "JPG", 100));
    test::writeFile(dir / "broken.jpg", "not a picture");

    QtImageLoader kept(dir.path());
    const auto bmp = kept.load("p.bmp");
    ASSERT_TRUE(bmp);
    EXPECT_EQ(bmp->width, 4);
    EXPECT_EQ(bmp->height, 3);
    EXPECT_EQ(bmp->at(0, 0), Image::rgb(10, 200, 30));
    EXPECT_EQ(bmp->at(3, 2), Image::rgb(255, 255, 255));
    EXPECT_EQ(kept.load("p.bmp"), bmp);  // decoded once
    const auto jpg = kept.load("p.jpg");
    ASSERT_TRUE(jpg);
    EXPECT_LT(colourDistance(jpg->at(0, 0), qRgb(10, 200, 30)), 30);
    EXPECT_EQ(kept.load("missing.jpg"), nullptr);
    EXPECT_EQ(kept.load("broken.jpg"), nullptr);

    QtImageLoader fresh(dir.path(), QtImageLoader::Caching::DecodeEachTime);
    const auto first = fresh.load("p.bmp");
    const auto second = fresh.load("p.bmp");
    ASSERT_TRUE(first && second);
    EXPECT_NE(first, second);
    EXPECT_EQ(*first, *second);
}

TEST(QtCanvas, CopiesStayInsidePictureAndCanvas) {
    ensureGuiApplication();
    QImage target(20, 10, QImage::Format_RGB32);
    target.fill(Qt::black);
    const Image source = Image::filled(8, 8, Image::rgb(0, 0, 255));
    {
        QtCanvas canvas(target);
        canvas.copyRect(source, SkinRect{6, 6, 10, 10});  // reaches beyond both
        canvas.copyRect(source, SkinRect{-4, -4, 6, 6});  // starts before both
        canvas.drawTopLeft(source, 15, 0, 30, 3);         // the picture is narrower
        canvas.copyRect(source, SkinRect{1, 1, -3, 4});   // nothing
    }
    auto blue = [&](int x, int y) { return target.pixel(x, y) == qRgb(0, 0, 255); };
    EXPECT_TRUE(blue(6, 6));
    EXPECT_TRUE(blue(7, 7));
    EXPECT_FALSE(blue(8, 8));  // beyond the picture
    EXPECT_TRUE(blue(0, 0));
    EXPECT_TRUE(blue(1, 1));
    EXPECT_FALSE(blue(2, 2));
    EXPECT_TRUE(blue(15, 2));
    EXPECT_TRUE(blue(19, 0));
    EXPECT_FALSE(blue(15, 3));
}

}  // namespace
}  // namespace torvane
