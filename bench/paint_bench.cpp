// Paint and shape figures of the main window at 800 x 640: a full paint of each page with the
// pictures kept decoded, against a baseline in the same run that decodes the page's pictures on
// every paint, and the window shape built from the mask. Prints milliseconds per operation.
// Uses the committed skin when present (run from anywhere: the source folder is compiled in),
// else a generated one.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>

#if TORVANE_QT_AVAILABLE

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <fstream>
#include <string>

#include "app/app_state.h"
#include "app/message_box.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_image_loader.h"
#include "ui/main_window/main_window_painter.h"
#include "ui/main_window/window_shape.h"
#include "ui/skin/mask_shape.h"
#include "ui/skin/skin_loader.h"

namespace fs = std::filesystem;
using namespace torvane;

namespace {

class SilentMessageBox : public MessageBox {
  public:
    void show(const std::u16string&) override { ++shown; }
    int shown = 0;
};

QString qPath(const fs::path& path) {
    return QString::fromStdU16String(path.u16string());
}

SkinRect cell(int n) {
    return SkinRect{12 + (n % 10) * 78, 40 + (n / 10) * 66, 72, 28};
}

std::string record(const SkinRect& r, const std::string& caption) {
    return "e," + std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.width) +
           "," + std::to_string(r.height) + "," + caption + ",";
}

// A skin of noisy pictures (so the JPEG decoder has real work) with a grid of elements.
void writeSkin(const fs::path& skins) {
    fs::create_directories(skins);
    auto picture = [&](const char* name, QColor colour) {
        QImage image(800, 640, QImage::Format_RGB32);
        image.fill(colour);
        QPainter painter(&image);
        for (int i = 0; i < 400; ++i) {
            painter.fillRect((i * 97) % 800, (i * 61) % 640, 40, 12, colour.lighter(100 + i % 90));
        }
        painter.end();
        image.save(qPath(skins / name), "JPG", 90);
    };
    for (const char* n : {"main_normal.jpg", "advanced_normal.jpg", "color_normal_pink.jpg"})
        picture(n, QColor(28, 30, 38));
    for (const char* n :
         {"main_over.jpg", "advanced_over.jpg", "color_over_red.jpg", "color_over_blue.jpg"})
        picture(n, QColor(40, 110, 210));
    for (const char* n : {"main_down.jpg", "advanced_down.jpg", "color_down_purple.jpg",
                          "color_normal_gray.jpg", "dpi_slider.jpg"})
        picture(n, QColor(200, 50, 50));
    QImage mask(800, 640, QImage::Format_RGB32);
    mask.fill(Qt::white);
    {
        QPainter painter(&mask);
        painter.setBrush(Qt::black);
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(QRect(0, 0, 800, 640), 80, 80);
        painter.setBrush(Qt::white);
        painter.drawEllipse(QRect(350, 600, 100, 80));
    }
    mask.save(qPath(skins / "main_mask.jpg"), "JPG", 90);
    std::ofstream main(skins / "skin_main.ini", std::ios::binary);
    main << "[BUTTONPOS]\n";
    for (int n = 0; n < 80; ++n)
        main << n << "=" << record(cell(n), "按钮" + std::to_string(n)) << "\n";
    main << "[FUN_STRING]\n";
    for (int n = 1; n < 55; ++n) main << n << "=功能" << n << "\n";
    std::ofstream colour(skins / "skin_color.ini", std::ios::binary);
    colour << "[BUTTONPOS]\n";
    for (int n = 0; n < 12; ++n)
        colour << n << "=" << record(cell(40 + n), "灯光" + std::to_string(n)) << "\n";
    std::ofstream advanced(skins / "skin_advance.ini", std::ios::binary);
    advanced << "[BUTTONPOS]\n";
    for (int n = 0; n < 20; ++n)
        advanced << n << "=" << record(cell(40 + n), "宏" + std::to_string(n)) << "\n";
    advanced << "[EDIT]\n3=" << record({600, 560, 60, 20}, "")
             << "\n4=" << record({500, 560, 90, 20}, "")
             << "\n[MACRODISPLAY]\n1=" << record({20, 480, 200, 120}, "")
             << "\n2=" << record({240, 480, 200, 120}, "") << "\n";
    std::ofstream(skins / "LBWarning.ini", std::ios::binary)
        << "[BUTTONPOS]\n0=" << record({10, 10, 60, 24}, "确定") << "\n";
}

double millisecondsPer(int runs, const std::function<void()>& operation) {
    operation();  // warm up (first decode, font caches)
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i) operation();
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    return elapsed.count() / runs;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    AppState state;
    const fs::path committed = fs::path(TORVANE_SOURCE_DIR_FOR_BENCH);
    const fs::path generated = fs::temp_directory_path() / "torvane_paint_bench";
    if (fs::exists(committed / "skins" / "main_normal.jpg") &&
        fs::exists(committed / "skins" / "skin_main.ini")) {
        setProgramDirectory(state, committed);
    } else {
        fs::remove_all(generated);
        writeSkin(generated / "skins");
        setProgramDirectory(state, generated);
    }
    std::printf("skin: %s\n", state.skinDirectory.string().c_str());
    SilentMessageBox messages;
    if (!loadSkin(state, messages) || !loadWarningLayout(state, messages)) {
        std::fprintf(stderr, "the skin's layout files are missing\n");
        return 1;
    }
    QtImageLoader kept(state.skinDirectory);
    QtImageLoader decodeEachTime(state.skinDirectory, QtImageLoader::Caching::DecodeEachTime);
    if (!buildWindowShape(state, kept)) {
        std::fprintf(stderr, "main_mask.jpg cannot be loaded\n");
        return 1;
    }
    resetToFactory(state.config);
    state.config.pointerSpeed = 10;
    updateDpiSettingElements(state);
    state.hoverMainElement = 13;
    state.ackReceived = 0;
    state.pendingConfirmButton = 2;
    state.confirmBlinkOn = 1;

    QImage target(state.skinLayout.maskWidth, state.skinLayout.maskHeight, QImage::Format_RGB32);
    auto paintWith = [&](ImageLoader& images) {
        QtCanvas canvas(target);
        paintMainWindow(state, images, canvas);
    };

    std::printf("window %d x %d\n", state.skinLayout.maskWidth, state.skinLayout.maskHeight);
    std::printf("%-10s %16s %22s %8s\n", "page", "kept ms/paint", "decode-each ms/paint",
                "speedup");
    const char* names[] = {"main", "advanced", "colour"};
    double worstPaint = 0, worstRatio = 1e9;
    for (std::uint8_t page = 0; page < 3; ++page) {
        state.currentPage = page;
        const double cached = millisecondsPer(300, [&] { paintWith(kept); });
        const double baseline = millisecondsPer(20, [&] { paintWith(decodeEachTime); });
        worstPaint = std::max(worstPaint, cached);
        worstRatio = std::min(worstRatio, baseline / cached);
        std::printf("%-10s %16.3f %22.3f %7.1fx\n", names[page], cached, baseline,
                    baseline / cached);
    }
    const double shape = millisecondsPer(100, [&] { buildWindowShape(state, kept); });
    // The construction the shape replaces: start from the rectangle and cut one pixel at a time.
    const auto mask = kept.load(skin_file::kMainMask);
    Region perPixel;
    const double perPixelMs = millisecondsPer(3, [&] {
        perPixel = Region::rectangle(0, 0, mask->width, mask->height);
        for (std::int32_t x = 0; x < mask->width; ++x) {
            for (std::int32_t y = 0; y < mask->height; ++y) {
                if (isMaskPixelCut(mask->at(x, y))) perPixel.xorRect({x, y, 1, 1});
            }
        }
    });
    std::printf("shape build: %.3f ms (%zu runs); one operation per cut pixel: %.3f ms, %s\n",
                shape, state.windowShape.runs.size(), perPixelMs,
                perPixel == state.windowShape ? "same pixels" : "DIFFERENT PIXELS");
    std::printf("goals: paint < 2 ms: %s; shape < 5 ms: %s; speedup >= 5x: %s\n",
                worstPaint < 2.0 ? "met" : "MISSED", shape < 5.0 ? "met" : "MISSED",
                worstRatio >= 5.0 ? "met" : "MISSED");
    fs::remove_all(generated);
    return 0;
}

#else

int main() {
    std::printf("paint_bench measures the Qt image loader and canvas; build with the GUI.\n");
    return 0;
}

#endif
