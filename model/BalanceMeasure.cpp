// Measuring one design for a balancing search (see BalanceMeasure.h).
#include "BalanceMeasure.h"

#include <cmath>

#include "Calc.h"
#include "DieSlip.h"
#include "Indicator.h"
#include "Notch.h"
#include "Numbers.h"
#include "SolveAt.h"
#include "ValveEvents.h"
#include "ValveEventsTable.h"

namespace tarvell {
namespace {

constexpr int kRockingAngleCode = 16;

std::optional<double> frontMinusRear(const ValveEvent& front, const ValveEvent& rear) {
    if (!front.occurs() || !rear.occurs()) return std::nullopt;
    return static_cast<double>(front.value) - rear.value;
}

std::optional<double> difference(const PositionEvents& e, BalanceObjective objective) {
    std::optional<double> d;
    switch (objective) {
        case BalanceObjective::CutOff:
            d = frontMinusRear(e.front.cutOff, e.rear.cutOff);
            break;
        case BalanceObjective::Lead:
            d = static_cast<double>(e.front.lead) - e.rear.lead;
            break;
        case BalanceObjective::Release:
            d = frontMinusRear(e.front.release, e.rear.release);
            break;
        case BalanceObjective::Compression:
            d = frontMinusRear(e.front.compression, e.rear.compression);
            break;
        case BalanceObjective::Mep:
        case BalanceObjective::DieSlip:
            break;  // from the indicator cards or the link, not the events
    }
    if (d && !std::isfinite(*d)) return std::nullopt;
    return d;
}

// The events at `position`, or nothing when a valve-rod search failed on the way (the valve
// then stood where the previous solve left it, so the events would be made up) or a solver
// guard met a linkage that cannot close.
std::optional<PositionEvents> trustedEvents(const Model& m, float position) {
    if (!std::isfinite(position)) return std::nullopt;
    PositionEvents e = valveEvents(m, position);
    if (e.failedSolves > 0 || e.errorRaised) return std::nullopt;
    return e;
}

// The die slip at `position`; nothing when a solve failed or a guard was raised on the way.
std::optional<double> trustedDieSlip(const Model& m, float position) {
    if (!std::isfinite(position)) return std::nullopt;
    const DieSlip slip = dieSlip(m, position);
    if (!slip.found || slip.failedSolves > 0 || slip.errorRaised) return std::nullopt;
    return slip.slip();
}

// The front-minus-rear MEP at `position` in per cent of their mean, with the design's own
// indicator settings; nothing when a solve failed or a guard was raised on the way (the cards
// would be made up), or when the mean is not above 0 (no work to share out).
std::optional<double> mepDifference(const Model& m, float position) {
    if (!std::isfinite(position)) return std::nullopt;
    const IndicatorResult cards = indicatorDiagram(m, position, m.indicator);
    if (cards.findings.failedSolves > 0 || cards.findings.errorRaised) return std::nullopt;
    if (!std::isfinite(cards.differencePct)) return std::nullopt;
    return cards.differencePct;
}

// A running notch found afresh on the design: its position, and its events when they can be
// trusted; NaN and nothing when the design cannot reach it.
std::optional<PositionEvents> notchEvents(const Model& m, const BalancePosition& p,
                                          float& position) {
    const NotchPosition notch = findNotch(m, {p.value, p.forward});
    position = notch.found ? notch.position : NAN;
    if (!notch.found || notch.events.failedSolves > 0 || notch.events.errorRaised)
        return std::nullopt;
    return notch.events;
}

float resolvePosition(const Model& m, const std::array<float, 4>& named, const BalancePosition& p) {
    using Kind = BalancePosition::Kind;
    switch (p.kind) {
        case Kind::MidGear:
            return m.ReverseArmCentre();
        case Kind::NormalForward:
            return named[0];
        case Kind::NormalReverse:
            return named[1];
        case Kind::MaxForward:
            return named[2];
        case Kind::MaxReverse:
            return named[3];
        case Kind::SetEntry:
            if (p.entry >= 1 && p.entry <= 9)
                return m.reverseArmPositions[static_cast<std::size_t>(p.entry)];
            return NAN;
        case Kind::Notch: {  // a search of its own; measureDesign finds it with its events
            const NotchPosition notch = findNotch(m, {p.value, p.forward});
            return notch.found ? notch.position : NAN;
        }
        case Kind::Fixed:
            break;
    }
    return p.value;
}

// The named positions of `m`, forward on the side a solve at mid gear gives.
std::array<float, 4> namedPositionsOf(const Model& m) {
    LinkageSolver solver(m);
    return namedPositions(m, midGearOrientation(solver));
}

}  // namespace

std::vector<float> resolveBalancePositions(const Model& design,
                                           const std::vector<BalancePosition>& positions) {
    const std::array<float, 4> named = namedPositionsOf(design);
    std::vector<float> out;
    for (const BalancePosition& p : positions) out.push_back(resolvePosition(design, named, p));
    return out;
}

Model balanceCandidate(const Model& base, const BalanceRequest& request,
                       std::span<const double> values) {
    Model m = base;
    for (std::size_t i = 0; i < request.vary.size() && i < values.size(); ++i) {
        const int code = request.vary[i].code;
        float value = toSingle(values[i]);
        if (code == kRockingAngleCode) value = wrapAngle360(value);
        setDimensionValue(m, code, value);
    }
    CalcMidGear(m);
    clearCutoffReadouts(m);
    return m;
}

double BalanceScale::points(BalanceObjective objective, double difference) const {
    switch (objective) {
        case BalanceObjective::Lead:
            return difference * leadPointsPerUnit;
        case BalanceObjective::DieSlip:
            return difference * dieSlipPointsPerUnit;
        case BalanceObjective::CutOff:
        case BalanceObjective::Release:
        case BalanceObjective::Compression:
        case BalanceObjective::Mep:
            break;
    }
    return difference;
}

BalanceScale balanceScale(const Model& start) {
    const double width = 0.5 * (static_cast<double>(start.cyl.SteamPortWidthFront()) +
                                start.cyl.SteamPortWidthRear());
    BalanceScale scale;
    if (std::isfinite(width) && width > 0) scale.leadPointsPerUnit = 100.0 / width;
    const double stroke = start.frame.Stroke;
    if (std::isfinite(stroke) && stroke > 0) scale.dieSlipPointsPerUnit = 100.0 / stroke;
    return scale;
}

DesignMeasure measureDesign(const Model& design, const BalanceRequest& request,
                            const BalanceScale& scale) {
    Model m = design;
    // The design's own findings only: a flag the live model carried in must not count, and a
    // guard must flag what it meets whether or not the user wants the beep.
    m.solver.ErrorFlag = false;
    m.solver.BeepOnError = true;
    const std::array<float, 4> named = namedPositionsOf(m);

    DesignMeasure out;
    auto addTerm = [&out](double points) {
        if (!std::isfinite(points)) points = kMissingPoints;
        points = std::fabs(points);
        out.objective += points * points;
        if (points > out.worst) out.worst = points;
    };

    std::optional<PositionEvents> normalForward;
    bool normalForwardTried = false;
    // The greatest die slip of the positions, in points; a missing one counts as missing.
    std::optional<double> greatestSlip;
    bool slipCompared = false;
    for (const BalancePosition& p : request.positions) {
        float position = 0;
        std::optional<PositionEvents> events;
        if (p.kind == BalancePosition::Kind::Notch) {
            events = notchEvents(m, p, position);
        } else {
            position = resolvePosition(m, named, p);
            events = trustedEvents(m, position);
        }
        out.positions.push_back(position);
        out.leads.push_back(
            events ? std::optional<BalanceLeads>({events->front.lead, events->rear.lead})
                   : std::nullopt);
        for (BalanceObjective objective : request.objectives) {
            if (objective == BalanceObjective::DieSlip) {
                const std::optional<double> slip = trustedDieSlip(m, position);
                out.differences.push_back(slip);
                const double points = slip ? scale.points(objective, *slip) : kMissingPoints;
                if (!slipCompared || !(points <= *greatestSlip)) greatestSlip = points;
                slipCompared = true;
                continue;
            }
            const std::optional<double> d = objective == BalanceObjective::Mep
                                                ? mepDifference(m, position)
                                            : events ? difference(*events, objective)
                                                     : std::nullopt;
            out.differences.push_back(d);
            const double weight = objective == BalanceObjective::Lead ? request.leadWeight : 1.0;
            addTerm(d ? weight * scale.points(objective, *d) : kMissingPoints);
        }
        if (p.kind == BalancePosition::Kind::NormalForward && !normalForwardTried) {
            normalForward = events;
            normalForwardTried = true;
        }
    }

    if (greatestSlip) addTerm(*greatestSlip);

    if (request.targetCutOff) {
        if (!normalForwardTried) normalForward = trustedEvents(m, named[0]);
        if (normalForward && normalForward->front.cutOff.occurs() &&
            normalForward->rear.cutOff.occurs())
            out.targetMean = 0.5 * (static_cast<double>(normalForward->front.cutOff.value) +
                                    normalForward->rear.cutOff.value);
        addTerm(out.targetMean ? *out.targetMean - *request.targetCutOff : kMissingPoints);
    }
    return out;
}

}  // namespace tarvell
