// The main window's controls, tool bar and menu (see MainForm.h).
#include <QAction>
#include <QActionGroup>
#include <QFrame>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>

#include "Fonts.h"
#include "FrameView.h"
#include "InterfaceSize.h"
#include "MainForm.h"
#include "ScrollBarKeys.h"
#include "ToolIcons.h"

namespace tarvell {

namespace {
constexpr int kTickMs = 16;  // once per display frame
// 21 buttons and six separators in the window's 632 pixels.
constexpr int kToolButtonWidth = 28;
}  // namespace

namespace {

// A horizontal step bar of the main window: keys move it as its arrows and track do (arrows a
// small step, PageUp and PageDown a large one).
QScrollBar* controlBar(QWidget* parent, const char* name, int x, int y, int w, int h, int min,
                       int max, int small, int large, int position, const QString& hint) {
    auto* b = new QScrollBar(Qt::Horizontal, parent);
    b->setObjectName(name);
    b->setGeometry(x, y, w, h);
    b->setRange(min, max);
    b->setSingleStep(small);
    b->setPageStep(large);
    b->setValue(position);
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::StrongFocus);
    steerArrowKeys(b);
    return b;
}

QPushButton* controlButton(QWidget* parent, const char* name, int x, int y, int w, int h,
                           const QString& caption, const QString& hint) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(x, y, w, h);
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

}  // namespace

void TMainForm::createControls() {
    createGearBox();
    createPanels();
    createViewBox();
    createReferencePointBox();
    createDynamicVariableBox();
    setControlsTabOrder();
    connectControls();
}

// The gear box at the top: the reverse arm, driver angle and step bars with their buttons.
void TMainForm::createGearBox() {
    SBRevArm = controlBar(view_, "SBRevArm", 336, 26, 121, 12, -100, 100, 1, 20, 0,
                          "Set Reverse Arm Between Max & Min");
    SBDrvAng = controlBar(view_, "SBDrvAng", 336, 40, 121, 12, -4000, 40000, 1000, 4500, 1,
                          "Set Driver Angle From 0 to 360 Deg");
    SBStepAng = controlBar(view_, "SBStepAng", 336, 54, 121, 12, 0, 14613, 920, 2760, 12000,
                           "Set Driver Step Angle to Predefined Values");
    Run = controlButton(view_, "Run", 277, 39, 36, 14, "Stop", "Start / Stop Driver Rotation");
    Center = controlButton(view_, "Center", 280, 25, 27, 14, "Cen", "Set Reverse Arm to Mid Gear");
    Rev = controlButton(view_, "Rev", 252, 25, 28, 14, "Rev", "Set Reverse Arm to Normal Reverse");
    Fwd = controlButton(view_, "Fwd", 307, 25, 28, 14, "Fwd", "Set Reverse Arm to Normal Forward");
    Deg180 = controlButton(view_, "Deg180", 252, 39, 25, 14, "180", "Set Driver Angle to 180 Deg");
    Deg00 = controlButton(view_, "Deg00", 313, 39, 22, 14, "0.0", "Set Driver to 0 Deg");
    Step1 = controlButton(view_, "Step1", 252, 53, 25, 14, "1.0", "Set Driver Step Angle to 1 Deg");
    Step10 =
        controlButton(view_, "Step10", 277, 53, 29, 14, "10.0", "Set Driver Step Angle to 10 Deg");
    Step45 =
        controlButton(view_, "Step45", 306, 53, 29, 14, "45.0", "Set Driver Step Angle to 45 Deg");
    Center->setEnabled(false);
    Step10->setEnabled(false);
}

void TMainForm::createPanels() {
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
}

void TMainForm::createViewBox() {
    // View box on the right: three step bars under their labels, Norm and the presets.
    SBPanVert =
        controlBar(view_, "SBPanVert", 546, 39, 80, 10, -500, 500, 1, 10, 0, "Pan Vertical");
    SBPanHorz =
        controlBar(view_, "SBPanHorz", 546, 63, 80, 10, -500, 500, 1, 10, 0, "Pan Horizontal");
    SBZoom = controlBar(view_, "SBZoom", 546, 87, 80, 10, -200, 200, 1, 10, 0, "Zoom");
    NormVHZ = controlButton(view_, "NormVHZ", 546, 99, 40, 16, "Norm", "Return to the Normal View");
    NormVHZ->setEnabled(false);
    Preset[0] =
        controlButton(view_, "Preset0", 588, 99, 38, 16, "P", "Store the View: P, then 1 to 6");
    for (int k = 1; k <= 6; ++k)
        Preset[static_cast<std::size_t>(k)] =
            controlButton(view_, qPrintable(QString("Preset%1").arg(k)), 546 + 13 * (k - 1), 116,
                          13, 16, QString::number(k), QString("Recall View %1").arg(k));
}

void TMainForm::createReferencePointBox() {
    // Reference point box on the left, shown with the reference points.
    RefPt1 = controlButton(view_, "RefPt1", 6, 74, 28, 14, "RP1", "Centre Reference Point 1");
    RefPt1Zero = controlButton(view_, "RefPt1Zero", 6, 89, 28, 14, "0", "Zero Reference Point 1");
    SBRef1Vert = controlBar(view_, "SBRef1Vert", 36, 75, 86, 10, -500, 500, 1, 10, 0,
                            "Change Ref Point 1 Vert");
    SBRef1Horz = controlBar(view_, "SBRef1Horz", 36, 90, 86, 10, -500, 500, 1, 10, 0,
                            "Change Ref Point 1 Horz");
    RefPt2 = controlButton(view_, "RefPt2", 126, 74, 28, 14, "RP2", "Centre Reference Point 2");
    RefPt2Zero = controlButton(view_, "RefPt2Zero", 126, 89, 28, 14, "0", "Zero Reference Point 2");
    SBRef2Vert = controlBar(view_, "SBRef2Vert", 156, 75, 86, 10, -500, 500, 1, 10, 0,
                            "Change Ref Point 2 Vert");
    SBRef2Horz = controlBar(view_, "SBRef2Horz", 156, 90, 86, 10, -500, 500, 1, 10, 0,
                            "Change Ref Point 2 Horz");
    for (QWidget* w : std::initializer_list<QWidget*>{RefPt1, RefPt1Zero, SBRef1Vert, SBRef1Horz,
                                                      RefPt2, RefPt2Zero, SBRef2Vert, SBRef2Horz})
        w->hide();
}

void TMainForm::createDynamicVariableBox() {
    // Dynamic-variable box in the middle, shown with the dynamic variables.
    const char* dynHints[] = {
        "", "Change Last Variable Clicked", "Change Next to Last Variable Clicked",
        "Change 2nd to Last Variable Clicked", "Change 3rd to Last Variable Clicked"};
    for (int k = 1; k <= 4; ++k) {
        auto* b = controlBar(view_, qPrintable(QString("SBDynVar%1").arg(k)), 253,
                             72 + 12 * (k - 1), 121, 10, -200, 200, 1, 10, 0, dynHints[k]);
        b->hide();
        SBDynVar[static_cast<std::size_t>(k)] = b;
    }
    UnDoDn = controlButton(view_, "UnDoDn", 280, 127, 40, 16, "UnDo", "Undo the Last Change");
    UnDoDn->setEnabled(false);
    UnDoDn->hide();
    context_.registerUndoButton(UnDoDn);

    DataTableBut = controlButton(view_, "DataTableBut", 170, 124, 70, 16, "DataTable",
                                 "Show the Pivot Data Table");
    DataTableBut->hide();
}

void TMainForm::setControlsTabOrder() {
    // Tab goes through the boxes as they are read: the gear box row by row, the view box,
    // then the reference point, dynamic-variable and data table controls below them.
    const std::initializer_list<QWidget*> tabOrder = {
        Rev,        Center,      Fwd,        SBRevArm,    Deg180,      Run,         Deg00,
        SBDrvAng,   Step1,       Step10,     Step45,      SBStepAng,   SBPanVert,   SBPanHorz,
        SBZoom,     NormVHZ,     Preset[0],  Preset[1],   Preset[2],   Preset[3],   Preset[4],
        Preset[5],  Preset[6],   RefPt1,     RefPt1Zero,  SBRef1Vert,  SBRef1Horz,  RefPt2,
        RefPt2Zero, SBRef2Vert,  SBRef2Horz, SBDynVar[1], SBDynVar[2], SBDynVar[3], SBDynVar[4],
        UnDoDn,     DataTableBut};
    QWidget* previous = nullptr;
    for (QWidget* w : tabOrder) {
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

void TMainForm::connectControls() {
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
    // Narrow separators: every button must fit the window's width, or the bar hides the
    // last ones behind its overflow arrow.
    ToolBar1->setStyleSheet(
        "QToolBar { border: none; background: transparent; spacing: 0px; }"
        "QToolBar::separator { width: 6px; }");
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
        {17, "VE", Qt::blue, "View Valve Events Table"},
        {18, "ID", Qt::blue, "View Indicator Diagram"},
        {19, "Bal", QColor(160, 82, 0), "Balance the Valve Events"},
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
            w->setFixedSize(kToolButtonWidth, 22);
        }
        ToolButton[static_cast<std::size_t>(t.n)] = a;
    }
}

namespace {

QAction* menuItem(QMenu* menu, const char* name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

}  // namespace

void TMainForm::createMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    // The menu uses the desktop's plain menu face, compact enough for every command to fit
    // the window's width.
    bar->setFont(dialogFont(11));
    bar->setStyleSheet(
        "QMenuBar { font: 11px \"Liberation Sans\"; } QMenuBar::item { padding: 2px 3px; }");
    createFileMenu(bar);
    createSetUpMenu(bar);
    createEditMenu(bar);
    createTopCommands(bar);
    createGraphsAndHelpMenus(bar);
    connectMenu();
}

void TMainForm::createFileMenu(QMenuBar* bar) {
    auto item = menuItem;
    QMenu* file = bar->addMenu("&File");
    file->setObjectName("File1");
    OpenDimensions = item(file, "OpenDimensions", "&OpenDimensions");
    SaveDimensions = item(file, "SaveDimensions", "Sa&veDimensions");
    SaveAsDimensions = item(file, "SaveAsDimensions", "Save&AsDimensions");
    RecentFiles = file->addMenu("&Recent Files");
    RecentFiles->setObjectName("RecentFiles");
    QMenu* compare = file->addMenu("Compare &With");
    compare->setObjectName("CompareWith");
    CompareWithFile = item(compare, "CompareWithFile", "&Another Design...");
    CompareWithSaved = item(compare, "CompareWithSaved", "The Design as &Last Saved");
    StopComparing = item(compare, "StopComparing", "&Stop Comparing");
    file->addSeparator();
    ExportPng = item(file, "ExportPng", "Export Drawing as P&NG...");
    ExportSvg = item(file, "ExportSvg", "Export Drawing as &SVG...");
    CopyDrawing = item(file, "CopyDrawing", "&Copy Drawing");
    PrintDrawing = item(file, "PrintDrawing", "&Print Drawing...");
    ExportSheet = item(file, "ExportSheet", "Export &Design Sheet...");
    ExportAnimation = item(file, "ExportAnimation", "Export Ani&mation...");
    file->addSeparator();
    Exit1 = item(file, "Exit1", "E&xit");
}

void TMainForm::createSetUpMenu(QMenuBar* bar) {
    auto item = menuItem;
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
    InterfaceSize = setup->addMenu("&Interface Size");
    InterfaceSize->setObjectName("InterfaceSize");
    auto* sizes = new QActionGroup(this);
    const char* sizeCaptions[] = {"&100 %", "1&25 %", "1&50 %", "1&75 %", "2&00 %"};
    for (std::size_t i = 0; i < InterfaceSizes.size(); ++i) {
        QAction* a =
            item(InterfaceSize, qPrintable(QString("InterfaceSize%1").arg(kInterfaceSizes[i])),
                 sizeCaptions[i]);
        a->setCheckable(true);
        sizes->addAction(a);
        InterfaceSizes[i] = a;
    }
    setup->addSeparator();
    // Space does this while the drawing has the focus (FrameView), so the menu only shows it.
    StopRun = item(setup, "StopRun", "Stop/R&un Driver\tSpace");
}

void TMainForm::createEditMenu(QMenuBar* bar) {
    auto item = menuItem;
    QMenu* edit = bar->addMenu("&EditDimen");
    edit->setObjectName("EditDimen1");
    FrameDim = item(edit, "FrameDim", "&FrameDimensions");
    CylDim = item(edit, "CylDim", "&CylinderDimensions");
    edit->addSeparator();
    GraphicZoom = item(edit, "GraphicZoom", "Set&GraphicZoom");
    edit->addSeparator();
    ResetAll = item(edit, "ResetAll", "&ResetAllDimensions");
    edit->addSeparator();
    UndoLastChange = item(edit, "UndoLastChange", "&Undo Last Change");
    RedoLastChange = item(edit, "RedoLastChange", "R&edo Last Undone Change");
}

// Commands straight on the menu bar, with no menu of their own.
void TMainForm::createTopCommands(QMenuBar* bar) {
    auto top = [bar](const char* name, const QString& caption) {
        QAction* a = bar->addAction(caption);
        a->setObjectName(name);
        return a;
    };
    RefPoints = top("RefPoints", "&ReferPoints");
    DrawLines1 = top("DrawLines1", "&DrawLinesCircles");
    DrawLines1->setEnabled(false);
    SetPivotData = top("SetPivotData", "Pi&votData");
    DynamicVariables = top("DynamicVariables", "D&ynamicVari");
    SetUnDo = top("SetUnDo", "&UnDo");
}

void TMainForm::createGraphsAndHelpMenus(QMenuBar* bar) {
    auto item = menuItem;
    QMenu* graphs = bar->addMenu("Draw&Graphs");
    graphs->setObjectName("DrawGraphs1");
    SineDiag = item(graphs, "SineDiag", "&SineDiagram");
    OvalDiag = item(graphs, "OvalDiag", "&OvalDiagram");
    SteamDiag = item(graphs, "SteamDiag", "S&teamDiagram");
    FourEvents = item(graphs, "FourEvents", "&PortOpenClose");
    ValveEvents = item(graphs, "ValveEvents", "&ValveEvents");
    Indicator = item(graphs, "Indicator", "&Indicator");
    PortAreas = item(graphs, "PortAreas", "Port&Areas");
    Balance = item(graphs, "Balance", "&Balance...");
    Sensitivity = item(graphs, "Sensitivity", "Se&nsitivity");
    Tolerance = item(graphs, "Tolerance", "To&lerance");

    QMenu* help = bar->addMenu("&Help");
    help->setObjectName("Help1");
    Instructions = item(help, "Instructions", "&Instructions");
    SpecInstr = item(help, "SpecInstr", "Instructions&Special");
    help->addSeparator();
    About1 = item(help, "About1", "&About");

    Error = bar->addAction(errorIcon(), "");
    Error->setObjectName("Error");
    Error->setVisible(false);
}

void TMainForm::connectMenu() {
    // Shortcuts beside the access keys.
    OpenDimensions->setShortcut(QKeySequence("Ctrl+O"));
    SaveDimensions->setShortcut(QKeySequence("Ctrl+S"));
    SaveAsDimensions->setShortcut(QKeySequence("Ctrl+Shift+S"));
    Exit1->setShortcut(QKeySequence("Ctrl+Q"));
    UndoLastChange->setShortcut(QKeySequence("Ctrl+Z"));
    RedoLastChange->setShortcuts({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")});
    Instructions->setShortcut(QKeySequence("F1"));

    connect(Exit1, &QAction::triggered, this, [this] { Exit1Click(); });
    connect(StopRun, &QAction::triggered, this, [this] { RunClick(); });
    connect(LargeFont, &QAction::triggered, this, [this] { LargeFontClick(); });
    connect(FindRevArmCent, &QAction::triggered, this, [this] { FindRevArmCentClick(); });
    connect(SetSteam, &QAction::triggered, this, [this] { SetSteamClick(); });
    connect(SetBeepOnError, &QAction::triggered, this, [this] { SetBeepOnErrorClick(); });
    connect(SetLineWidth, &QAction::triggered, this, [this] { SetLineWidthClick(); });
    connect(SetScreenData, &QAction::triggered, this, [this] { SetScreenDataClick(); });
    connect(ResetAll, &QAction::triggered, this, [this] { ResetAllClick(); });
    connect(ToolButton[9], &QAction::triggered, this, [this] { FindRevArmCentClick(); });
    connect(ToolButton[10], &QAction::triggered, this, [this] { SetSteamClick(); });
}

}  // namespace tarvell
