// The program-wide state of the simulated valve gear: dimensions, pivots, gear state, solver
// state, view, settings, dynamic variables, undo, overlay and diagram settings. One Model is
// owned by the application and handed to every window.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Angles.h"
#include "Data.h"
#include "IndicatorSettings.h"
#include "Readouts.h"

namespace tarvell {

struct Pivot {
    // What each pivot is, by its number (the numbers the user sees and the data table lists).
    enum Name {
        DriverCentre = 0,  // fixed
        CrankCentre = 1,   // the same point
        CrankPin = 2,
        Crosshead = 3,
        ValveStemEnd = 4,
        ValveRodRearEnd = 5,
        FulcrumCentre = 6,  // fixed
        FulcrumLeverLower = 7,
        DieBlock = 8,
        LinkTrunnion = 9,
        FulcrumLeverUpper = 10,
        RockingArmEnd = 11,
        MotionConRodFoot = 12,
        FootBase = 13,  // where the foot stands off the motion con rod
        LiftingLinkJoint = 14,
        LiftingArmEnd = 15,
        ReverseArmPivot = 16,  // fixed
        ReverseArmCorner = 17,
        ReverseArmEnd = 18,
        ReferencePoint1 = 19,
        ReferencePoint2 = 20,
        LinkArcCentre = 21,
    };

    // Whether pivot `n` is worked out from the dimensions and the driver angle (by the solve,
    // or as the valve stem line), unlike the fixed pivots and the reference points the user
    // sets; what a data file holds of such a pivot is only carried along.
    static constexpr bool workedOut(int n) {
        return n != DriverCentre && n != CrankCentre && n != FulcrumCentre &&
               n != ReverseArmPivot && n != ReferencePoint1 && n != ReferencePoint2;
    }

    float x = 0;  // world, X toward the cylinder
    float y = 0;  // world, Y up
    int sx = 0;   // screen pixel, filled by the rotation loop
    int sy = 0;
};

// Pivots 0-26 (see Pivot::Name); 22-26 unused.
struct PivotSet {
    static constexpr int kCount = 27;
    std::array<Pivot, kCount> p{};
    Pivot& operator[](int n) { return p[static_cast<std::size_t>(n)]; }
    const Pivot& operator[](int n) const { return p[static_cast<std::size_t>(n)]; }
};

enum class Direction { Fwd, Rev };
std::string_view directionName(Direction d);

struct GearState {
    float DriverAngle = 0;         // degrees
    float StepAngle = 10;          // degrees, the user's step
    float ActiveStep = 10;         // StepAngle while running, 0 while stopped
    float ReverseArmPosition = 0;  // X of pivot 18
    Direction direction = Direction::Fwd;
};

struct SolverState {
    float SolveTolerance = 0.0001f;
    float SearchStep = 0;
    float DieBlockDistance = 0;
    char SolveStatus = 'Z';  // 'E' once a valve-rod search has failed
    bool ErrorFlag = false;
    bool BeepOnError = true;
    int ErrorTickCount = 0;
};

// Valve positions at which the port openings begin, from the last successful solve.
struct ValveLimits {
    float FrontAdmitLimit = 0;
    float FrontFullOpenLimit = 0;
    float FrontExhaustLimit = 0;
    float RearAdmitLimit = 0;
    float RearFullOpenLimit = 0;
    float RearExhaustLimit = 0;
    float ValveOffset = 0;
    float RearAdmitStemLimit = 0;
    float FrontAdmitStemLimit = 0;
    float NegFrontAdmitLimit = 0;
    float NegRearAdmitLimit = 0;
    float NegFrontExhaustLimit = 0;
    float NegRearExhaustLimit = 0;
};

// Port openings and piston travel, from ComputePistonAndOpenings.
struct Openings {
    float FrontSteamOpening = 0;
    float FrontExhaustOpening = 0;
    float RearSteamOpening = 0;
    float RearExhaustOpening = 0;
    float PistonTravel = 0;  // 0 at the front dead centre, 640 at the rear
};

enum class PortEvent { None, Admission, Expansion, Exhaust, Compression };
std::string_view portEventName(PortEvent e);  // "ADMISSION", ... ("" for None)

// Which opening of one port was last seen open.
enum class PortLatch { Empty, Steam, Exhaust };

struct PortEventState {
    PortLatch latch = PortLatch::Empty;
    PortEvent event = PortEvent::None;
};

// One view of the main drawing: pixels per unit and offsets in pixels.
struct View {
    float scale = 0;
    float ox = 0;
    float oy = 0;
    bool operator==(const View&) const = default;
};

inline constexpr View kDefaultView{21.0f, 100.0f, 300.0f};

struct ViewState {
    View current = kDefaultView;
    View saved = kDefaultView;    // default and restore slot
    View normal = kDefaultView;   // what Norm returns to
    View zoomRef = kDefaultView;  // view before the last pan or zoom step
    std::array<View, 7> presets{};
    float graphicZoom = 7.5f;  // G of the graphic-position display
};

struct DynamicSlot {
    int code = 0;
    float value = 0;
    std::string name{kEmptySlotName};
};

struct UndoEntry {
    int code = 0;
    float oldValue = 0;
    float newValue = 0;
    std::string name;
    // Taken back together with the entry under it: the later entries of a change of several
    // dimensions at once.
    bool joinsOlder = false;
    // The undo line's text for a change of several dimensions (on its newest entry), else "".
    std::string stepName;
    // A change that worked mid gear out again (on its newest entry): the reverse arm's centre
    // and positions 1-3 before and after it, so that UnDo and Redo put them back exactly.
    struct MidGear {
        std::array<float, 4> before{}, after{};
    };
    std::optional<MidGear> midGear;
};

// One construction line or circle of the overlay; -1 marks an unset value.
struct OverlayItem {
    float p1x = -1, p1y = -1;      // point 1 (circle: centre)
    float p2x = -1, p2y = -1;      // point 2 (circle: p2x is the radius)
    float ref1x = -1, ref1y = -1;  // position of the first reference pivot when set
    float ref2x = -1, ref2y = -1;  // position of the second reference pivot when set
    int type = -1;                 // 0 line, 1 circle
    int colour = -1;               // 0-5: Black, Red, Green, Yellow, Blue, Gray
    int refMode = -1;              // 0 "0,0", 1 "Pivot1", 2 "Piv1/0,0", 3 "Piv1/Piv2"
    int pivot1 = -1;               // pivot nearest the first reference point
    int pivot2 = -1;               // pivot nearest the second reference point
};

struct Model {
    FrameDimensions frame;
    CylinderDimensions cyl;
    PivotSet pivots;
    GearState gear;
    SolverState solver;
    ValveLimits limits;
    Openings openings;
    PortEventState frontEvent, rearEvent;
    int orientationSign = 1;  // +1 when the link arc centre lies at X >= the trunnion

    // Element 0 is ReverseArmCentre; 1-9 the ReverseArmPositionSet (0 = unused).
    std::array<float, 10> reverseArmPositions{};
    float& ReverseArmCentre() { return reverseArmPositions[0]; }
    float ReverseArmCentre() const { return reverseArmPositions[0]; }

    // Defaults, filled by LoadFrameDefaults / LoadCylinderDefaults, indexed like allDimensions().
    std::array<float, 49> defaults{};

    // Settings
    bool SteamDisplay = false;
    int LineWidth = 1;
    bool UndoEnabled = false;
    float DynamicStep = 0.001f;
    float TextScaleX = 1.0f, TextScaleY = 1.0f;
    std::string DataSetName = "Nominal";
    int HighlightCode = 0;

    ViewState view;

    // Dynamic variables and undo
    std::array<DynamicSlot, 5> dynamicSlots{};
    std::array<UndoEntry, 21> undo{};  // 1 the newest, 20 the oldest; 0 the last undone
    int undoCount = 0;  // changes left to undo; one of several dimensions at once counts once
    bool undoPending = false;
    std::string undoLine;  // the last change, as shown beside the "UnDo" buttons
    // Changes taken back, the latest last, each with its entries as they were undone (the
    // newest first), to be made again until the next change.
    std::vector<std::vector<UndoEntry>> redo;
    bool DynamicVariablesShown = false;

    // Diagrams
    int PositionCount = 1;
    float VerticalScale = 1.5f;
    bool PositionsChanged = false;
    float lastPlottedPosition = 0;  // reverse arm position last plotted by a diagram
    IndicatorSettings indicator;    // pressures, n and clearances of the indicator diagram

    // Lines and circles overlay
    std::array<OverlayItem, 20> overlay{};
    int currentOverlayItem = 1;

    // Pivot numbers chosen for the six pivot data slots (0 = driver centre).
    std::array<int, 6> pivotDataSlots{};

    // The main window's cut-off read-outs; cleared by every change of the reverse arm or
    // of a dimension.
    CutoffReadouts cutoff;
};

// Value of a dimension by code (0 for a code that names none), and storing one. Storing
// 102 or 109 also recomputes pivot 4's Y; storing 16 does not wrap (callers decide).
float dimensionValue(const Model& m, int code);
bool setDimensionValue(Model& m, int code, float value);
float& dimensionRef(Model& m, const DimensionInfo& d);
float dimensionValue(const Model& m, const DimensionInfo& d);

// Pivot 4's Y = pivot 3's Y + ValveStemClToCylCl.
void updateValveStemLine(Model& m);

void InitProgramState(Model& m);
void InstallDefaultView(Model& m);
void LoadFrameDefaults(Model& m);
void LoadCylinderDefaults(Model& m);
void ApplyFrameDefaults(Model& m);
void ApplyCylinderDefaults(Model& m);

// Start-up steps 1-7: initial state, default view, default dimensions, mid gear.
void StartUp(Model& m);

// round(1000 * RevArmToCentMax): the reverse arm scroll bar's maximum (minimum is -this);
// 0 for a negative travel, which would give the bar a maximum below its minimum.
int reverseArmRangeMax(const Model& m);

// The reverse arm scroll bar's position for a reverse arm position: a thousandth of a unit
// per step from mid gear, toward forward as LiftingArmLength says, kept within the range.
int reverseArmBarPosition(const Model& m, double position);

}  // namespace tarvell
