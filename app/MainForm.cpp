// The main window's creation, start-up and handlers (see MainForm.h).
#include "MainForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

#include "Calc.h"
#include "DeviceImage.h"
#include "DrawingList.h"
#include "DynamicControls.h"
#include "DynamicVariables.h"
#include "Fonts.h"
#include "FrameExport.h"
#include "FrameView.h"
#include "GraphicPosition.h"
#include "Numbers.h"
#include "Overlay.h"
#include "ReferencePoints.h"
#include "SteamDisplay.h"
#include "StepTable.h"
#include "TextScale.h"
#include "ViewControls.h"

namespace tarvell {

namespace {
const QString kMainTitle = "Tarvell Outside Admission            ";
constexpr int kStatusMs = 5000;
// A note needs no answer but takes longer to read than a refusal.
constexpr int kNoteMs = 15000;
const QString kSizeKey = "mainWindow/size";
const QString kMaximizedKey = "mainWindow/maximized";
// What the desktop adds around a window for its frame and title bar, before the window has one.
const QSize kFrameAllowance(8, 30);
}  // namespace

TMainForm::TMainForm(ProgramContext& context)
    : QMainWindow(nullptr), context_(context), frame_(std::make_unique<DrawingList>()) {
    setObjectName("TMainForm");
    view_ = createFrameView(*this);
    setCentralWidget(view_);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));  // silver
    setPalette(pal);
    setFont(mainControlFont());

    steam_ = std::make_unique<SteamDisplay>();
    createControls();
    createToolBar();
    createMenu();
    viewControls_ = std::make_unique<ViewControls>(*this);
    referencePoints_ = std::make_unique<ReferencePoints>(*this);
    overlay_ = std::make_unique<Overlay>(*this);
    dynamicControls_ = std::make_unique<DynamicControls>(*this);
    graphicPosition_ = std::make_unique<GraphicPosition>(*this);
    frameExport_ = std::make_unique<FrameExport>(*this);

    context_.setRotationTimer(Timer1);
    context_.setMainWindow(this);
    connect(&context_, &ProgramContext::reverseArmRangeChanged, this,
            [this] { updateReverseArmRange(); });
    connect(&context_, &ProgramContext::reverseArmMoveRequested, this,
            [this](int position) { moveReverseArm(position); });

    // The status line says why an action was refused, for a few seconds, beside the beep.
    QStatusBar* status = statusBar();
    status->setObjectName("StatusLine");
    status->setSizeGripEnabled(false);
    connect(&context_, &ProgramContext::refused, this,
            [status](const QString& why) { status->showMessage(why, kStatusMs); });
    // Notes that come together (at start-up, say) are read together.
    connect(&context_, &ProgramContext::noted, this, [status](const QString& text) {
        const QString shown = status->currentMessage();
        status->showMessage(shown.isEmpty() ? text : shown + "  " + text, kNoteMs);
    });

    FormCreate();
    solvedAngle_ = model().gear.DriverAngle;

    resizeClientWithin(QSize(kClientWidth, kClientHeight));
    centreOnScreen();
    SBRevArm->setFocus();
    setWindowTitle(context_.titleFor(kMainTitle, context_.designModified()));
}

TMainForm::~TMainForm() = default;

QWidget* TMainForm::client() const {
    return view_;
}

bool TMainForm::running() const {
    return Run->text() != "Run";
}

void TMainForm::startRotation() {
    if (context_.options().startTimer) Timer1->start();
}

// --- Start-up and shutdown --------------------------------------------------------------

void TMainForm::FormCreate() {
    Model& m = model();
    StartUp(m);
    updateReverseArmRange();
    context_.markDesignSaved();  // the defaults, until a file is opened
    context_.sound().setVolume(0x80008000u);
}

void TMainForm::FormActivate() {
    SBDrvAng->setEnabled(false);
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The first activation: the program starts running, so the angle bar is locked. Later
    // activations (after every dialog) leave it as the running state set it.
    if (!activated_) {
        activated_ = true;
        FormActivate();
        // On another screen the picture is drawn again at that screen's resolution.
        if (QWindow* w = windowHandle())
            connect(w, &QWindow::screenChanged, this, [this] { pictureResized(); });
    }
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // Unsaved changes are asked about first; Cancel keeps the program running. (Closing
    // every window below brings this window here once more: it is on its way out already.)
    if (!leaving_) {
        if (!context_.mayLoseChanges()) {
            event->ignore();
            return;
        }
        emit exiting();
        rememberWindowSize();
    }
    context_.sound().setVolume(0x80008000u);
    Timer1->stop();
    leaving_ = true;
    QApplication::closeAllWindows();
    leaving_ = false;
    event->accept();
}

void TMainForm::Exit1Click() {
    close();
}

// --- Driver and reverse arm -------------------------------------------------------------

void TMainForm::RunClick() {
    Model& m = model();
    if (Run->text() != "Run") {
        SBDrvAng->setValue(roundToInt(100.0 * m.gear.DriverAngle));
        m.gear.ActiveStep = 0;
        SBDrvAng->setEnabled(true);
        Run->setText("Run");
    } else {
        m.gear.ActiveStep = m.gear.StepAngle;
        SBDrvAng->setEnabled(false);
        Run->setText("Stop");
    }
    Deg00->setEnabled(true);
    Deg180->setEnabled(true);
}

void TMainForm::updateReverseArmRange() {
    const int max = reverseArmRangeMax(model());
    SBRevArm->setRange(-max, max);
}

void TMainForm::moveReverseArm(int position) {
    if (SBRevArm->value() != position)
        SBRevArm->setValue(position);
    else
        SBRevArmChange();  // the position stands already: still take the arm onto it
}

void TMainForm::SBRevArmChange() {
    Model& m = model();
    const int p = SBRevArm->value();
    const float c = m.ReverseArmCentre();
    const float n = m.frame.RevArmToCentNorm;
    const float offset = static_cast<float>(p) / 1000.0f;
    if (m.frame.LiftingArmLength > 0) {
        m.gear.ReverseArmPosition = c + offset;
        m.gear.direction = m.gear.ReverseArmPosition >= c ? Direction::Fwd : Direction::Rev;
        Fwd->setEnabled(m.gear.ReverseArmPosition != c + n);
        Rev->setEnabled(m.gear.ReverseArmPosition != c - n);
    } else {
        // The reverse arm works the other way round.
        m.gear.ReverseArmPosition = c - offset;
        m.gear.direction = m.gear.ReverseArmPosition > c ? Direction::Rev : Direction::Fwd;
        Fwd->setEnabled(m.gear.ReverseArmPosition != c - n);
        Rev->setEnabled(m.gear.ReverseArmPosition != c + n);
    }
    Center->setEnabled(p != 0);
    clearCutoffReadouts(m);
}

void TMainForm::CenterClick() {
    Model& m = model();
    SBRevArm->setValue(0);
    m.gear.ReverseArmPosition = m.ReverseArmCentre();
    Fwd->setEnabled(true);
    Rev->setEnabled(true);
    Center->setEnabled(false);
    clearCutoffReadouts(m);
}

void TMainForm::FwdClick() {
    Model& m = model();
    const float n = m.frame.RevArmToCentNorm, mx = m.frame.RevArmToCentMax;
    m.gear.ReverseArmPosition = m.ReverseArmCentre() + n;
    SBRevArm->setValue(roundToInt(static_cast<double>(n) * SBRevArm->maximum() / mx));
    Fwd->setEnabled(false);
    Rev->setEnabled(true);
    Center->setEnabled(true);
    clearCutoffReadouts(m);
}

void TMainForm::RevClick() {
    Model& m = model();
    const float n = m.frame.RevArmToCentNorm, mx = m.frame.RevArmToCentMax;
    m.gear.ReverseArmPosition = m.ReverseArmCentre() - n;
    SBRevArm->setValue(roundToInt(static_cast<double>(n) * SBRevArm->minimum() / mx));
    Rev->setEnabled(false);
    Fwd->setEnabled(true);
    Center->setEnabled(true);
    clearCutoffReadouts(m);
}

void TMainForm::SBDrvAngChange() {
    model().gear.DriverAngle = static_cast<float>(SBDrvAng->value()) / 100.0f;
    Deg180->setEnabled(true);
    Deg00->setEnabled(true);
}

void TMainForm::Deg00Click() {
    Model& m = model();
    m.gear.DriverAngle = 0;
    SBDrvAng->setValue(0);
    m.gear.ActiveStep = 0;
    SBDrvAng->setEnabled(true);
    Run->setText("Run");
    Deg00->setEnabled(false);
    Deg180->setEnabled(true);
}

void TMainForm::Deg180Click() {
    Model& m = model();
    m.gear.DriverAngle = 180;
    SBDrvAng->setValue(18000);
    m.gear.ActiveStep = 0;
    SBDrvAng->setEnabled(true);
    Run->setText("Run");
    Deg180->setEnabled(false);
    Deg00->setEnabled(true);
}

void TMainForm::SBStepAngChange() {
    Model& m = model();
    if (stepSetByDialog) {
        stepSetByDialog = false;
    } else {
        const StepBand& band = stepBandAt(SBStepAng->value());
        m.gear.StepAngle = band.step;
        SBDrvAng->setSingleStep(band.smallChange);
        SBDrvAng->setPageStep(band.largeChange);
        if (running()) m.gear.ActiveStep = m.gear.StepAngle;
    }
    Step10->setEnabled(m.gear.StepAngle != 10.0f);
    Step45->setEnabled(m.gear.StepAngle != 45.0f);
    Step1->setEnabled(m.gear.StepAngle != 1.0f);
}

namespace {

void stepButton(TMainForm& form, QPushButton* button, float step, int position) {
    Model& m = form.model();
    button->setEnabled(false);
    m.gear.StepAngle = step;
    if (form.running()) m.gear.ActiveStep = step;
    form.SBStepAng->setValue(position);
}

}  // namespace

void TMainForm::Step1Click() {
    stepButton(*this, Step1, 1.0f, 8000);
}
void TMainForm::Step10Click() {
    stepButton(*this, Step10, 10.0f, 12000);
}
void TMainForm::Step45Click() {
    stepButton(*this, Step45, 45.0f, 14613);
}

// --- Menu switches ----------------------------------------------------------------------

void TMainForm::SetBeepOnErrorClick() {
    SolverState& s = model().solver;
    s.BeepOnError = !s.BeepOnError;
    SetBeepOnError->setText(s.BeepOnError ? "Set&ErrorBeep Off" : "Set&ErrorBeep On");
}

void TMainForm::SetSteamClick() {
    Model& m = model();
    m.SteamDisplay = !m.SteamDisplay;
    SetSteam->setText(m.SteamDisplay ? "SetS&teamDisp Off" : "SetS&teamDisp On");
    ToolButton[10]->setToolTip(m.SteamDisplay ? "Turn Off Steam Display and Sound"
                                              : "Turn On Steam Display and Sound");
}

void TMainForm::SetLineWidthClick() {
    Model& m = model();
    if (m.LineWidth == 1) {
        m.LineWidth = 2;
        SetLineWidth->setText("Set&LineWidth 1");
    } else {
        m.LineWidth = 1;
        SetLineWidth->setText("Set&LineWidth 2");
    }
}

void TMainForm::LargeFontClick() {
    Model& m = model();
    if (LargeFont->text() == "SetLarge&Font") {
        m.TextScaleX = 1.27f;
        m.TextScaleY = 1.22f;
        LargeFont->setText("SetSmall&Font");
    } else {
        m.TextScaleX = 1.0f;
        m.TextScaleY = 1.0f;
        LargeFont->setText("SetLarge&Font");
    }
    applyTextScale();
}

void TMainForm::applyTextScale() {
    // The texts grow, so every control grows and moves with them, and the window with both
    // as far as the screen allows; going back gives the window the size it had before.
    const Model& m = model();
    const double fx = m.TextScaleX, fy = m.TextScaleY;
    const bool large = fx != 1.0 || fy != 1.0;
    const bool maximized = isMaximized() || isFullScreen();
    if (large && !normalSize_.isValid() && !maximized) normalSize_ = size();
    scaleLayout(view_, fx, fy);
    view_->setMinimumSize(roundToInt(kClientWidth * fx), roundToInt(kLeastClientHeight * fy));
    if (layout()) layout()->activate();  // the window's own least size follows at once
    if (!maximized) {
        if (large) {
            resizeClientWithin(view_->size().expandedTo(
                QSize(roundToInt(kClientWidth * fx), roundToInt(kClientHeight * fy))));
        } else if (normalSize_.isValid()) {
            resize(normalSize_);
        }
    }
    if (!large) normalSize_ = QSize();
    // Keep the whole frame on the screen, as far as it fits.
    if (QScreen* s = screen(); s && isVisible() && !maximized) {
        const QRect area = s->availableGeometry();
        const QRect f = frameGeometry();
        QPoint to = f.topLeft();
        to.setX(std::max(area.left(), std::min(to.x(), area.right() + 1 - f.width())));
        to.setY(std::max(area.top(), std::min(to.y(), area.bottom() + 1 - f.height())));
        if (to != f.topLeft()) move(to);
    }
    pictureResized();  // the read-outs moved: the whole picture is drawn again
}

void TMainForm::resizeClientWithin(QSize client) {
    QSize window(client.width(), client.height() + menuBar()->sizeHint().height() +
                                     statusBar()->sizeHint().height());
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        // The frame around the window: its own once shown, the desktop's usual before.
        const QSize frame = isVisible() ? frameGeometry().size() - size() : kFrameAllowance;
        window = window.boundedTo(s->availableGeometry().size() - frame);
    }
    resize(window);
    // Laid out now, so the client has its size before the window is first shown.
    if (layout()) layout()->activate();
}

void TMainForm::centreOnScreen() {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    // The frame, title bar included, in the middle of the free area and wholly inside it.
    const QRect area = s->availableGeometry();
    const QSize frame = size() + kFrameAllowance;
    move(area.topLeft() + QPoint(std::max(0, (area.width() - frame.width()) / 2),
                                 std::max(0, (area.height() - frame.height()) / 2)));
}

void TMainForm::restoreWindowSize() {
    QSettings settings;
    const QSize kept = settings.value(kSizeKey).toSize();
    if (kept.isValid()) {
        const QSize chrome = size() - view_->size();
        resizeClientWithin(kept - chrome);
        centreOnScreen();
    }
    if (settings.value(kMaximizedKey).toBool()) setWindowState(windowState() | Qt::WindowMaximized);
}

bool TMainForm::showsWholePicture() const {
    const Model& m = context_.model();
    return view_->width() >= roundToInt(kClientWidth * static_cast<double>(m.TextScaleX)) &&
           view_->height() >= roundToInt(kClientHeight * static_cast<double>(m.TextScaleY));
}

void TMainForm::rememberWindowSize() const {
    // The size the window has when not maximised, and not grown for the large font.
    const bool maximized = isMaximized();
    QSize kept = maximized ? normalGeometry().size() : size();
    if (normalSize_.isValid()) kept = normalSize_;
    QSettings settings;
    if (kept.isValid()) settings.setValue(kSizeKey, kept);
    settings.setValue(kMaximizedKey, maximized);
}

void TMainForm::FindRevArmCentClick() {
    CalcMidGear(model());
    CenterClick();
}

void TMainForm::ResetAllClick() {
    if (!context_.mayLoseChanges()) return;
    Model& m = model();
    emit dimensionResetRequested();
    CalcMidGear(m);
    CenterClick();
    viewControls_->NormVHZClick();
    m.DataSetName = "Nominal";
    m.VerticalScale = 1.5f;
    dynamicControls_->hideDynamicVariables();
    ClearUndo(m);
    context_.setUndoButtonsEnabled(false);
    dynamicControls_->hideUndo();
    context_.designWasReset();
}

void TMainForm::SetScreenDataClick() {
    screenDataOn_ = !screenDataOn_;
    SetScreenData->setText(screenDataOn_ ? "SetScree&nData Off" : "SetScree&nData On");
    // Gear and view controls, their frames and the tool bar go with the read-outs.
    const std::initializer_list<QWidget*> controls = {
        SBRevArm,  SBDrvAng,  SBStepAng, Run,       Center,    Rev,       Fwd,       Deg180,
        Deg00,     Step1,     Step10,    Step45,    SBPanVert, SBPanHorz, SBZoom,    NormVHZ,
        Preset[0], Preset[1], Preset[2], Preset[3], Preset[4], Preset[5], Preset[6], ToolBar1,
        Panel[1],  Panel[2],  Panel[3],  Panel[4],  Panel[10], Panel[12]};
    for (QWidget* w : controls) w->setVisible(screenDataOn_);
    referencePoints_->screenDataChanged(screenDataOn_);
    if (!screenDataOn_) {
        dynamicControls_->hideDynamicVariables();
        dynamicControls_->hideUndo();
        SetPanZoom->setText("SetP&anZoom On");
    }
    SetPanZoom->setEnabled(!screenDataOn_);
}

}  // namespace tarvell
