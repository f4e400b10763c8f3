// The main window: start-up, controls, menu, tool bar, the rotation loop and its frame.
#include "MainForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDateTime>
#include <QFrame>
#include <QLocale>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegion>
#include <QScreen>
#include <QScrollBar>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <cmath>

#include "Calc.h"
#include "CylinOut.h"
#include "CylinderDrawing.h"
#include "DynamicControls.h"
#include "DynamicVariables.h"
#include "Fonts.h"
#include "FrameExport.h"
#include "GraphicPosition.h"
#include "MechanismDrawing.h"
#include "Numbers.h"
#include "Overlay.h"
#include "QtCanvas.h"
#include "ReferencePoints.h"
#include "SettingDialogs.h"
#include "SteamDisplay.h"
#include "StepTable.h"
#include "TavFrame.h"
#include "ToolIcons.h"
#include "View.h"
#include "ViewControls.h"

namespace tarvell {

namespace {

constexpr int kClientWidth = 632;
constexpr int kClientHeight = 380;
constexpr int kFrameWidth = 1280;
constexpr int kFrameHeight = 1024;
constexpr int kTickMs = 16;  // once per display frame
const QString kMainTitle = "Tarvell Outside Admission            ";

}  // namespace

// The client area: paints the last frame image under the controls and passes mouse presses
// on the picture to the pivot selection.
class FrameView : public QWidget {
  public:
    FrameView(TMainForm& form, const QImage& frame) : QWidget(&form), form_(form), frame_(frame) {
        setObjectName("FrameView");
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(kClientWidth, kClientHeight);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        p.drawImage(event->rect().topLeft(), frame_, event->rect());
    }
    void mousePressEvent(QMouseEvent* event) override { form_.referencePoints().mousePress(event); }

  private:
    TMainForm& form_;
    const QImage& frame_;
};

TMainForm::TMainForm(Program& program)
    : QMainWindow(nullptr),
      program_(program),
      frame_(kFrameWidth, kFrameHeight, QImage::Format_RGB32) {
    setObjectName("TMainForm");
    frame_.fill(Qt::white);
    view_ = new FrameView(*this, frame_);
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

    FormCreate();

    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->availableGeometry();
        move(r.center() - rect().center());
    }
    SBRevArm->setFocus();
    setWindowTitle(titleFor(kMainTitle));
}

TMainForm::~TMainForm() = default;

QWidget* TMainForm::client() const {
    return view_;
}

bool TMainForm::running() const {
    return Run->text() != "Run";
}

// --- Construction -----------------------------------------------------------------------

void TMainForm::createControls() {
    auto bar = [this](const char* name, int x, int y, int w, int h, int min, int max, int small,
                      int large, int position, const QString& hint) {
        auto* b = new QScrollBar(Qt::Horizontal, view_);
        b->setObjectName(name);
        b->setGeometry(x, y, w, h);
        b->setRange(min, max);
        b->setSingleStep(small);
        b->setPageStep(large);
        b->setValue(position);
        b->setToolTip(hint);
        return b;
    };
    auto button = [this](const char* name, int x, int y, int w, int h, const QString& caption,
                         const QString& hint) {
        auto* b = new QPushButton(caption, view_);
        b->setObjectName(name);
        b->setGeometry(x, y, w, h);
        b->setToolTip(hint);
        b->setFocusPolicy(Qt::TabFocus);
        return b;
    };

    SBRevArm =
        bar("SBRevArm", 336, 26, 121, 12, -100, 100, 1, 20, 0, "Set Reverse Arm Between Max & Min");
    SBDrvAng = bar("SBDrvAng", 336, 40, 121, 12, -4000, 40000, 1000, 4500, 1,
                   "Set Driver Angle From 0 to 360 Deg");
    SBStepAng = bar("SBStepAng", 336, 54, 121, 12, 0, 14613, 920, 2760, 12000,
                    "Set Driver Step Angle to Predefined Values");
    Run = button("Run", 277, 39, 36, 14, "Stop", "Start / Stop Driver Rotation");
    Center = button("Center", 280, 25, 27, 14, "Cen", "Set Reverse Arm to Mid Gear");
    Rev = button("Rev", 252, 25, 28, 14, "Rev", "Set Reverse Arm to Normal Reverse");
    Fwd = button("Fwd", 307, 25, 28, 14, "Fwd", "Set Reverse Arm to Normal Forward");
    Deg180 = button("Deg180", 252, 39, 25, 14, "180", "Set Driver Angle to 180 Deg");
    Deg00 = button("Deg00", 313, 39, 22, 14, "0.0", "Set Driver to 0 Deg");
    Step1 = button("Step1", 252, 53, 25, 14, "1.0", "Set Driver Step Angle to 1 Deg");
    Step10 = button("Step10", 277, 53, 29, 14, "10.0", "Set Driver Step Angle to 10 Deg");
    Step45 = button("Step45", 306, 53, 29, 14, "45.0", "Set Driver Step Angle to 45 Deg");
    Center->setEnabled(false);
    Step10->setEnabled(false);

    // Frames around the control areas.
    struct PanelPlace {
        int n, x, y, w, h;
        bool shown;
    };
    const PanelPlace panels[] = {
        {1, 0, 67, 539, 4, true},   {2, 247, 26, 4, 41, true},    {3, 539, 26, 4, 109, true},
        {4, 539, 134, 93, 4, true}, {5, 0, 120, 251, 4, false},   {6, 247, 71, 4, 49, false},
        {7, 247, 72, 4, 49, false}, {8, 247, 120, 292, 4, false}, {9, 539, 70, 0, 0, false},
        {10, 0, 26, 4, 41, true},   {11, 0, 72, 4, 49, false},    {12, 628, 26, 4, 108, true},
    };
    for (const PanelPlace& p : panels) {
        auto* f = new QFrame(view_);
        f->setObjectName(QString("Panel%1").arg(p.n));
        f->setGeometry(p.x, p.y, p.w, p.h);
        f->setAutoFillBackground(true);
        QPalette pal = f->palette();
        pal.setColor(QPalette::Window, QColor(128, 128, 128));
        f->setPalette(pal);
        f->setVisible(p.shown);
        Panel[static_cast<std::size_t>(p.n)] = f;
    }

    // View box on the right: three step bars under their labels, Norm and the presets.
    SBPanVert = bar("SBPanVert", 546, 39, 80, 10, -500, 500, 1, 10, 0, "Pan Vertical");
    SBPanHorz = bar("SBPanHorz", 546, 63, 80, 10, -500, 500, 1, 10, 0, "Pan Horizontal");
    SBZoom = bar("SBZoom", 546, 87, 80, 10, -200, 200, 1, 10, 0, "Zoom");
    NormVHZ = button("NormVHZ", 546, 99, 40, 16, "Norm", "Return to the Normal View");
    NormVHZ->setEnabled(false);
    Preset[0] = button("Preset0", 588, 99, 38, 16, "P", "Store the View: P, then 1 to 6");
    for (int k = 1; k <= 6; ++k)
        Preset[static_cast<std::size_t>(k)] =
            button(qPrintable(QString("Preset%1").arg(k)), 546 + 13 * (k - 1), 116, 13, 16,
                   QString::number(k), QString("Recall View %1").arg(k));

    // Reference point box on the left, shown with the reference points.
    RefPt1 = button("RefPt1", 6, 74, 28, 14, "RP1", "Centre Reference Point 1");
    RefPt1Zero = button("RefPt1Zero", 6, 89, 28, 14, "0", "Zero Reference Point 1");
    SBRef1Vert = bar("SBRef1Vert", 36, 75, 86, 10, -500, 500, 1, 10, 0, "Change Ref Point 1 Vert");
    SBRef1Horz = bar("SBRef1Horz", 36, 90, 86, 10, -500, 500, 1, 10, 0, "Change Ref Point 1 Horz");
    RefPt2 = button("RefPt2", 126, 74, 28, 14, "RP2", "Centre Reference Point 2");
    RefPt2Zero = button("RefPt2Zero", 126, 89, 28, 14, "0", "Zero Reference Point 2");
    SBRef2Vert = bar("SBRef2Vert", 156, 75, 86, 10, -500, 500, 1, 10, 0, "Change Ref Point 2 Vert");
    SBRef2Horz = bar("SBRef2Horz", 156, 90, 86, 10, -500, 500, 1, 10, 0, "Change Ref Point 2 Horz");
    for (QWidget* w : std::initializer_list<QWidget*>{RefPt1, RefPt1Zero, SBRef1Vert, SBRef1Horz,
                                                      RefPt2, RefPt2Zero, SBRef2Vert, SBRef2Horz})
        w->hide();

    // Dynamic-variable box in the middle, shown with the dynamic variables.
    const char* dynHints[] = {
        "", "Change Last Variable Clicked", "Change Next to Last Variable Clicked",
        "Change 2nd to Last Variable Clicked", "Change 3rd to Last Variable Clicked"};
    for (int k = 1; k <= 4; ++k) {
        auto* b = bar(qPrintable(QString("SBDynVar%1").arg(k)), 253, 72 + 12 * (k - 1), 121, 10,
                      -200, 200, 1, 10, 0, dynHints[k]);
        b->hide();
        SBDynVar[static_cast<std::size_t>(k)] = b;
    }
    UnDoDn = button("UnDoDn", 280, 127, 40, 16, "UnDo", "Undo the Last Change");
    UnDoDn->setEnabled(false);
    UnDoDn->hide();
    program_.registerUndoButton(UnDoDn);

    DataTableBut =
        button("DataTableBut", 170, 124, 70, 16, "DataTable", "Show the Pivot Data Table");
    DataTableBut->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(kTickMs);
    Timer1->setTimerType(Qt::PreciseTimer);

    connect(SBRevArm, &QScrollBar::valueChanged, this, [this] { SBRevArmChange(); });
    connect(SBDrvAng, &QScrollBar::valueChanged, this, [this] { SBDrvAngChange(); });
    connect(SBStepAng, &QScrollBar::valueChanged, this, [this] { SBStepAngChange(); });
    connect(Run, &QPushButton::clicked, this, [this] { RunClick(); });
    connect(Center, &QPushButton::clicked, this, [this] { CenterClick(); });
    connect(Fwd, &QPushButton::clicked, this, [this] { FwdClick(); });
    connect(Rev, &QPushButton::clicked, this, [this] { RevClick(); });
    connect(Deg00, &QPushButton::clicked, this, [this] { Deg00Click(); });
    connect(Deg180, &QPushButton::clicked, this, [this] { Deg180Click(); });
    connect(Step1, &QPushButton::clicked, this, [this] { Step1Click(); });
    connect(Step10, &QPushButton::clicked, this, [this] { Step10Click(); });
    connect(Step45, &QPushButton::clicked, this, [this] { Step45Click(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

void TMainForm::createToolBar() {
    ToolBar1 = new QToolBar(view_);
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setGeometry(0, 0, kClientWidth, 24);
    ToolBar1->setIconSize(QSize(24, 20));
    ToolBar1->setMovable(false);
    ToolBar1->setStyleSheet(
        "QToolBar { border: none; background: transparent; spacing: 0px; }"
        "QToolBar::separator { width: 8px; }");
    struct Tool {
        int n;  // 0 = separator
        const char* glyph;
        QColor colour;
        const char* hint;
    };
    const Tool tools[] = {
        {1, "Op", Qt::darkBlue, "Open File: Dimensional Data"},
        {2, "Sv", Qt::darkBlue, "Save As: Dimensional Data"},
        {0, "", {}, ""},
        {4, "Fr", Qt::darkGreen, "Change Frame Dimensions"},
        {5, "Cy", Qt::darkGreen, "Change Cylinder Dimensions"},
        {0, "", {}, ""},
        {6, "\u2220", Qt::black, "Set Driver Angle to Desired Position"},
        {7, "St", Qt::black, "Set Step Angle to Desired Amount"},
        {8, "RA", Qt::black, "Set Reverse Arm to Desired Position"},
        {0, "", {}, ""},
        {9, "Mid", Qt::darkMagenta, "Calculate Mid Gear Position if Necessary"},
        {0, "", {}, ""},
        {10, "Stm", Qt::red, "Turn On Steam Display and Sound"},
        {0, "", {}, ""},
        {11, "RP", Qt::darkRed, "Turn On Reference Points"},
        {23, "L/C", Qt::darkRed, "Draw Lines and Circles"},
        {24, "Pv", Qt::darkRed, "Turn On Pivot Data"},
        {12, "DV", Qt::darkCyan, "Turn On Dynamic Variables"},
        {3, "Un", Qt::darkCyan, "Turn On UnDo"},
        {0, "", {}, ""},
        {13, "Sin", Qt::blue, "View Sine Diagram"},
        {14, "Ov", Qt::blue, "View Oval Diagram"},
        {15, "SD", Qt::blue, "View Steam Diagram"},
        {16, "PE", Qt::blue, "View Port Events vs Reverse Arm Position"},
    };
    for (const Tool& t : tools) {
        if (t.n == 0) {
            ToolBar1->addSeparator();
            continue;
        }
        QAction* a = ToolBar1->addAction(glyphIcon(QString::fromUtf8(t.glyph), t.colour), "");
        a->setObjectName(QString("ToolButton%1").arg(t.n));
        a->setToolTip(t.hint);
        if (QWidget* w = ToolBar1->widgetForAction(a)) {
            w->setObjectName(QString("ToolButton%1").arg(t.n));
            w->setFixedSize(30, 22);
        }
        ToolButton[static_cast<std::size_t>(t.n)] = a;
    }
}

void TMainForm::createMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    // The menu uses the desktop's plain menu face, compact enough for every command to fit
    // the window's width.
    bar->setFont(dialogFont(11));
    bar->setStyleSheet(
        "QMenuBar { font: 11px \"Liberation Sans\"; } QMenuBar::item { padding: 2px 3px; }");
    auto item = [this](QMenu* menu, const char* name, const QString& caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        return a;
    };
    auto top = [bar](const char* name, const QString& caption) {
        QAction* a = bar->addAction(caption);
        a->setObjectName(name);
        return a;
    };

    QMenu* file = bar->addMenu("&File");
    file->setObjectName("File1");
    OpenDimensions = item(file, "OpenDimensions", "&OpenDimensions");
    SaveAsDimensions = item(file, "SaveAsDimensions", "Save&AsDimensions");
    file->addSeparator();
    ExportPng = item(file, "ExportPng", "Export Drawing as &PNG...");
    ExportSvg = item(file, "ExportSvg", "Export Drawing as &SVG...");
    CopyDrawing = item(file, "CopyDrawing", "&Copy Drawing");
    PrintDrawing = item(file, "PrintDrawing", "&Print Drawing...");
    file->addSeparator();
    Exit1 = item(file, "Exit1", "E&xit");

    QMenu* setup = bar->addMenu("&SetUp");
    setup->setObjectName("SetUp1");
    RevArmPos = item(setup, "RevArmPos", "Set&RevArmPos");
    DriverAng = item(setup, "DriverAng", "Set&DriverAng");
    StepAng1 = item(setup, "StepAng1", "Set&StepAng");
    RefPoints1 = item(setup, "RefPoints1", "SetRef&Points");
    setup->addSeparator();
    LargeFont = item(setup, "LargeFont", "SetLarge&Font");
    FindRevArmCent = item(setup, "FindRevArmCent", "&CalcCentRevArm");
    SetSteam = item(setup, "SetSteam", "SetS&teamDisp On");
    SetBeepOnError = item(setup, "SetBeepOnError", "Set&ErrorBeep Off");
    SetLineWidth = item(setup, "SetLineWidth", "Set&LineWidth 2");
    SetScreenData = item(setup, "SetScreenData", "SetScree&nData Off");
    SetPanZoom = item(setup, "SetPanZoom", "SetP&anZoom On");
    SetPanZoom->setEnabled(false);

    QMenu* edit = bar->addMenu("&EditDimen");
    edit->setObjectName("EditDimen1");
    FrameDim = item(edit, "FrameDim", "&FrameDimensions");
    CylDim = item(edit, "CylDim", "&CylinderDimensions");
    edit->addSeparator();
    GraphicZoom = item(edit, "GraphicZoom", "Set&GraphicZoom");
    edit->addSeparator();
    ResetAll = item(edit, "ResetAll", "&ResetAllDimensions");

    RefPoints = top("RefPoints", "&ReferPoints");
    DrawLines1 = top("DrawLines1", "&DrawLinesCircles");
    DrawLines1->setEnabled(false);
    SetPivotData = top("SetPivotData", "Pi&votData");
    DynamicVariables = top("DynamicVariables", "D&ynamicVari");
    SetUnDo = top("SetUnDo", "&UnDo");

    QMenu* graphs = bar->addMenu("Draw&Graphs");
    graphs->setObjectName("DrawGraphs1");
    SineDiag = item(graphs, "SineDiag", "&SineDiagram");
    OvalDiag = item(graphs, "OvalDiag", "&OvalDiagram");
    SteamDiag = item(graphs, "SteamDiag", "S&teamDiagram");
    FourEvents = item(graphs, "FourEvents", "&PortOpenClose");

    QMenu* help = bar->addMenu("&Help");
    help->setObjectName("Help1");
    Instructions = item(help, "Instructions", "&Instructions");
    SpecInstr = item(help, "SpecInstr", "Instructions&Special");
    help->addSeparator();
    About1 = item(help, "About1", "&About");

    Error = bar->addAction(errorIcon(), "");
    Error->setObjectName("Error");
    Error->setVisible(false);

    connect(Exit1, &QAction::triggered, this, [this] { Exit1Click(); });
    connect(RevArmPos, &QAction::triggered, this, [this] { RevArmPosClick(); });
    connect(DriverAng, &QAction::triggered, this, [this] { DriverAngClick(); });
    connect(StepAng1, &QAction::triggered, this, [this] { StepAng1Click(); });
    connect(RefPoints1, &QAction::triggered, this, [this] { RefPoints1Click(); });
    connect(LargeFont, &QAction::triggered, this, [this] { LargeFontClick(); });
    connect(FindRevArmCent, &QAction::triggered, this, [this] { FindRevArmCentClick(); });
    connect(SetSteam, &QAction::triggered, this, [this] { SetSteamClick(); });
    connect(SetBeepOnError, &QAction::triggered, this, [this] { SetBeepOnErrorClick(); });
    connect(SetLineWidth, &QAction::triggered, this, [this] { SetLineWidthClick(); });
    connect(SetScreenData, &QAction::triggered, this, [this] { SetScreenDataClick(); });
    connect(GraphicZoom, &QAction::triggered, this, [this] { GraphicZoomClick(); });
    connect(ResetAll, &QAction::triggered, this, [this] { ResetAllClick(); });
    connect(ToolButton[6], &QAction::triggered, this, [this] { DriverAngClick(); });
    connect(ToolButton[7], &QAction::triggered, this, [this] { StepAng1Click(); });
    connect(ToolButton[8], &QAction::triggered, this, [this] { RevArmPosClick(); });
    connect(ToolButton[9], &QAction::triggered, this, [this] { FindRevArmCentClick(); });
    connect(ToolButton[10], &QAction::triggered, this, [this] { SetSteamClick(); });
}

void TMainForm::windowsCreated() {
    // A command whose window is not part of the program stays disabled.
    const bool frame = program_.frameDi != nullptr, cyl = program_.cylDimen != nullptr;
    FrameDim->setEnabled(frame);
    ToolButton[4]->setEnabled(frame);
    CylDim->setEnabled(cyl);
    ToolButton[5]->setEnabled(cyl);
    SineDiag->setEnabled(program_.sineDia != nullptr);
    ToolButton[13]->setEnabled(program_.sineDia != nullptr);
    OvalDiag->setEnabled(program_.ovalDia != nullptr);
    ToolButton[14]->setEnabled(program_.ovalDia != nullptr);
    SteamDiag->setEnabled(program_.steamDia != nullptr);
    ToolButton[15]->setEnabled(program_.steamDia != nullptr);
    FourEvents->setEnabled(program_.portDia != nullptr);
    ToolButton[16]->setEnabled(program_.portDia != nullptr);
    Instructions->setEnabled(program_.inst != nullptr);
    SpecInstr->setEnabled(program_.tavSpInst != nullptr);
    About1->setEnabled(program_.aboutBox != nullptr);
    if (program_.options().startTimer) Timer1->start();
}

// --- Start-up and shutdown --------------------------------------------------------------

void TMainForm::FormCreate() {
    Model& m = model();
    StartUp(m);
    const int max = reverseArmRangeMax(m);
    SBRevArm->setRange(roundToInt(-1000.0 * m.frame.RevArmToCentMax), max);
    program_.sound().setVolume(0x80008000u);
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
    }
}

void TMainForm::closeEvent(QCloseEvent* event) {
    program_.sound().setVolume(0x80008000u);
    Timer1->stop();
    QApplication::closeAllWindows();
    event->accept();
}

void TMainForm::Exit1Click() {
    close();
}

// --- The rotation loop ------------------------------------------------------------------

void TMainForm::Timer1Timer() {
    Model& m = model();
    SolveLinkage(m);
    ComputePistonAndOpenings(m);
    UpdatePortEvents(m);
    updateCutoffReadouts(m);
    ScreenTransform(m);
    cylinder_ = computeCylinderOutline(m, m.view.current);

    float angle = m.gear.DriverAngle;
    angle =
        m.gear.direction == Direction::Fwd ? angle + m.gear.ActiveStep : angle - m.gear.ActiveStep;
    if (angle > 360.1f) angle -= 360.0f;
    if (angle < 0.0f) angle += 360.0f;
    m.gear.DriverAngle = angle;

    DrawMainFrame();
}

void TMainForm::DrawMainFrame() {
    Model& m = model();
    {
        QtCanvas canvas(frame_, colours::white, view_->rect());
        startFrame(canvas);
        if (m.SteamDisplay)
            steam_->draw(canvas, m, cylinder_, program_.sound(), screenDataOn_,
                         graphicPosition_->active());
        updateTitles();
        drawMechanism(canvas);
        if (screenDataOn_) drawReadouts(canvas, true);
        if (m.HighlightCode > 0) graphicPosition_->drawFrame(canvas);
    }
    // Repaint the picture around the controls only: repainting under them would make every
    // control redraw itself on every tick.
    QRegion picture(view_->rect());
    for (QObject* child : view_->children())
        if (auto* w = qobject_cast<QWidget*>(child); w && w->isVisible())
            picture -= QRegion(w->geometry());
    view_->update(picture);
}

// The same steps in the same order as a tick's frame, without what only a tick does.
void TMainForm::drawStillFrame(Canvas& canvas) {
    Model& m = model();
    startFrame(canvas);
    if (m.SteamDisplay) steam_->drawStill(canvas, m, cylinder_, screenDataOn_);
    drawMechanism(canvas);
    if (screenDataOn_) drawReadouts(canvas, false);
    if (m.HighlightCode > 0) graphicPosition_->drawStill(canvas);
}

void TMainForm::startFrame(Canvas& canvas) {
    canvas.refresh();
    canvas.setPen(colours::black, model().LineWidth);
    canvas.setBrush(true);
    canvas.setFont(FontSpec{8, false, colours::black});
}

void TMainForm::drawMechanism(Canvas& canvas) {
    Model& m = model();
    drawCircles(canvas, m);
    drawCylinder(canvas, cylinder_);
    drawFixedMarksAndLinkArc(canvas, m);
    drawLinks(canvas, m);
    overlay_->draw(canvas);
    if (screenDataOn_ && m.UndoEnabled) dynamicControls_->drawUndoLine(canvas);
}

QString TMainForm::titleFor(const QString& titleText) const {
    // The date and time are formatted once a second: formatting them reads the time zone,
    // which would otherwise happen several times on every tick.
    const qint64 second = QDateTime::currentSecsSinceEpoch();
    if (second != titleSecond_ || titleDateTime_.isEmpty()) {
        const QDateTime now = QDateTime::currentDateTime();
        const QLocale locale = QLocale::system();
        titleSecond_ = second;
        titleDateTime_ = locale.toString(now.date(), QLocale::ShortFormat) + "   " +
                         locale.toString(now.time(), QLocale::LongFormat);
    }
    return titleText + QString::fromStdString(program_.model().DataSetName) + "     " +
           titleDateTime_ + "   " + "Version 2.6";
}

void TMainForm::updateTitles() {
    setWindowTitle(titleFor(kMainTitle));
    for (const Program::TitledWindow& w : program_.titledWindows())
        if (w.window) w.window->setWindowTitle(titleFor(w.titleText));
}

void TMainForm::drawReadouts(Canvas& canvas, bool live) {
    Model& m = model();
    const double fx = m.TextScaleX, fy = m.TextScaleY;
    auto text = [&](int x, int y, const std::string& s) {
        canvas.textOut(roundToInt(x * fx), roundToInt(y * fy), s);
    };
    // Pan, zoom and gear read-outs.
    text(546, 27, "Pan Vert");
    text(546, 51, "Pan Horz");
    text(546, 75, "Zoom");
    text(460, 25, "Rev Arm " + formatFixed(m.gear.ReverseArmPosition, 6, 3) + "  ");
    text(460, 39, "Driv Ang " + formatFixed(m.gear.DriverAngle, 6, 2) + "  ");
    text(460, 53, "Step Ang" + formatFixed(m.gear.StepAngle, 6, 2) + "  ");
    text(8, 27, "Piston % " + formatFixed(m.openings.PistonTravel / 6.4, 6, 2) + "  ");
    const PivotSet& p = m.pivots;
    const double linkAngle = std::atan((static_cast<double>(p[21].y) - p[9].y) /
                                       (std::fabs(static_cast<double>(p[21].x) - p[9].x) < 1e-9
                                            ? 1e-9
                                            : static_cast<double>(p[21].x) - p[9].x)) *
                             180.0 / 3.14159265358979323846;
    text(126, 27, "ExpLkAng" + formatFixed(linkAngle, 7, 2) + "  ");
    const Openings& o = m.openings;
    const std::pair<const char*, float> valve[] = {{"ValveCen", m.limits.ValveOffset},
                                                   {"ValveFSt", o.FrontSteamOpening},
                                                   {"ValveFEx", o.FrontExhaustOpening},
                                                   {"ValveRSt", o.RearSteamOpening},
                                                   {"ValveREx", o.RearExhaustOpening}};
    int y = 140;
    for (const auto& [label, value] : valve) {
        text(545, y, label + formatFixed(value, 7, 3) + "  ");
        y += 12;
    }

    if (live) reportError();
    referencePoints_->drawPivotData(canvas);
    referencePoints_->drawPrompts(canvas);
    if (m.gear.ActiveStep > 0 && m.gear.ActiveStep < 23) {
        text(8, 40, "FrontCO% " + m.cutoff.front);
        text(8, 53, "RearCO% " + m.cutoff.rear);
    }
    referencePoints_->drawReferencePoints(canvas);
    dynamicControls_->drawReadouts(canvas);
}

void TMainForm::reportError() {
    SolverState& s = model().solver;
    if (!s.ErrorFlag) return;
    ++s.ErrorTickCount;
    if (s.ErrorTickCount <= 9) {
        Error->setVisible(true);
    } else if (s.ErrorTickCount == 10) {
        Error->setVisible(false);
        program_.sound().playFile("Error.wav");
    }
    if (s.ErrorTickCount > 20) {
        s.ErrorTickCount = 0;
        s.ErrorFlag = false;
    }
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
}

void TMainForm::FindRevArmCentClick() {
    CalcMidGear(model());
    CenterClick();
}

void TMainForm::ResetAllClick() {
    Model& m = model();
    program_.frameDi->ResetFrameClick();
    program_.cylDimen->ResetCylClick();
    CalcMidGear(m);
    CenterClick();
    viewControls_->NormVHZClick();
    m.DataSetName = "Nominal";
    m.VerticalScale = 1.5f;
    dynamicControls_->hideDynamicVariables();
    ClearUndo(m);
    program_.setUndoButtonsEnabled(false);
    dynamicControls_->hideUndo();
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

// --- Dialog openers ---------------------------------------------------------------------

void TMainForm::RevArmPosClick() {
    program_.revPos->exec();
}
void TMainForm::DriverAngClick() {
    program_.drivAng->exec();
}
void TMainForm::StepAng1Click() {
    program_.stpAng->exec();
}
void TMainForm::RefPoints1Click() {
    program_.refPnts->exec();
}
void TMainForm::GraphicZoomClick() {
    program_.graphZoom->exec();
}

}  // namespace tarvell
