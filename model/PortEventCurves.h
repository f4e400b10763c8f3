// The port events diagram's curves: for the reverse arm moved from mid gear to its greatest
// travel on one side, where in the stroke each port cuts off, releases and compresses. No Qt.
#pragma once

#include <optional>
#include <vector>

#include "ValveEvents.h"

namespace tarvell {

// The share of the stroke that takes steam: the cut-off per cent when the port cuts off in the
// stroke, 100 when it is still open at the stroke's end, 0 when it admits nothing in it.
float cutOffPercent(const ValveEvent& cutOff);

// Release and compression per cent, when they happen in their stroke.
std::optional<float> eventPercent(const ValveEvent& event);

struct PortEventPoint {
    float distance = 0;  // the reverse arm's distance from the centre
    float position = 0;  // the reverse arm position itself
    struct End {
        float cutOff = 0;
        std::optional<float> release, compression;
    } front, rear;
};

// `intervals` + 1 positions from the centre to RevArmToCentMax on the forward side (the
// driver running forward) or the reverse side (running in reverse, the centre included).
// The forward side is read from a solve at mid gear. Works on a copy of the model; what its
// solves found is added to `findings` when given.
std::vector<PortEventPoint> portEventCurves(const Model& m, bool forwardSide, int intervals = 40,
                                            SolverFindings* findings = nullptr);

}  // namespace tarvell
