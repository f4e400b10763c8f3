// TMainForm: the main window. Creating it installs the default dimension set; its timer is
// the rotation loop that solves the linkage and redraws the mechanism on every tick; its
// controls set the reverse arm, the driver angle and the step; its menu and tool bar hold the
// commands that open every other window (the program connects them).
//
// The class is written in three files: MainForm.cpp (creation and handlers),
// MainFormLayout.cpp (controls, tool bar and menu) and MainFormFrame.cpp (the rotation loop
// and the frame it draws).
#pragma once

#include <QImage>
#include <QMainWindow>
#include <array>
#include <memory>

#include "CylinderDrawing.h"
#include "ProgramContext.h"
#include "RetainedPicture.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;
class QTimer;
class QToolBar;

class QMenuBar;

namespace tarvell {

class Canvas;
class DrawingList;
class ImageView;
class SteamDisplay;
class ViewControls;
class ReferencePoints;
class Overlay;
class DynamicControls;
class GraphicPosition;
class FrameExport;

class TMainForm : public QMainWindow {
    Q_OBJECT

  public:
    explicit TMainForm(ProgramContext& context);
    ~TMainForm() override;

    ProgramContext& context() { return context_; }
    Model& model() { return context_.model(); }
    const Model& model() const { return context_.model(); }

    // Starts the rotation loop (unless the options say the caller drives the ticks).
    void startRotation();

    // The picture as the window shows it: the client's size at the screen's resolution.
    const QImage& frameImage() const { return picture_.image(); }
    // The area the frame is painted on, the tool bar at its top: 632 x 380 at first, and
    // whatever the window is made larger to.
    QWidget* client() const;
    // Where the mechanism's picture, 632 x 380 in its own coordinates, stands in the client:
    // in the middle of a larger one.
    QPoint pictureOffset() const;
    // The client has a new size: the picture fills it at once.
    void pictureResized();

    // The window's size as it was left, kept between runs; restoring it also keeps it within
    // the screen.
    void restoreWindowSize();
    // Whether the whole picture (632 x 380 at this interface size) is in view: false when the
    // screen was too small for the window to show it.
    bool showsWholePicture() const;
    void rememberWindowSize() const;

    // Read-out switches of the frame.
    bool screenDataOn() const { return screenDataOn_; }
    bool referencePointsShown = false;
    bool pivotDataShown = false;

    // --- Controls (objectName = the member's name) ---
    QScrollBar* SBRevArm = nullptr;
    QScrollBar* SBDrvAng = nullptr;
    QScrollBar* SBStepAng = nullptr;
    QPushButton* Run = nullptr;
    QPushButton* Center = nullptr;
    QPushButton* Rev = nullptr;
    QPushButton* Fwd = nullptr;
    QPushButton* Deg180 = nullptr;
    QPushButton* Deg00 = nullptr;
    QPushButton* Step1 = nullptr;
    QPushButton* Step10 = nullptr;
    QPushButton* Step45 = nullptr;
    QTimer* Timer1 = nullptr;
    std::array<QFrame*, 13> Panel{};  // Panel[1] ... Panel[12]

    // View (pan, zoom, presets)
    QScrollBar* SBPanVert = nullptr;
    QScrollBar* SBPanHorz = nullptr;
    QScrollBar* SBZoom = nullptr;
    QPushButton* NormVHZ = nullptr;
    std::array<QPushButton*, 7> Preset{};  // Preset0 ... Preset6

    // Reference points
    QScrollBar* SBRef1Vert = nullptr;
    QScrollBar* SBRef1Horz = nullptr;
    QScrollBar* SBRef2Vert = nullptr;
    QScrollBar* SBRef2Horz = nullptr;
    QPushButton* RefPt1 = nullptr;
    QPushButton* RefPt2 = nullptr;
    QPushButton* RefPt1Zero = nullptr;
    QPushButton* RefPt2Zero = nullptr;

    // Dynamic variables and undo
    std::array<QScrollBar*, 5> SBDynVar{};  // SBDynVar1 ... SBDynVar4
    QPushButton* UnDoDn = nullptr;

    // Pivot data table
    QPushButton* DataTableBut = nullptr;

    QToolBar* ToolBar1 = nullptr;
    std::array<QAction*, 25> ToolButton{};  // ToolButton1 ... ToolButton24 (some unused)

    // Menu items
    QAction *OpenDimensions = nullptr, *SaveDimensions = nullptr, *SaveAsDimensions = nullptr,
            *Exit1 = nullptr;
    QMenu* RecentFiles = nullptr;  // filled by the program as the menu opens
    // Compare With: another design's file, the design as last saved, or no more comparing.
    QAction *CompareWithFile = nullptr, *CompareWithSaved = nullptr, *StopComparing = nullptr;
    QAction *ExportPng = nullptr, *ExportSvg = nullptr, *CopyDrawing = nullptr,
            *PrintDrawing = nullptr;  // the drawing's exports (FrameExport)
    QAction *ExportSheet = nullptr, *ExportAnimation = nullptr;  // the program connects them
    QAction *RevArmPos = nullptr, *DriverAng = nullptr, *StepAng1 = nullptr, *RefPoints1 = nullptr;
    QAction *LargeFont = nullptr, *FindRevArmCent = nullptr, *SetSteam = nullptr,
            *SetBeepOnError = nullptr, *SetLineWidth = nullptr, *SetScreenData = nullptr,
            *SetPanZoom = nullptr, *StopRun = nullptr;
    QMenu* InterfaceSize = nullptr;            // 100 to 200 %, the program connects them
    std::array<QAction*, 5> InterfaceSizes{};  // in the order of kInterfaceSizes
    QAction *FrameDim = nullptr, *CylDim = nullptr, *GraphicZoom = nullptr, *ResetAll = nullptr,
            *UndoLastChange = nullptr, *RedoLastChange = nullptr;
    QAction *RefPoints = nullptr, *DrawLines1 = nullptr, *SetPivotData = nullptr,
            *DynamicVariables = nullptr, *SetUnDo = nullptr;
    QAction *SineDiag = nullptr, *OvalDiag = nullptr, *SteamDiag = nullptr, *FourEvents = nullptr,
            *ValveEvents = nullptr, *Indicator = nullptr, *PortAreas = nullptr;
    QAction* Balance = nullptr;      // the Balance dialog
    QAction* Sensitivity = nullptr;  // the Sensitivity window
    QAction* Tolerance = nullptr;    // the Tolerance window
    QAction *Instructions = nullptr, *SpecInstr = nullptr, *About1 = nullptr;
    QAction* Error = nullptr;

    // --- Handlers ---
    void FormCreate();
    void FormActivate();
    void Timer1Timer();
    void RunClick();
    void SBRevArmChange();
    void CenterClick();
    void FwdClick();
    void RevClick();
    void SBDrvAngChange();
    void Deg00Click();
    void Deg180Click();
    void SBStepAngChange();
    void Step1Click();
    void Step10Click();
    void Step45Click();
    void SetBeepOnErrorClick();
    void SetSteamClick();
    void SetLineWidthClick();
    void LargeFontClick();
    void FindRevArmCentClick();
    void ResetAllClick();
    void Exit1Click();
    void SetScreenDataClick();

    // The reverse arm scroll bar's range from the model's maximum travel, and a move of the
    // bar whose change handler runs even when it stands there already.
    void updateReverseArmRange();
    void moveReverseArm(int position);

    // Running: the Run button reads "Stop".
    bool running() const;
    // The step dialog sets this before it moves SBStepAng, so the move keeps its step.
    bool stepSetByDialog = false;

    // Subsystems of the window, each in its own unit.
    ViewControls& viewControls() { return *viewControls_; }
    ReferencePoints& referencePoints() { return *referencePoints_; }
    Overlay& overlay() { return *overlay_; }
    DynamicControls& dynamicControls() { return *dynamicControls_; }
    GraphicPosition& graphicPosition() { return *graphicPosition_; }
    FrameExport& frameExport() { return *frameExport_; }

    // The frame as it stands, drawn afresh on any canvas without the tick's side effects: the
    // steam display's pixels of the last frame, no sounds, no titles, no error mark, the
    // graphic-position display without counting a frame.
    void drawStillFrame(Canvas& canvas);
    // The still frame as a picture of the mechanism alone, for the exports: without what
    // belongs to the window's controls (the pan and zoom bars' labels, the dynamic variables'
    // read-outs, the undo line, the prompts to pick pivots with the mouse).
    void drawExportFrame(Canvas& canvas);

    // Solves the gear where the model's gear state stands, as a tick does, without moving the
    // driver on or drawing: the still and export frames then show the gear there.
    void solveStill();
    // What the frame was solved at beside the model: kept and put back by an export that
    // solves the gear elsewhere, so the window's next still frame is the one it showed.
    struct SolvedFrame {
        CylinderOutline cylinder;
        float angle = 0;
    };
    SolvedFrame solvedFrame() const { return {cylinder_, solvedAngle_}; }
    void restoreSolvedFrame(const SolvedFrame& frame) {
        cylinder_ = frame.cylinder;
        solvedAngle_ = frame.angle;
    }

    // Screen points of the cylinder, piston and valve outlines of this tick.
    const CylinderOutline& cylinderOutline() const { return cylinder_; }

  signals:
    // ResetAllDimensions begins: the dimension dialogs reset their dimensions first.
    void dimensionResetRequested();
    // The window is closing for good (nothing unsaved, or the user let it go).
    void exiting();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void createControls();
    void createGearBox();
    void createPanels();
    void createViewBox();
    void createReferencePointBox();
    void createDynamicVariableBox();
    void setControlsTabOrder();
    void connectControls();
    // Places and sizes the controls and the window for the text scale (large-font mode).
    void applyTextScale();
    // The window at `size` (of its client), as much of it as the screen's free area holds.
    void resizeClientWithin(QSize size);
    void centreOnScreen();
    void createMenu();
    void createFileMenu(QMenuBar* bar);
    void createSetUpMenu(QMenuBar* bar);
    void createEditMenu(QMenuBar* bar);
    void createTopCommands(QMenuBar* bar);
    void createGraphsAndHelpMenus(QMenuBar* bar);
    void connectMenu();
    void createToolBar();
    // What a frame is drawn for: a tick (which also runs the error report), the window's
    // picture again, or an export.
    enum class FrameUse { Tick, Still, Export };
    void DrawMainFrame();
    void drawFrame(Canvas& canvas, FrameUse use);
    // Shows a frame: only where it differs from the last one is anything drawn or repainted.
    void showFrame(DrawingList& frame);
    // A control that paints every pixel of its rectangle, so none of the picture shows there.
    static bool coversItself(const QWidget* w);
    void startFrame(Canvas& canvas);
    // `picture` draws on `canvas` where the mechanism's picture stands.
    void drawMechanism(Canvas& canvas, Canvas& picture, FrameUse use);
    void updateTitles();
    void drawReadouts(Canvas& canvas, Canvas& picture, FrameUse use);
    void reportError();

    ProgramContext& context_;
    RetainedPicture picture_;
    std::unique_ptr<DrawingList> frame_;  // the frame being drawn (its storage kept)
    QSize normalSize_;                    // the window's size before the large font
    CylinderOutline cylinder_;
    float solvedAngle_ = 0;  // the driver angle this tick's frame was solved at
    ImageView* view_ = nullptr;
    bool screenDataOn_ = true;
    bool activated_ = false;
    bool leaving_ = false;  // the close has been let go
    std::unique_ptr<SteamDisplay> steam_;
    std::unique_ptr<ViewControls> viewControls_;
    std::unique_ptr<ReferencePoints> referencePoints_;
    std::unique_ptr<Overlay> overlay_;
    std::unique_ptr<DynamicControls> dynamicControls_;
    std::unique_ptr<GraphicPosition> graphicPosition_;
    std::unique_ptr<FrameExport> frameExport_;
};

}  // namespace tarvell
