#include "platform/qt/qt_canvas.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <algorithm>

namespace torvane {

namespace {

constexpr int kFontPixelSize = 13;  // 10 points at 96 dpi

QString toQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QFont QtCanvas::windowFont() {
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("宋体"), QStringLiteral("SimSun"),
                                 QStringLiteral("WenQuanYi Micro Hei"),
                                 QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(kFontPixelSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QtCanvas::QtCanvas(QImage& target)
    : m_painter(&target), m_font(windowFont()), m_metrics(m_font, &target) {
    m_painter.setFont(m_font);
    m_painter.setCompositionMode(QPainter::CompositionMode_Source);
}

QtCanvas::~QtCanvas() = default;

void QtCanvas::blit(const Image& source, int sourceX, int sourceY, int x, int y, int width,
                    int height) {
    if (!source.valid() || width <= 0 || height <= 0) return;
    // Keep to the picture: a layout rectangle may reach beyond it.
    const int left = std::max(sourceX, 0);
    const int top = std::max(sourceY, 0);
    const int right = std::min(sourceX + width, source.width);
    const int bottom = std::min(sourceY + height, source.height);
    if (left >= right || top >= bottom) return;
    // A view of the pixels, not a copy: Image rows are 0xffRRGGBB words, as Format_RGB32.
    const QImage view(reinterpret_cast<const uchar*>(source.pixels.data()), source.width,
                      source.height, static_cast<qsizetype>(source.width) * 4,
                      QImage::Format_RGB32);
    m_painter.drawImage(QPoint(x + (left - sourceX), y + (top - sourceY)), view,
                        QRect(left, top, right - left, bottom - top));
}

void QtCanvas::copyRect(const Image& source, const SkinRect& rect) {
    blit(source, rect.x, rect.y, rect.x, rect.y, rect.width, rect.height);
}

void QtCanvas::drawTopLeft(const Image& source, std::int32_t x, std::int32_t y, std::int32_t width,
                           std::int32_t height) {
    blit(source, 0, 0, x, y, width, height);
}

void QtCanvas::fillRect(const SkinRect& rect, Colour colour) {
    if (rect.width <= 0 || rect.height <= 0) return;
    m_painter.fillRect(QRect(rect.x, rect.y, rect.width, rect.height),
                       QColor(colour.red, colour.green, colour.blue));
}

void QtCanvas::drawText(std::int32_t x, std::int32_t y, std::u16string_view text, Colour colour) {
    if (text.empty()) return;
    // Text is blended onto the picture (transparent background).
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.setPen(QColor(colour.red, colour.green, colour.blue));
    m_painter.drawText(QPoint(x, y + m_metrics.ascent()), toQString(text));
    m_painter.setCompositionMode(QPainter::CompositionMode_Source);
}

TextSize QtCanvas::measureText(std::u16string_view text) {
    return TextSize{m_metrics.horizontalAdvance(toQString(text)), m_metrics.height()};
}

}  // namespace torvane
