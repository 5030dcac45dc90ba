#include "platform/qt/qt_message_box.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace torvane {

QString QtMessageBox::caption() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

void QtMessageBox::show(const std::u16string& text) {
    QMessageBox box(QMessageBox::NoIcon, caption(), QString::fromStdU16String(text),
                    QMessageBox::Ok, m_owner.data());
    box.exec();
}

}  // namespace torvane
