// The design's exports from the File menu and the command line: the design sheet (PDF) and
// the motion as an animated WebP. Both draw the gear away from where the window shows it; the
// rotation loop pauses meanwhile and the gear is put back as it was, so the live picture is
// not disturbed.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

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
    // `turns` turns of the main window's picture at `reverseArm`, a frame every `step` degrees
    // (0 < step <= 90) from the driver angle of the frame shown, in the direction the gear
    // turns, each frame shown for `frameMilliseconds`.
    Animation animationWebp(float reverseArm, double step, int frameMilliseconds = 40,
                            const Progress& progress = {}, int turns = 1);
    // The same frames handed one by one to `take`, which returns false to stop (a failure of
    // its own). Returns an error, or empty when every frame was taken or progress cancelled.
    QString drawFrames(float reverseArm, double step, int turns,
                       const std::function<bool(const QImage&)>& take,
                       const Progress& progress = {});

    // What the animation command makes, as its dialog asks.
    struct AnimationChoice {
        double step = 10;  // degrees between frames
        int turns = 1;
        int framesPerSecond = 25;
        bool pngFrames = false;  // numbered PNG images in a folder rather than one WebP
    };
    // How the choice is made: empty means the dialog. Tests answer at once (none: cancelled).
    std::function<std::optional<AnimationChoice>(const AnimationChoice& suggested)> chooseAnimation;
    // Writes the frames as "frame-0001.png"... into `folder` (which must be one) through the
    // safe writer; returns an error, or empty.
    QString writePngFrames(const QString& folder, float reverseArm, const AnimationChoice& choice,
                           const Progress& progress = {});

    // The step an animation takes unless told: the main window's step (10 degrees at
    // start-up), within 1 to 90 degrees.
    static double defaultStep(const Model& m);

    // The number of frames of one turn at `step` degrees: the last falls short of the first
    // again.
    static int framesPerTurn(double step);

  private:
    std::optional<AnimationChoice> askAnimation(const AnimationChoice& suggested);
    Program& program_;
};

}  // namespace tarvell
