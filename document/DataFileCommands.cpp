// Opening and saving dimension data files from the main window (see DataFileCommands.h).
#include "DataFileCommands.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "Assets.h"
#include "DataFile.h"
#include "ProgramContext.h"
#include "RecentFiles.h"
#include "SaveText.h"

namespace tarvell {
namespace {

const QString kFilters = "Data File (*.dtv);;All Files (*.*)";

QString displayName(const QString& path) {
    return QDir::toNativeSeparators(path);
}

}  // namespace

DataFileCommands::DataFileCommands(ProgramContext& context, QWidget* dialogParent)
    : QObject(nullptr), context_(context), dialogParent_(dialogParent), recent_(new RecentFiles) {
    recent_->setParent(this);
    chooseOpenPath = [this] { return askOpenPath(); };
    chooseSavePath = [this] { return askSavePath(); };
    showError = [this](const QString& title, const QString& message) {
        if (context_.options().showError)
            context_.showErrorMessage(message);  // the program's own way, e.g. under test
        else
            QMessageBox::critical(dialogParent_, title, message);
    };
    askSaveChanges = [this](const QString& question) { return askUser(question); };
    context_.setUnsavedChangesGuard([this] { return maybeSave(); });
    // A design that went back to the defaults is a new one, with no file of its own.
    connect(&context_, &ProgramContext::designReset, this, [this] {
        currentPath_.clear();
        context_.markDesignSaved();
    });
}

DataFileCommands::~DataFileCommands() {
    context_.setUnsavedChangesGuard({});
}

QString DataFileCommands::startFolder(FolderUse use) const {
    // The folder last used; for saving only one the user may write in (an installed example
    // opened last lies in a folder that is not theirs).
    const QFileInfo last(recent_->lastFolder());
    if (!last.filePath().isEmpty() && last.isDir() && (use == FolderUse::Open || last.isWritable()))
        return last.absoluteFilePath();
    // With no folder of their own yet, opening starts among the examples an installed program
    // comes with.
    const QString examples = use == FolderUse::Open ? locateExamplesFolder() : QString();
    return !examples.isEmpty() ? examples : QDir::homePath();
}

void DataFileCommands::remember(const QString& path) {
    recent_->add(path);
    recent_->setLastFolder(QFileInfo(path).absolutePath());
}

QString DataFileCommands::askOpenPath() {
    QFileDialog dialog(dialogParent_, "Open", startFolder(FolderUse::Open), kFilters);
    dialog.setObjectName("OpenDialogWin");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDefaultSuffix("dtv");
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
               ? dialog.selectedFiles().first()
               : QString();
}

QString DataFileCommands::askSavePath() {
    // The file is offered under the data set's name, in the folder last used.
    const QString name = QString::fromStdString(context_.model().DataSetName) + ".dtv";
    QFileDialog dialog(dialogParent_, "Save As....",
                       QDir(startFolder(FolderUse::Save)).filePath(name), kFilters);
    dialog.setObjectName("SaveDialog1");
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);  // asks before overwriting
    dialog.setDefaultSuffix("dtv");
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
               ? dialog.selectedFiles().first()
               : QString();
}

DataFileCommands::SaveChoice DataFileCommands::askUser(const QString& question) {
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), question,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, dialogParent_);
    box.setObjectName("SaveChangesBox");
    box.setInformativeText("Your changes to the design will be lost if you don't save them.");
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Save:
            return SaveChoice::Save;
        case QMessageBox::Discard:
            return SaveChoice::Discard;
        default:
            return SaveChoice::Cancel;
    }
}

bool DataFileCommands::maybeSave() {
    if (!context_.designModified()) return true;
    const QString name = QString::fromStdString(context_.model().DataSetName);
    switch (askSaveChanges("Save changes to " + name + "?")) {
        case SaveChoice::Save:
            if (!currentPath_.isEmpty()) return saveTo(currentPath_);
            {
                const QString path = chooseSavePath();
                return !path.isEmpty() && saveTo(path);
            }
        case SaveChoice::Discard:
            return true;
        case SaveChoice::Cancel:
            break;
    }
    return false;
}

void DataFileCommands::OpenDimensionsClick() {
    if (maybeSave()) {
        const QString path = chooseOpenPath();
        if (!path.isEmpty()) openChosen(path);
    }
    emit openFinished();  // also after a cancel
}

void DataFileCommands::openRecent(const QString& path) {
    if (maybeSave()) openChosen(path);
    emit openFinished();
}

void DataFileCommands::openChosen(const QString& path) {
    const bool gone = !QFileInfo::exists(path);
    const QString message = openFile(path);
    if (message.isEmpty()) return;
    // A recent file that is no longer there leaves the list, and the message says so.
    if (gone && recent_->files().contains(QDir::cleanPath(QFileInfo(path).absoluteFilePath()))) {
        recent_->remove(path);
        showError("Open Dimensional Data",
                  displayName(path) +
                      ": the file is no longer there; it has been taken off "
                      "the recent files.");
        return;
    }
    showError("Open Dimensional Data", message);
}

void DataFileCommands::openFromCommandLine(const QStringList& arguments) {
    if (arguments.size() != 1 || arguments.first().isEmpty()) return;
    if (maybeSave()) {
        const QString message = openFile(arguments.first());
        if (!message.isEmpty()) showError("Open Dimensional Data", message);
    }
    emit openFinished();
}

void DataFileCommands::SaveDimensionsClick() {
    if (currentPath_.isEmpty())
        SaveAsDimensionsClick();
    else
        saveTo(currentPath_);
}

void DataFileCommands::SaveAsDimensionsClick() {
    const QString path = chooseSavePath();
    if (!path.isEmpty()) saveTo(path);
}

bool DataFileCommands::saveTo(const QString& path) {
    const QString message = saveFile(path);
    if (!message.isEmpty()) showError("Save Dimensional Data", message);
    return message.isEmpty();
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
    currentPath_ = path;
    emit context_.dataSetLoaded();
    emit context_.reverseArmRangeChanged();
    emit context_.reverseArmMoveRequested(bar.position);
    // The design as opened is the saved one: the arm stands where its scroll bar put it.
    context_.markDesignSaved();
    remember(path);
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
    currentPath_ = path;
    context_.markDesignSaved();
    remember(path);
    emit saved();
    return {};
}

}  // namespace tarvell
