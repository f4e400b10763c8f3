// tarvell: the Tarvell valve gear simulator. A data file named as the only argument is
// opened at start-up (as a desktop opens a double-clicked ".dtv" file).
#include <QApplication>
#include <QStringList>
#include <QStyleFactory>
#include <memory>

#include "DataFileCommands.h"
#include "MainForm.h"
#include "Program.h"
#include "ProgramIcon.h"
#include "QtSound.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Tarvell");
    QApplication::setApplicationName("Tarvell");
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setWindowIcon(tarvell::programIcon());
    // QApplication has taken out the arguments that were its own.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);

    tarvell::Program program(std::make_unique<tarvell::QtSound>());
    program.createWindows();
    program.mainForm->show();
    program.startUp(arguments);
    return QApplication::exec();
}
