// The design sheet and animation exports (see DesignExports.h).
#include "DesignExports.h"

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressDialog>
#include <QSpinBox>
#include <cmath>

#include "DataFileCommands.h"
#include "DesignSheet.h"
#include "FileAccess.h"
#include "FrameExport.h"
#include "IndicatorWindow.h"
#include "MainForm.h"
#include "Numbers.h"
#include "PictureExport.h"
#include "Program.h"
#include "QtCanvas.h"
#include "ReportArgs.h"
#include "SaveText.h"
#include "Sine.h"
#include "Steam.h"
#include "ValveEventsTable.h"
#include "WebpAnimation.h"

namespace tarvell {

namespace {

// Keeps the live gear while an export solves it elsewhere: the rotation loop held still, and
// the model and the frame's solution put back afterwards.
class KeptGear {
  public:
    explicit KeptGear(TMainForm& form)
        : form_(form), pause_(form.context()), model_(form.model()), frame_(form.solvedFrame()) {}
    ~KeptGear() {
        form_.model() = model_;
        form_.restoreSolvedFrame(frame_);
    }
    KeptGear(const KeptGear&) = delete;
    KeptGear& operator=(const KeptGear&) = delete;

  private:
    TMainForm& form_;
    RotationPause pause_;
    Model model_;
    TMainForm::SolvedFrame frame_;
};

// The main window's export picture at the model's gear state, at 100 %.
QImage framePicture(TMainForm& form) {
    form.solveStill();
    QImage image(form.frameExport().pictureSize(), QImage::Format_RGB32);
    {
        QtCanvas canvas(image);
        form.frameExport().drawPicture(canvas);
    }
    return image;
}

// "<data file's name> <what>", or the data set's name for a design never saved.
QString suggestedName(Program& program, const QString& what) {
    const QString file = program.dataFile ? program.dataFile->currentPath() : QString();
    const QString name = file.isEmpty()
                             ? QString::fromStdString(program.model().DataSetName).simplified()
                             : QFileInfo(file).completeBaseName();
    return name.isEmpty() ? what : name + " " + what;
}

}  // namespace

DesignExports::DesignExports(Program& program) : program_(program) {
    TMainForm& form = *program.mainForm;
    connect(form.ExportSheet, &QAction::triggered, this, [this] { ExportSheetClick(); });
    connect(form.ExportAnimation, &QAction::triggered, this, [this] { ExportAnimationClick(); });
}

double DesignExports::defaultStep(const Model& m) {
    return std::clamp(static_cast<double>(m.gear.StepAngle), 1.0, 90.0);
}

int DesignExports::framesPerTurn(double step) {
    // A step that divides the turn gives exactly its frames; a small error in the step's
    // decimal does not add a frame standing on the first.
    return std::max(1, static_cast<int>(std::ceil(360.0 / step - 1e-6)));
}

QByteArray DesignExports::sheetPdf() {
    TMainForm& form = *program_.mainForm;
    Model& m = form.model();
    SheetHeader header;
    header.dataSetName = QString::fromStdString(m.DataSetName);
    const QString file = program_.dataFile ? program_.dataFile->currentPath() : QString();
    header.file = QDir::toNativeSeparators(file);
    header.date = QDate::currentDate().toString(Qt::ISODate);

    // The mechanism at the normal forward position, drawn as the drawing's exports draw it;
    // the diagrams as their windows export them.
    const KeptGear kept(form);
    // The diagrams draw every entry of the set, as the events table lists them (at start-up
    // the set holds three entries before its dialog has counted them).
    m.PositionCount = std::max(m.PositionCount, setEntryCount(m));
    float forward = m.gear.ReverseArmPosition;
    resolveReverseArm(m, "fwd", forward);
    m.gear.ReverseArmPosition = forward;
    form.solveStill();
    std::vector<SheetPicture> pictures;
    FrameExport& frame = form.frameExport();
    pictures.push_back({"Mechanism at the normal forward position (reverse arm " +
                            QString::fromStdString(formatFixed(forward, 0, 3)) + ")",
                        frame.pictureSize(), [&frame](Canvas& c) { frame.drawPicture(c); }});
    auto diagram = [&pictures](const QString& title, DiagramWindow* window) {
        if (!window) return;
        pictures.push_back({title, window->image().deviceIndependentSize().toSize(),
                            [window](Canvas& c) { window->drawPicture(c); }});
    };
    diagram("Sine diagram", program_.sineDia);
    diagram("Steam diagram", program_.steamDia);
    diagram("Indicator diagram", program_.indicatorDia);
    return designSheetPdf(m, header, pictures, sheetPageSize(QLocale::system()));
}

QString DesignExports::drawFrames(float reverseArm, double step, int turns,
                                  const std::function<bool(const QImage&)>& take,
                                  const Progress& progress) {
    if (!(step > 0 && step <= 90)) return "the step must be above 0 and at most 90 degrees";
    if (turns < 1) return "an animation needs at least one turn";
    TMainForm& form = *program_.mainForm;
    Model& m = form.model();
    const KeptGear kept(form);
    m.gear.ReverseArmPosition = reverseArm;
    m.gear.StepAngle = static_cast<float>(step);  // the read-out names the animation's step
    // From the angle of the frame the window shows (the model's has moved on to the next
    // tick's), so the first frame is the picture the drawing's exports give.
    const double start = form.solvedFrame().angle;
    const double sign = m.gear.direction == Direction::Rev ? -1.0 : 1.0;
    const int perTurn = framesPerTurn(step);
    const int total = perTurn * turns;
    auto turnTo = [&](int i) {
        // Each turn starts from the first frame's angle again.
        // Kept within the turn as a tick keeps it, so the first frame reads as the window does.
        double angle = start + sign * step * (i % perTurn);
        while (angle > 360.1) angle -= 360.0;
        while (angle < 0.0) angle += 360.0;
        m.gear.DriverAngle = static_cast<float>(angle);
    };
    // A turn solved first and not drawn: the cut-off read-outs are measured as the gear turns,
    // so every frame shows them, as a window that has been turning does, and the animation
    // loops without a jump.
    for (int i = 0; i < perTurn; ++i) {
        turnTo(i);
        form.solveStill();
    }
    for (int i = 0; i < total; ++i) {
        turnTo(i);
        if (!take(framePicture(form))) return "frame " + QString::number(i + 1) + " failed";
        if (progress && !progress(i + 1, total)) return {};
    }
    return {};
}

DesignExports::Animation DesignExports::animationWebp(float reverseArm, double step,
                                                      int frameMilliseconds,
                                                      const Progress& progress, int turns) {
    Animation out;
    WebpAnimation animation(program_.mainForm->frameExport().pictureSize(), frameMilliseconds);
    bool cancelled = false;
    const Progress counted = [&](int done, int total) {
        cancelled = progress && !progress(done, total);
        return !cancelled;
    };
    out.error = drawFrames(
        reverseArm, step, turns, [&animation](const QImage& f) { return animation.add(f); },
        counted);
    if (!animation.error().isEmpty()) out.error = animation.error();
    if (!out.error.isEmpty() || cancelled) return out;
    out.bytes = animation.finish();
    out.frames = animation.frames();
    out.error = animation.error();
    return out;
}

QString DesignExports::writePngFrames(const QString& folder, float reverseArm,
                                      const AnimationChoice& choice, const Progress& progress) {
    if (pathKind(QFile::encodeName(folder).toStdString()) != PathKind::Folder)
        return QDir::toNativeSeparators(folder) + " is not a folder";
    QString failure;
    int n = 0;
    const QString error = drawFrames(
        reverseArm, choice.step, choice.turns,
        [&](const QImage& frame) {
            const QString path =
                QDir(folder).filePath(QString("frame-%1.png").arg(++n, 4, 10, QChar('0')));
            failure = writeFileSafely(path, pngBytes(frame));
            if (!failure.isEmpty()) failure = QDir::toNativeSeparators(path) + ": " + failure;
            return failure.isEmpty();
        },
        progress);
    return failure.isEmpty() ? error : failure;
}

std::optional<DesignExports::AnimationChoice> DesignExports::askAnimation(
    const AnimationChoice& suggested) {
    if (chooseAnimation) return chooseAnimation(suggested);
    QDialog dialog(program_.mainForm);
    dialog.setObjectName("AnimationDialog");
    dialog.setWindowTitle("Export Animation");
    auto* form = new QFormLayout(&dialog);
    const float position = program_.model().gear.ReverseArmPosition;
    form->addRow("Reverse arm:", new QLabel(QString::fromStdString(formatFixed(position, 0, 3)) +
                                            " (as the main window stands)"));
    auto* step = new QDoubleSpinBox;
    step->setObjectName("StepBox");
    step->setRange(1, 90);
    step->setDecimals(1);
    step->setSuffix(" degrees");
    step->setValue(suggested.step);
    form->addRow("Step between frames:", step);
    auto* turns = new QSpinBox;
    turns->setObjectName("TurnsBox");
    turns->setRange(1, 10);
    turns->setValue(suggested.turns);
    form->addRow("Turns:", turns);
    auto* rate = new QSpinBox;
    rate->setObjectName("FrameRateBox");
    rate->setRange(1, 60);
    rate->setSuffix(" frames a second");
    rate->setValue(suggested.framesPerSecond);
    form->addRow("Frame rate:", rate);
    auto* format = new QComboBox;
    format->setObjectName("FormatBox");
    format->addItems({"Animated WebP (one file)", "PNG images (one a frame, in a folder)"});
    format->setCurrentIndex(suggested.pngFrames ? 1 : 0);
    form->addRow("Save as:", format);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return AnimationChoice{step->value(), turns->value(), rate->value(),
                           format->currentIndex() == 1};
}

bool DesignExports::ExportSheetClick() {
    ProgramContext& context = program_.context();
    const QByteArray bytes = sheetPdf();
    if (bytes.isEmpty()) {
        context.showErrorMessage("The design sheet could not be made into a PDF.");
        return false;
    }
    return !saveExport(context, program_.mainForm, "Export Design Sheet",
                       suggestedName(program_, "design sheet") + ".pdf", "PDF Document (*.pdf)",
                       "pdf", bytes)
                .isEmpty();
}

bool DesignExports::ExportAnimationClick() {
    ProgramContext& context = program_.context();
    const Model& m = context.model();
    AnimationChoice suggested;
    suggested.step = defaultStep(m);
    const std::optional<AnimationChoice> choice = askAnimation(suggested);
    if (!choice) return false;
    const float position = m.gear.ReverseArmPosition;
    const int total = framesPerTurn(choice->step) * choice->turns;
    QProgressDialog dialog("Drawing the frames...", "Cancel", 0, total, program_.mainForm);
    dialog.setWindowTitle("Export Animation");
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(300);
    bool cancelled = false;
    const Progress progress = [&](int done, int) {
        dialog.setValue(done);
        cancelled = dialog.wasCanceled();
        return !cancelled;
    };

    if (choice->pngFrames) {
        QString folder;
        if (context.options().chooseExportPath)
            folder = context.options().chooseExportPath(suggestedName(program_, "frames"), "");
        else
            folder = QFileDialog::getExistingDirectory(program_.mainForm,
                                                       "Export Animation: Folder for the Frames");
        if (folder.isEmpty()) return false;
        const QString error = writePngFrames(folder, position, *choice, progress);
        dialog.reset();
        if (!error.isEmpty())
            context.showErrorMessage("The frames could not all be saved: " + error + ".");
        return error.isEmpty() && !cancelled;
    }

    const Animation animation = animationWebp(
        position, choice->step, 1000 / choice->framesPerSecond, progress, choice->turns);
    dialog.reset();
    if (animation.bytes.isEmpty()) {
        if (!animation.error.isEmpty())
            context.showErrorMessage("The animation could not be made: " + animation.error + ".");
        return false;
    }
    return !saveExport(context, program_.mainForm, "Export Animation",
                       suggestedName(program_, "motion") + ".webp", "WebP Animation (*.webp)",
                       "webp", animation.bytes)
                .isEmpty();
}

}  // namespace tarvell
