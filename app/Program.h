// The program: owns the context every window shares (the one Model, the sound output, the
// options) and every window, created once at start-up in a fixed order and kept (hidden)
// until the program ends; it makes every connection between them: the main window's menu
// items and tool buttons to the windows they open, and the requests one window makes of
// another.
#pragma once

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "ProgramContext.h"

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
class TPortAreasDia;
class TSteamDia;
class TAboutBox;
class TInst;
class TTavSpInst;
class TFrameDi;
class TCylDimen;
class TDrawLines;
class TDataTable;
class TValveEvents;
class TIndicatorDia;
class DataFileCommands;
class RecoveryKeeper;
class TBalance;
class TSensitivity;
class TTolerance;
class DesignExports;

class Program {
  public:
    explicit Program(std::unique_ptr<Sound> sound, ProgramOptions options = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    ProgramContext& context() { return context_; }
    Model& model() { return context_.model(); }
    Sound& sound() { return context_.sound(); }
    const ProgramOptions& options() const { return context_.options(); }

    // Creates the main window (which installs the defaults and computes mid gear), then,
    // hidden, every other window in the program's order; connects them and starts the
    // rotation loop.
    void createWindows();

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
    TPortAreasDia* portAreasDia = nullptr;
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
    TBalance* balance = nullptr;
    TSensitivity* sensitivity = nullptr;
    TTolerance* tolerance = nullptr;
    TIndicatorDia* indicatorDia = nullptr;

    // The open and save commands of the main window, and the recovery file kept while the
    // design is unsaved.
    DataFileCommands* dataFile = nullptr;
    RecoveryKeeper* recovery = nullptr;
    // The design sheet and animation exports of the File menu.
    DesignExports* exports = nullptr;

    // At start-up, once the main window is shown: a design handed over by the run that
    // restarted itself (`carryOver`) is taken back; otherwise a design left unsaved by a run
    // that did not end cleanly is offered back, then a data file named on the command line
    // is opened.
    void startUp(const QStringList& arguments, const QString& carryOver = {});

    // The interface size this run has (checked in SetUp's Interface Size menu).
    void setInterfaceSize(int percent);
    // Another size, chosen from the menu: kept for the next starts, and the program starts
    // afresh at it with the design, the view and any unsaved changes handed over.
    void changeInterfaceSize(int percent);
    // How the program starts afresh; tests look at the arguments instead.
    std::function<void(const QStringList& arguments)> restart;

  private:
    void connectWindows();
    // The File menu's and the valve events window's comparison commands.
    void connectComparison();
    void fillRecentFiles();

    ProgramContext context_;
    int interfaceSize_ = 100;
    std::vector<std::unique_ptr<QObject>> owned_;  // every window, deleted at exit
};

}  // namespace tarvell
