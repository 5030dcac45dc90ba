#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "app/file_dialog.h"

namespace torvane {

// Turns a filter of the form "Name(*.ini)|*.ini|Other|*.a;*.b||" into Qt name filters
// ("Name(*.ini) (*.ini)", "Other (*.a *.b)"). A name without a pattern is dropped; an empty or
// malformed filter gives an empty list (the dialog then shows every file).
QStringList qtNameFilters(const std::u16string& filter);

// The system's file dialog, owned by the main window. UI thread only.
class QtFileDialog : public FileDialog {
  public:
    explicit QtFileDialog(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }
    std::optional<std::filesystem::path> choose(const FileDialogRequest& request) override;

  private:
    QPointer<QWidget> m_owner;
};

}  // namespace torvane
