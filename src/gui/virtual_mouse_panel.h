#pragma once

#include <QLabel>
#include <QWidget>
#include <array>
#include <atomic>

namespace torvane {

class VirtualMouse;

// A small window beside the main window for trying the program without the mouse: it shows what
// the virtual mouse was last sent (device code per button, DPI stage and value, LED mode, wheel)
// and has press-and-hold buttons for the mouse's hardware buttons. It refreshes whenever the
// mouse changes, from whichever thread changed it. UI thread only, apart from the mouse's
// change callback.
class VirtualMousePanel : public QWidget {
    Q_OBJECT
  public:
    // The mouse must outlive the panel.
    explicit VirtualMousePanel(VirtualMouse& mouse, QWidget* parent = nullptr);
    ~VirtualMousePanel() override;

    // Reads the mouse's state into the labels now.
    void refresh();

  private:
    void requestRefresh();

    VirtualMouse& m_mouse;
    std::atomic<bool> m_refreshPending{false};
    std::array<QLabel*, 7> m_codes{};
    QLabel* m_dpi = nullptr;
    QLabel* m_led = nullptr;
    QLabel* m_wheel = nullptr;
    QLabel* m_driver = nullptr;
    QLabel* m_reports = nullptr;
    QLabel* m_lastReport = nullptr;
};

// The mouse's hardware buttons, in the order the panel shows them.
inline constexpr std::array<int, 7> kPanelHardwareButtons{1, 2, 3, 4, 5, 6, 9};
inline constexpr char kVirtualMousePanelTitle[] = "Virtual mouse";

}  // namespace torvane
