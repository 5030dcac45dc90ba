#pragma once

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QWidget>
#include <functional>

#include "ui/geometry.h"

namespace torvane {

// The program's main window: frameless, shaped by the skin's mask, and painted in one piece from
// a frame that the core composes (no background erase, so nothing flickers). Mouse input is
// handed on in client pixels. UI thread only.
class QtMainWindow : public QWidget {
    Q_OBJECT
  public:
    struct Handlers {
        // Composes the whole frame (client size) for the next paint.
        std::function<void(QImage& frame)> paintFrame;
        std::function<void(Point)> mouseMove;
        // A left-button press; true asks for the window to be dragged from there.
        std::function<bool(Point)> leftDown;
        std::function<void(Point)> leftUp;
        // The user or the window system asks the window to close.
        std::function<void()> closeRequested;
    };

    explicit QtMainWindow(QWidget* parent = nullptr);

    void setHandlers(Handlers handlers) { m_handlers = std::move(handlers); }
    // Client size and shape. An empty shape keeps the window a plain rectangle, so that it can
    // still be seen and closed.
    void setShape(QSize size, const QRegion& shape);
    // Brings the window up restored, visible and in front (a second start asks for this).
    void bringToFront();
    // Marks the window as going away for good: a close after this is not handed on.
    void markDestroyed() { m_destroyed = true; }
    bool destroyed() const { return m_destroyed; }

    // The last frame painted (for screenshots and tests).
    const QImage& frame() const { return m_frame; }
    // Composes the frame without showing it.
    void renderFrame();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    Handlers m_handlers;
    QImage m_frame;
    bool m_destroyed = false;
    // Moving the window by hand where the window system cannot do it for us.
    bool m_dragging = false;
    QPoint m_dragOffset;
};

// The main window's title.
inline constexpr char16_t kMainWindowTitle[] = u"Torvane宏编程游戏鼠";

}  // namespace torvane
