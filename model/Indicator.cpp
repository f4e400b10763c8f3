// The indicator diagram (see Indicator.h).
//
// Within one phase the pressure is a function of the end's volume alone, so the work of a
// span depends only on the volumes at its two ends, however the piston moves between them.
// The integration is therefore exact once the events are placed exactly: the samples serve
// to find the events and to draw the card, not to approximate the integral.
#include "Indicator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "Calc.h"

namespace tarvell {
namespace {

double pressureIn(CardPhase phase, double volume, double k, const IndicatorSettings& s) {
    switch (phase) {
        case CardPhase::Steam:
            return s.chestPressure;
        case CardPhase::Exhaust:
            return s.backPressure;
        case CardPhase::Trapped:
            break;
    }
    return k * std::pow(volume, -s.polytropicIndex);
}

// The integral of p dV from v1 to v2 within one phase.
double spanWork(CardPhase phase, double v1, double v2, double k, const IndicatorSettings& s) {
    if (phase != CardPhase::Trapped) return pressureIn(phase, v1, k, s) * (v2 - v1);
    const double logRatio = std::log(v2 / v1);
    const double m = 1.0 - s.polytropicIndex;
    if (m == 0) return k * logRatio;
    // K (v2^m - v1^m) / m, written so that it stays accurate as n comes near 1.
    return k * std::pow(v1, m) * std::expm1(m * logRatio) / m;
}

// A change of phase met while integrating.
struct PhaseChange {
    CardPhase from, to;
    double stroke;
    double pressureBefore;
    bool growing;  // the end's volume grows over the span that follows
};

// The first cut-off taken while the volume grows and the pressure before the next release.
void findCutOff(const std::vector<PhaseChange>& changes, IndicatorCard& card) {
    const std::size_t count = changes.size();
    for (std::size_t i = 0; i < count; ++i) {
        const PhaseChange& c = changes[i];
        if (c.from != CardPhase::Steam || !c.growing) continue;
        card.cutOffPct = 100.0 * c.stroke;
        for (std::size_t j = 0; j < count; ++j) {
            const PhaseChange& r = changes[(i + j) % count];
            if (r.to == CardPhase::Exhaust) {
                card.releasePressure = r.pressureBefore;
                break;
            }
        }
        return;
    }
}

}  // namespace

std::string_view cardPhaseText(CardPhase phase) {
    switch (phase) {
        case CardPhase::Steam:
            return "steam";
        case CardPhase::Exhaust:
            return "exhaust";
        case CardPhase::Trapped:
            break;
    }
    return "trapped";
}

IndicatorCard integrateCard(std::span<const CardState> turn, CylinderEnd end, double clearance,
                            const IndicatorSettings& settings) {
    IndicatorCard card;
    const std::size_t count = turn.size();
    if (count == 0) return card;
    const double n = settings.polytropicIndex;
    auto strokeAt = [&](std::size_t i) {
        return end == CylinderEnd::Front ? turn[i].s : 1.0 - turn[i].s;
    };

    // Whatever the end starts with is forgotten by the end of the settling turn, except
    // when no port ever opens; then the trapped steam's pressure is arbitrary and its card
    // encloses no area.
    CardPhase phase = CardPhase::Exhaust;
    double k = 0;  // p * V^n of the trapped steam
    double work = 0;
    std::vector<PhaseChange> changes;
    card.points.reserve(count + 8);
    for (int pass = 0; pass < 2; ++pass) {
        const bool record = pass == 1;
        for (std::size_t i = 0; i < count; ++i) {
            const CardState& state = turn[i];
            const std::size_t next = i + 1 < count ? i + 1 : 0;
            const double stroke = strokeAt(i), volume = clearance + stroke;
            const double before = pressureIn(phase, volume, k, settings);
            const CardPhase was = phase;
            if (state.phase != phase) {
                if (state.phase == CardPhase::Trapped) k = before * std::pow(volume, n);
                phase = state.phase;
                if (record)
                    changes.push_back({was, phase, stroke, before, strokeAt(next) > stroke});
            }
            if (!record) continue;
            const double after = pressureIn(phase, volume, k, settings);
            // Trapping keeps the pressure; an opening port sets it at once. The point before
            // a change at the first state is the card's closing point.
            if (i > 0 && was != phase && phase != CardPhase::Trapped)
                card.points.push_back({state.angle, state.s, stroke, before, was});
            card.points.push_back({state.angle, state.s, stroke, after, phase});
            work += spanWork(phase, volume, clearance + strokeAt(next), k, settings);
        }
    }
    const double firstStroke = strokeAt(0);
    card.points.push_back({turn[0].angle, turn[0].s, firstStroke,
                           pressureIn(phase, clearance + firstStroke, k, settings), phase});
    // Volumes are in units of the swept volume, so the work is already per swept volume.
    card.mep = work;
    findCutOff(changes, card);
    return card;
}

double mepDifferencePercent(double front, double rear) {
    const double mean = 0.5 * (front + rear);
    if (!std::isfinite(front) || !std::isfinite(rear) || !(mean > 0)) return kNoFigure;
    return 100.0 * (front - rear) / mean;
}

double sweptVolume(const Model& m) {
    const double bore = m.cyl.CylinderBoreDia();
    return std::numbers::pi / 4.0 * bore * bore * m.frame.Stroke;
}

namespace {

constexpr double kCrossingTolerance = 1e-4;  // degrees
constexpr int kMaxCrossingSolves = 8;
constexpr int kMinSamples = 36, kMaxSamples = 360000;
constexpr double kTravelPerStroke = 640.0;

// Each end's exhaust edge follows its steam edge.
enum Edge { FrontSteam, FrontExhaust, RearSteam, RearExhaust, kEdges };
using EdgeOpenings = std::array<float, kEdges>;

double wrapDegrees(double a) {
    a = std::fmod(a, 360.0);
    if (a < 0) a += 360.0;
    return a >= 360.0 ? 0.0 : a + 0.0;  // + 0.0 turns -0 into 0
}

// Runs the solver at driver angles and counts what it took.
class TurnSolver {
  public:
    explicit TurnSolver(Model& m) : m_(m) {}

    void solveAt(double angle) {
        m_.gear.DriverAngle = static_cast<float>(wrapDegrees(angle));
        m_.solver.SolveStatus = 'Z';
        SolveLinkage(m_);
        if (m_.solver.SolveStatus == 'E') ++failed;
        ++solves;
        ComputePistonAndOpenings(m_);
    }
    EdgeOpenings openings() const {
        const Openings& o = m_.openings;
        return {o.FrontSteamOpening, o.FrontExhaustOpening, o.RearSteamOpening,
                o.RearExhaustOpening};
    }
    double s() const { return m_.openings.PistonTravel / kTravelPerStroke; }
    // The piston's place depends on the driver angle alone: no solve is needed.
    double sAt(double angle) {
        m_.gear.DriverAngle = static_cast<float>(wrapDegrees(angle));
        ComputePistonAndOpenings(m_);
        return s();
    }

    int solves = 0, failed = 0;

  private:
    Model& m_;
};

struct Sample {
    double angle;  // unwrapped: k times the signed step
    double s;
    EdgeOpenings open;
};

// Where an edge's opening passes through zero within a step, as the fraction u of the step.
struct Crossing {
    double u;
    int edge;
    double angle, s;
};

// Regula falsi (the Illinois form) on the step from angle a to b, where edge `e` is open at
// one end only. The solver's valve-rod search leaves a small ripple on the openings, so the
// search stops at a bounded number of solves even if it has not settled to the tolerance.
Crossing findCrossing(TurnSolver& t, int e, double a, double b, float fa0, float fb0) {
    const double span = std::fabs(b - a);
    double ua = 0, ub = 1, fa = fa0, fb = fb0;
    double u = 0.5;
    int kept = 0;  // which end the last solve left in place: -1 a's, +1 b's
    for (int i = 0; i <= kMaxCrossingSolves; ++i) {
        double estimate = fa != fb ? ua + fa * (ub - ua) / (fa - fb) : 0.5 * (ua + ub);
        if (!(estimate > ua && estimate < ub)) estimate = 0.5 * (ua + ub);
        const bool settled = i > 0 && std::fabs(estimate - u) * span < kCrossingTolerance;
        u = estimate;
        if (settled || i == kMaxCrossingSolves || (ub - ua) * span < kCrossingTolerance) break;
        t.solveAt(a + u * (b - a));
        const double fu = t.openings()[static_cast<std::size_t>(e)];
        if ((fu > 0) == (fa > 0)) {
            ua = u, fa = fu;
            if (kept == 1) fb *= 0.5;
            kept = 1;
        } else {
            ub = u, fb = fu;
            if (kept == -1) fa *= 0.5;
            kept = -1;
        }
    }
    const double angle = a + u * (b - a);
    return {u, e, angle, t.sAt(angle)};
}

CardPhase phaseOf(bool steamOpen, bool exhaustOpen) {
    return cardPhase(steamOpen ? 1.0f : 0.0f, exhaustOpen ? 1.0f : 0.0f);
}

}  // namespace

IndicatorResult indicatorDiagram(const Model& live, float position, const IndicatorSettings& wanted,
                                 int samplesPerTurn) {
    IndicatorResult out;
    out.settings = usableIndicatorSettings(wanted);
    out.position = position;
    Model m = live;
    TurnSolver t(m);
    m.gear.ReverseArmPosition = m.ReverseArmCentre();
    t.solveAt(0);  // settles the orientation sign the forward side is read from
    out.tag = positionTag(m, position);
    out.forward = runsForward(out.tag);
    m.gear.ReverseArmPosition = position;

    const int count = std::clamp(samplesPerTurn, kMinSamples, kMaxSamples);
    const double step = (out.forward ? 360.0 : -360.0) / count;
    std::vector<Sample> samples(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        Sample& sample = samples[static_cast<std::size_t>(k)];
        sample.angle = k * step;
        t.solveAt(sample.angle);
        sample.s = t.s();
        sample.open = t.openings();
    }

    // Each end's states: every sample, and every event between samples at its own place.
    std::array<std::vector<CardState>, 2> states;
    for (auto& list : states) list.reserve(samples.size() + 16);
    std::vector<Crossing> crossings;
    for (std::size_t k = 0; k < samples.size(); ++k) {
        const Sample& from = samples[k];
        const Sample& to = samples[k + 1 < samples.size() ? k + 1 : 0];
        const double toAngle = from.angle + step;
        crossings.clear();
        for (int e = 0; e < kEdges; ++e) {
            const float a = from.open[static_cast<std::size_t>(e)];
            const float b = to.open[static_cast<std::size_t>(e)];
            if ((a > 0) != (b > 0))
                crossings.push_back(findCrossing(t, e, from.angle, toAngle, a, b));
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing& x, const Crossing& y) { return x.u < y.u; });
        for (int end = 0; end < 2; ++end) {
            const int steamEdge = end == 0 ? FrontSteam : RearSteam;
            const int exhaustEdge = steamEdge + 1;
            bool steam = from.open[static_cast<std::size_t>(steamEdge)] > 0;
            bool exhaust = from.open[static_cast<std::size_t>(exhaustEdge)] > 0;
            std::vector<CardState>& list = states[static_cast<std::size_t>(end)];
            list.push_back({wrapDegrees(from.angle), from.s, phaseOf(steam, exhaust)});
            for (const Crossing& c : crossings) {
                if (c.edge == steamEdge) steam = !steam;
                if (c.edge == exhaustEdge) exhaust = !exhaust;
                if (c.edge != steamEdge && c.edge != exhaustEdge) continue;
                const CardPhase phase = phaseOf(steam, exhaust);
                if (phase != list.back().phase) list.push_back({wrapDegrees(c.angle), c.s, phase});
            }
        }
    }

    const IndicatorSettings& s = out.settings;
    out.front = integrateCard(states[0], CylinderEnd::Front, s.frontClearancePct / 100.0, s);
    out.rear = integrateCard(states[1], CylinderEnd::Rear, s.rearClearancePct / 100.0, s);
    const double swept = sweptVolume(m);
    out.front.work = out.front.mep * swept;
    out.rear.work = out.rear.mep * swept;
    out.differencePct = mepDifferencePercent(out.front.mep, out.rear.mep);
    out.solves = t.solves;
    out.findings = findingsOf(m, t.failed);
    return out;
}

}  // namespace tarvell
