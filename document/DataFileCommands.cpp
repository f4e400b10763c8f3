// Opening and saving dimension data files from the main window (see DataFileCommands.h).
#include "DataFileCommands.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "DataFile.h"
#include "ProgramContext.h"
#include "SaveText.h"

namespace tarvell {
namespace {

const QString kFilters = "Data File (*.dtv);;All Files (*.*)";

QString displayName(const QString& path) {
    return QDir::toNativeSeparators(path);
}

}  // namespace

DataFileCommands::DataFileCommands(ProgramContext& context, QWidget* dialogParent)
    : QObject(nullptr), context_(context), dialogParent_(dialogParent) {
    chooseOpenPath = [this] { return askOpenPath(); };
    chooseSavePath = [this] { return askSavePath(); };
    showError = [this](const QString& title, const QString& message) {
        if (context_.options().showError)
            context_.showErrorMessage(message);  // the program's own way, e.g. under test
        else
            QMessageBox::critical(dialogParent_, title, message);
    };
}

QString DataFileCommands::askOpenPath() {
    QFileDialog dialog(dialogParent_, "Open", QString(), kFilters);
    dialog.setObjectName("OpenDialogWin");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDefaultSuffix("dtv");
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
               ? dialog.selectedFiles().first()
               : QString();
}

QString DataFileCommands::askSavePath() {
    QFileDialog dialog(dialogParent_, "Save As....", QString(), kFilters);
    dialog.setObjectName("SaveDialog1");
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);  // asks before overwriting
    dialog.setDefaultSuffix("dtv");
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
               ? dialog.selectedFiles().first()
               : QString();
}

void DataFileCommands::OpenDimensionsClick() {
    const QString path = chooseOpenPath();
    if (!path.isEmpty()) {
        const QString message = openFile(path);
        if (!message.isEmpty()) showError("Open Dimensional Data", message);
    }
    emit openFinished();  // also after a cancel
}

void DataFileCommands::openFromCommandLine(const QStringList& arguments) {
    if (arguments.size() != 1 || arguments.first().isEmpty()) return;
    const QString message = openFile(arguments.first());
    if (!message.isEmpty()) showError("Open Dimensional Data", message);
    emit openFinished();
}

void DataFileCommands::SaveAsDimensionsClick() {
    const QString path = chooseSavePath();
    if (path.isEmpty()) return;
    const QString message = saveFile(path);
    if (!message.isEmpty()) showError("Save Dimensional Data", message);
}

QString DataFileCommands::openFile(const QString& path) {
    // The whole file is read and checked before anything changes.
    QFile file(path);
    if (QFileInfo(path).isDir()) return displayName(path) + ": this is a folder, not a data file.";
    if (!file.open(QIODevice::ReadOnly))
        return displayName(path) + ": the file cannot be opened (" + file.errorString() + ").";
    const QByteArray bytes = file.read(static_cast<qint64>(kFullFileBytes));
    if (file.error() != QFileDevice::NoError)
        return displayName(path) + ": the file cannot be read (" + file.errorString() + ").";
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const DecodedDataFile decoded = decodeDataFile(
        std::span<const unsigned char>(data, static_cast<std::size_t>(bytes.size())));
    if (!decoded.dataSet) return displayName(path) + ": " + QString::fromStdString(decoded.reason);

    Model& m = context_.model();
    const ReverseArmBar bar = applyDataSet(m, *decoded.dataSet);
    m.DataSetName = dataSetNameFromPath(path.toStdString());
    emit context_.dataSetLoaded();
    emit context_.reverseArmRangeChanged();
    emit context_.reverseArmMoveRequested(bar.position);
    return {};
}

QString DataFileCommands::saveFile(const QString& path) {
    const std::vector<unsigned char> bytes = encodeDataFile(context_.model());
    const QString error =
        writeFileSafely(path, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                         static_cast<qsizetype>(bytes.size())));
    if (!error.isEmpty())
        return displayName(path) + ": saving failed (" + error +
               "). The previous file, if any, is unchanged.";
    context_.model().DataSetName = dataSetNameFromPath(path.toStdString());
    return {};
}

}  // namespace tarvell
