#include "gui/gui_program.h"

#include <QApplication>
#include <QFile>
#include <QPainter>

#include "app/app_lifecycle.h"
#include "app/app_state.h"
#include "app/profile_store.h"
#include "gui/gui_startup_steps.h"
#include "gui/quiet_ports.h"
#include "platform/qt/qt_app_window.h"
#include "platform/qt/qt_file_dialog.h"
#include "platform/qt/qt_main_window.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_single_instance.h"
#include "platform/qt/qt_tray_icon.h"
#include "ui/main_window/page_tab_input.h"

#if TORVANE_X11_AVAILABLE
#include "platform/x11/x11_pointer_speed.h"
#endif

namespace torvane {

namespace {

std::unique_ptr<PointerSpeed> makePointerSpeed() {
#if TORVANE_X11_AVAILABLE
    if (QGuiApplication::platformName() == QStringLiteral("xcb")) {
        if (auto speed = X11PointerSpeed::open()) return speed;
    }
#endif
    return std::make_unique<UnavailablePointerSpeed>();
}

}  // namespace

// Declared in the order of construction; torn down in reverse, so the workers stop before the
// state and the window they use go away.
struct GuiProgram::Parts {
    explicit Parts(const GuiOptions& options)
        : profiles(state),
          appWindow(window),
          messageBox(&window),
          fileDialog(&window),
          pointerSpeed(makePointerSpeed()),
          steps(state, window, messageBox, options),
          lifecycle(state, LifecyclePorts{steps, profiles, messageBox, *pointerSpeed, injector,
                                          tray, appWindow}),
          input(state) {}

    AppState state;
    ProfileStore profiles;
    QtMainWindow window;
    QtAppWindow appWindow;
    QtMessageBox messageBox;
    QtFileDialog fileDialog;
    QtTrayIcon tray;
    std::unique_ptr<PointerSpeed> pointerSpeed;
    DroppingInjector injector;
    GuiStartupSteps steps;
    AppLifecycle lifecycle;
    PageTabInput input;
};

GuiProgram::GuiProgram(const GuiOptions& options) : m_options(options) {}

GuiProgram::~GuiProgram() = default;

int GuiProgram::run() {
    QtSingleInstance instance;
    if (!AppLifecycle::claimSingleInstance(instance)) return 0;

    m_parts = std::make_unique<Parts>(m_options);
    Parts& parts = *m_parts;
    setProgramDirectory(parts.state,
                        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
    instance.setActivationHandler([&parts] {
        if (!parts.window.destroyed()) parts.window.bringToFront();
    });

    QtMainWindow::Handlers handlers;
    handlers.paintFrame = [&parts](QImage& frame) {
        frame.fill(QColor(24, 26, 32));
        QPainter painter(&frame);
        painter.setPen(Qt::white);
        painter.drawText(frame.rect(), Qt::AlignCenter,
                         QStringLiteral("page %1").arg(parts.state.currentPage));
    };
    handlers.mouseMove = [&parts](Point point) {
        if (parts.input.mouseMove(point) > 0) parts.window.update();
    };
    handlers.leftDown = [&parts](Point point) {
        const PageTabInput::PressResult result = parts.input.leftDown(point);
        if (result.repaint) parts.window.update();
        return result.drag;
    };
    handlers.leftUp = [&parts](Point point) {
        parts.input.leftUp(point);
        parts.window.update();
    };
    handlers.closeRequested = [&parts] { parts.lifecycle.runCloseSequence(); };
    parts.window.setHandlers(std::move(handlers));

    if (!parts.lifecycle.runStartup()) return 0;
    parts.window.show();
    return QApplication::exec();
}

}  // namespace torvane
