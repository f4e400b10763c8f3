// tarvell: the Tarvell valve gear simulator. A data file named as the only argument is
// opened at start-up (as a desktop opens a double-clicked ".dtv" file);
// "--interface-size PERCENT" draws every window at 100 to 200 % for this run; "--export-sheet"
// and "--export-animation" write an export without a window and end.
#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <memory>

#include "CommandLineExport.h"
#include "InterfaceSize.h"
#include "MainForm.h"
#include "Program.h"
#include "ProgramIcon.h"
#include "ProgramStyle.h"
#include "QtSound.h"
#include "ScreenProbe.h"
#include "TarvellVersion.h"

int main(int argc, char** argv) {
    using namespace tarvell;
    QApplication::setOrganizationName("Tarvell");
    QApplication::setApplicationName("Tarvell");
    QStringList given;
    for (int i = 1; i < argc; ++i) given << QString::fromLocal8Bit(argv[i]);
    const StartOptions start = parseStartOptions(given);
    if (!start.error.isEmpty()) {
        std::fprintf(stderr, "tarvell: %s (see --help)\n", qPrintable(start.error));
        return 2;
    }
    if (start.help) {
        std::fputs(qPrintable(startUsage()), stdout);
        return 0;
    }
    if (start.version) {
        std::printf("tarvell %s\n", kProgramVersion);
        return 0;
    }
    if (start.exports()) return runCommandLineExport(argc, argv, start);

    // The interface size is Qt's scale factor, which must be set before the application is.
    const ChosenInterfaceSize size = chooseInterfaceSize(
        start.interfaceSize, [&] { return interfaceSizeForScreen(argc, argv); });
    qputenv("QT_SCALE_FACTOR", QByteArray::number(size.percent / 100.0));

    QApplication app(argc, argv);
    QApplication::setStyle(createProgramStyle());
    QApplication::setWindowIcon(programIcon());
    // QApplication has taken out the arguments that were its own; these are what ours leave.
    const QStringList arguments = parseStartOptions(QApplication::arguments().mid(1)).rest;

    Program program(std::make_unique<QtSound>());
    program.createWindows();
    program.setInterfaceSize(size.percent);
    // The size the window was left at, within this screen.
    program.mainForm->restoreWindowSize();
    program.mainForm->show();
    QStringList notes = size.notes;
    if (!program.mainForm->showsWholePicture())
        notes << "The picture is cut off at " + QString::number(size.percent) +
                     " %: SetUp, Interface Size offers smaller sizes.";
    // Said once the window shows.
    if (!notes.isEmpty()) program.context().note(notes.join(' '));
    program.startUp(arguments, start.carryOver);
    return QApplication::exec();
}
