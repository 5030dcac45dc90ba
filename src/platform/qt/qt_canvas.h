#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "ui/canvas.h"

class QImage;

namespace torvane {

// A Canvas that paints with a QPainter on a QImage, for as long as the QtCanvas lives: create
// one per paint on the window's off-screen image, destroy it, then show the image. Text uses
// windowFont(). UI thread only.
class QtCanvas : public Canvas {
  public:
    explicit QtCanvas(QImage& target);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    // The skin's text font: "宋体" where installed, else "WenQuanYi Micro Hei" or another CJK
    // font, at 10 points for a 96 dpi screen (13 pixels), whatever the screen, so that captions
    // fit the skin's pixel layout.
    static QFont windowFont();

    void copyRect(const Image& source, const SkinRect& rect) override;
    void drawTopLeft(const Image& source, std::int32_t x, std::int32_t y, std::int32_t width,
                     std::int32_t height) override;
    void fillRect(const SkinRect& rect, Colour colour) override;
    void drawText(std::int32_t x, std::int32_t y, std::u16string_view text, Colour colour) override;
    TextSize measureText(std::u16string_view text) override;

  private:
    void blit(const Image& source, int sourceX, int sourceY, int x, int y, int width, int height);

    QPainter m_painter;
    QFont m_font;
    QFontMetrics m_metrics;
};

}  // namespace torvane
