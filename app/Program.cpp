// The program's windows and their connections (see Program.h).
#include "Program.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>

#include "BalanceDialog.h"
#include "CylinOut.h"
#include "DatTable.h"
#include "DataFileCommands.h"
#include "DesignExports.h"
#include "DrawLines.h"
#include "GraphicPosition.h"
#include "IndicatorSettingsStore.h"
#include "IndicatorWindow.h"
#include "Instruct.h"
#include "InterfaceSize.h"
#include "MainForm.h"
#include "ModalDialog.h"
#include "Oval.h"
#include "PortAreasWindow.h"
#include "PortEvents.h"
#include "RecentFiles.h"
#include "RecoveryKeeper.h"
#include "Restart.h"
#include "SensitivityWindow.h"
#include "SetReverArm.h"
#include "SettingDialogs.h"
#include "Sine.h"
#include "Steam.h"
#include "TavFrame.h"
#include "TavSpIns.h"
#include "ToleranceWindow.h"
#include "VGAboutBox.h"
#include "ValveEventsWindow.h"

namespace tarvell {

Program::Program(std::unique_ptr<Sound> sound, ProgramOptions options)
    : restart(restartProgram), context_(std::move(sound), std::move(options)) {}

Program::~Program() {
    // Child windows first, the main window last.
    while (!owned_.empty()) owned_.pop_back();
}

void Program::createWindows() {
    auto own = [this](auto* window) {
        owned_.emplace_back(window);
        return window;
    };
    ProgramContext& c = context_;
    // The program's creation order.
    mainForm = own(new TMainForm(c));
    TMainForm& form = *mainForm;
    // The indicator settings are the user's, kept between runs apart from any data file.
    c.model().indicator = loadIndicatorSettings();
    drivAng = own(new TDrivAng(form));
    setRevArm = own(new TSetRevArm(c));
    ovalDia = own(new TOvalDia(c, *setRevArm));
    portDia = own(new TPortDia(c, *setRevArm));
    refPnts = own(new TRefPnts(form));
    revPos = own(new TRevPos(form));
    sineDia = own(new TSineDia(c, *setRevArm));
    steamDia = own(new TSteamDia(c, *setRevArm));
    portAreasDia = own(new TPortAreasDia(c, *setRevArm));
    stpAng = own(new TStpAng(form));
    aboutBox = own(new TAboutBox());
    inst = own(new TInst(c));
    tavSpInst = own(new TTavSpInst(c));
    frameDi = own(new TFrameDi(c));
    cylDimen = own(new TCylDimen(c));
    graphZoom = own(new TGraphZoom(form));
    drawLines = own(new TDrawLines(c));
    dataTable = own(new TDataTable(c));
    dataFile = own(new DataFileCommands(c, mainForm));
    valveEvents = own(new TValveEvents(c));
    recovery = own(new RecoveryKeeper(c, *dataFile));
    balance = own(new TBalance(c));
    sensitivity = own(new TSensitivity(c));
    tolerance = own(new TTolerance(c));
    indicatorDia = own(new TIndicatorDia(c, *setRevArm));
    connectWindows();
    exports = own(new DesignExports(*this));
    mainForm->startRotation();
    if (context_.options().startTimer) recovery->start();
}

void Program::connectWindows() {
    TMainForm& form = *mainForm;
    // Each command opens its window; a command whose window is not part of the program stays
    // disabled.
    auto opens = [&form](std::initializer_list<QAction*> commands, QObject* window, auto open) {
        for (QAction* a : commands) {
            a->setEnabled(window != nullptr);
            if (window) QObject::connect(a, &QAction::triggered, window, open);
        }
    };
    opens({form.OpenDimensions, form.ToolButton[1]}, dataFile,
          [this] { dataFile->OpenDimensionsClick(); });
    opens({form.SaveDimensions}, dataFile, [this] { dataFile->SaveDimensionsClick(); });
    opens({form.SaveAsDimensions, form.ToolButton[2]}, dataFile,
          [this] { dataFile->SaveAsDimensionsClick(); });
    // The menu follows the list: one that was empty at start comes alive with the first save.
    QObject::connect(&dataFile->recentFiles(), &RecentFiles::changed, dataFile,
                     [this] { fillRecentFiles(); });
    QObject::connect(form.RecentFiles, &QMenu::aboutToShow, dataFile,
                     [this] { fillRecentFiles(); });
    fillRecentFiles();
    connectComparison();
    // Leaving cleanly (nothing unsaved, or the user let it go) needs no kept copy.
    QObject::connect(&form, &TMainForm::exiting, recovery, [this] { recovery->discard(); });
    opens({form.FrameDim, form.ToolButton[4]}, frameDi, [this] { execModal(*frameDi, mainForm); });
    opens({form.CylDim, form.ToolButton[5]}, cylDimen, [this] { execModal(*cylDimen, mainForm); });
    opens({form.DriverAng, form.ToolButton[6]}, drivAng, [this] { execModal(*drivAng, mainForm); });
    opens({form.StepAng1, form.ToolButton[7]}, stpAng, [this] { execModal(*stpAng, mainForm); });
    opens({form.RevArmPos, form.ToolButton[8]}, revPos, [this] { execModal(*revPos, mainForm); });
    opens({form.RefPoints1}, refPnts, [this] { execModal(*refPnts, mainForm); });
    opens({form.GraphicZoom}, graphZoom, [this] { execModal(*graphZoom, mainForm); });
    opens({form.SineDiag, form.ToolButton[13]}, sineDia, [this] { sineDia->showModal(); });
    opens({form.OvalDiag, form.ToolButton[14]}, ovalDia, [this] { ovalDia->showModal(); });
    opens({form.SteamDiag, form.ToolButton[15]}, steamDia, [this] { steamDia->showModal(); });
    opens({form.FourEvents, form.ToolButton[16]}, portDia, [this] { portDia->FourEventsClick(); });
    opens({form.ValveEvents, form.ToolButton[17]}, valveEvents,
          [this] { valveEvents->showModal(); });
    opens({form.PortAreas}, portAreasDia, [this] { portAreasDia->showModal(); });
    opens({form.Balance, form.ToolButton[19]}, balance, [this] { execModal(*balance, mainForm); });
    opens({form.Tolerance}, tolerance, [this] { tolerance->showModal(); });
    opens({form.Sensitivity}, sensitivity, [this] { sensitivity->showModal(); });
    // Balance opened from the Sensitivity window varies what was picked there, and the table
    // follows whatever Balance applied.
    if (sensitivity && balance)
        QObject::connect(sensitivity, &TSensitivity::balanceRequested, sensitivity,
                         [this](const std::vector<int>& codes) {
                             balance->setVaryCodes(codes);
                             execModal(*balance, sensitivity);
                             sensitivity->FormActivate();
                         });
    opens({form.Indicator, form.ToolButton[18]}, indicatorDia,
          [this] { indicatorDia->showModal(); });
    // The instructions open beside the main window, to be read while working in it.
    for (InstructionWindow* help :
         {static_cast<InstructionWindow*>(inst), static_cast<InstructionWindow*>(tavSpInst)})
        if (help) help->setReferenceWindow(&form);
    opens({form.Instructions}, inst, [this] { inst->InstructionsClick(); });
    opens({form.SpecInstr}, tavSpInst, [this] { tavSpInst->SpecInstrClick(); });
    opens({form.About1}, aboutBox, [this] { aboutBox->About1Click(); });
    // The lines dialog's command is enabled with the reference points (ReferencePoints).
    for (QAction* a : {form.DrawLines1, form.ToolButton[23]})
        QObject::connect(a, &QAction::triggered, drawLines,
                         [this] { drawLines->DrawLines1Click(); });
    QObject::connect(form.DataTableBut, &QPushButton::clicked, dataTable,
                     [this] { execModal(*dataTable, mainForm); });

    // ResetAllDimensions resets each dimension dialog's dimensions first.
    QObject::connect(&form, &TMainForm::dimensionResetRequested, frameDi, [this] {
        frameDi->ResetFrameClick();
        cylDimen->ResetCylClick();
    });
    // The lines dialog's table follows every data set that replaces the design, and is
    // shown afresh after an open that failed or was cancelled too: once per open either way.
    QObject::connect(&context_, &ProgramContext::dataSetLoaded, drawLines,
                     [this] { drawLines->dataSetReplaced(); });
    QObject::connect(dataFile, &DataFileCommands::openFinished, drawLines, [this](bool loaded) {
        if (!loaded) drawLines->LinesDataClick();
    });
    form.graphicPosition().setDimensionDialogs(frameDi, cylDimen);
    for (std::size_t i = 0; i < kInterfaceSizes.size(); ++i)
        QObject::connect(form.InterfaceSizes[i], &QAction::triggered, &form,
                         [this, i] { changeInterfaceSize(kInterfaceSizes[i]); });
}

void Program::connectComparison() {
    TMainForm& form = *mainForm;
    QObject::connect(form.CompareWithFile, &QAction::triggered, dataFile,
                     [this] { dataFile->CompareWithFileClick(); });
    QObject::connect(form.CompareWithSaved, &QAction::triggered, dataFile,
                     [this] { dataFile->CompareWithSavedClick(); });
    QObject::connect(form.StopComparing, &QAction::triggered, &context_,
                     [this] { context_.stopComparing(); });
    auto follow = [&form, this] { form.StopComparing->setEnabled(context_.comparison()); };
    QObject::connect(&context_, &ProgramContext::comparisonChanged, &form, follow);
    follow();
    if (valveEvents) {
        QObject::connect(valveEvents, &TValveEvents::compareWithFileRequested, dataFile,
                         [this] { dataFile->CompareWithFileClick(); });
        QObject::connect(valveEvents, &TValveEvents::compareWithSavedRequested, dataFile,
                         [this] { dataFile->CompareWithSavedClick(); });
    }
}

void Program::fillRecentFiles() {
    QMenu* menu = mainForm->RecentFiles;
    menu->clear();
    const QStringList files = dataFile->recentFiles().files();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        QAction* a = menu->addAction(QString("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        a->setObjectName(QString("RecentFile%1").arg(i + 1));
        a->setToolTip(QDir::toNativeSeparators(path));
        a->setStatusTip(QDir::toNativeSeparators(path));
        QObject::connect(a, &QAction::triggered, dataFile,
                         [this, path] { dataFile->openRecent(path); });
    }
    menu->setEnabled(!files.isEmpty());
}

void Program::startUp(const QStringList& arguments, const QString& carryOver) {
    if (!carryOver.isEmpty()) {
        const QString error = recovery->takeCarryOver(carryOver);
        if (error.isEmpty()) return;
        // Nothing was handed over: the start goes on as any other.
        context_.showErrorMessage("The design could not be taken over from before the restart: " +
                                  error);
    }
    recovery->offerRecovery();
    dataFile->openFromCommandLine(arguments);
}

void Program::setInterfaceSize(int percent) {
    interfaceSize_ = percent;
    for (std::size_t i = 0; i < kInterfaceSizes.size(); ++i)
        mainForm->InterfaceSizes[i]->setChecked(kInterfaceSizes[i] == percent);
}

void Program::changeInterfaceSize(int percent) {
    if (percent == interfaceSize_) return;
    const QString kept = storeInterfaceSize(percent);
    if (!kept.isEmpty())
        context_.showErrorMessage("The interface size " + QString::number(percent) +
                                  " % cannot be kept for later starts: " + kept +
                                  ". It is taken for this run only.");
    QString carry;
    const QString error = recovery->writeCarryOver(carry);
    if (error.isEmpty()) {
        // The size goes with the restart itself, so the next run has it even when the settings
        // cannot keep it, and never needs to restart again.
        restart({"--interface-size", QString::number(percent), "--carry-over", carry});
        QFile::remove(carry);  // still here: the program did not start again
    }
    setInterfaceSize(interfaceSize_);  // the menu shows the size this run still has
    context_.showErrorMessage("The interface size " + QString::number(percent) +
                              " % could not be taken now: the " + "program could not start again" +
                              (error.isEmpty() ? QString(".") : " (" + error + ").") +
                              (kept.isEmpty() ? " It is kept for the next start." : QString()));
}

}  // namespace tarvell
