// tarvell: the Tarvell valve gear simulator. A data file named as the only argument is
// opened at start-up (as a desktop opens a double-clicked ".dtv" file);
// "--interface-size PERCENT" draws every window at 100 to 200 % for this run.
#include <QApplication>
#include <QScreen>
#include <QStringList>
#include <QStyleFactory>
#include <cstdio>
#include <memory>

#include "InterfaceSize.h"
#include "MainForm.h"
#include "Program.h"
#include "ProgramIcon.h"
#include "QtSound.h"
#include "Restart.h"

namespace {

// What the desktop adds above a window for its title bar, for judging what fits the screen
// before the window has one.
constexpr int kTitleBarAllowance = 30;

}  // namespace

int main(int argc, char** argv) {
    using namespace tarvell;
    QApplication::setOrganizationName("Tarvell");
    QApplication::setApplicationName("Tarvell");
    QStringList given;
    for (int i = 1; i < argc; ++i) given << QString::fromLocal8Bit(argv[i]);
    const StartOptions start = parseStartOptions(given);
    if (!start.error.isEmpty()) {
        std::fprintf(stderr, "tarvell: %s\n", qPrintable(start.error));
        return 2;
    }
    // The interface size is Qt's scale factor, which must be set before the application is.
    const std::optional<int> size =
        start.interfaceSize ? start.interfaceSize : storedInterfaceSize();
    if (size) qputenv("QT_SCALE_FACTOR", QByteArray::number(*size / 100.0));

    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setWindowIcon(programIcon());
    // QApplication has taken out the arguments that were its own; these are what ours leave.
    const QStringList arguments = parseStartOptions(QApplication::arguments().mid(1)).rest;

    Program program(std::make_unique<QtSound>());
    program.createWindows();
    program.setInterfaceSize(size.value_or(100));
    if (!size) {
        // The first start: the largest size at which the main window fits the screen, kept
        // for later starts, and this start made again at it.
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QSize window = program.mainForm->size() + QSize(0, kTitleBarAllowance);
        const int chosen =
            screen ? fittingInterfaceSize(screen->availableGeometry().size(), window) : 100;
        storeInterfaceSize(chosen);
        if (chosen != 100) restartProgram(given);  // returns only if the start failed
        program.setInterfaceSize(100);
    }
    // The size the window was left at, within this screen.
    program.mainForm->restoreWindowSize();
    program.mainForm->show();
    program.startUp(arguments, start.carryOver);
    return QApplication::exec();
}
