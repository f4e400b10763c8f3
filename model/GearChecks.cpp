// The design checks (see GearChecks.h).
#include "GearChecks.h"

#include <algorithm>
#include <cmath>

#include "Indicator.h"
#include "Notch.h"
#include "Numbers.h"
#include "PortAreas.h"
#include "ValveEvents.h"

namespace tarvell {
namespace {

// One position of the working range with its events.
struct RangePoint {
    std::string label;  // "mid gear", "fwd 0.375", "max rev", with the position
    PositionEvents events;
};

std::string positionLabel(const std::string& name, float position) {
    return name + " (" + formatFixed(position, 0, 3) + ")";
}

std::string endName(bool front) {
    return front ? "front end" : "rear end";
}

std::vector<RangePoint> workingRange(const Model& m, int steps, SolverFindings& findings) {
    LinkageSolver solver(m);
    const int orientation = midGearOrientation(solver);
    findings += {0, solver.findings().errorRaised};
    const double centre = m.ReverseArmCentre();
    const double max =
        std::isfinite(m.frame.RevArmToCentMax) ? std::fabs(m.frame.RevArmToCentMax) : 0.0;
    const double forwardSide = isForwardPositive(m, orientation) ? 1.0 : -1.0;
    std::vector<RangePoint> out;
    auto add = [&](const std::string& name, float position, bool forward) {
        out.push_back({positionLabel(name, position), valveEventsRunning(m, position, forward)});
        findings += out.back().events.findings();
    };
    add("mid gear", m.ReverseArmCentre(), true);
    add("mid gear in reverse", m.ReverseArmCentre(), false);
    steps = std::clamp(steps, 1, 100);
    for (bool forward : {true, false}) {
        const std::string side = forward ? "fwd" : "rev";
        for (int i = 1; i <= steps; ++i) {
            const double distance = max * i / steps;
            const float position =
                toSingle(centre + (forward ? forwardSide : -forwardSide) * distance);
            add(i == steps ? "max " + side : side + " " + formatFixed(distance, 0, 3), position,
                forward);
        }
    }
    return out;
}

GearCheck negativeLead(const std::vector<RangePoint>& range) {
    GearCheck c{GearCheckKind::NegativeLead, "negative lead", true, {}, HUGE_VAL, "length", {}};
    for (const RangePoint& p : range)
        for (bool front : {true, false}) {
            const float lead = (front ? p.events.front : p.events.rear).lead;
            if (lead < c.amount) {
                c.amount = lead;
                c.where = endName(front) + ", " + p.label;
            }
        }
    c.passed = c.amount >= 0;
    c.detail = (c.passed ? "the least lead is " : "the lead is ") + formatFixed(c.amount, 0, 4) +
               " at the " + c.where;
    return c;
}

GearCheck portNeverOpens(const PositionEvents& mid) {
    GearCheck c{
        GearCheckKind::PortNeverOpens, "port never opens at mid gear", true, {}, 0, "length", {}};
    const bool front = mid.front.maxSteamOpening <= mid.rear.maxSteamOpening;
    c.amount = front ? mid.front.maxSteamOpening : mid.rear.maxSteamOpening;
    c.where = endName(front) + ", mid gear";
    c.passed = c.amount > 0;
    c.detail = c.passed ? "the lesser greatest steam opening at mid gear is " +
                              formatFixed(c.amount, 0, 4) + ", at the " + endName(front)
                        : "the " + endName(front) +
                              "'s steam port never opens at mid gear: " + "lapped by " +
                              formatFixed(-c.amount, 0, 4) + " at the most";
    return c;
}

GearCheck exhaustPassage(const Model& m, const std::vector<RangePoint>& range) {
    GearCheck c{GearCheckKind::ExhaustPassage,
                "exhaust passage below the steam port",
                true,
                {},
                HUGE_VAL,
                "length",
                {}};
    ExhaustCheck worst;
    for (const RangePoint& p : range) {
        const ExhaustChecks checks = exhaustChecks(m, p.events);
        for (bool front : {true, false}) {
            const ExhaustCheck& e = front ? checks.front : checks.rear;
            if (!e.exhausts) continue;
            const double margin = static_cast<double>(e.exhaustLeft) - e.steamPortWidth;
            if (margin < c.amount) {
                c.amount = margin;
                c.where = endName(front) + ", " + p.label;
                worst = e;
            }
        }
    }
    if (!std::isfinite(c.amount)) {
        c.amount = 0;
        c.detail = "no port opens to exhaust";
        return c;
    }
    c.passed = c.amount >= 0;
    c.detail = "at the " + c.where + " the cavity leaves " + formatFixed(worst.exhaustLeft, 0, 3) +
               " of the exhaust port, " +
               formatFixed(100.0 * worst.exhaustLeft / worst.steamPortWidth, 0, 0) +
               " % of the steam port's " + formatFixed(worst.steamPortWidth, 0, 3);
    return c;
}

GearCheck cutOffDifference(const Model& m, const GearCheckOptions& options,
                           SolverFindings& findings) {
    GearCheck c{GearCheckKind::CutOffDifference,
                "cut-off difference at the running notch",
                true,
                {},
                0,
                "per cent of the stroke",
                {}};
    std::string reasons;
    for (bool forward : {true, false}) {
        const NotchPosition n = findNotch(m, {options.runningNotch, forward});
        findings += n.findings;
        if (!n.found) {
            c.passed = false;
            reasons += (reasons.empty() ? "" : "; ") + n.reason;
            continue;
        }
        const EndEvents &f = n.events.front, &r = n.events.rear;
        if (!f.cutOff.occurs() || !r.cutOff.occurs()) {
            c.passed = false;
            reasons += (reasons.empty() ? "" : "; ") + notchName(n.notch) +
                       ": an end does not cut off in its stroke";
            continue;
        }
        const double d = static_cast<double>(f.cutOff.value) - r.cutOff.value;
        if (c.where.empty() || std::fabs(d) > std::fabs(c.amount)) {
            c.amount = d;
            c.where = positionLabel(notchName(n.notch), n.position);
            c.detail = "at " + c.where + " the front cuts off at " +
                       formatFixed(f.cutOff.value, 0, 2) + " %, the rear at " +
                       formatFixed(r.cutOff.value, 0, 2) + " %";
        }
    }
    if (std::fabs(c.amount) > options.cutOffTolerance) c.passed = false;
    if (!reasons.empty()) c.detail += (c.detail.empty() ? "" : "; ") + reasons;
    if (c.passed || reasons.empty())
        c.detail += ", " + formatFixed(std::fabs(c.amount), 0, 2) + " % apart (at most " +
                    formatFixed(options.cutOffTolerance, 0, 2) + " %)";
    return c;
}

GearCheck trappedPressure(const Model& m, const std::vector<RangePoint>& range,
                          SolverFindings& findings) {
    const IndicatorSettings s = usableIndicatorSettings(m.indicator);
    GearCheck c{GearCheckKind::TrappedPressure,
                "trapped pressure above chest pressure",
                true,
                {},
                -HUGE_VAL,
                std::string(pressureUnitName(s.pressureUnit)),
                {}};
    for (const RangePoint& p : range) {
        const IndicatorResult cards =
            indicatorDiagram(m, p.events.position, m.indicator, kIndicatorSamplesPerTurn);
        findings += cards.findings;
        for (bool front : {true, false})
            for (const CardPoint& point : (front ? cards.front : cards.rear).points) {
                if (point.phase != CardPhase::Trapped) continue;
                const double over = point.pressure - s.chestPressure;
                if (over > c.amount) {
                    c.amount = over;
                    c.where = endName(front) + ", " + p.label;
                }
            }
    }
    if (!std::isfinite(c.amount)) {
        c.amount = -s.chestPressure;
        c.detail = "no steam is trapped";
        return c;
    }
    // Steam shut in at cut-off starts at chest pressure: only a rise beyond it counts.
    c.passed = c.amount <= 1e-9 * s.chestPressure;
    c.detail = "the trapped steam reaches " + formatFixed(s.chestPressure + c.amount, 0, 2) + " " +
               c.unit + " at the " + c.where + ", chest pressure " +
               formatFixed(s.chestPressure, 0, 2);
    return c;
}

GearCheck solverFailures(const SolverFindings& f) {
    GearCheck c{GearCheckKind::SolverFailures, "solver failures", true, {}, 0, "solves", {}};
    c.amount = f.failedSolves;
    c.passed = f.failedSolves == 0 && !f.errorRaised;
    c.detail = c.passed ? "every solve succeeded"
                        : formatInt(f.failedSolves, 0) + " valve-rod searches failed" +
                              (f.errorRaised ? "; a joint could not close" : "");
    return c;
}

}  // namespace

std::vector<GearCheck> gearChecks(const Model& m, const GearCheckOptions& options) {
    SolverFindings findings;
    const std::vector<RangePoint> range = workingRange(m, options.rangeSteps, findings);
    std::vector<GearCheck> out;
    out.push_back(negativeLead(range));
    out.push_back(portNeverOpens(range.front().events));
    out.push_back(exhaustPassage(m, range));
    out.push_back(cutOffDifference(m, options, findings));
    out.push_back(trappedPressure(m, range, findings));
    out.push_back(solverFailures(findings));
    return out;
}

bool allPassed(const std::vector<GearCheck>& checks) {
    return std::all_of(checks.begin(), checks.end(), [](const GearCheck& c) { return c.passed; });
}

}  // namespace tarvell
