// The main window's file commands on the working design: "&OpenDimensions", "Sa&veDimensions"
// (to the file last opened or saved), "Save&AsDimensions" and the recent files; the file
// dialogs, starting in the folder last used; writing through the safe writer so a failed
// save never harms the previous file; opening that checks the whole file before anything
// changes; and the question asked before unsaved changes would be lost.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "DataFile.h"

class QWidget;

namespace tarvell {

class ProgramContext;
class RecentFiles;

class DataFileCommands : public QObject {
    Q_OBJECT

  public:
    // `dialogParent` is the window the file dialogs and messages belong to.
    DataFileCommands(ProgramContext& context, QWidget* dialogParent);
    ~DataFileCommands() override;

    void OpenDimensionsClick();
    void SaveDimensionsClick();
    void SaveAsDimensionsClick();
    // One of the recent files chosen from the File menu.
    void openRecent(const QString& path);

    // Comparing the working design with another design's file, or with its own file as last
    // saved: the other design is read and checked as an open would, then handed to the
    // context; nothing in the working design changes. A failure is shown to the user.
    void CompareWithFileClick();
    void CompareWithSavedClick();
    // The comparison with the design in `path`: an empty string, or the message to show.
    QString compareWithFile(const QString& path);

    // The program's arguments without its name: a lone data file is opened at start-up
    // (a file that cannot be used is reported and the defaults stay).
    void openFromCommandLine(const QStringList& arguments);

    // Opening and saving a named file, as the commands do once a file is chosen. Each
    // returns an empty string, or the message shown to the user. An open that is no user's
    // choice (an export from the command line) leaves the recent files alone.
    enum class Remember { Yes, No };
    QString openFile(const QString& path, Remember remember = Remember::Yes);
    QString saveFile(const QString& path);

    // Before an action that would replace the design: true when it may go on. With unsaved
    // changes it asks "Save changes to <name>?"; Save saves (and a save that is cancelled or
    // fails stops the action), Discard goes on, Cancel stops.
    bool maybeSave();

    // The data file the design was last opened from or saved to; empty for none.
    const QString& currentPath() const { return currentPath_; }
    // Makes `path` the design's file (a design restored after a crash keeps its file).
    void setCurrentPath(const QString& path) { currentPath_ = path; }
    RecentFiles& recentFiles() { return *recent_; }

    // Seams for tests: how a path is chosen (empty = cancelled), how a failure is shown, and
    // how the user answers the question about unsaved changes.
    enum class SaveChoice { Save, Discard, Cancel };
    std::function<QString()> chooseOpenPath;
    std::function<QString()> chooseSavePath;
    std::function<void(const QString& title, const QString& message)> showError;
    std::function<SaveChoice(const QString& question)> askSaveChanges;
    // The question as the program asks it: a message box over the window the user works in.
    SaveChoice askUser(const QString& question);

  signals:
    // An open ended: `loaded` when a data set replaced the design (the context has said so
    // already), false when it failed or was cancelled.
    void openFinished(bool loaded);
    // The design was written to its file (saved), so a kept copy is no longer needed.
    void saved();

  private:
    QString askOpenPath();
    QString askSavePath();
    // Reads and checks the data set in `path`: the set, or a message saying why not.
    std::optional<DataSet> readDataSet(const QString& path, QString& message) const;
    // Opens a chosen file: reports a failure, drops a recent file that is gone.
    void openChosen(const QString& path);
    bool saveTo(const QString& path);
    enum class FolderUse { Open, Save };
    QString startFolder(FolderUse use) const;
    void finishOpen();
    QWidget* parentForMessages() const;
    void remember(const QString& path);

    ProgramContext& context_;
    QWidget* dialogParent_;
    QString currentPath_;
    RecentFiles* recent_;
    bool loaded_ = false;  // the open under way replaced the design
};

}  // namespace tarvell
