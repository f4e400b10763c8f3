// The indicator diagram (see Indicator.h).
//
// Within one phase the pressure is a function of the end's volume alone, so the work of a
// span depends only on the volumes at its two ends, however the piston moves between them.
// The integration is therefore exact once the events are placed exactly: the card is
// integrated over its events (and the dead centres) alone, which the valve events' sparse
// scan finds, and the samples of the turn only serve to draw it, needing no solve.
#include "Indicator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>

#include "DegreeScan.h"
#include "Piston.h"
#include "SolveAt.h"

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
    // p V = K for the isothermal index, without the cost of a power.
    if (s.polytropicIndex == 1.0) return k / volume;
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

namespace {

// What holds from one state of a card on: its phase and, while trapped, p V^n of the steam.
struct Held {
    CardPhase phase = CardPhase::Exhaust;
    double k = 0;
};

// The stroke of `end` at piston place s (0 at the front dead centre, 1 at the rear).
double endStroke(CylinderEnd end, double s) {
    return end == CylinderEnd::Front ? s : 1.0 - s;
}

// Runs the turn's states twice, the first time only to settle the trapped steam, and gives
// what holds from each state on in the second, with what held just before the first (the
// turn's end). Whatever the end starts with is forgotten by the end of the settling turn,
// except when no port ever opens; then the trapped steam's pressure is arbitrary and its card
// encloses no area.
std::vector<Held> settle(std::span<const CardState> turn, CylinderEnd end, double clearance,
                         const IndicatorSettings& settings, Held& beforeFirst) {
    std::vector<Held> held(turn.size());
    Held now;
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1) beforeFirst = now;
        for (std::size_t i = 0; i < turn.size(); ++i) {
            if (turn[i].phase != now.phase) {
                const double volume = clearance + endStroke(end, turn[i].s);
                if (turn[i].phase == CardPhase::Trapped)
                    now.k = pressureIn(now.phase, volume, now.k, settings) *
                            std::pow(volume, settings.polytropicIndex);
                now.phase = turn[i].phase;
            }
            if (pass == 1) held[i] = now;
        }
    }
    return held;
}

// The points of a card over `states` in running order, each holding `held` from it on:
// trapping keeps the pressure, an opening port sets it at once, so a change to steam or
// exhaust is two points at one place; the point before a change at the first state is the
// card's closing point, added at the end.
std::vector<CardPoint> cardPoints(std::span<const CardState> states, std::span<const Held> held,
                                  const Held& beforeFirst, CylinderEnd end, double clearance,
                                  const IndicatorSettings& settings) {
    std::vector<CardPoint> points;
    points.reserve(states.size() + 8);
    for (std::size_t i = 0; i < states.size(); ++i) {
        const CardState& state = states[i];
        const Held& was = i > 0 ? held[i - 1] : beforeFirst;
        const Held& now = held[i];
        const double stroke = endStroke(end, state.s), volume = clearance + stroke;
        if (i > 0 && was.phase != now.phase && now.phase != CardPhase::Trapped)
            points.push_back({state.angle, state.s, stroke,
                              pressureIn(was.phase, volume, was.k, settings), was.phase});
        points.push_back({state.angle, state.s, stroke,
                          pressureIn(now.phase, volume, now.k, settings), now.phase});
    }
    if (!states.empty()) {
        const Held& last = held.back();
        const double stroke = endStroke(end, states[0].s);
        points.push_back({states[0].angle, states[0].s, stroke,
                          pressureIn(last.phase, clearance + stroke, last.k, settings),
                          last.phase});
    }
    return points;
}

// The card's figures from its settled states: the work over the turn and the first cut-off
// taken while the volume grows, with the pressure before the next release.
void integrate(std::span<const CardState> turn, std::span<const Held> held, const Held& beforeFirst,
               CylinderEnd end, double clearance, const IndicatorSettings& settings,
               IndicatorCard& card) {
    const std::size_t count = turn.size();
    double work = 0;
    std::vector<PhaseChange> changes;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t next = i + 1 < count ? i + 1 : 0;
        const double stroke = endStroke(end, turn[i].s), volume = clearance + stroke;
        const double nextStroke = endStroke(end, turn[next].s);
        const Held& was = i > 0 ? held[i - 1] : beforeFirst;
        const Held& now = held[i];
        if (now.phase != was.phase)
            changes.push_back({was.phase, now.phase, stroke,
                               pressureIn(was.phase, volume, was.k, settings),
                               nextStroke > stroke});
        work += spanWork(now.phase, volume, clearance + nextStroke, now.k, settings);
    }
    // Volumes are in units of the swept volume, so the work is already per swept volume.
    card.mep = work;
    findCutOff(changes, card);
}

}  // namespace

IndicatorCard integrateCard(std::span<const CardState> turn, CylinderEnd end, double clearance,
                            const IndicatorSettings& settings) {
    IndicatorCard card;
    if (turn.empty()) return card;
    Held beforeFirst;
    const std::vector<Held> held = settle(turn, end, clearance, settings, beforeFirst);
    integrate(turn, held, beforeFirst, end, clearance, settings, card);
    card.points = cardPoints(turn, held, beforeFirst, end, clearance, settings);
    return card;
}

double mepDifferencePercent(double front, double rear) {
    const double mean = 0.5 * (front + rear);
    if (!std::isfinite(front) || !std::isfinite(rear) || !(mean > 0)) return kNoFigure;
    return 100.0 * (front - rear) / mean;
}

double sweptVolume(const Model& m) {
    const double bore = m.cyl.CylinderBoreDia();
    return kPi / 4.0 * bore * bore * m.frame.Stroke;
}

namespace {

constexpr int kMinSamples = 36, kMaxSamples = 360000;

using scan::EdgeView;
using scan::Sampler;
using scan::Turn;

// A port edge opening or closing, at its running offset from driver angle 0.
struct EdgeChange {
    double run;
    Edge edge;
};

// Every change of edge e over the turn from driver angle 0 in running order, as the valve
// events find theirs: the edge seen through the sparse scan, each crossing bisected to 0.01
// degree. A view that proves wrong is built again (the curve's margin has widened by then),
// and at the third time without the curve. Gives whether the edge is open at the start.
bool edgeChanges(Sampler& s, Turn& turn, Edge e, int direction, std::vector<EdgeChange>& out) {
    const std::size_t kept = out.size();
    EdgeView v;
    for (int attempt = 0;; ++attempt) {
        out.resize(kept);
        if (attempt == 2) turn.distrustCurve();
        scan::viewEdge(s, turn, e, 0, direction, 0, v);
        bool sound = true;
        for (int i = 0; i + 1 < v.count && sound; ++i) {
            const scan::Point& a = v.p[scan::at(i)];
            const scan::Point& b = v.p[scan::at(i + 1)];
            const bool opens = !(a.open > 0) && b.open > 0;
            if (!opens && !(a.open > 0 && !(b.open > 0))) continue;
            double place = 0;
            const std::optional<double> t =
                scan::refineCrossing(s, turn, v, e, opens ? a : b, opens ? b : a, &place);
            if (t)
                out.push_back({place, e});
            else
                sound = false;
        }
        if (sound || attempt == 2) return v.p[0].open > 0;
    }
}

CardPhase phaseOf(bool steamOpen, bool exhaustOpen) {
    return cardPhase(steamOpen ? 1.0f : 0.0f, exhaustOpen ? 1.0f : 0.0f);
}

// One place of the turn: its running offset, driver angle and piston place.
struct Place {
    double run;
    double angle;
    double s;
};

// One end's card: its states at the start, at each dead centre and at each change of its
// phase, integrated exactly; then drawn at the samples as well, each sample holding what the
// state before it holds.
IndicatorCard endCard(CylinderEnd end, std::span<const EdgeChange> changes,
                      const std::array<bool, kEdges>& openAtStart, std::span<const Place> samples,
                      LinkageSolver& solver, int direction, double clearance,
                      const IndicatorSettings& settings) {
    const Edge steamEdge = end == CylinderEnd::Front ? FrontSteam : RearSteam;
    const Edge exhaustEdge = end == CylinderEnd::Front ? FrontExhaust : RearExhaust;
    auto placeAt = [&](double run) {
        const double angle = wrapDegrees(direction * run);
        return Place{run, angle, travelFraction(solver.pistonTravelAt(angle))};
    };
    bool steam = openAtStart[steamEdge], exhaust = openAtStart[exhaustEdge];
    std::vector<Place> places{placeAt(0)};
    std::vector<CardState> states{{places[0].angle, places[0].s, phaseOf(steam, exhaust)}};
    // Splitting the turn at the dead centres keeps the volume monotone within a span, so
    // whether it grows after a cut-off is read from the span. On the axle line the turn starts
    // at the front dead centre and is split at the rear one; off it, it is split at both.
    const DeadCentres& dc = solver.deadCentres();
    std::array<double, 2> splits{180.0, 0.0};
    std::size_t splitCount = 1;
    if (!dc.onAxleLine) {
        splitCount = 0;
        for (double angle : {dc.front, dc.rear})
            if (const double run = wrapDegrees(direction * angle); run > 0)
                splits[splitCount++] = run;
        if (splitCount == 2 && splits[1] < splits[0]) std::swap(splits[0], splits[1]);
    }
    std::size_t split = 0;
    auto add = [&](const Place& p, CardPhase phase) {
        places.push_back(p);
        states.push_back({p.angle, p.s, phase});
    };
    for (const EdgeChange& c : changes) {
        if (c.edge != steamEdge && c.edge != exhaustEdge) continue;
        for (; split < splitCount && c.run > splits[split]; ++split)
            add(placeAt(splits[split]), states.back().phase);
        (c.edge == steamEdge ? steam : exhaust) ^= true;
        const CardPhase phase = phaseOf(steam, exhaust);
        if (phase != states.back().phase) add(placeAt(c.run), phase);
    }
    for (; split < splitCount; ++split) add(placeAt(splits[split]), states.back().phase);

    IndicatorCard card;
    Held beforeFirst;
    const std::vector<Held> held = settle(states, end, clearance, settings, beforeFirst);
    integrate(states, held, beforeFirst, end, clearance, settings, card);

    // The points: the samples and the changes of phase together in running order, a sample
    // before a change at its own place (the first state is sample 0; the dead centres are not
    // drawn). A change to steam or exhaust is two points at one place, before and after.
    std::vector<CardPoint>& points = card.points;
    points.resize(samples.size() + 2 * states.size() + 1);
    std::size_t n = 0;
    auto point = [&](double angle, double s, const Held& h) {
        const double stroke = endStroke(end, s);
        points[n++] = {angle, s, stroke, pressureIn(h.phase, clearance + stroke, h.k, settings),
                       h.phase};
    };
    std::size_t k = 0;  // the next sample
    for (std::size_t i = 0; i < states.size(); ++i) {
        const Held& h = held[i];
        if (i > 0 && h.phase != held[i - 1].phase) {
            if (h.phase != CardPhase::Trapped) point(states[i].angle, states[i].s, held[i - 1]);
            point(states[i].angle, states[i].s, h);
        }
        const double until = i + 1 < states.size() ? places[i + 1].run : HUGE_VAL;
        for (; k < samples.size() && samples[k].run <= until; ++k)
            point(samples[k].angle, samples[k].s, h);
    }
    point(samples[0].angle, samples[0].s, held.back());  // the card closes where it started
    points.resize(n);
    return card;
}

}  // namespace

IndicatorResult indicatorDiagram(const Model& m, float position, const IndicatorSettings& wanted,
                                 int samplesPerTurn) {
    IndicatorResult out;
    out.settings = usableIndicatorSettings(wanted);
    out.position = position;
    LinkageSolver solver(m);
    out.tag = positionTag(m, position, midGearOrientation(solver));
    out.forward = runsForward(out.tag);
    const int direction = out.forward ? 1 : -1;

    // Where each edge opens and closes, in running order from driver angle 0.
    Sampler sampler(solver, position);
    Turn turn = scan::sampleTurn(sampler, false);
    std::vector<EdgeChange> changes;
    changes.reserve(16);
    std::array<bool, kEdges> openAtStart{};
    for (int e = 0; e < kEdges; ++e)
        openAtStart[scan::at(e)] =
            edgeChanges(sampler, turn, static_cast<Edge>(e), direction, changes);
    std::stable_sort(changes.begin(), changes.end(),
                     [](const EdgeChange& a, const EdgeChange& b) { return a.run < b.run; });

    // The samples the cards are drawn at: the piston's place alone, which needs no solve.
    const int count = std::clamp(samplesPerTurn, kMinSamples, kMaxSamples);
    const double step = 360.0 / count;
    std::vector<float> travels(static_cast<std::size_t>(count));
    solver.pistonTravelsOverTurn(out.forward, travels);
    std::vector<Place> samples(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        const double run = k * step;
        samples[static_cast<std::size_t>(k)] = {
            run, wrapDegrees(direction * run),
            travelFraction(travels[static_cast<std::size_t>(k)])};
    }

    const IndicatorSettings& s = out.settings;
    out.front = endCard(CylinderEnd::Front, changes, openAtStart, samples, solver, direction,
                        s.frontClearancePct / 100.0, s);
    out.rear = endCard(CylinderEnd::Rear, changes, openAtStart, samples, solver, direction,
                       s.rearClearancePct / 100.0, s);
    const double swept = sweptVolume(m);
    out.front.work = out.front.mep * swept;
    out.rear.work = out.rear.mep * swept;
    out.differencePct = mepDifferencePercent(out.front.mep, out.rear.mep);
    out.solves = solver.solves();
    out.findings = solver.findings();
    return out;
}

}  // namespace tarvell
