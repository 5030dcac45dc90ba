// skin_builder: draws the shipped skin (every picture and the four layout files).
//
//   skin_builder OUTPUT_DIR                 writes the skin into OUTPUT_DIR
//   skin_builder --compare BUILT SHIPPED    checks that a fresh build matches the committed skin
//   skin_builder --previews SKIN_DIR OUT    renders composited page previews (PNG) from a skin
//
// It runs without a display (the offscreen platform is chosen when none is set).

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/ini_file.h"
#include "app/text.h"
#include "skin_art.h"
#include "skin_design.h"

namespace torvane::skin {
namespace {

// Files in the skin folder that the builder does not make.
const std::set<QString> kForeignFiles = {QStringLiteral("defMacro.dat")};

bool keptPixel(QRgb c) {
    return !(qRed(c) > 100 && qGreen(c) > 100 && qBlue(c) > 100);
}

int fail(const std::string& message) {
    std::fprintf(stderr, "skin_builder: %s\n", message.c_str());
    return 1;
}

bool overlaps(const Element& a, const Element& b) {
    if (a.width <= 0 || a.height <= 0 || b.width <= 0 || b.height <= 0) return false;
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

Element asElement(const Rect& r, const char* label) {
    return Element{-1, label, r.x, r.y, r.width, r.height, "", Kind::Label, ""};
}

std::vector<Element> range(const std::vector<Element>& all, int first, int last) {
    std::vector<Element> out;
    for (const Element& e : all) {
        if (e.index >= first && e.index <= last) out.push_back(e);
    }
    return out;
}

// The layout mistakes that would break the window: elements out of order, hit areas that
// overlap (the lower number would steal the other's clicks), captions wider than their place.
std::vector<std::string> checkDesign(const Design& d) {
    std::vector<std::string> problems;
    auto checkOrder = [&](const std::vector<Element>& list, int count, const char* name) {
        if (static_cast<int>(list.size()) != count) {
            problems.push_back(std::string(name) + ": wrong element count");
            return;
        }
        for (int i = 0; i < count; ++i) {
            if (list[i].index != i)
                problems.push_back(std::string(name) + ": element out of order");
            if (list[i].label.find(',') != std::string::npos ||
                list[i].caption.find(',') != std::string::npos)
                problems.push_back(std::string(name) + ": comma in a record field");
        }
    };
    checkOrder(d.main, 80, "main");
    checkOrder(d.colour, 12, "colour");
    checkOrder(d.advanced, 20, "advanced");
    checkOrder(d.warning, 3, "warning");
    if (!problems.empty()) return problems;

    auto disjoint = [&](const std::vector<Element>& a, const std::vector<Element>& b,
                        const char* what) {
        for (const Element& x : a) {
            for (const Element& y : b) {
                if (&a == &b && x.index >= y.index) continue;
                if (overlaps(x, y)) {
                    problems.push_back(std::string(what) + ": " + x.label + " overlaps " + y.label);
                }
            }
        }
    };
    const auto mainAll = range(d.main, 0, 75);
    const auto frame = range(d.main, 0, 16);
    const auto colourHit = range(d.colour, 0, 4);
    const auto colourCaptions = range(d.colour, 5, 11);
    std::vector<Element> advancedAll = d.advanced;
    advancedAll.push_back(asElement(d.countEdit, "count_edit"));
    advancedAll.push_back(asElement(d.nameEdit, "name_edit"));
    advancedAll.push_back(asElement(d.macroList, "macro_list"));
    advancedAll.push_back(asElement(d.eventList, "event_list"));
    disjoint(mainAll, mainAll, "main page");
    disjoint(frame, advancedAll, "advanced page");
    disjoint(advancedAll, advancedAll, "advanced page");
    disjoint(frame, d.colour, "colour page");
    disjoint(colourHit, colourHit, "colour page");
    disjoint(range(d.colour, 0, 3), colourCaptions, "colour page");
    disjoint(d.warning, d.warning, "warning");

    const QFontMetrics metrics(captionFont());
    auto fits = [&](const std::string& text, int width, const std::string& where) {
        const int w = metrics.horizontalAdvance(QString::fromUtf8(text.c_str()));
        if (w > width) problems.push_back(where + ": \"" + text + "\" does not fit");
    };
    for (const auto* list : {&d.main, &d.colour, &d.advanced, &d.warning}) {
        for (const Element& e : *list) {
            if (!e.caption.empty()) fits(e.caption, e.width - 4, e.label);
        }
    }
    // Captions the program writes itself: the status line, the step counters, the DPI value.
    fits("配置完成，请点击鼠标第[7]键运行驱动", d.main[1].width - 40, "status line");
    fits("↓9999", d.advanced[14].width - 4, "press counter");
    fits("↑9999", d.advanced[15].width - 4, "release counter");
    fits("停止", d.advanced[4].width - 48, "record button");
    fits("3200", d.colour[9].width - 4, "DPI value");
    // Function names: in the boxes they start 5 px in and must clear the drop-down arrow; in the
    // pickers they are centred in the row.
    for (int c = 1; c < static_cast<int>(d.functionNames.size()); ++c) {
        fits(d.functionNames[c], d.main[17].width - 5 - 30, "function box");
        fits(d.functionNames[c], std::min(d.menuWidth, d.subMenuWidth) - 36, "picker row");
    }
    return problems;
}

// Every element must lie where the window is, or part of it would be cut away.
std::vector<std::string> checkInsideShape(const Design& d, const QImage& mask) {
    std::vector<std::string> problems;
    auto inside = [&](const Element& e) {
        for (int y = e.y; y < e.y + e.height; ++y) {
            for (int x = e.x; x < e.x + e.width; ++x) {
                if (x < 0 || y < 0 || x >= mask.width() || y >= mask.height() ||
                    !keptPixel(mask.pixel(x, y)))
                    return false;
            }
        }
        return true;
    };
    for (const auto* list : {&d.main, &d.colour, &d.advanced}) {
        for (const Element& e : *list) {
            if (!inside(e)) problems.push_back(e.label + " lies outside the window shape");
        }
    }
    for (const Rect& r : {d.countEdit, d.nameEdit, d.macroList, d.eventList}) {
        if (!inside(asElement(r, "control")))
            problems.push_back("a control lies outside the window shape");
    }
    return problems;
}

bool writeText(const QString& path, const std::string& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return file.write(text.data(), static_cast<qint64>(text.size())) ==
           static_cast<qint64>(text.size());
}

bool writeJpeg(const QString& path, const QImage& image, int quality = 95) {
    return image.save(path, "JPG", quality);
}

// The decoded mask must keep exactly the pixels the drawn mask keeps: compression noise must
// never cross the threshold.
bool maskSurvives(const QString& path, const QImage& drawn) {
    const QImage decoded(path);
    if (decoded.size() != drawn.size()) return false;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            if (keptPixel(decoded.pixel(x, y)) != keptPixel(drawn.pixel(x, y))) return false;
        }
    }
    return true;
}

// Fields 0..6 of a layout value: fields 0..5 end at the next comma, field 6 is the rest.
std::vector<std::u16string> splitRecord(const std::u16string& value, int* commas) {
    std::vector<std::u16string> fields(7);
    *commas = 0;
    for (char16_t ch : value) *commas += ch == u',';
    std::size_t start = 0;
    for (int k = 0; k < 6; ++k) {
        const std::size_t comma = value.find(u',', start);
        if (comma == std::u16string::npos) {
            if (k == 0) fields[0] = value;
            return fields;
        }
        fields[k] = value.substr(start, comma - start);
        start = comma + 1;
    }
    fields[6] = value.substr(start);
    return fields;
}

// Reads a written layout file back with the program's own INI reader and checks that every
// record gives the intended rectangle and caption.
std::vector<std::string> checkLayoutFile(const QString& path, const char* section,
                                         const std::vector<Element>& elements) {
    std::vector<std::string> problems;
    const IniFile ini = IniFile::load(path.toStdString());
    for (const Element& e : elements) {
        const std::string key = std::to_string(e.index);
        const std::optional<std::u16string> raw =
            ini.find(asciiToUtf16(section), asciiToUtf16(key));
        const std::u16string value = ini.value(section, key, 259);
        int commas = 0;
        const auto f = splitRecord(value, &commas);
        const bool ok = raw && *raw == value && commas == 6 && f[6].empty() &&
                        utf8FromUtf16(f[0]) == e.label && parseLeadingInt(f[1]) == e.x &&
                        parseLeadingInt(f[2]) == e.y && parseLeadingInt(f[3]) == e.width &&
                        parseLeadingInt(f[4]) == e.height && utf8FromUtf16(f[5]) == e.caption;
        if (!ok)
            problems.push_back(path.toStdString() + ": [" + section + "] " + key +
                               " reads back wrong");
    }
    return problems;
}

std::vector<std::string> checkFunctionNames(const QString& path, const Design& d) {
    std::vector<std::string> problems;
    const IniFile ini = IniFile::load(path.toStdString());
    for (int c = 1; c < static_cast<int>(d.functionNames.size()); ++c) {
        const std::u16string value = ini.value("FUN_STRING", std::to_string(c), 259);
        int commas = 0;
        const auto f = splitRecord(value, &commas);
        if (commas != 0 || utf8FromUtf16(f[0]) != d.functionNames[c]) {
            problems.push_back("[FUN_STRING] " + std::to_string(c) + " reads back wrong");
        }
    }
    return problems;
}

Element rectElement(int key, const char* label, const Rect& r) {
    return Element{key, label, r.x, r.y, r.width, r.height, "", Kind::Label, ""};
}

int build(const QString& outDir) {
    const Design& d = design();
    // The pictures' text and the caption checks are made for this font; another one would give
    // a different skin.
    if (!QFontInfo(captionFont()).family().contains(QStringLiteral("WenQuanYi"))) {
        return fail("the font \"WenQuanYi Micro Hei\" is missing (Debian: fonts-wqy-microhei)");
    }
    if (auto problems = checkDesign(d); !problems.empty()) {
        for (const auto& p : problems) std::fprintf(stderr, "skin_builder: %s\n", p.c_str());
        return 1;
    }
    if (!QDir().mkpath(outDir)) return fail("cannot create " + outDir.toStdString());
    const QDir dir(outDir);
    auto at = [&](const char* name) { return dir.filePath(QString::fromUtf8(name)); };

    const QImage mask = mainMask(d);
    if (auto problems = checkInsideShape(d, mask); !problems.empty()) {
        for (const auto& p : problems) std::fprintf(stderr, "skin_builder: %s\n", p.c_str());
        return 1;
    }

    struct Picture {
        const char* name;
        QImage image;
    };
    const std::vector<Picture> pictures = {
        {"main_normal.jpg", mainPage(d, State::Normal)},
        {"main_over.jpg", mainPage(d, State::Over)},
        {"main_down.jpg", mainPage(d, State::Down)},
        {"advanced_normal.jpg", advancedPage(d, State::Normal)},
        {"advanced_over.jpg", advancedPage(d, State::Over)},
        {"advanced_down.jpg", advancedPage(d, State::Down)},
        {"color_normal_pink.jpg", colourPage(d, State::Normal, LedColour::Pink)},
        {"color_over_red.jpg", colourPage(d, State::Over, LedColour::Red)},
        {"color_down_purple.jpg", colourPage(d, State::Down, LedColour::Purple)},
        {"color_over_blue.jpg", colourPage(d, State::Normal, LedColour::Blue)},
        {"color_normal_gray.jpg", colourPage(d, State::Normal, LedColour::Dark)},
        {"dpi_slider.jpg", dpiSlider(d)},
        {"menu_normal.jpg", menuPicture(d, false, State::Normal)},
        {"menu_over.jpg", menuPicture(d, false, State::Over)},
        {"menu_down.jpg", menuPicture(d, false, State::Down)},
        {"menu_mask.jpg", menuMask(d, false)},
        {"advanced menu_normal.jpg", menuPicture(d, true, State::Normal)},
        {"advanced menu_over.jpg", menuPicture(d, true, State::Over)},
        {"advanced menu_down.jpg", menuPicture(d, true, State::Down)},
        {"advanced menu_mask.jpg", menuMask(d, true)},
        {"warning_normal.jpg", warningPicture(d, State::Normal)},
        {"warning_over.jpg", warningPicture(d, State::Over)},
    };
    for (const Picture& p : pictures) {
        if (!writeJpeg(at(p.name), p.image)) return fail(std::string("cannot write ") + p.name);
    }
    if (!writeJpeg(at("main_mask.jpg"), mask, 100)) return fail("cannot write main_mask.jpg");
    if (!maskSurvives(at("main_mask.jpg"), mask))
        return fail("main_mask.jpg loses its outline when decoded");
    const QImage wmask = warningMask(d);
    if (!wmask.save(at("warning_mask.bmp"), "BMP")) return fail("cannot write warning_mask.bmp");
    if (!maskSurvives(at("warning_mask.bmp"), wmask))
        return fail("warning_mask.bmp does not read back");

    const std::pair<const char*, std::string> layouts[] = {
        {"skin_main.ini", mainLayoutText(d)},
        {"skin_color.ini", colourLayoutText(d)},
        {"skin_advance.ini", advancedLayoutText(d)},
        {"LBWarning.ini", warningLayoutText(d)},
    };
    for (const auto& [name, text] : layouts) {
        if (!writeText(at(name), text)) return fail(std::string("cannot write ") + name);
    }
    std::vector<std::string> problems;
    auto add = [&](std::vector<std::string> more) {
        problems.insert(problems.end(), more.begin(), more.end());
    };
    add(checkLayoutFile(at("skin_main.ini"), "BUTTONPOS", d.main));
    add(checkFunctionNames(at("skin_main.ini"), d));
    add(checkLayoutFile(at("skin_color.ini"), "BUTTONPOS", d.colour));
    add(checkLayoutFile(at("skin_advance.ini"), "BUTTONPOS", d.advanced));
    add(checkLayoutFile(
        at("skin_advance.ini"), "EDIT",
        {rectElement(3, "repeat_count", d.countEdit), rectElement(4, "macro_name", d.nameEdit)}));
    add(checkLayoutFile(
        at("skin_advance.ini"), "MACRODISPLAY",
        {rectElement(1, "macro_list", d.macroList), rectElement(2, "event_list", d.eventList)}));
    add(checkLayoutFile(at("LBWarning.ini"), "BUTTONPOS", d.warning));
    if (!problems.empty()) {
        for (const auto& p : problems) std::fprintf(stderr, "skin_builder: %s\n", p.c_str());
        return 1;
    }
    std::printf("skin written to %s\n", qPrintable(outDir));
    return 0;
}

std::set<QString> skinFiles(const QString& path, bool dropForeign) {
    std::set<QString> names;
    for (const QFileInfo& info : QDir(path).entryInfoList(QDir::Files)) {
        if (dropForeign && kForeignFiles.count(info.fileName())) continue;
        names.insert(info.fileName());
    }
    return names;
}

// A fresh build against the committed skin: the same files, identical layout files, pictures of
// the same size that differ by no more than compression noise, masks that keep the same pixels.
int compare(const QString& built, const QString& shipped) {
    const auto a = skinFiles(built, false);
    const auto b = skinFiles(shipped, true);
    int errors = 0;
    for (const QString& n : a) {
        if (!b.count(n)) {
            std::fprintf(stderr, "missing from the committed skin: %s\n", qPrintable(n));
            ++errors;
        }
    }
    for (const QString& n : b) {
        if (!a.count(n)) {
            std::fprintf(stderr, "not made by the builder: %s\n", qPrintable(n));
            ++errors;
        }
    }
    for (const QString& n : a) {
        if (!b.count(n)) continue;
        const QString pa = QDir(built).filePath(n);
        const QString pb = QDir(shipped).filePath(n);
        if (n.endsWith(QStringLiteral(".ini"))) {
            QFile fa(pa), fb(pb);
            if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) ||
                fa.readAll() != fb.readAll()) {
                std::fprintf(stderr, "layout file differs: %s\n", qPrintable(n));
                ++errors;
            }
            continue;
        }
        const QImage ia = QImage(pa).convertToFormat(QImage::Format_RGB32);
        const QImage ib = QImage(pb).convertToFormat(QImage::Format_RGB32);
        if (ia.isNull() || ib.isNull() || ia.size() != ib.size()) {
            std::fprintf(stderr, "picture unreadable or of another size: %s\n", qPrintable(n));
            ++errors;
            continue;
        }
        const bool isMask = n.contains(QStringLiteral("mask"));
        double sum = 0;
        long keptDiffer = 0;
        long strong = 0;
        for (int y = 0; y < ia.height(); ++y) {
            const auto* rowA = reinterpret_cast<const QRgb*>(ia.constScanLine(y));
            const auto* rowB = reinterpret_cast<const QRgb*>(ib.constScanLine(y));
            for (int x = 0; x < ia.width(); ++x) {
                const QRgb ca = rowA[x];
                const QRgb cb = rowB[x];
                sum += std::abs(qRed(ca) - qRed(cb)) + std::abs(qGreen(ca) - qGreen(cb)) +
                       std::abs(qBlue(ca) - qBlue(cb));
                if (keptPixel(ca) != keptPixel(cb)) ++keptDiffer;
                if (std::max({std::abs(qRed(ca) - qRed(cb)), std::abs(qGreen(ca) - qGreen(cb)),
                              std::abs(qBlue(ca) - qBlue(cb))}) > 48)
                    ++strong;
            }
        }
        const double pixels = double(ia.width()) * ia.height();
        const double mean = sum / (3.0 * pixels);
        // Another JPEG library or font renderer moves a few edge pixels; a changed drawing
        // changes whole areas.
        if (mean > 2.0 || strong / pixels > 0.02 || (isMask && keptDiffer != 0)) {
            std::fprintf(stderr,
                         "picture differs: %s (mean %.2f, strongly %.2f%%, mask pixels %ld)\n",
                         qPrintable(n), mean, 100.0 * strong / pixels, keptDiffer);
            ++errors;
        }
    }
    if (errors) {
        std::fprintf(stderr, "the committed skin is out of date: run skin_builder skins\n");
        return 1;
    }
    std::printf("committed skin matches the builder (%zu files)\n", a.size());
    return 0;
}

// --- previews: the pages composed the way the program paints them, for the documentation ---

struct Composer {
    QImage canvas, over, down;
    void copy(const Element& e, const QImage& from) {
        if (e.width <= 0 || e.height <= 0) return;
        QPainter p(&canvas);
        p.drawImage(QPoint(e.x, e.y), from, QRect(e.x, e.y, e.width, e.height));
    }
};

void caption(QPainter& p, const Element& e, const QString& text, const QColor& colour) {
    const QFontMetrics m(p.font());
    const int x = e.x + (e.width - m.horizontalAdvance(text)) / 2;
    const int y = e.y + (e.height - m.height()) / 2;
    p.setPen(colour);
    p.drawText(x, y + m.ascent(), text);
}

QImage shaped(const QImage& page, const QImage& mask) {
    QImage out = page.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height() && y < mask.height(); ++y) {
        for (int x = 0; x < out.width() && x < mask.width(); ++x) {
            if (!keptPixel(mask.pixel(x, y))) out.setPixel(x, y, qRgba(0, 0, 0, 0));
        }
    }
    return out;
}

void frameCaptions(QPainter& p, const Design& d, int tab, const QString& status) {
    for (int i = 0; i <= 16; ++i) {
        caption(p, d.main[i], i == 1 ? status : QString::fromUtf8(d.main[i].caption.c_str()),
                i == 1 ? QColor(255, 255, 0) : Qt::white);
    }
    (void)tab;
}

void frameStates(Composer& c, const Design& d, int tab, int hover) {
    for (int i = 0; i <= 16; ++i) {
        if (i == 4)
            c.copy(d.main[i], c.down);  // profile 1 in use
        else if (i == hover)
            c.copy(d.main[i], c.over);
        else if (i == tab)
            c.copy(d.main[i], c.down);
    }
}

int previews(const QString& skinDir, const QString& outDir) {
    const Design& d = design();
    const QDir skin(skinDir);
    auto load = [&](const char* name) {
        return QImage(skin.filePath(QString::fromUtf8(name))).convertToFormat(QImage::Format_RGB32);
    };
    const QImage mask = load("main_mask.jpg");
    if (mask.isNull()) return fail("no main_mask.jpg in " + skinDir.toStdString());
    QDir().mkpath(outDir);
    const QDir out(outDir);
    const QString pending = QStringLiteral("配置完成，请点击鼠标第[1]键运行驱动");
    const QString running = QStringLiteral("驱动运行中...");

    {  // Main page: profile 1, factory functions, slot 2's box hovered, awaiting button 1.
        Composer c{load("main_normal.jpg"), load("main_over.jpg"), load("main_down.jpg")};
        c.copy(d.main[18], c.over);
        c.copy(d.main[65], c.down);
        const QImage knob = load("dpi_slider.jpg");
        const int setting[4] = {1, 2, 4, 0};
        for (int k = 0; k < 4; ++k) {
            const Element& e = d.main[45 + 5 * k + setting[k]];
            QPainter p(&c.canvas);
            p.drawImage(QPoint(e.x, e.y), knob, QRect(0, 0, e.width, e.height));
            p.end();
            c.copy(d.main[27 + k], c.down);
        }
        c.copy(d.main[32], c.down);
        c.copy(d.main[69], c.over);
        frameStates(c, d, 9, 255);
        QPainter p(&c.canvas);
        p.setFont(captionFont());
        frameCaptions(p, d, 9, pending);
        const int functions[7] = {1, 2, 3, 5, 4, 6, 13};
        for (int i = 24; i <= 36; ++i)
            caption(p, d.main[i], QString::fromUtf8(d.main[i].caption.c_str()), Qt::white);
        for (int s = 0; s < 7; ++s) {
            const Element& e = d.main[17 + s];
            const QFontMetrics m(p.font());
            p.setPen(17 + s == 18 ? QColor(255, 0, 0) : QColor(Qt::white));
            p.drawText(e.x + 5, e.y + (e.height - m.height()) / 2 + m.ascent(),
                       QString::fromUtf8(d.functionNames[functions[s]].c_str()));
        }
        p.end();
        shaped(c.canvas, mask).save(out.filePath(QStringLiteral("skin_main.png")));

        // The same page with the function picker open on slot 2 and its shortcut list.
        QImage withMenu = c.canvas;
        QPainter q(&withMenu);
        q.setFont(captionFont());
        const QFontMetrics m(q.font());
        const int mx = d.main[18].x;
        const int my = d.main[18].y + d.main[18].height;
        const int r1 = d.menuRowHeight;
        QImage menu = load("menu_normal.jpg");
        {
            QPainter mp(&menu);
            mp.drawImage(QPoint(0, r1 * 9), load("menu_over.jpg"),
                         QRect(0, r1 * 9, d.menuWidth, r1));
        }
        q.drawImage(QPoint(mx, my), menu);
        for (int r = 1; r <= 10; ++r) {
            const QString t = QString::fromUtf8(d.functionNames[r].c_str());
            q.setPen(r == 10 ? QColor(255, 0, 0) : QColor(Qt::white));
            q.drawText(mx + (d.menuWidth - m.horizontalAdvance(t)) / 2,
                       my + r1 * (r - 1) + (r1 - m.height()) / 2 + m.ascent(), t);
        }
        const int sx = mx + d.menuWidth;
        const int sy = my + r1 * 9;  // row 10 opens its list level with itself
        const int r2 = d.subMenuRowHeight;
        QImage sub = load("advanced menu_normal.jpg").copy(0, 0, d.subMenuWidth, 10 * r2 + 1);
        {
            QPainter sp(&sub);
            sp.drawImage(QPoint(0, r2 * 2), load("advanced menu_down.jpg"),
                         QRect(0, r2 * 2, d.subMenuWidth, r2));
        }
        q.drawImage(QPoint(sx, sy - 9 * r2), sub);
        for (int a = 1; a <= 10; ++a) {
            const QString t = QString::fromUtf8(d.functionNames[30 + a].c_str());
            q.setPen(a == 3 ? QColor(255, 0, 0) : QColor(Qt::white));
            q.drawText(sx + (d.subMenuWidth - m.horizontalAdvance(t)) / 2,
                       sy - 9 * r2 + r2 * (a - 1) + (r2 - m.height()) / 2 + m.ascent(), t);
        }
        q.end();
        shaped(withMenu, mask).save(out.filePath(QStringLiteral("skin_pickers.png")));
        // The warning dialog where it opens: below slot 1's box, the only left click.
        QImage withWarning = c.canvas;
        QImage warning = load("warning_normal.jpg");
        {
            QPainter wp(&warning);
            const Element& ok = d.warning[0];
            wp.drawImage(QPoint(ok.x, ok.y), load("warning_over.jpg"),
                         QRect(ok.x, ok.y, ok.width, ok.height));
            wp.setFont(captionFont());
            for (const Element& e : d.warning)
                caption(wp, e, QString::fromUtf8(e.caption.c_str()), QColor(255, 0, 0));
        }
        const QImage wmask = QImage(skin.filePath(QStringLiteral("warning_mask.bmp")));
        {
            QPainter wq(&withWarning);
            wq.drawImage(QPoint(d.main[17].x, d.main[17].y + d.main[17].height),
                         shaped(warning, wmask));
        }
        shaped(withWarning, mask).save(out.filePath(QStringLiteral("skin_warning.png")));
    }
    {  // Advanced page: pointer speed 10, repeat on, the add button hovered.
        Composer c{load("advanced_normal.jpg"), load("advanced_over.jpg"),
                   load("advanced_down.jpg")};
        c.copy(d.advanced[2], c.over);
        c.copy(d.advanced[10], c.down);
        c.copy(d.advanced[6], c.down);
        frameStates(c, d, 10, 255);
        QPainter p(&c.canvas);
        p.setFont(captionFont());
        frameCaptions(p, d, 10, running);
        for (int k = 0; k <= 19; ++k) {
            QString t = QString::fromUtf8(d.advanced[k].caption.c_str());
            if (k == 14) t = QStringLiteral("↓3");
            if (k == 15) t = QStringLiteral("↑3");
            caption(p, d.advanced[k], t, k == 2 ? QColor(255, 0, 0) : QColor(Qt::white));
        }
        p.end();
        shaped(c.canvas, mask).save(out.filePath(QStringLiteral("skin_advanced.png")));
    }
    {  // Colour page: breathing mode, the blue stage lit, the steady mode hovered.
        Composer c{load("color_normal_pink.jpg"), load("color_over_red.jpg"),
                   load("color_down_purple.jpg")};
        c.copy(d.colour[2], c.over);
        c.copy(d.colour[0], c.down);
        c.copy(d.colour[11], load("color_over_blue.jpg"));
        frameStates(c, d, 11, 255);
        QPainter p(&c.canvas);
        p.setFont(captionFont());
        frameCaptions(p, d, 11, running);
        for (int k = 0; k <= 10; ++k) {
            caption(p, d.colour[k], QString::fromUtf8(d.colour[k].caption.c_str()), Qt::white);
        }
        p.end();
        shaped(c.canvas, mask).save(out.filePath(QStringLiteral("skin_color.png")));
    }
    std::printf("previews written to %s\n", qPrintable(outDir));
    return 0;
}

}  // namespace
}  // namespace torvane::skin

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QStringLiteral("--compare")) {
        return torvane::skin::compare(args[2], args[3]);
    }
    if (args.size() == 4 && args[1] == QStringLiteral("--previews")) {
        return torvane::skin::previews(args[2], args[3]);
    }
    if (args.size() == 2 && !args[1].startsWith(QStringLiteral("--"))) {
        return torvane::skin::build(args[1]);
    }
    std::fprintf(stderr,
                 "usage: skin_builder OUTPUT_DIR\n"
                 "       skin_builder --compare BUILT_DIR SHIPPED_DIR\n"
                 "       skin_builder --previews SKIN_DIR OUTPUT_DIR\n");
    return 2;
}
