// The design's exports from the File menu and the command line: the design sheet (PDF) and
// the motion as an animated WebP. Both draw the gear away from where the window shows it; the
// rotation loop pauses meanwhile and the gear is put back as it was, so the live picture is
// not disturbed.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

namespace tarvell {

class Program;
struct Model;

class DesignExports : public QObject {
    Q_OBJECT

  public:
    // Connects the main window's "Export Design Sheet..." and "Export Animation..." commands.
    explicit DesignExports(Program& program);

    // The commands: ask where to save (the program's export path chooser), then write safely.
    // Each returns whether the file was written; a failure is shown as the program's error.
    bool ExportSheetClick();
    bool ExportAnimationClick();

    // The sheet as PDF bytes (empty when it could not be made): the mechanism at the normal
    // forward position, the sine, steam and indicator diagrams of the reverse arm position set.
    QByteArray sheetPdf();

    struct Animation {
        QByteArray bytes;  // the WebP file; empty when cancelled or failed
        int frames = 0;
        QString error;  // why it failed; empty when it was made or cancelled
    };
    // Told after each frame how many of how many are done; returning false cancels.
    using Progress = std::function<bool(int done, int total)>;
    // One turn of the main window's picture at `reverseArm`, a frame every `step` degrees
    // (0 < step <= 90) from the driver angle of the frame shown, in the direction the gear
    // turns, each
    // frame shown for `frameMilliseconds`.
    Animation animationWebp(float reverseArm, double step, int frameMilliseconds = 40,
                            const Progress& progress = {});

    // The step an animation takes unless told: the main window's step (10 degrees at
    // start-up), within 1 to 90 degrees.
    static double defaultStep(const Model& m);

    // The number of frames of one turn at `step` degrees: the last falls short of the first
    // again.
    static int framesPerTurn(double step);

  private:
    Program& program_;
};

}  // namespace tarvell
