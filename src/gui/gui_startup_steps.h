#pragma once

#include "app/startup_steps.h"

namespace torvane {

struct AppState;
class ConfigSender;
class DeviceListener;
class DriverEngine;
class GuiConfirmBlink;
class HidBackend;
class ImageLoader;
class MessageBox;
class QtMainWindow;

// The start-up steps of torvane-gmouse, wired to the real subsystems. UI thread only.
class GuiStartupSteps : public StartupSteps {
  public:
    GuiStartupSteps(AppState& state, QtMainWindow& window, MessageBox& messageBox,
                    ImageLoader& images, HidBackend* backend, ConfigSender& sender,
                    GuiConfirmBlink& blink);
    // The workers that startWorkers() starts.
    void setWorkers(DeviceListener& listener, DriverEngine& engine) {
        m_listener = &listener;
        m_engine = &engine;
    }

    void startWorkers() override;
    void extendSystemMenu() override;
    void setIconAndTitle() override;
    bool loadSkin() override;
    void finishSkinLayout() override;
    void buildWindowShape() override;
    void loadMacros() override;
    void loadMenus() override;
    bool discoverMouse() override;
    void applyConfiguration() override;
    void sendDriverOff() override;
    void sleepMs(int milliseconds) override;

  private:
    AppState& m_state;
    QtMainWindow& m_window;
    MessageBox& m_messageBox;
    ImageLoader& m_images;
    HidBackend* m_backend;  // null: no HID layer on this platform, so never a mouse
    ConfigSender& m_sender;
    GuiConfirmBlink& m_blink;
    DeviceListener* m_listener = nullptr;
    DriverEngine* m_engine = nullptr;
};

}  // namespace torvane
