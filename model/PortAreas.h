// The openings steam really passes through, each end of the cylinder, and the exhaust check.
// A port admits no more than its own width however far the valve runs past it; and exhaust
// steam leaves the port through the valve's cavity into the exhaust port, whose far side the
// cavity's far edge covers as the valve runs that way: the exhaust passage is the smaller of the
// port's opening to the cavity and what that edge leaves of the exhaust port. The textbook rule
// keeps the passage no narrower than the steam port: exhaust port >= half travel + steam port +
// inside lap - bridge. No Qt.
#pragma once

#include <vector>

#include "ValveEvents.h"

namespace tarvell {

// One end's openings at one place of the valve, each >= 0.
struct EndAreas {
    float steam = 0;           // the steam port's opening to the chest, at most its width
    float exhaustPort = 0;     // the port's opening to the cavity, at most its width
    float exhaustLeft = 0;     // what the cavity's far edge leaves of the exhaust port
    float exhaustPassage = 0;  // the smaller of the two: what the exhaust passes through
};

struct PortAreas {
    EndAreas front, rear;
};

// The openings with the valve `valveOffset` from the cylinder's centre (ValveOffset: toward
// the front port, which the front end's steam edge closes on, as it grows).
PortAreas portAreasAt(const CylinderDimensions& c, double valveOffset);

// The same in double precision, for an integration along the turn that needs them smooth, with
// the edges' own openings as well (negative while lapped: where they cross 0 a port opens or
// closes).
struct EndOpenings {
    double steamEdge = 0, exhaustEdge = 0;  // the steam and exhaust edges' openings
    double steam = 0, exhaustPort = 0, exhaustLeft = 0, exhaustPassage = 0;  // as EndAreas
};
struct PortOpenings {
    EndOpenings front, rear;
};
PortOpenings portOpeningsAt(const CylinderDimensions& c, double valveOffset);

struct PortAreaPoint {
    double run = 0;           // degrees run from driver angle 0, 0 to 360
    float driverAngle = 0;    // in [0, 360)
    float pistonPercent = 0;  // per cent of the stroke from the front dead centre
    PortAreas areas;
};

// The curves of a Port Areas diagram at one reverse arm position: the openings of each end
// every `step` degrees of a turn (0.01 to 90, else 1) in running order from driver angle 0,
// the driver running forward or in reverse, with the widths they are held to.
struct PortAreaCurves {
    float position = 0;
    bool forward = true;
    std::vector<PortAreaPoint> points;
    float frontPortWidth = 0, rearPortWidth = 0, exhaustPortWidth = 0;
    SolverFindings findings;
};
PortAreaCurves portAreaCurves(const Model& m, float position, bool forward, double step = 1.0);

// The exhaust of one end at a position: where it is narrowest, at the valve's furthest travel
// toward this end's exhaust, where the port is most open to the cavity and the far edge covers
// most of the exhaust port.
struct ExhaustCheck {
    bool exhausts = false;          // the port opens to exhaust at all
    float greatestSteamPort = 0;    // the greatest steam port opening, at most the port
    float greatestExhaustPort = 0;  // the greatest exhaust port opening, at most the port
    float exhaustLeft = 0;          // what the far edge leaves of the exhaust port there
    float leastExhaustPassage = 0;  // the smaller of the last two
    float driverAngle = 0;          // where
    float steamPortWidth = 0;
    // The far edge leaves less of the exhaust port than the steam port's width (by
    // `shortfall`): the exhaust is choked at full opening.
    bool belowSteamPort = false;
    float shortfall = 0;
};

struct ExhaustChecks {
    ExhaustCheck front, rear;
};

// The checks of each end from the valve events of a position (or a notch's): the valve's
// furthest travel either way is where its greatest openings are.
ExhaustChecks exhaustChecks(const Model& m, const PositionEvents& events);

}  // namespace tarvell
