// Opening and saving dimension data files from the main window (see DataFileCommands.h).
#include "DataFileCommands.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QScrollBar>

#include "DataFile.h"
#include "DrawLines.h"
#include "MainForm.h"
#include "Program.h"
#include "SaveText.h"

namespace tarvell {
namespace {

const QString kFilters = "Data File (*.dtv);;All Files (*.*)";

QString displayName(const QString& path) {
    return QDir::toNativeSeparators(path);
}

}  // namespace

DataFileCommands::DataFileCommands(Program& program) : QObject(nullptr), program_(program) {
    TMainForm& form = *program_.mainForm;
    chooseOpenPath = [this] { return askOpenPath(); };
    chooseSavePath = [this] { return askSavePath(); };
    showError = [this, &form](const QString& title, const QString& message) {
        if (program_.options().showError)
            program_.showErrorMessage(message);  // the program's own way, e.g. under test
        else
            QMessageBox::critical(&form, title, message);
    };
    for (QAction* a : {form.OpenDimensions, form.ToolButton[1]}) {
        connect(a, &QAction::triggered, this, [this] { OpenDimensionsClick(); });
        a->setEnabled(true);
    }
    for (QAction* a : {form.SaveAsDimensions, form.ToolButton[2]}) {
        connect(a, &QAction::triggered, this, [this] { SaveAsDimensionsClick(); });
        a->setEnabled(true);
    }
}

QString DataFileCommands::askOpenPath() {
    QFileDialog dialog(program_.mainForm, "Open", QString(), kFilters);
    dialog.setObjectName("OpenDialogWin");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDefaultSuffix("dtv");
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
               ? dialog.selectedFiles().first()
               : QString();
}

QString DataFileCommands::askSavePath() {
    QFileDialog dialog(program_.mainForm, "Save As....", QString(), kFilters);
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
    refreshOverlayTable();  // also after a cancel
}

void DataFileCommands::openFromCommandLine(const QStringList& arguments) {
    if (arguments.size() != 1 || arguments.first().isEmpty()) return;
    const QString message = openFile(arguments.first());
    if (!message.isEmpty()) showError("Open Dimensional Data", message);
    refreshOverlayTable();
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

    Model& m = program_.model();
    if (program_.drawLines) program_.drawLines->clearInformationLabels();
    const ReverseArmBar bar = applyDataSet(m, *decoded.dataSet);
    if (program_.drawLines) program_.drawLines->highlightCurrentItem();
    m.DataSetName = dataSetNameFromPath(path.toStdString());
    TMainForm& form = *program_.mainForm;
    form.SBRevArm->setRange(-bar.maximum, bar.maximum);
    if (form.SBRevArm->value() != bar.position)
        form.SBRevArm->setValue(bar.position);
    else
        form.SBRevArmChange();  // the position stands already: still take the arm onto it
    return {};
}

QString DataFileCommands::saveFile(const QString& path) {
    const std::vector<unsigned char> bytes = encodeDataFile(program_.model());
    const QString error =
        writeFileSafely(path, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                         static_cast<qsizetype>(bytes.size())));
    if (!error.isEmpty())
        return displayName(path) + ": saving failed (" + error +
               "). The previous file, if any, is unchanged.";
    program_.model().DataSetName = dataSetNameFromPath(path.toStdString());
    return {};
}

void DataFileCommands::refreshOverlayTable() {
    if (program_.drawLines) program_.drawLines->LinesDataClick();
}

}  // namespace tarvell
