// One turn of the driver at one reverse arm position as the oval and steam diagrams plot it:
// the valve displacement and piston travel every step of the turn in running order, with the
// exact points where the valve crosses each port line put in between, so a plotted curve
// meets each line where that port edge really opens or closes. And the steam diagram's bands:
// the port events of each end along its stroke. No Qt.
#pragma once

#include <array>
#include <vector>

#include "Calc.h"

namespace tarvell {

// The six port lines in the order of PortLines.
enum PortLineIndex {
    kFrontSteamOpen,
    kFrontSteamMax,
    kFrontExhaustOpen,
    kRearSteamOpen,
    kRearSteamMax,
    kRearExhaustOpen,
    kPortLineCount
};

// The valve displacement at which each port line stands: the front quantities as they are,
// the rear ones negated (they are magnitudes toward the rear).
std::array<float, kPortLineCount> portLineDisplacements(const PortLines& lines);

// The four port openings for a valve displacement (the same figures ComputePistonAndOpenings
// gives for the valve standing there).
struct EdgeOpenings {
    float frontSteam = 0, frontExhaust = 0, rearSteam = 0, rearExhaust = 0;
};
EdgeOpenings openingsAt(float displacement, const PortLines& lines);

struct TurnPoint {
    double run = 0;          // degrees run from the start of the turn, 0 to 360
    float driverAngle = 0;   // in [0, 360)
    float displacement = 0;  // ValveDisplacement
    float pistonTravel = 0;  // 0 at the front dead centre, 640 at the rear
    int line = -1;           // the PortLineIndex crossed here; -1 for a regular sample
};

struct ValveTurn {
    // From driver angle 0 (run 0) round to angle 0 again (run 360), in running order.
    std::vector<TurnPoint> points;
    bool forward = true;       // the driver angle increasing
    int failedSolves = 0;      // solves whose valve-rod search failed
    bool errorRaised = false;  // a solver guard raised the error flag
    PortLines lines{};         // the port lines the crossings were found for
};

// The turn at reverse arm `position`, the driver running forward or in reverse, sampled each
// `step` degrees (a divisor of 180 keeps both dead centres among the samples when the cylinder
// line passes through the axle; off it the dead centres are put in as samples). Each crossing
// of a port line between two samples is bisected through the solver to 0.001 degree and put in
// with the line's displacement. Works on a copy of the model.
ValveTurn sampleValveTurn(const Model& m, float position, bool forward, double step = 1.0);

// A stretch of one end's stroke in one port event.
struct BandSegment {
    float from = 0, to = 0;  // per cent of this end's stroke from its dead centre, from <= to
    bool outward = true;     // the piston moving away from this end's dead centre
    PortEvent event = PortEvent::None;
};

// The events of each end along its stroke over the turn: the front end's per cent runs from
// the front dead centre, the rear end's from the rear dead centre. Each stretch between two
// points of the turn takes the event its middle is in, and joins the stretch before it when
// that one carries the same event the same way; the latch is settled by a first pass.
struct SteamBands {
    std::vector<BandSegment> front, rear;
};
SteamBands steamBands(const ValveTurn& turn);

}  // namespace tarvell
