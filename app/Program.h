// The program: owns the one Model, the sound output and every window, created once at
// start-up in a fixed order and kept (hidden) until the program ends. Every window gets
// the Program and reaches the model and the other windows through it.
#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "Sound.h"
#include "Vari.h"

class QAbstractButton;
class QPrinter;

namespace tarvell {

class TMainForm;
class TDrivAng;
class TRevPos;
class TStpAng;
class TRefPnts;
class TGraphZoom;
class TOvalDia;
class TPortDia;
class TSetRevArm;
class TSineDia;
class TSteamDia;
class TAboutBox;
class TInst;
class TTavSpInst;
class TFrameDi;
class TCylDimen;
class TDrawLines;
class TDataTable;
class TValveEvents;
class DataFileCommands;

struct ProgramOptions {
    bool startTimer = true;  // tests drive the rotation loop tick by tick instead
    // Shows an error message; empty means a message box with an OK button. Tests record
    // the messages instead of waiting for a click.
    std::function<void(const QString&)> showError = {};
    // Chooses where an export is saved (suggested name, suffix); empty means the save dialog.
    // Tests answer at once instead.
    std::function<QString(const QString&, const QString&)> chooseExportPath = {};
    // Sets up the printer for a print, returning false to cancel; empty means the print
    // dialog. Tests print to a PDF file instead.
    std::function<bool(QPrinter&)> setUpPrinter = {};
};

class Program {
  public:
    explicit Program(std::unique_ptr<Sound> sound, ProgramOptions options = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Model& model() { return model_; }
    Sound& sound() { return *sound_; }
    const ProgramOptions& options() const { return options_; }

    // Creates the main window (which installs the defaults and computes mid gear), then,
    // hidden, every other window in the program's order.
    void createWindows();

    // Windows whose title the rotation loop rewrites on every tick: the title text, then
    // the data set name, date, time and version.
    void registerTitledWindow(QWidget* window, const QString& titleText);
    struct TitledWindow {
        QPointer<QWidget> window;
        QString titleText;
    };
    const QList<TitledWindow>& titledWindows() const { return titledWindows_; }

    // An error message with an OK button (see ProgramOptions::showError); returns when the
    // user has closed it.
    void showErrorMessage(const QString& text);

    // The "UnDo" buttons of the main window and the diagram windows, enabled together.
    void registerUndoButton(QAbstractButton* button);
    void setUndoButtonsEnabled(bool enabled);

    // Windows; a window not yet part of the program stays null.
    TMainForm* mainForm = nullptr;
    TDrivAng* drivAng = nullptr;
    TOvalDia* ovalDia = nullptr;
    TPortDia* portDia = nullptr;
    TRefPnts* refPnts = nullptr;
    TRevPos* revPos = nullptr;
    TSetRevArm* setRevArm = nullptr;
    TSineDia* sineDia = nullptr;
    TSteamDia* steamDia = nullptr;
    TStpAng* stpAng = nullptr;
    TAboutBox* aboutBox = nullptr;
    TInst* inst = nullptr;
    TTavSpInst* tavSpInst = nullptr;
    TFrameDi* frameDi = nullptr;
    TCylDimen* cylDimen = nullptr;
    TGraphZoom* graphZoom = nullptr;
    TDrawLines* drawLines = nullptr;
    TDataTable* dataTable = nullptr;
    TValveEvents* valveEvents = nullptr;

    // The open and save commands of the main window.
    DataFileCommands* dataFile = nullptr;

  private:
    Model model_;
    std::unique_ptr<Sound> sound_;
    ProgramOptions options_;
    QList<QPointer<QAbstractButton>> undoButtons_;
    QList<TitledWindow> titledWindows_;
    std::vector<std::unique_ptr<QObject>> owned_;  // every window, deleted at exit
};

}  // namespace tarvell
