// Helpers shared by the model tests.
#pragma once

#include <cmath>
#include <random>

#include "Calc.h"
#include "SolveAt.h"
#include "Vari.h"

namespace tarvell::test {

inline Model startedModel() {
    Model m;
    StartUp(m);
    return m;
}

inline double dist(const Pivot& a, const Pivot& b) {
    return std::hypot(static_cast<double>(a.x) - b.x, static_cast<double>(a.y) - b.y);
}

inline void solveAt(Model& m, float angle) {
    m.gear.DriverAngle = angle;
    SolveLinkage(m);
    ComputePistonAndOpenings(m);
}

// A plausible design near the default set: every linkage dimension that moves the valve
// scaled by up to `spread` either way (a zero one moved by up to a twentieth), the link's
// rocking angle turned by up to five degrees, the fixed pivots, ports and valve by up to a
// third as much; mid gear recomputed. With `reversedArm` the lifting arm points the other
// way from its pivot, and the pivot stands across the arm's end at mid gear so that the arm
// still reaches: the gear mirrored about that end.
inline Model randomDesign(std::mt19937& rng, double spread, bool reversedArm) {
    Model m = startedModel();
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (const DimensionInfo& d : allDimensions()) {
        const int c = d.code;
        const bool linkage = c >= 2 && c <= 21 && c != 10 && c != 16;
        const bool fixedPivot = c >= 22 && c <= 25;
        const bool port = (c >= 110 && c <= 114) || (c >= 118 && c <= 121);
        float& v = dimensionRef(m, d);
        if (c == 16)
            v = static_cast<float>(v + 5.0 * u(rng));
        else if (linkage && v == 0)
            v = static_cast<float>(0.05 * u(rng));
        else if (linkage)
            v = static_cast<float>(v * (1.0 + spread * u(rng)));
        else if (fixedPivot || port)
            v = static_cast<float>(v * (1.0 + spread / 3.0 * u(rng)));
    }
    updateValveStemLine(m);
    CalcMidGear(m);
    if (reversedArm) {
        const LinkageSolution mid = solveLinkageAt(m, 0, m.ReverseArmCentre());
        Pivot& pivot = m.pivots[Pivot::ReverseArmPivot];
        pivot.x = 2 * mid.pivots[Pivot::LiftingArmEnd].x - pivot.x;
        m.frame.LiftingArmLength = -m.frame.LiftingArmLength;
        CalcMidGear(m);
    }
    return m;
}

}  // namespace tarvell::test
