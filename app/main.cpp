// tarvell: the Tarvell valve gear simulator.
#include <QApplication>
#include <QStyleFactory>
#include <memory>

#include "MainForm.h"
#include "Program.h"
#include "QtSound.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tarvell");
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    tarvell::Program program(std::make_unique<tarvell::QtSound>());
    program.createWindows();
    program.mainForm->show();
    return QApplication::exec();
}
