// The mechanism's kinematics: the linkage solver, piston travel and port openings, the port
// events, and the mid-gear calculation. No allocation, no Qt.
#pragma once

#include "Vari.h"

namespace tarvell {

// Places every pivot of the live model for its DriverAngle and ReverseArmPosition and, when
// the valve-rod search succeeds, the valve limits; when it fails, the valve stem end and the
// limits keep their last good values and SolveStatus turns to 'E' for good. A guard that
// binds raises ErrorFlag when BeepOnError is on. Analyses solve through solveLinkageAt
// (SolveAt.h) instead, which leaves the model as it is.
void SolveLinkage(Model& m);

// Where the valve-rod search starts its walk for the current pivots: pivot 9's X plus the
// rod's long end. The walk's steps are fixed, so between driver angles where it takes the same
// steps pivot 4 stands the same distance from this start (up to rounding).
float ValveRodSearchStart(const Model& m);

// The step the valve-rod search finishes on. A solve leaves pivot 4's X up to this much to one
// side of where the die block meets the link's arc, so the X of nearby driver angles carries a
// ripple of this size on top of the smooth motion.
double ValveRodSearchResolution(const Model& m);

// The valve limits from pivot 4's X and the cylinder dimensions (the solver's last step).
void ComputeValveLimits(Model& m);

// Piston travel and the four port openings for the current state.
void ComputePistonAndOpenings(Model& m);

// The four port openings alone, from the current pivot 4 (piston travel is left as it was).
void ComputeOpenings(Model& m);

// Advances the port-event latch of each end from the current openings.
void UpdatePortEvents(Model& m);
PortEvent NextPortEvent(PortEventState& s, float steamOpening, float exhaustOpening);

// Finds mid gear in closed form and sets ReverseArmCentre, ReverseArmPosition and
// reverse arm positions 1-3.
void CalcMidGear(Model& m);

// Valve displacement as the diagrams plot it: positive toward the front port's events.
inline float ValveDisplacement(const Model& m) {
    return -m.limits.ValveOffset;
}

// Port lines of the diagrams, in valve displacement.
struct PortLines {
    float FrontSteamPortOpen, FrontSteamPortMax, FrontExhaustPortOpen;
    float RearSteamPortOpen, RearSteamPortMax, RearExhaustPortOpen;
};
PortLines portLines(const Model& m);
PortLines portLines(const ValveLimits& limits);

}  // namespace tarvell
