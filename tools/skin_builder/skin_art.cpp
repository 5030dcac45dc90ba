#include "skin_art.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QRadialGradient>

#include <cmath>

namespace torvane::skin {
namespace {

// Dark theme: graphite panels, a red-orange brand colour for the chrome, a cyan glow for the
// hover state and a deep teal for pressed or selected elements.
const QColor kBackgroundTop(0x15, 0x17, 0x1d);
const QColor kBackgroundBottom(0x0a, 0x0b, 0x0f);
const QColor kHeaderFill(0x0e, 0x10, 0x15);
const QColor kPanel(0x17, 0x1a, 0x21);
const QColor kPanelBorder(0x2a, 0x2f, 0x3a);
const QColor kRowBand(0x1c, 0x1f, 0x27);
const QColor kTrack(0x30, 0x35, 0x41);
const QColor kTick(0x4b, 0x52, 0x60);
const QColor kMuted(0x8b, 0x93, 0xa1);
const QColor kDim(0x5a, 0x61, 0x6e);
const QColor kBrand(0xff, 0x45, 0x22);
const QColor kBrandLight(0xff, 0x8a, 0x1e);
const QColor kGlow(0x27, 0xd3, 0xf2);
const QColor kPressTop(0x0e, 0x5e, 0x76);
const QColor kPressBottom(0x07, 0x3a, 0x4a);
const QColor kPressBorder(0x6c, 0xf2, 0xff);
const QColor kAmber(0xff, 0xa8, 0x1e);

QRectF toRect(const Element& e) {
    return QRectF(e.x, e.y, e.width, e.height);
}
QRect toQRect(const Element& e) {
    return QRect(e.x, e.y, e.width, e.height);
}

QPainterPath chamfered(const QRectF& r, qreal cut) {
    QPainterPath path;
    path.moveTo(r.left() + cut, r.top());
    path.lineTo(r.right(), r.top());
    path.lineTo(r.right(), r.bottom() - cut);
    path.lineTo(r.right() - cut, r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.lineTo(r.left(), r.top() + cut);
    path.closeSubpath();
    return path;
}

QPainterPath rounded(const QRectF& r, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QPolygonF polygonOf(const std::vector<std::pair<int, int>>& points) {
    QPolygonF polygon;
    for (auto [x, y] : points) polygon << QPointF(x, y);
    return polygon;
}

// The face of a push button in one state, within `r` (nothing is drawn outside it, so the state
// copies of neighbouring elements never overlap).
void drawPlate(QPainter& p, const QRectF& outer, State state, bool chamfer = true,
               bool primary = false) {
    const QRectF r = outer.adjusted(1.5, 1.5, -1.5, -1.5);
    const QPainterPath path = chamfer ? chamfered(r, 6) : rounded(r, 3);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    QColor border;
    if (primary) {
        switch (state) {
            case State::Normal:
                g.setColorAt(0, QColor(0xd0, 0x36, 0x1a));
                g.setColorAt(1, QColor(0x9c, 0x22, 0x10));
                border = QColor(0xff, 0x6a, 0x3c);
                break;
            case State::Over:
                g.setColorAt(0, QColor(0xff, 0x55, 0x2a));
                g.setColorAt(1, QColor(0xd2, 0x34, 0x16));
                border = QColor(0xff, 0xc2, 0x9a);
                break;
            case State::Down:
                g.setColorAt(0, QColor(0x6e, 0x18, 0x0b));
                g.setColorAt(1, QColor(0x8c, 0x20, 0x0f));
                border = QColor(0xff, 0x8a, 0x5a);
                break;
        }
    } else {
        switch (state) {
            case State::Normal:
                g.setColorAt(0, QColor(0x2b, 0x2f, 0x39));
                g.setColorAt(1, QColor(0x1e, 0x21, 0x29));
                border = QColor(0x3d, 0x43, 0x50);
                break;
            case State::Over:
                g.setColorAt(0, QColor(0x2c, 0x39, 0x4a));
                g.setColorAt(1, QColor(0x20, 0x29, 0x36));
                border = kGlow;
                break;
            case State::Down:
                g.setColorAt(0, kPressBottom);
                g.setColorAt(1, kPressTop);
                border = kPressBorder;
                break;
        }
    }
    p.fillPath(path, g);
    if (state == State::Over) {
        // The glow: soft strokes inside the edge.
        QColor halo = primary ? QColor(0xff, 0xc2, 0x9a) : kGlow;
        for (int i = 3; i >= 1; --i) {
            halo.setAlpha(28 * i);
            p.save();
            p.setClipPath(path);
            p.setPen(QPen(halo, 2.0 * (4 - i) + 1));
            p.drawPath(path);
            p.restore();
        }
    }
    if (state == State::Down) {
        // Pressed in: a shadow along the top edge.
        p.save();
        p.setClipPath(path);
        p.setPen(QPen(QColor(0, 0, 0, 110), 3));
        p.drawLine(QPointF(r.left(), r.top() + 1), QPointF(r.right(), r.top() + 1));
        p.restore();
    } else {
        // A highlight along the top edge.
        p.save();
        p.setClipPath(path);
        p.setPen(QPen(QColor(255, 255, 255, state == State::Over ? 40 : 22), 1));
        p.drawLine(QPointF(r.left() + 6, r.top() + 1), QPointF(r.right() - 1, r.top() + 1));
        p.restore();
    }
    p.setPen(QPen(border, state == State::Normal ? 1.0 : 1.4));
    p.drawPath(path);
}

void drawPanel(QPainter& p, const QRectF& r) {
    const QPainterPath path = rounded(r, 4);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0x1a, 0x1d, 0x25));
    g.setColorAt(1, kPanel);
    p.fillPath(path, g);
    p.setPen(QPen(kPanelBorder, 1));
    p.drawPath(path);
    // Corner brackets in the brand colour.
    p.setPen(QPen(kBrand, 2, Qt::SolidLine, Qt::FlatCap));
    const qreal l = 12;
    p.drawPolyline(QPolygonF() << QPointF(r.left() + 1, r.top() + l)
                               << QPointF(r.left() + 1, r.top() + 1)
                               << QPointF(r.left() + l, r.top() + 1));
    p.drawPolyline(QPolygonF() << QPointF(r.right() - 1, r.bottom() - l)
                               << QPointF(r.right() - 1, r.bottom() - 1)
                               << QPointF(r.right() - l, r.bottom() - 1));
}

void drawInset(QPainter& p, const QRectF& r, const QColor& fill = QColor(0x0b, 0x0d, 0x11)) {
    p.fillRect(r, fill);
    p.setPen(QPen(kPanelBorder, 1));
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
}

void drawHeader(QPainter& p, const QRectF& r) {
    QLinearGradient g(r.bottomLeft(), r.bottomRight());
    g.setColorAt(0, kBrand);
    g.setColorAt(0.6, QColor(kBrand.red(), kBrand.green(), kBrand.blue(), 60));
    g.setColorAt(1, QColor(kBrand.red(), kBrand.green(), kBrand.blue(), 0));
    p.fillRect(QRectF(r.left(), r.bottom() - 2, r.width(), 2), g);
    QPainterPath mark;
    mark.moveTo(r.left() + 4, r.top() + 5);
    mark.lineTo(r.left() + 9, r.top() + 5);
    mark.lineTo(r.left() + 5, r.bottom() - 6);
    mark.lineTo(r.left(), r.bottom() - 6);
    mark.closeSubpath();
    p.fillPath(mark, kBrand);
}

void drawText(QPainter& p, const QRectF& r, const QString& text, const QColor& colour,
              const QFont& font, Qt::Alignment align = Qt::AlignCenter) {
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, align, text);
}

void drawChevron(QPainter& p, QPointF c, qreal size, const QColor& colour, bool right) {
    p.setPen(QPen(colour, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (right) {
        p.drawPolyline(QPolygonF() << QPointF(c.x() - size / 2, c.y() - size)
                                   << QPointF(c.x() + size / 2, c.y())
                                   << QPointF(c.x() - size / 2, c.y() + size));
    } else {
        p.drawPolyline(QPolygonF() << QPointF(c.x() - size, c.y() - size / 2)
                                   << QPointF(c.x(), c.y() + size / 2)
                                   << QPointF(c.x() + size, c.y() - size / 2));
    }
}

QColor ledColour(LedColour c) {
    switch (c) {
        case LedColour::Pink:
            return QColor(0xff, 0x4f, 0xb0);
        case LedColour::Red:
            return QColor(0xff, 0x2a, 0x2a);
        case LedColour::Purple:
            return QColor(0xa0, 0x4d, 0xff);
        case LedColour::Blue:
            return QColor(0x2a, 0x8c, 0xff);
        case LedColour::Dark:
            return QColor(0x2c, 0x2f, 0x36);
    }
    return Qt::black;
}

// A mouse seen from above, in `r`, with its light strips in `led` (no glow when dark).
void drawMouse(QPainter& p, const QRectF& r, const QColor& led, bool lit) {
    const qreal w = r.width();
    const qreal h = r.height();
    QPainterPath body;
    body.moveTo(r.left() + w * 0.5, r.top());
    body.cubicTo(r.left() + w * 0.98, r.top(), r.left() + w, r.top() + h * 0.35,
                 r.left() + w * 0.96, r.top() + h * 0.62);
    body.cubicTo(r.left() + w * 0.92, r.top() + h * 0.92, r.left() + w * 0.7, r.bottom(),
                 r.left() + w * 0.5, r.bottom());
    body.cubicTo(r.left() + w * 0.3, r.bottom(), r.left() + w * 0.08, r.top() + h * 0.92,
                 r.left() + w * 0.04, r.top() + h * 0.62);
    body.cubicTo(r.left(), r.top() + h * 0.35, r.left() + w * 0.02, r.top(), r.left() + w * 0.5,
                 r.top());
    if (lit) {
        QRadialGradient halo(r.center(), std::max(w, h) * 0.85);
        QColor a = led;
        a.setAlpha(110);
        halo.setColorAt(0, a);
        a.setAlpha(0);
        halo.setColorAt(1, a);
        p.fillRect(r.adjusted(-w * 2, -h, w * 2, h), halo);  // clipped to the element
    }
    QLinearGradient shell(r.topLeft(), r.bottomRight());
    shell.setColorAt(0, QColor(0x3a, 0x3f, 0x4a));
    shell.setColorAt(0.5, QColor(0x22, 0x25, 0x2c));
    shell.setColorAt(1, QColor(0x14, 0x16, 0x1a));
    p.fillPath(body, shell);
    // Strips along both sides and the logo.
    QPen strip(led, std::max<qreal>(2.0, w * 0.035), Qt::SolidLine, Qt::RoundCap);
    if (lit) {
        QColor soft = led;
        soft.setAlpha(90);
        p.setPen(QPen(soft, strip.widthF() * 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(r.left() + w * 0.1, r.top() + h * 0.45),
                   QPointF(r.left() + w * 0.2, r.top() + h * 0.85));
        p.drawLine(QPointF(r.right() - w * 0.1, r.top() + h * 0.45),
                   QPointF(r.right() - w * 0.2, r.top() + h * 0.85));
    }
    p.setPen(strip);
    p.drawLine(QPointF(r.left() + w * 0.1, r.top() + h * 0.45),
               QPointF(r.left() + w * 0.2, r.top() + h * 0.85));
    p.drawLine(QPointF(r.right() - w * 0.1, r.top() + h * 0.45),
               QPointF(r.right() - w * 0.2, r.top() + h * 0.85));
    // Button split and wheel.
    p.setPen(QPen(QColor(0x0c, 0x0d, 0x10), std::max<qreal>(1.5, w * 0.012)));
    p.drawLine(QPointF(r.left() + w * 0.5, r.top() + h * 0.02),
               QPointF(r.left() + w * 0.5, r.top() + h * 0.36));
    p.drawLine(QPointF(r.left() + w * 0.08, r.top() + h * 0.38),
               QPointF(r.right() - w * 0.08, r.top() + h * 0.38));
    const QRectF wheel(r.left() + w * 0.45, r.top() + h * 0.1, w * 0.1, h * 0.17);
    p.fillPath(rounded(wheel, w * 0.04), QColor(0x0c, 0x0d, 0x10));
    p.fillPath(rounded(wheel.adjusted(w * 0.02, h * 0.015, -w * 0.02, -h * 0.015), w * 0.03),
               lit ? led : QColor(0x3a, 0x3e, 0x46));
    // Logo: a chevron badge.
    const QPointF c(r.left() + w * 0.5, r.top() + h * 0.66);
    QPainterPath logo;
    logo.moveTo(c.x() - w * 0.12, c.y() - h * 0.05);
    logo.lineTo(c.x(), c.y() + h * 0.04);
    logo.lineTo(c.x() + w * 0.12, c.y() - h * 0.05);
    logo.lineTo(c.x() + w * 0.12, c.y() + h * 0.0);
    logo.lineTo(c.x(), c.y() + h * 0.09);
    logo.lineTo(c.x() - w * 0.12, c.y() + h * 0.0);
    logo.closeSubpath();
    p.fillPath(logo, lit ? led : QColor(0x3a, 0x3e, 0x46));
    p.setPen(QPen(QColor(255, 255, 255, 30), 1));
    p.drawPath(body);
}

void drawCheck(QPainter& p, const QRectF& r) {
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(
        QPolygonF() << QPointF(r.left() + r.width() * 0.24, r.top() + r.height() * 0.52)
                    << QPointF(r.left() + r.width() * 0.43, r.top() + r.height() * 0.72)
                    << QPointF(r.left() + r.width() * 0.78, r.top() + r.height() * 0.30));
}

void drawLamp(QPainter& p, QPointF c, qreal radius, State state, const QColor& on) {
    QColor fill = state == State::Down
                      ? on
                      : (state == State::Over ? on.darker(260) : QColor(0x2b, 0x2f, 0x38));
    if (state == State::Down) {
        QRadialGradient g(c, radius * 2.2);
        QColor a = on;
        a.setAlpha(120);
        g.setColorAt(0, a);
        a.setAlpha(0);
        g.setColorAt(1, a);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(c, radius * 2.2, radius * 2.2);
    }
    p.setPen(QPen(state == State::Normal ? QColor(0x3d, 0x43, 0x50) : on, 1));
    p.setBrush(fill);
    p.drawEllipse(c, radius, radius);
    p.setBrush(Qt::NoBrush);
}

void drawTrack(QPainter& p, const QRectF& stop) {
    p.fillRect(stop, kRowBand);
    const qreal cy = stop.center().y();
    p.fillRect(QRectF(stop.left(), cy - 2, stop.width(), 4), kTrack);
}

void drawStop(QPainter& p, const QRectF& r, State state) {
    drawTrack(p, r);
    const QPointF c = r.center();
    p.setPen(Qt::NoPen);
    switch (state) {
        case State::Normal:
            p.setBrush(kTick);
            p.drawEllipse(c, 3.0, 3.0);
            break;
        case State::Over: {
            QRadialGradient g(c, 10);
            QColor a = kGlow;
            a.setAlpha(150);
            g.setColorAt(0, a);
            a.setAlpha(0);
            g.setColorAt(1, a);
            p.setBrush(g);
            p.drawEllipse(c, 10.0, 10.0);
            p.setBrush(kGlow);
            p.drawEllipse(c, 4.5, 4.5);
            break;
        }
        case State::Down:
            p.setBrush(kPressTop);
            p.setPen(QPen(kPressBorder, 1.2));
            p.drawEllipse(c, 6.0, 6.0);
            break;
    }
    p.setBrush(Qt::NoBrush);
}

void drawKnob(QPainter& p, const QRectF& r) {
    drawTrack(p, r);
    const QRectF knob(r.center().x() - 8, r.top() + 2, 16, r.height() - 4);
    QLinearGradient g(knob.topLeft(), knob.bottomLeft());
    g.setColorAt(0, kBrandLight);
    g.setColorAt(1, kBrand.darker(130));
    const QPainterPath path = rounded(knob, 4);
    p.fillPath(path, g);
    p.setPen(QPen(QColor(255, 255, 255, 170), 1));
    p.drawPath(path);
    p.setPen(QPen(QColor(0x50, 0x12, 0x06), 1.2));
    for (int i = -1; i <= 1; ++i) {
        const qreal y = knob.center().y() + 4 * i;
        p.drawLine(QPointF(knob.left() + 4, y), QPointF(knob.right() - 4, y));
    }
}

void drawPressIndicator(QPainter& p, const QRectF& r, State state) {
    const QRectF body(r.center().x() - 7, r.top() + 3, 14, r.height() - 6);
    const QColor line = state == State::Normal ? kDim : (state == State::Over ? kGlow : kAmber);
    if (state != State::Normal) {
        QRadialGradient g(r.center(), r.height() * 0.7);
        QColor a = line;
        a.setAlpha(90);
        g.setColorAt(0, a);
        a.setAlpha(0);
        g.setColorAt(1, a);
        p.fillRect(r, g);
    }
    const QPainterPath path = rounded(body, 7);
    if (state == State::Down) {
        p.save();
        p.setClipRect(QRectF(body.left(), body.top(), body.width() / 2, body.height() * 0.42));
        p.fillPath(path, kAmber);
        p.restore();
    }
    p.setPen(QPen(line, 1.6));
    p.drawPath(path);
    p.drawLine(QPointF(body.center().x(), body.top() + 1),
               QPointF(body.center().x(), body.top() + body.height() * 0.42));
    p.drawLine(QPointF(body.left() + 1, body.top() + body.height() * 0.42),
               QPointF(body.right() - 1, body.top() + body.height() * 0.42));
    // A small arrow pointing at the mouse: "press it".
    p.setPen(QPen(line, 1.6, Qt::SolidLine, Qt::RoundCap));
    const qreal ax = r.left() + 3;
    p.drawLine(QPointF(ax, r.center().y()), QPointF(body.left() - 3, r.center().y()));
    p.drawLine(QPointF(body.left() - 6, r.center().y() - 3),
               QPointF(body.left() - 3, r.center().y()));
    p.drawLine(QPointF(body.left() - 6, r.center().y() + 3),
               QPointF(body.left() - 3, r.center().y()));
}

void drawTab(QPainter& p, const QRectF& outer, State state) {
    const QRectF r = outer.adjusted(2, 2, -2, -1);
    QPainterPath shape;
    shape.moveTo(r.left() + 10, r.top());
    shape.lineTo(r.right(), r.top());
    shape.lineTo(r.right() - 10, r.bottom());
    shape.lineTo(r.left(), r.bottom());
    shape.closeSubpath();
    switch (state) {
        case State::Normal:
            p.fillPath(shape, QColor(0x17, 0x1a, 0x21));
            p.setPen(QPen(kPanelBorder, 1));
            p.drawPath(shape);
            break;
        case State::Over: {
            QLinearGradient g(r.topLeft(), r.bottomLeft());
            g.setColorAt(0, QColor(0x1c, 0x24, 0x30));
            g.setColorAt(1, QColor(0x24, 0x33, 0x44));
            p.fillPath(shape, g);
            p.setPen(QPen(kGlow, 1.2));
            p.drawPath(shape);
            p.fillRect(QRectF(r.left() + 4, r.bottom() - 3, r.width() - 14, 3), kGlow);
            break;
        }
        case State::Down: {
            QLinearGradient g(r.topLeft(), r.bottomLeft());
            g.setColorAt(0, kPressBottom);
            g.setColorAt(1, kPressTop);
            p.fillPath(shape, g);
            p.setPen(QPen(kPressBorder, 1.2));
            p.drawPath(shape);
            p.fillRect(QRectF(r.left() + 2, r.bottom() - 3, r.width() - 12, 3), kBrand);
            break;
        }
    }
}

void drawIconButton(QPainter& p, const QRectF& r, State state, bool cross) {
    if (state != State::Normal) drawPlate(p, r, state, false);
    const QColor c = state == State::Normal ? kMuted : Qt::white;
    p.setPen(QPen(c, 2, Qt::SolidLine, Qt::RoundCap));
    const QPointF m = r.center();
    if (cross) {
        p.drawLine(QPointF(m.x() - 5, m.y() - 5), QPointF(m.x() + 5, m.y() + 5));
        p.drawLine(QPointF(m.x() - 5, m.y() + 5), QPointF(m.x() + 5, m.y() - 5));
    } else {
        p.drawLine(QPointF(m.x() - 6, m.y() + 4), QPointF(m.x() + 6, m.y() + 4));
    }
}

void drawSpeedBars(QPainter& p, const QRectF& r, int bars, State state) {
    for (int i = 0; i < 3; ++i) {
        const qreal h = 5 + 4 * i;
        const QRectF bar(r.left() + 14 + 6 * i, r.center().y() + 7 - h, 4, h);
        QColor c =
            i < bars ? (state == State::Down ? kPressBorder : kGlow) : QColor(0x3a, 0x3f, 0x4a);
        if (state == State::Normal && i < bars) c = kMuted;
        p.fillRect(bar, c);
    }
}

void drawModeIcon(QPainter& p, const QRectF& r, int mode, State state) {
    const QPointF c(r.left() + 22, r.center().y());
    const QColor col = state == State::Normal ? kMuted : (state == State::Over ? kGlow : Qt::white);
    p.setPen(QPen(col, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    switch (mode) {
        case 0: {  // breathing: a soft wave
            QPainterPath wave;
            wave.moveTo(c.x() - 9, c.y());
            wave.cubicTo(c.x() - 5, c.y() - 9, c.x() - 1, c.y() - 9, c.x(), c.y());
            wave.cubicTo(c.x() + 1, c.y() + 9, c.x() + 5, c.y() + 9, c.x() + 9, c.y());
            p.drawPath(wave);
            break;
        }
        case 1:  // fast: a lightning bolt
            p.drawPolyline(QPolygonF()
                           << QPointF(c.x() + 3, c.y() - 9) << QPointF(c.x() - 4, c.y() + 1)
                           << QPointF(c.x() + 3, c.y() + 1) << QPointF(c.x() - 3, c.y() + 9));
            break;
        case 2:  // steady: a lit bulb
            p.setBrush(col);
            p.drawEllipse(c, 4.5, 4.5);
            p.setBrush(Qt::NoBrush);
            for (int i = 0; i < 8; ++i) {
                const double a = i * 3.14159265 / 4;
                p.drawLine(QPointF(c.x() + 7 * std::cos(a), c.y() + 7 * std::sin(a)),
                           QPointF(c.x() + 9.5 * std::cos(a), c.y() + 9.5 * std::sin(a)));
            }
            break;
        default:  // off: a power symbol
            p.drawArc(QRectF(c.x() - 8, c.y() - 7, 16, 16), 120 * 16, 300 * 16);
            p.drawLine(QPointF(c.x(), c.y() - 9), QPointF(c.x(), c.y() - 1));
            break;
    }
}

// One element in one state. `swatch` is the LED colour of the colour page's preview.
void drawElement(QPainter& p, const Element& e, State state, LedColour swatch) {
    if (e.width <= 0 || e.height <= 0) return;
    const QRectF r = toRect(e);
    p.save();
    p.setClipRect(toQRect(e));
    p.setRenderHint(QPainter::Antialiasing, true);
    switch (e.kind) {
        case Kind::Unused:
        case Kind::Label:
            break;
        case Kind::Button:
            drawPlate(p, r, state);
            break;
        case Kind::PrimaryButton:
            drawPlate(p, r, state, true, true);
            break;
        case Kind::Tab:
            drawTab(p, r, state);
            break;
        case Kind::MinimiseIcon:
            drawIconButton(p, r, state, false);
            break;
        case Kind::HideIcon:
            drawIconButton(p, r, state, true);
            break;
        case Kind::StatusLine: {
            drawInset(p, r);
            // A pulse line at the left: the driver's heartbeat.
            p.setPen(QPen(kGlow, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            const qreal y = r.center().y();
            const qreal x = r.left() + 10;
            p.drawPolyline(QPolygonF()
                           << QPointF(x, y) << QPointF(x + 6, y) << QPointF(x + 9, y - 7)
                           << QPointF(x + 13, y + 7) << QPointF(x + 16, y) << QPointF(x + 24, y));
            break;
        }
        case Kind::FunctionBox:
            drawPlate(p, r, state, false);
            drawChevron(p, QPointF(r.right() - 14, r.center().y()), 4,
                        state == State::Normal ? kMuted : Qt::white, false);
            p.setPen(QPen(QColor(255, 255, 255, 25), 1));
            p.drawLine(QPointF(r.right() - 28, r.top() + 8),
                       QPointF(r.right() - 28, r.bottom() - 8));
            break;
        case Kind::SlotLabel:
            break;
        case Kind::Header:
            drawHeader(p, r);
            break;
        case Kind::Checkbox: {
            const QRectF box(r.center().x() - 9, r.center().y() - 9, 18, 18);
            const QPainterPath path = rounded(box, 3);
            if (state == State::Down) {
                QLinearGradient g(box.topLeft(), box.bottomLeft());
                g.setColorAt(0, kPressTop.lighter(130));
                g.setColorAt(1, kPressBottom);
                p.fillPath(path, g);
                p.setPen(QPen(kPressBorder, 1.2));
                p.drawPath(path);
                drawCheck(p, box);
            } else {
                p.fillPath(path, QColor(0x10, 0x12, 0x17));
                if (state == State::Over) {
                    QColor halo = kGlow;
                    halo.setAlpha(70);
                    p.setPen(QPen(halo, 4));
                    p.drawPath(path);
                }
                p.setPen(QPen(state == State::Over ? kGlow : QColor(0x4a, 0x50, 0x5d), 1.2));
                p.drawPath(path);
            }
            break;
        }
        case Kind::StageChoice:
            drawPlate(p, r, state);
            drawText(p, r, QString::fromUtf8(e.pictureText.c_str()),
                     state == State::Normal ? QColor(0xd8, 0xdd, 0xe6) : Qt::white,
                     pictureFont(13));
            break;
        case Kind::StageLed:
            drawLamp(p, r.center(), 4.5, state == State::Over ? State::Normal : state, kGlow);
            break;
        case Kind::PressIndicator:
            drawPressIndicator(p, r, state);
            break;
        case Kind::DpiStop:
            drawStop(p, r, state);
            break;
        case Kind::Toggle:
            drawPlate(p, r, state);
            drawLamp(p, QPointF(r.left() + 16, r.center().y()), 4, state, QColor(0x4c, 0xff, 0x9a));
            break;
        case Kind::RecordButton:
            drawPlate(p, r, state);
            drawLamp(p, QPointF(r.left() + 22, r.center().y()), 6,
                     state == State::Normal ? State::Over : state, QColor(0xff, 0x30, 0x30));
            break;
        case Kind::SpeedChoice:
            drawPlate(p, r, state);
            drawSpeedBars(p, r, e.index - 7, state);
            break;
        case Kind::HoverTile: {
            const QPainterPath path = rounded(r.adjusted(1, 1, -1, -1), 4);
            p.fillPath(path, QColor(0x13, 0x15, 0x1b));
            if (state != State::Normal) {
                QColor halo = kGlow;
                for (int i = 3; i >= 1; --i) {
                    halo.setAlpha(24 * i);
                    p.setPen(QPen(halo, 2.0 * (4 - i) + 1));
                    p.drawPath(path);
                }
            }
            p.setPen(QPen(state == State::Normal ? kPanelBorder : kGlow, 1));
            p.drawPath(path);
            if (e.label == "mouse_tile") {
                drawMouse(p, QRectF(r.center().x() - 24, r.top() + 12, 48, r.height() - 24),
                          state == State::Normal ? QColor(0xff, 0x45, 0x22) : kGlow,
                          state != State::Normal);
            }
            break;
        }
        case Kind::Swatch: {
            drawInset(p, r, QColor(0x0c, 0x0d, 0x11));
            // A faint grid behind the mouse.
            p.setPen(QPen(QColor(255, 255, 255, 10), 1));
            for (qreal x = r.left() + 20; x < r.right(); x += 20)
                p.drawLine(QPointF(x, r.top() + 1), QPointF(x, r.bottom() - 1));
            for (qreal y = r.top() + 20; y < r.bottom(); y += 20)
                p.drawLine(QPointF(r.left() + 1, y), QPointF(r.right() - 1, y));
            const bool lit = swatch != LedColour::Dark;
            drawMouse(p, QRectF(r.center().x() - 85, r.top() + 40, 170, r.height() - 80),
                      ledColour(swatch), lit);
            break;
        }
        case Kind::ModeChoice:
            drawPlate(p, r, state);
            drawModeIcon(p, r, e.index, state);
            break;
        case Kind::ValueDisplay:
            drawInset(p, r);
            break;
    }
    p.restore();
}

QLinearGradient backgroundGradient(int height) {
    QLinearGradient g(0, 0, 0, height);
    g.setColorAt(0, kBackgroundTop);
    g.setColorAt(1, kBackgroundBottom);
    return g;
}

// Everything of the main window that is the same on all pages and in all states.
void drawChrome(QPainter& p, const Design& d) {
    const int w = d.windowWidth;
    const int h = d.windowHeight;
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(0, 0, w, h, backgroundGradient(h));
    // Diagonal hatching, very faint.
    p.setPen(QPen(QColor(255, 255, 255, 7), 1));
    for (int x = -h; x < w; x += 14) p.drawLine(x, h, x + h, 0);
    // Header band.
    const QPolygonF outline = polygonOf(d.outline);
    QPainterPath shape;
    shape.addPolygon(outline);
    shape.closeSubpath();
    p.save();
    p.setClipPath(shape);
    QLinearGradient header(0, 0, 0, 78);
    header.setColorAt(0, QColor(0x12, 0x14, 0x1a));
    header.setColorAt(1, kHeaderFill);
    p.fillRect(0, 0, w, 78, header);
    QLinearGradient line(0, 0, w, 0);
    line.setColorAt(0, QColor(kBrand.red(), kBrand.green(), kBrand.blue(), 0));
    line.setColorAt(0.2, kBrand);
    line.setColorAt(0.55, kBrandLight);
    line.setColorAt(1, QColor(kBrand.red(), kBrand.green(), kBrand.blue(), 30));
    p.fillRect(0, 77, w, 2, line);
    // Bottom bar.
    p.fillRect(QRect(16, 578, w - 32, 52), QColor(0x0e, 0x10, 0x15));
    p.fillRect(QRect(16, 577, w - 32, 1), kPanelBorder);
    p.restore();
    // Logo.
    QFont logo = pictureFont(30, true);
    logo.setItalic(true);
    logo.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    QPainterPath slash;
    slash.moveTo(30, 50);
    slash.lineTo(44, 18);
    slash.lineTo(52, 18);
    slash.lineTo(38, 50);
    slash.closeSubpath();
    p.fillPath(slash, kBrand);
    drawText(p, QRectF(58, 14, 240, 40), QStringLiteral("TORVANE"), Qt::white, logo,
             Qt::AlignLeft | Qt::AlignVCenter);
    QFont tag = pictureFont(12);
    tag.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    drawText(p, QRectF(60, 50, 260, 20), QStringLiteral("宏编程游戏鼠  GAMING MOUSE"), kMuted, tag,
             Qt::AlignLeft | Qt::AlignVCenter);
    // Sidebar and its decoration.
    drawPanel(p, QRectF(16, 84, 132, 484));
    QFont small = pictureFont(10, true);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    drawText(p, QRectF(28, 92, 108, 18), QStringLiteral("PROFILE"), kDim, small,
             Qt::AlignLeft | Qt::AlignVCenter);
    p.fillRect(QRectF(28, 380, 108, 1), kPanelBorder);
    drawText(p, QRectF(28, 520, 108, 40), QStringLiteral("DPI · LED · MACRO"), kDim, pictureFont(9),
             Qt::AlignCenter);
    drawText(p, QRectF(28, 590, 124, 28), QStringLiteral("DRIVER"), kDim, small,
             Qt::AlignLeft | Qt::AlignVCenter);
    // The window's edge: a brand stroke just inside the outline.
    p.setPen(QPen(kBrand, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    QPolygonF inner;
    const QPointF centre(w / 2.0, h / 2.0);
    for (const QPointF& pt : outline) {
        const QPointF dir = centre - pt;
        const qreal len = std::hypot(dir.x(), dir.y());
        inner << pt + dir / len * 2.2;
    }
    p.drawPolygon(inner);
    p.setPen(QPen(QColor(255, 255, 255, 18), 1));
    QPolygonF inner2;
    for (const QPointF& pt : outline) {
        const QPointF dir = centre - pt;
        const qreal len = std::hypot(dir.x(), dir.y());
        inner2 << pt + dir / len * 6;
    }
    p.drawPolygon(inner2);
}

void drawElements(QPainter& p, const std::vector<Element>& elements, int first, int last,
                  State state, LedColour swatch = LedColour::Pink) {
    for (const Element& e : elements) {
        if (e.index >= first && e.index <= last) drawElement(p, e, state, swatch);
    }
}

QImage blankPage(const Design& d) {
    QImage image(d.windowWidth, d.windowHeight, QImage::Format_RGB32);
    image.fill(kBackgroundBottom);
    return image;
}

}  // namespace

QFont captionFont() {
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(13);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QFont pictureFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QImage mainPage(const Design& d, State state) {
    QImage image = blankPage(d);
    QPainter p(&image);
    drawChrome(p, d);
    drawPanel(p, QRectF(160, 84, 296, 464));
    drawPanel(p, QRectF(464, 84, 320, 464));
    // Slot name plates.
    for (int i = 0; i < 7; ++i) {
        const QRectF plate(172, kSlotTop + kSlotPitch * i, 62, 36);
        p.fillPath(chamfered(plate.adjusted(0.5, 0.5, -0.5, -0.5), 5), QColor(0x12, 0x14, 0x19));
        p.setPen(QPen(kPanelBorder, 1));
        p.drawPath(chamfered(plate.adjusted(0.5, 0.5, -0.5, -0.5), 5));
        p.fillRect(QRectF(plate.left() + 1, plate.top() + 8, 2, plate.height() - 16), kBrand);
        drawText(p, plate, QStringLiteral("按键%1").arg(i + 1), QColor(0xd8, 0xdd, 0xe6),
                 pictureFont(13));
        if (i < 6)
            p.fillRect(QRectF(176, kSlotTop + kSlotPitch * i + 48, 268, 1),
                       QColor(0x22, 0x26, 0x2e));
    }
    // DPI stage rows with their track labels.
    for (int k = 0; k < 4; ++k) {
        const int y = kStageTop + kStagePitch * k;
        p.fillPath(rounded(QRectF(472, y - 2, 304, 56), 3), kRowBand);
        p.fillRect(QRectF(kStopLeft, y + 7 + kStopHeight / 2 - 2, 5 * kStopWidth, 4), kTrack);
        for (int v = 0; v < 5; ++v) {
            drawText(
                p, QRectF(kStopLeft + kStopWidth * stopPosition(v) - 4, y + 38, kStopWidth + 8, 12),
                QString::fromLatin1(dpiText(v)), kMuted, pictureFont(10));
        }
    }
    p.fillPath(rounded(QRectF(472, 484, 304, 46), 3), kRowBand);
    drawElements(p, d.main, 0, 79, state);
    return image;
}

QImage advancedPage(const Design& d, State state) {
    QImage image = blankPage(d);
    QPainter p(&image);
    drawChrome(p, d);
    drawPanel(p, QRectF(160, 84, 240, 464));
    drawPanel(p, QRectF(408, 84, 216, 464));
    drawPanel(p, QRectF(632, 84, 152, 464));
    for (const Rect& r : {d.macroList, d.eventList, d.nameEdit, d.countEdit}) {
        const QRectF area(r.x, r.y, r.width, r.height);
        p.setPen(QPen(kPanelBorder, 1));
        p.drawRect(area.adjusted(-1.5, -1.5, 0.5, 0.5));
        p.fillRect(area, Qt::black);
    }
    p.fillRect(QRectF(644, 276, 128, 1), QColor(0x22, 0x26, 0x2e));
    drawElements(p, d.main, 0, 16, state);
    drawElements(p, d.advanced, 0, 19, state);
    return image;
}

QImage colourPage(const Design& d, State state, LedColour swatch) {
    QImage image = blankPage(d);
    QPainter p(&image);
    drawChrome(p, d);
    drawPanel(p, QRectF(160, 84, 360, 464));
    drawPanel(p, QRectF(528, 84, 256, 464));
    drawElements(p, d.main, 0, 16, state);
    drawElements(p, d.colour, 0, 10, state);
    // The swatch shows the LED colour the picture stands for, whatever the state.
    drawElements(p, d.colour, 11, 11, State::Normal, swatch);
    return image;
}

QImage dpiSlider(const Design&) {
    QImage image(kStopWidth, kStopHeight, QImage::Format_RGB32);
    image.fill(kRowBand);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    drawKnob(p, QRectF(0, 0, kStopWidth, kStopHeight));
    return image;
}

namespace {
QImage maskOf(int width, int height, const std::vector<std::pair<int, int>>& outline) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(polygonOf(outline));
    return image;
}
}  // namespace

QImage mainMask(const Design& d) {
    return maskOf(d.windowWidth, d.windowHeight, d.outline);
}

QImage warningMask(const Design& d) {
    return maskOf(d.warningWidth, d.warningHeight, d.warningOutline)
        .convertToFormat(QImage::Format_RGB888);
}

QImage warningPicture(const Design& d, State state) {
    QImage image(d.warningWidth, d.warningHeight, QImage::Format_RGB32);
    image.fill(kBackgroundBottom);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(image.rect(), backgroundGradient(d.warningHeight));
    p.setPen(QPen(QColor(255, 255, 255, 7), 1));
    for (int x = -d.warningHeight; x < d.warningWidth; x += 14)
        p.drawLine(x, d.warningHeight, x + d.warningHeight, 0);
    // Title strip with a warning sign.
    p.fillRect(QRectF(0, 0, d.warningWidth, 34), kHeaderFill);
    p.fillRect(QRectF(0, 33, d.warningWidth, 1), kAmber);
    QPainterPath sign;
    sign.moveTo(30, 8);
    sign.lineTo(41, 27);
    sign.lineTo(19, 27);
    sign.closeSubpath();
    p.fillPath(sign, kAmber);
    p.setPen(QPen(kHeaderFill, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(30, 14), QPointF(30, 20));
    p.drawPoint(QPointF(30, 24));
    QFont title = pictureFont(12, true);
    title.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    drawText(p, QRectF(50, 6, 200, 22), QStringLiteral("WARNING"), kAmber, title,
             Qt::AlignLeft | Qt::AlignVCenter);
    // Message area.
    const Element& message = d.warning[2];
    drawInset(p, toRect(message), QColor(0x10, 0x12, 0x17));
    // Edge.
    p.setPen(QPen(kAmber, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    QPolygonF inner;
    const QPointF centre(d.warningWidth / 2.0, d.warningHeight / 2.0);
    for (const QPointF& pt : polygonOf(d.warningOutline)) {
        const QPointF dir = centre - pt;
        inner << pt + dir / std::hypot(dir.x(), dir.y()) * 2.2;
    }
    p.drawPolygon(inner);
    for (int i = 0; i < 2; ++i) drawElement(p, d.warning[i], state, LedColour::Pink);
    return image;
}

QImage menuPicture(const Design& d, bool second, State state) {
    const int rows = second ? 12 : 10;
    const int width = second ? d.subMenuWidth : d.menuWidth;
    const int rowHeight = second ? d.subMenuRowHeight : d.menuRowHeight;
    const int height = rows * rowHeight + 1;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(0x15, 0x17, 0x1d));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    for (int r = 0; r < rows; ++r) {
        const QRectF band(0, r * rowHeight, width, rowHeight);
        const QRectF face = band.adjusted(1, 1, -1, 0);
        QLinearGradient g(face.topLeft(), face.bottomLeft());
        switch (state) {
            case State::Normal:
                g.setColorAt(0, QColor(0x1b, 0x1e, 0x25));
                g.setColorAt(1, QColor(0x16, 0x18, 0x1e));
                break;
            case State::Over:
                g.setColorAt(0, QColor(0x24, 0x30, 0x3f));
                g.setColorAt(1, QColor(0x1d, 0x27, 0x33));
                break;
            case State::Down:
                g.setColorAt(0, kPressBottom);
                g.setColorAt(1, kPressTop);
                break;
        }
        p.fillRect(face, g);
        if (state == State::Over) {
            p.fillRect(QRectF(face.left(), face.top(), 3, face.height()), kGlow);
            QColor halo = kGlow;
            halo.setAlpha(50);
            p.setPen(QPen(halo, 1));
            p.drawRect(face.adjusted(0.5, 0.5, -0.5, -0.5));
        } else if (state == State::Down) {
            p.fillRect(QRectF(face.left(), face.top(), 3, face.height()), kBrand);
        }
        // The separator on top of each row; the last line of the picture closes the list.
        p.fillRect(QRectF(0, r * rowHeight, width, 1), QColor(0x2a, 0x2f, 0x3a));
        if (!second && r >= 6) {
            drawChevron(p, QPointF(width - 14, band.center().y()), 4,
                        state == State::Normal ? kMuted : Qt::white, true);
        }
    }
    p.fillRect(QRectF(0, height - 1, width, 1), kBrand);
    p.fillRect(QRectF(0, 0, 1, height), QColor(0x2a, 0x2f, 0x3a));
    p.fillRect(QRectF(width - 1, 0, 1, height), QColor(0x2a, 0x2f, 0x3a));
    return image;
}

QImage menuMask(const Design& d, bool second) {
    const int rows = second ? 12 : 10;
    const int width = second ? d.subMenuWidth : d.menuWidth;
    const int rowHeight = second ? d.subMenuRowHeight : d.menuRowHeight;
    QImage image(width, rows * rowHeight + 1, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

}  // namespace torvane::skin
