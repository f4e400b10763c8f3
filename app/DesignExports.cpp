// The design sheet and animation exports (see DesignExports.h).
#include "DesignExports.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QProgressDialog>
#include <cmath>

#include "DataFileCommands.h"
#include "DesignSheet.h"
#include "FrameExport.h"
#include "IndicatorWindow.h"
#include "MainForm.h"
#include "Numbers.h"
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

DesignExports::Animation DesignExports::animationWebp(float reverseArm, double step,
                                                      int frameMilliseconds,
                                                      const Progress& progress) {
    Animation out;
    if (!(step > 0 && step <= 90)) {
        out.error = "the step must be above 0 and at most 90 degrees";
        return out;
    }
    TMainForm& form = *program_.mainForm;
    Model& m = form.model();
    const KeptGear kept(form);
    m.gear.ReverseArmPosition = reverseArm;
    m.gear.StepAngle = static_cast<float>(step);  // the read-out names the animation's step
    // From the angle of the frame the window shows (the model's has moved on to the next
    // tick's), so the first frame is the picture the drawing's exports give.
    const double start = form.solvedFrame().angle;
    const double sign = m.gear.direction == Direction::Rev ? -1.0 : 1.0;
    const int total = framesPerTurn(step);
    WebpAnimation animation(form.frameExport().pictureSize(), frameMilliseconds);
    for (int i = 0; i < total; ++i) {
        double angle = std::fmod(start + sign * step * i, 360.0);
        if (angle < 0) angle += 360.0;
        m.gear.DriverAngle = static_cast<float>(angle);
        if (!animation.add(framePicture(form))) {
            out.error = animation.error();
            return out;
        }
        if (progress && !progress(i + 1, total)) return out;
    }
    out.bytes = animation.finish();
    out.frames = animation.frames();
    out.error = animation.error();
    return out;
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
    const double step = defaultStep(m);
    const int total = framesPerTurn(step);
    QProgressDialog dialog("Drawing the frames of one turn...", "Cancel", 0, total,
                           program_.mainForm);
    dialog.setWindowTitle("Export Animation");
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(300);
    const Animation animation =
        animationWebp(m.gear.ReverseArmPosition, step, 40, [&dialog](int done, int) {
            dialog.setValue(done);
            return !dialog.wasCanceled();
        });
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
