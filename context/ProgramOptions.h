// How the program's windows reach the outside world where tests must answer instead of a
// person: starting the rotation timer, showing an error, choosing an export's file and setting
// up a printer.
#pragma once

#include <QString>
#include <functional>

class QPrinter;

namespace tarvell {

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

}  // namespace tarvell
