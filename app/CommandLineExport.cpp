// The command-line exports (see CommandLineExport.h).
#include "CommandLineExport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <memory>
#include <sstream>

#include "DataFileCommands.h"
#include "DesignExports.h"
#include "InterfaceSize.h"
#include "MainForm.h"
#include "Program.h"
#include "ReportArgs.h"
#include "SaveText.h"
#include "Sound.h"

namespace tarvell {

namespace {

// No sound without a window.
class SilentSound : public Sound {
  public:
    void playFile(const std::string&) override {}
    void setVolume(std::uint32_t) override {}
    void beep() override {}
};

void say(const QString& text) {
    std::fprintf(stderr, "tarvell: %s\n", qPrintable(text));
}

// Writes the bytes; 0, or 1 after saying why the file was not written.
int writeOut(const QString& path, const QByteArray& bytes) {
    const QString error = writeFileSafely(path, bytes);
    if (error.isEmpty()) return 0;
    say(QDir::toNativeSeparators(path) + ": not written (" + error +
        "); the previous file, if any, is unchanged");
    return 1;
}

}  // namespace

int runCommandLineExport(int& argc, char** argv, const StartOptions& start) {
    // No display is needed or looked for; the pictures are drawn at 100 %.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("QT_SCALE_FACTOR");
    QApplication app(argc, argv);

    QStringList errors;
    ProgramOptions options;
    options.startTimer = false;
    options.showError = [&errors](const QString& e) { errors << e; };
    Program program(std::make_unique<SilentSound>(), options);
    program.createWindows();
    if (!start.rest.isEmpty()) {
        const QString file = start.rest.first();
        const QString error = program.dataFile->openFile(file, DataFileCommands::Remember::No);
        if (!error.isEmpty()) {
            say(error);
            return 1;
        }
    }

    if (!start.exportSheet.isEmpty()) {
        const QByteArray pdf = program.exports->sheetPdf();
        if (pdf.isEmpty()) {
            say("the design sheet could not be made into a PDF");
            return 1;
        }
        return writeOut(start.exportSheet, pdf);
    }

    Model& m = program.model();
    program.mainForm->solveStill();  // the frame an animation starts from
    const QString word = start.reverseArm.isEmpty() ? QString("fwd") : start.reverseArm;
    float position = 0;
    if (!resolveReverseArm(m, word.toStdString(), position)) {
        say("--reverse-arm takes a number, mid, fwd or rev, not \"" + word + "\" (see --help)");
        return 2;
    }
    const DesignExports::Animation animation = program.exports->animationWebp(
        position, start.step.value_or(DesignExports::defaultStep(m)));
    if (animation.bytes.isEmpty()) {
        say("the animation could not be made: " + animation.error);
        return 1;
    }
    return writeOut(start.exportAnimation, animation.bytes);
}

}  // namespace tarvell
