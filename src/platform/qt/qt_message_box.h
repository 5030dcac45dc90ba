#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "app/message_box.h"

namespace torvane {

// The program's message box: an OK button, no icon, the caption the program's file name without
// its extension, owned by the main window when there is one. UI thread only.
class QtMessageBox : public MessageBox {
  public:
    explicit QtMessageBox(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }
    void show(const std::u16string& text) override;

    // The caption: the running program's file name without its extension.
    static QString caption();

  private:
    QPointer<QWidget> m_owner;
};

}  // namespace torvane
