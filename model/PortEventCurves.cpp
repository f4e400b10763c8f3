// The port events diagram's curves (see PortEventCurves.h).
#include "PortEventCurves.h"

#include <algorithm>
#include <cmath>

#include "Numbers.h"
#include "SolveAt.h"
#include "Sweep.h"

namespace tarvell {

float cutOffPercent(const ValveEvent& cutOff) {
    switch (cutOff.status) {
        case EventStatus::Found:
            return cutOff.value;
        case EventStatus::AlwaysOpen:
        case EventStatus::OpenThroughDeadCentre:
            return 100.0f;
        case EventStatus::NeverOpens:
        case EventStatus::OutsideStroke:
            break;
    }
    return 0.0f;
}

std::optional<float> eventPercent(const ValveEvent& event) {
    if (!event.occurs()) return std::nullopt;
    return event.value;
}

std::vector<PortEventPoint> portEventCurves(const Model& m, bool forwardSide, int intervals,
                                            SolverFindings* findings) {
    intervals = std::clamp(intervals, 1, 1000);

    LinkageSolver solver(m);
    const int orientation = midGearOrientation(solver);
    const double side = (isForwardPositive(m, orientation) == forwardSide) ? 1.0 : -1.0;
    // A travel typed negative is taken as its size; one that is not a number as none.
    const double max = m.frame.RevArmToCentMax;
    const double reach = std::isfinite(max) ? std::fabs(max) : 0.0;

    std::vector<PortEventPoint> points;
    points.reserve(static_cast<std::size_t>(intervals) + 1);
    for (int i = 0; i <= intervals; ++i) {
        PortEventPoint p;
        p.distance = toSingle(reach * i / intervals);
        p.position = toSingle(m.ReverseArmCentre() + side * p.distance);
        const PositionEvents e = valveEventsRunning(m, p.position, forwardSide);
        if (findings) *findings += e.findings();
        p.front = {cutOffPercent(e.front.cutOff), eventPercent(e.front.release),
                   eventPercent(e.front.compression)};
        p.rear = {cutOffPercent(e.rear.cutOff), eventPercent(e.rear.release),
                  eventPercent(e.rear.compression)};
        points.push_back(p);
    }
    // The orientation solve above: a guard it raised shows; whether it failed does not count.
    if (findings) *findings += {0, solver.findings().errorRaised};

    return points;
}

}  // namespace tarvell
