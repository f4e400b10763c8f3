// Helpers shared by the model tests.
#pragma once

#include <cmath>

#include "Calc.h"
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

}  // namespace tarvell::test
