#pragma once

#include "ui/tray/tray_icon.h"

namespace torvane {

// The notification-area icon. For now the program shows no icon, so removing it only records
// that it was asked for; the icon with its menu comes with the tray menu. UI thread only.
class QtTrayIcon : public TrayIcon {
  public:
    void remove() override { ++m_removeCount; }
    int removeCount() const { return m_removeCount; }

  private:
    int m_removeCount = 0;
};

}  // namespace torvane
