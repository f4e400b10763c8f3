// The checks a designer makes before cutting metal, each passed or failed with where and by how
// much: no negative lead over the working range, both ports open at mid gear, an exhaust passage
// no narrower than the steam port, even cut-offs at the running notch, no trapped steam above
// chest pressure, and a linkage the solver can follow everywhere. No Qt.
#pragma once

#include <string>
#include <vector>

#include "Vari.h"

namespace tarvell {

enum class GearCheckKind {
    NegativeLead,      // a lead below 0 anywhere from mid gear to full gear either way
    PortNeverOpens,    // a steam port that never opens at mid gear
    ExhaustPassage,    // the exhaust passage narrower than the steam port
    CutOffDifference,  // the cut-offs of the two ends too far apart at the running notch
    TrappedPressure,   // trapped steam above chest pressure (the valve would lift)
    SolverFailures,    // solves that failed or linkages that could not close
};

struct GearCheck {
    GearCheckKind kind = GearCheckKind::NegativeLead;
    std::string name;  // "negative lead", "port never opens at mid gear", ...
    bool passed = true;
    // Where the worst case is ("rear end, max fwd (12.033)"), empty when nowhere applies.
    std::string where;
    // By how much, in `unit`: how far past its limit the worst case is when failed, how far
    // inside it when passed (the lead itself, the shortfall of the passage, ...).
    double amount = 0;
    std::string unit;    // "length", "per cent of the stroke", the pressure, "solves"
    std::string detail;  // one sentence saying all of it
};

struct GearCheckOptions {
    double runningNotch = 25;    // mean cut-off of the running notch, per cent
    double cutOffTolerance = 2;  // per cent of the stroke, front to rear
    int rangeSteps = 4;          // positions each side from mid gear out to full gear
};

// Every check, in the order of GearCheckKind. The working range is mid gear and rangeSteps
// positions either side out to RevArmToCentMax, each run its side's way (mid gear both ways);
// the trapped pressure is the idealised card's with the model's indicator settings. Works on
// copies of the model.
std::vector<GearCheck> gearChecks(const Model& m, const GearCheckOptions& options = {});

// True when every check passed.
bool allPassed(const std::vector<GearCheck>& checks);

}  // namespace tarvell
