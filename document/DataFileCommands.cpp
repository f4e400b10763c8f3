// Opening and saving dimension data files from the main window (see DataFileCommands.h).
#include "DataFileCommands.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "Assets.h"
#include "DataFile.h"
#include "FileAccess.h"
#include "ProgramContext.h"
#include "RecentFiles.h"
#include "SaveText.h"
#include "Vari.h"

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
            QMessageBox::critical(parentForMessages(), title, message);
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

QWidget* DataFileCommands::parentForMessages() const {
    // The window that asked (a dimension dialog's Reset, say), so it stays in front.
    QWidget* asking = context_.messageParent();
    return asking ? asking : dialogParent_;
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
    QFileDialog dialog(parentForMessages(), "Open", startFolder(FolderUse::Open), kFilters);
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
    QFileDialog dialog(parentForMessages(), "Save As....",
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
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    parentForMessages());
    box.setObjectName("SaveChangesBox");
    box.button(QMessageBox::Save)->setText("&Save");
    box.button(QMessageBox::Discard)->setText("&Discard");
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

void DataFileCommands::finishOpen() {
    emit openFinished(loaded_);
    loaded_ = false;
}

void DataFileCommands::OpenDimensionsClick() {
    if (maybeSave()) {
        const QString path = chooseOpenPath();
        if (!path.isEmpty()) openChosen(path);
    }
    finishOpen();  // also after a cancel
}

void DataFileCommands::openRecent(const QString& path) {
    if (maybeSave()) openChosen(path);
    finishOpen();
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
    if (arguments.isEmpty()) return;
    if (arguments.size() > 1) {
        // One design at a time: the first is opened, and the rest are named, not dropped.
        QStringList rest = arguments.mid(1);
        for (QString& a : rest) a = "\"" + displayName(a) + "\"";
        context_.note("Only one data file is opened at a time; " + rest.join(", ") +
                      (rest.size() == 1 ? " was" : " were") + " not opened.");
    }
    if (arguments.first().isEmpty()) {
        showError("Open Dimensional Data",
                  "The data file named when the program was started "
                  "has an empty name; the defaults are used.");
        finishOpen();
        return;
    }
    if (maybeSave()) {
        const QString message = openFile(arguments.first());
        if (!message.isEmpty()) showError("Open Dimensional Data", message);
    }
    finishOpen();
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

std::optional<DataSet> DataFileCommands::readDataSet(const QString& path, QString& message) const {
    // The whole file is read and checked before anything changes; nothing after the 72nd
    // record matters, so a huge file is not read on.
    const FileBytes read = readRegularFile(QFile::encodeName(path).toStdString(), kFullFileBytes);
    if (!read.ok()) {
        message = displayName(path) + ": " + QString::fromStdString(read.reason);
        return std::nullopt;
    }
    DecodedDataFile decoded = decodeDataFile(read.bytes);
    if (!decoded.dataSet)
        message = displayName(path) + ": " + QString::fromStdString(decoded.reason);
    return std::move(decoded.dataSet);
}

QString DataFileCommands::openFile(const QString& path, Remember remembered) {
    QString message;
    const std::optional<DataSet> set = readDataSet(path, message);
    if (!set) return message;

    context_.replaceDesign(*set, dataSetNameFromPath(path.toStdString()));
    loaded_ = true;
    currentPath_ = path;
    // The design as opened is the saved one: the arm stands where its scroll bar put it.
    context_.markDesignSaved();
    if (remembered == Remember::Yes) remember(path);
    return {};
}

void DataFileCommands::CompareWithFileClick() {
    const QString path = chooseOpenPath();
    if (path.isEmpty()) return;
    const QString message = compareWithFile(path);
    if (!message.isEmpty()) showError("Compare", message);
}

void DataFileCommands::CompareWithSavedClick() {
    if (currentPath_.isEmpty()) {
        showError("Compare",
                  "The design has not been saved yet, so there is no saved design to compare "
                  "it with.");
        return;
    }
    const QString message = compareWithFile(currentPath_);
    if (!message.isEmpty()) showError("Compare", message);
}

QString DataFileCommands::compareWithFile(const QString& path) {
    QString message;
    const std::optional<DataSet> set = readDataSet(path, message);
    if (!set) return message;
    // The other design as it would open: the defaults, then the file's values; the working
    // design's view and arm are not the other's business.
    Model other;
    StartUp(other);
    applyDataSet(other, *set);
    other.DataSetName = dataSetNameFromPath(path.toStdString());
    // The file's name alone: the diagrams' legends have little room.
    const QString file = QFileInfo(path).fileName();
    const QString name = path == currentPath_ ? QString("%1 as last saved").arg(file) : file;
    context_.compareWith(other, name);
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
