// Valve events of one reverse arm position, as an engineer quotes them: when each port takes
// and loses steam and exhaust over a turn of the driver (crank degrees before dead centre, per
// cent of piston stroke), the leads and greatest openings, and the laps at mid gear. Shared by
// the diagrams, the valve-events window and the exports. No Qt.
#pragma once

#include <optional>
#include <string_view>

#include "SolveAt.h"
#include "Sweep.h"
#include "Vari.h"

namespace tarvell {

// Which side of mid gear a reverse arm position lies on.
enum class PositionTag { Cen, Fwd, Rev };

// "Cen", "Fwd" or "Rev".
std::string_view positionTagText(PositionTag tag);

// True when forward lies on the positive side of ReverseArmCentre: LiftingArmLength and the
// orientation sign left by the last solve (or the one given) are both > 0 or both < 0.
bool isForwardPositive(const Model& m);
bool isForwardPositive(const Model& m, int orientationSign);

// Cen when `position` equals ReverseArmCentre exactly, Fwd when it lies on the forward side
// (see isForwardPositive), Rev otherwise.
PositionTag positionTag(const Model& m, float position);
PositionTag positionTag(const Model& m, float position, int orientationSign);

// The orientation sign of a solve at mid gear, driver angle 0: what the analyses read the
// forward side from (the solve is counted by `solver`).
int midGearOrientation(LinkageSolver& solver);

// The driver runs forward (angle increasing) at the centre and on the forward side, in
// reverse (angle decreasing) otherwise.
inline bool runsForward(PositionTag tag) {
    return tag != PositionTag::Rev;
}

enum class EventStatus {
    Found,                  // the event occurs; its angle and value are set
    NeverOpens,             // the port never opens over the turn
    AlwaysOpen,             // the port is open through the whole turn
    OpenThroughDeadCentre,  // the port is still open at the dead centre that bounds the
                            // event's stroke, so the event does not occur in that stroke
    OutsideStroke,          // the port opens and closes, but not in the stroke the event
                            // belongs to (steam shut before the stroke begins, say)
};

// A short word for a status: "found", "never opens", "always open", ...
std::string_view eventStatusText(EventStatus status);

// One opening or closing of a port edge.
struct ValveEvent {
    EventStatus status = EventStatus::NeverOpens;
    float driverAngle = 0;  // where the opening crosses zero, in [0, 360), to within 0.01
    float value = 0;        // admission: crank degrees before dead centre; others: per cent
    bool occurs() const { return status == EventStatus::Found; }
};

// The events of one end of the cylinder. The front end's stroke takes the piston from its
// front dead centre (travel 0) to the rear (640), the rear end's runs back; with the cylinder
// line through the axle the dead centres are driver angles 0 and 180, otherwise a few degrees
// off them (see DeadCentres). Per cents are of the piston's travel, not of crank angle.
struct EndEvents {
    float deadCentre = 0;    // driver angle of this end's dead centre
    ValveEvent admission;    // steam opening becomes > 0: degrees before this end's dead centre
                             // in running order (negative when it opens after)
    ValveEvent cutOff;       // steam opening closes: per cent of this end's stroke completed
    ValveEvent release;      // exhaust opening becomes > 0: per cent of this end's stroke
    ValveEvent compression;  // exhaust opening closes: per cent of the return stroke completed
    float lead = 0;          // steam opening at this end's (true) dead centre (< 0: still lapped)
    float maxSteamOpening = 0;    // greatest over the turn (<= 0 when the port never opens)
    float maxExhaustOpening = 0;  // likewise
    // The driver angles of the valve's furthest travel each way, where those are greatest.
    float maxSteamAngle = 0, maxExhaustAngle = 0;
};

// What a port itself admits: the valve's steam edge can run on past the port's far edge, but
// the port opens no wider than its width. `open` is the greatest steam opening up to the port
// width, `overTravel` what the valve runs on beyond it (0 when it stops short); together they
// make the greatest steam opening.
struct PortOpening {
    float open = 0;
    float overTravel = 0;
};
PortOpening portOpening(float maxSteamOpening, float portWidth);

// The figures of a port that opens, or nothing when it never does: its edge never uncovers it
// over the turn, or it has no width. The steam side splits the greatest steam opening; the
// exhaust side the greatest exhaust opening, the cavity's edge running on past the port's
// far edge as the valve's outer edge does on the steam side.
std::optional<PortOpening> steamPortOpening(const EndEvents& end, float portWidth);
std::optional<PortOpening> exhaustPortOpening(const EndEvents& end, float portWidth);

struct PositionEvents {
    float position = 0;  // the reverse arm position
    PositionTag tag = PositionTag::Cen;
    bool forward = true;  // events taken with the driver angle increasing
    EndEvents front, rear;
    float valveTravel = 0;     // greatest minus least valve offset over the turn
    int failedSolves = 0;      // solves whose valve-rod search failed (their valve stood stale)
    bool errorRaised = false;  // a solver guard raised the error flag during the sweep
    int solves = 0;            // solver runs the events took (the mid-gear one included)
    SolverFindings findings() const { return {failedSolves, errorRaised}; }
};

// The valve events at reverse arm `position`, as a scan of the turn at every whole degree
// finds them, each crossing then bisected on the driver angle to 0.01 degree and each extreme
// of the valve refined; but the solver is asked only about the crossings and the extremes,
// the rest being told by a curve through a turn sampled every 30 degrees (see DegreeScan.h).
// The forward side is taken from one solve at mid gear. Works on a copy of the model: the live
// one is left exactly as it was (see applySolverFindings for what it may want to show). Takes
// about 50 solves (a motion the curve cannot follow takes up to the scan's 450 or so).
PositionEvents valveEvents(const Model& m, float position);

// The same with the driver running the way `forward` says whatever side `position` lies on
// (the tag is still the position's own): the reverse graph starts at mid gear running in
// reverse.
PositionEvents valveEventsRunning(const Model& m, float position, bool forward);

// The valve's laps and the gear's behaviour at mid gear.
struct MidGearSummary {
    // Steam lap: how far the valve's outer edge overlaps the steam port's outer edge with the
    // valve central (valve half length less exhaust half width, bridge and steam port).
    float frontLap = 0, rearLap = 0;
    // Exhaust clearance: how far the cavity's edge stands past the bridge with the valve
    // central, i.e. the port's exhaust opening there. Positive: the port is open to exhaust
    // at mid valve; negative: an exhaust lap of that size.
    float frontExhaustClearance = 0, rearExhaustClearance = 0;
    // The greatest steam opening of each end over a turn at ReverseArmCentre: the lead as the
    // sine diagram's lap table gives it, which may exceed the opening at dead centre.
    float frontLead = 0, rearLead = 0;
    // Greatest minus least valve offset over a turn at mid gear (twice lap and lead when the
    // two ends match).
    float valveTravel = 0;
};

// The laps from the cylinder dimensions, the leads and travel from valveEvents at the centre
// (on a copy, like it).
MidGearSummary midGearSummary(const Model& m);

}  // namespace tarvell
