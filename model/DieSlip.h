// How hard the die block works in the link: where the die stands along the curved link over a
// turn of the driver, and the die slip, the greatest minus the least of that place, which is
// the measure of a link gear's wear. No Qt, no allocation.
#pragma once

#include <cmath>

#include "SolveAt.h"

namespace tarvell {

// The die's place in the link of one solved linkage: the arc length from the trunnion (pivot
// 9) to the die block (pivot 8) along the link, the link radius times the angle at the link's
// centre (pivot 21) between them. Positive when the die stands on the side of the trunnion
// toward the lifting arm end (pivot 15), where the lifting link hangs from: above the trunnion
// in the default gear, so forward positions give a positive place and reverse a negative one.
double diePlaceInLink(const LinkageSolution& s, double linkRadius);

struct DieSlip {
    float position = 0;                        // the reverse arm position
    double least = 0, greatest = 0;            // the die's place at its two extremes over the turn
    double leastAngle = 0, greatestAngle = 0;  // the driver angles where they fall
    int solves = 0;
    int failedSolves = 0;  // solves whose valve-rod search failed (left out of the extremes)
    bool errorRaised = false;
    bool found = false;  // false when no solve of the turn succeeded
    double slip() const { return found ? greatest - least : NAN; }
};

// The die's place over one turn at reverse arm `position`: a scan every 5 degrees, then each
// extreme refined by a golden-section search to 0.001 degree within a step either side of the
// best sample. About 120 solves. The model is only read.
DieSlip dieSlip(const Model& m, float position);

}  // namespace tarvell
