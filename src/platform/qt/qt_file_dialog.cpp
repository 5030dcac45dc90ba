#include "platform/qt/qt_file_dialog.h"

#include <QFile>
#include <QFileDialog>

namespace torvane {

QStringList qtNameFilters(const std::u16string& filter) {
    const QStringList parts = QString::fromStdU16String(filter).split(QLatin1Char('|'));
    QStringList result;
    // Pairs of name and pattern list; the list ends at the first empty name.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString name = parts[i].trimmed();
        if (name.isEmpty()) break;
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            if (!pattern.trimmed().isEmpty()) patterns << pattern.trimmed();
        }
        if (patterns.isEmpty()) continue;
        const QString joined = patterns.join(QLatin1Char(' '));
        // Qt takes the patterns from a trailing "(...)"; keep a name that already ends so.
        if (name.endsWith(QLatin1Char('(') + joined + QLatin1Char(')'))) {
            result << name;
        } else {
            result << name + QStringLiteral(" (") + joined + QLatin1Char(')');
        }
    }
    return result;
}

std::optional<std::filesystem::path> QtFileDialog::choose(const FileDialogRequest& request) {
    const bool save = request.mode == FileDialogRequest::Mode::Save;
    QFileDialog dialog(m_owner.data());
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.initialFolder.empty()) {
        dialog.setDirectory(QFile::decodeName(request.initialFolder.string().c_str()));
    }
    const QStringList filters = qtNameFilters(request.filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!request.defaultExtension.empty()) {
        dialog.setDefaultSuffix(QString::fromStdU16String(request.defaultExtension));
    }
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    return std::filesystem::path(QFile::encodeName(files.first()).toStdString());
}

}  // namespace torvane
