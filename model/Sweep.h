// Sweeping the driver through the solver: one turn as the pivot data table and the report
// tool take it (from 0 in steps of `step`, accumulated in single precision, while the angle
// is not above 360), and what a sweep on a copy of the model found that the live model shows.
#pragma once

#include "Vari.h"

namespace tarvell {

// Calls visit(model) after setting DriverAngle for each angle of the turn; DriverAngle is
// left at the first angle above 360. Steps below 0.01 are taken as 0.01 so the turn ends.
template <class Visit>
void sweepDriverTurn(Model& m, float step, Visit&& visit) {
    if (!(step >= 0.01f)) step = 0.01f;
    m.gear.DriverAngle = 0;
    while (!(m.gear.DriverAngle > 360.0f)) {
        visit(m);
        m.gear.DriverAngle = m.gear.DriverAngle + step;
    }
}

// Analyses sweep a copy of the model, so the live pivots and state stay as the rotation loop
// left them. What the live model still shows of such a sweep: whether a valve-rod search
// failed (the sticky 'E' status) and whether a guard raised the error flag, which the main
// window reports once its loop runs again.
struct SolverFindings {
    int failedSolves = 0;
    bool errorRaised = false;

    SolverFindings& operator+=(const SolverFindings& other) {
        failedSolves += other.failedSolves;
        errorRaised = errorRaised || other.errorRaised;
        return *this;
    }
};

// The findings of a sweep run on `work`, a copy taken with the error flag as the live one had.
inline SolverFindings findingsOf(const Model& work, int failedSolves) {
    return {failedSolves, work.solver.ErrorFlag};
}

// Marks the live model as the sweep would have marked it.
inline void applySolverFindings(Model& live, const SolverFindings& f) {
    if (f.failedSolves > 0) live.solver.SolveStatus = 'E';
    if (f.errorRaised) live.solver.ErrorFlag = true;
}

}  // namespace tarvell
