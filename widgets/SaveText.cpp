// Saving exported text and pictures (see SaveText.h).
#include "SaveText.h"

#include <QByteArray>
#include <QDir>
#include <QFileDialog>
#include <QSaveFile>

#include "ProgramContext.h"

namespace tarvell {

QString writeFileSafely(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    if (file.write(bytes) != bytes.size() || !file.commit()) return file.errorString();
    return {};
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
