// The main window's "&OpenDimensions" and "Save&AsDimensions" commands: the file dialogs,
// writing through a temporary file so a failed save never harms the previous one, and
// opening that checks the whole file before anything changes.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace tarvell {

class ProgramContext;

class DataFileCommands : public QObject {
    Q_OBJECT

  public:
    // `dialogParent` is the window the file dialogs and messages belong to.
    DataFileCommands(ProgramContext& context, QWidget* dialogParent);

    void OpenDimensionsClick();
    void SaveAsDimensionsClick();

    // The program's arguments without its name: a lone data file is opened at start-up
    // (a file that cannot be used is reported and the defaults stay).
    void openFromCommandLine(const QStringList& arguments);

    // Opening and saving a named file, as the commands do once a file is chosen. Each
    // returns an empty string, or the message shown to the user.
    QString openFile(const QString& path);
    QString saveFile(const QString& path);

    // Seams for tests: how a path is chosen (empty = cancelled) and how a failure is shown.
    std::function<QString()> chooseOpenPath;
    std::function<QString()> chooseSavePath;
    std::function<void(const QString& title, const QString& message)> showError;

  signals:
    // An open ended (loaded, failed or cancelled): views of the data set refresh.
    void openFinished();

  private:
    QString askOpenPath();
    QString askSavePath();
    ProgramContext& context_;
    QWidget* dialogParent_;
};

}  // namespace tarvell
