#include "gui/gui_program.h"

#include <QApplication>
#include <QFile>
#include <filesystem>

#include "app/app_lifecycle.h"
#include "app/app_state.h"
#include "app/profile_store.h"
#include "device/config_sender.h"
#include "device/device_listener.h"
#include "device/hid_backend.h"
#include "device/mouse_removal.h"
#include "device/removal_watch.h"
#include "device/virtual_mouse.h"
#include "engine/deadline_clock.h"
#include "engine/driver_engine.h"
#include "engine/sender_engine_device.h"
#include "gui/gui_confirm_blink.h"
#include "gui/gui_startup_steps.h"
#include "gui/quiet_ports.h"
#include "gui/quit_signals.h"
#include "gui/virtual_mouse_panel.h"
#include "platform/qt/qt_app_window.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_file_dialog.h"
#include "platform/qt/qt_image_loader.h"
#include "platform/qt/qt_main_window.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_single_instance.h"
#include "platform/qt/qt_tray_icon.h"
#include "ui/main_window/main_window_painter.h"
#include "ui/main_window/page_tab_input.h"

#if TORVANE_X11_AVAILABLE
#include "platform/x11/x11_pointer_speed.h"
#include "platform/x11/xtest_injector.h"
#endif
#if TORVANE_HIDAPI_AVAILABLE
#include "device/hidapi/hidapi_backend.h"
#endif
#if TORVANE_LINUX_AVAILABLE
#include "platform/linux/linux_shell.h"
#include "platform/linux/udev_removal_watch.h"
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

std::unique_ptr<InputInjector> makeInjector() {
#if TORVANE_X11_AVAILABLE
    if (QGuiApplication::platformName() == QStringLiteral("xcb")) {
        if (auto injector = XTestInjector::open()) return injector;
    }
#endif
    return std::make_unique<DroppingInjector>();
}

std::unique_ptr<Shell> makeShell() {
#if TORVANE_LINUX_AVAILABLE
    return std::make_unique<LinuxShell>();
#else
    return std::make_unique<UnavailableShell>();
#endif
}

// Space between the main window and the virtual mouse's panel.
constexpr int kPanelGap = 12;

// Ends the program on the UI thread when the mouse has gone.
class GuiRemovalHandler : public MouseRemovalHandler {
  public:
    explicit GuiRemovalHandler(std::function<void()> onRemoved)
        : m_onRemoved(std::move(onRemoved)) {}
    void mouseRemoved() override {
        QMetaObject::invokeMethod(QCoreApplication::instance(), m_onRemoved, Qt::QueuedConnection);
    }

  private:
    std::function<void()> m_onRemoved;
};

std::unique_ptr<HidBackend> makeBackend(const GuiOptions& options) {
    if (options.virtualMouse) return std::make_unique<VirtualMouse>();
#if TORVANE_HIDAPI_AVAILABLE
    return std::make_unique<HidapiBackend>();
#else
    return nullptr;
#endif
}

}  // namespace

// Declared in the order of construction; torn down in reverse, so the workers stop before the
// state and the window they use go away.
struct GuiProgram::Parts {
    Parts(const GuiOptions& options, const std::filesystem::path& programDirectory)
        : profiles(state),
          images(programDirectory / "skins"),
          appWindow(window),
          messageBox(&window),
          fileDialog(&window),
          pointerSpeed(makePointerSpeed()),
          injector(makeInjector()),
          shell(makeShell()),
          backend(makeBackend(options)),
          virtualMouse(dynamic_cast<VirtualMouse*>(backend.get())),
          blink(state, appWindow),
          sender(state, profiles, *pointerSpeed, appWindow, blink),
          engineDevice(sender),
          removalHandler([this] { lifecycle.onMouseRemoved(); }),
          removalMonitor(state.deviceLink, removalHandler),
          steps(state, window, messageBox, images, backend.get(), sender, blink),
          lifecycle(state, LifecyclePorts{steps, profiles, messageBox, *pointerSpeed, *injector,
                                          tray, appWindow}),
          input(state, &blink),
          engine(state, profiles, appWindow, engineDevice, *injector, *shell, clock),
          listener(state, appWindow, &removalMonitor) {
        setProgramDirectory(state, programDirectory);
        steps.setWorkers(listener, engine);
    }

    AppState state;
    ProfileStore profiles;
    QtImageLoader images;
    QtMainWindow window;
    QtAppWindow appWindow;
    QtMessageBox messageBox;
    QtFileDialog fileDialog;
    QtTrayIcon tray;
    std::unique_ptr<PointerSpeed> pointerSpeed;
    std::unique_ptr<InputInjector> injector;
    std::unique_ptr<Shell> shell;
    SteadyDeadlineClock clock;
    // The real mouse through the platform's HID layer, or the virtual mouse.
    std::unique_ptr<HidBackend> backend;
    VirtualMouse* virtualMouse;  // the backend when it is the virtual mouse, else null
    GuiConfirmBlink blink;
    ConfigSender sender;
    SenderEngineDevice engineDevice;
    GuiRemovalHandler removalHandler;
    MouseRemovalMonitor removalMonitor;
    GuiStartupSteps steps;
    AppLifecycle lifecycle;
    PageTabInput input;
    std::unique_ptr<VirtualMousePanel> panel;    // with --virtual-mouse
    std::unique_ptr<RemovalWatch> removalWatch;  // the real mouse's removal notices
    // Last: their threads stop first, before anything they use goes away.
    DriverEngine engine;
    DeviceListener listener;
};

// Started once the mouse has been found, so that its path no longer changes.
void GuiProgram::startRemovalWatch(Parts& parts) {
#if TORVANE_LINUX_AVAILABLE
    if (parts.virtualMouse != nullptr) return;
    parts.removalWatch = std::make_unique<UdevRemovalWatch>();
    parts.removalWatch->start([&parts](const std::string& removedPath) {
        parts.removalMonitor.onRemovalNotice(removedPath);
    });
#else
    (void)parts;
#endif
}

GuiProgram::GuiProgram(const GuiOptions& options) : m_options(options) {}

GuiProgram::~GuiProgram() = default;

int GuiProgram::run() {
    QtSingleInstance instance;
    if (!AppLifecycle::claimSingleInstance(instance)) return 0;

    m_parts = std::make_unique<Parts>(
        m_options, QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
    Parts& parts = *m_parts;
    // A second start during the start-up (a message box may be up) changes nothing.
    bool running = false;
    instance.setActivationHandler([&parts, &running] {
        if (running && !parts.window.destroyed()) parts.window.bringToFront();
    });

    QtMainWindow::Handlers handlers;
    handlers.paintFrame = [&parts](QImage& frame) {
        QtCanvas canvas(frame);
        PaintView view;
        view.minimised = parts.window.isMinimized();
        view.clientWidth = frame.width();
        view.clientHeight = frame.height();
        paintMainWindow(parts.state, parts.images, canvas, view);
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
    // Ending the program from a terminal closes it as the window would.
    QuitSignals quitSignals([&parts] { parts.lifecycle.runCloseSequence(); });

    if (!parts.lifecycle.runStartup()) return 0;
    startRemovalWatch(parts);
    running = true;
    parts.window.show();
    if (parts.virtualMouse) {
        parts.panel = std::make_unique<VirtualMousePanel>(*parts.virtualMouse);
        parts.panel->move(parts.window.geometry().right() + kPanelGap, parts.window.y());
        parts.panel->show();
    }
    return QApplication::exec();
}

}  // namespace torvane
