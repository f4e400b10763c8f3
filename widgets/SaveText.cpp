// Saving exported text and pictures (see SaveText.h).
#include "SaveText.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileDialog>

#include "ProgramContext.h"
#include "SafeWrite.h"

namespace tarvell {

QString writeFileSafely(const QString& path, const QByteArray& bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    return QString::fromStdString(tarvell::writeFileSafely(
        QFile::encodeName(path).toStdString(),
        std::span<const unsigned char>(data, static_cast<std::size_t>(bytes.size()))));
}

QString saveExport(ProgramContext& context, QWidget* parent, const QString& title,
                   const QString& suggestedName, const QString& filter, const QString& suffix,
                   const QByteArray& bytes) {
    QString path = context.options().chooseExportPath
                       ? context.options().chooseExportPath(suggestedName, suffix)
                       : QString();
    if (!context.options().chooseExportPath) {
        QFileDialog dialog(parent, title, suggestedName, filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);  // asks before overwriting
        dialog.setDefaultSuffix(suffix);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            path = dialog.selectedFiles().first();
    }
    if (path.isEmpty()) return {};
    const QString error = writeFileSafely(path, bytes);
    if (!error.isEmpty()) {
        context.showErrorMessage(QDir::toNativeSeparators(path) + ": saving failed (" + error +
                                 "). The previous file, if any, is unchanged.");
        return {};
    }
    return path;
}

}  // namespace tarvell
