// The program's windows and shared services (see Program.h).
#include "Program.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

#include "CylinOut.h"
#include "DataFileCommands.h"
#include "DatTable.h"
#include "DrawLines.h"
#include "Instruct.h"
#include "MainForm.h"
#include "Oval.h"
#include "PortEvents.h"
#include "SetReverArm.h"
#include "SettingDialogs.h"
#include "Sine.h"
#include "Steam.h"
#include "TavFrame.h"
#include "TavSpIns.h"
#include "VGAboutBox.h"
#include "ValveEventsWindow.h"

namespace tarvell {

Program::Program(std::unique_ptr<Sound> sound, ProgramOptions options)
    : sound_(std::move(sound)), options_(options) {}

Program::~Program() {
    // Child windows first, the main window last.
    while (!owned_.empty()) owned_.pop_back();
}

void Program::createWindows() {
    auto own = [this](auto* window) {
        owned_.emplace_back(window);
        return window;
    };
    // The program's creation order.
    mainForm = own(new TMainForm(*this));
    drivAng = own(new TDrivAng(*this));
    ovalDia = own(new TOvalDia(*this));
    portDia = own(new TPortDia(*this));
    refPnts = own(new TRefPnts(*this));
    revPos = own(new TRevPos(*this));
    setRevArm = own(new TSetRevArm(*this));
    sineDia = own(new TSineDia(*this));
    steamDia = own(new TSteamDia(*this));
    stpAng = own(new TStpAng(*this));
    aboutBox = own(new TAboutBox(*this));
    inst = own(new TInst(*this));
    tavSpInst = own(new TTavSpInst(*this));
    frameDi = own(new TFrameDi(*this));
    cylDimen = own(new TCylDimen(*this));
    graphZoom = own(new TGraphZoom(*this));
    drawLines = own(new TDrawLines(*this));
    dataTable = own(new TDataTable(*this));
    dataFile = own(new DataFileCommands(*this));
    valveEvents = own(new TValveEvents(*this));
    mainForm->windowsCreated();
}

void Program::registerTitledWindow(QWidget* window, const QString& titleText) {
    titledWindows_.append({window, titleText});
}

void Program::showErrorMessage(const QString& text) {
    if (options_.showError) {
        options_.showError(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok);
    box.exec();
}

void Program::registerUndoButton(QAbstractButton* button) {
    undoButtons_.append(button);
}

void Program::setUndoButtonsEnabled(bool enabled) {
    for (const auto& b : std::as_const(undoButtons_))
        if (b) b->setEnabled(enabled);
}

}  // namespace tarvell
