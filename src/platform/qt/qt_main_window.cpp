#include "platform/qt/qt_main_window.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace torvane {

namespace {

Point clientPoint(const QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    return Point{p.x(), p.y()};
}

}  // namespace

QtMainWindow::QtMainWindow(QWidget* parent) : QWidget(parent) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setWindowTitle(QString::fromStdU16String(kMainWindowTitle));
}

void QtMainWindow::setShape(QSize size, const QRegion& shape) {
    setFixedSize(size);
    if (shape.isEmpty()) {
        clearMask();
    } else {
        setMask(shape);
    }
    update();
}

void QtMainWindow::bringToFront() {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void QtMainWindow::renderFrame() {
    if (m_frame.size() != size()) m_frame = QImage(size(), QImage::Format_RGB32);
    if (m_handlers.paintFrame) {
        m_handlers.paintFrame(m_frame);
    } else {
        m_frame.fill(Qt::black);
    }
}

void QtMainWindow::paintEvent(QPaintEvent*) {
    renderFrame();
    QPainter painter(this);
    painter.drawImage(0, 0, m_frame);
}

void QtMainWindow::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging) {
        move(event->globalPosition().toPoint() - m_dragOffset);
        return;
    }
    if (m_handlers.mouseMove) m_handlers.mouseMove(clientPoint(event));
}

void QtMainWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const bool drag = m_handlers.leftDown && m_handlers.leftDown(clientPoint(event));
    if (!drag) return;
    QWindow* window = windowHandle();
    if (window == nullptr || !window->startSystemMove()) {
        m_dragging = true;
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    }
}

void QtMainWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    m_dragging = false;
    if (m_handlers.leftUp) m_handlers.leftUp(clientPoint(event));
}

void QtMainWindow::leaveEvent(QEvent*) {
    // Leaving the window leaves no element hovered.
    if (!m_dragging && m_handlers.mouseMove) m_handlers.mouseMove(Point{-1, -1});
}

void QtMainWindow::closeEvent(QCloseEvent* event) {
    if (!m_destroyed && m_handlers.closeRequested) m_handlers.closeRequested();
    event->accept();
}

}  // namespace torvane
