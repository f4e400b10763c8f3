// One turn of the valve with its port-line crossings, and the steam bands (see ValveTurn.h).
#include "ValveTurn.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "Numbers.h"
#include "Piston.h"
#include "RootFinding.h"
#include "SolveAt.h"

namespace tarvell {
namespace {

constexpr double kCrossingTolerance = 0.001;  // degrees
constexpr int kMostHalvings = 40;

// The driver angle `run` degrees from the start of the turn.
double angleOfRun(double run, bool forward) {
    return wrapDegrees(forward ? run : 360.0 - run);
}

TurnPoint pointOf(const LinkageSolution& s, double run) {
    TurnPoint p;
    p.run = run;
    p.driverAngle = s.driverAngle;
    p.displacement = s.valveDisplacement();
    p.pistonTravel = s.openings.PistonTravel;
    return p;
}

// Adds a stretch to a band, joining it to the last one when it carries on that one's event the
// same way: a band of one stretch per degree would be drawn several hundred times over.
void addStretch(std::vector<BandSegment>& band, const BandSegment& s) {
    if (!band.empty()) {
        BandSegment& last = band.back();
        if (last.outward == s.outward && last.event == s.event) {
            if (last.to == s.from) {
                last.to = s.to;
                return;
            }
            if (last.from == s.to) {
                last.from = s.from;
                return;
            }
        }
    }
    band.push_back(s);
}

}  // namespace

std::array<float, kPortLineCount> portLineDisplacements(const PortLines& l) {
    return {l.FrontSteamPortOpen, l.FrontSteamPortMax, l.FrontExhaustPortOpen,
            -l.RearSteamPortOpen, -l.RearSteamPortMax, -l.RearExhaustPortOpen};
}

EdgeOpenings openingsAt(float displacement, const PortLines& l) {
    const double d = displacement;
    EdgeOpenings o;
    o.frontSteam = toSingle(d - l.FrontSteamPortOpen);
    o.frontExhaust = toSingle(l.FrontExhaustPortOpen - d);
    o.rearSteam = toSingle(-d - l.RearSteamPortOpen);
    o.rearExhaust = toSingle(d + l.RearExhaustPortOpen);
    return o;
}

ValveTurn sampleValveTurn(const Model& m, float position, bool forward, double step) {
    if (!(step >= 0.01 && step <= 360.0)) step = 1.0;

    LinkageSolver solver(m);
    auto at = [&](double run) {
        return pointOf(solver.solve(angleOfRun(run, forward), position), run);
    };
    const LinkageSolution first = solver.solve(angleOfRun(0, forward), position);
    TurnPoint previous = pointOf(first, 0);
    ValveTurn turn;
    turn.forward = forward;
    turn.lines = portLines(first.limits);  // those of this solve
    const auto lines = portLineDisplacements(turn.lines);
    const int count = static_cast<int>(std::ceil(360.0 / step - 1e-9));
    turn.points.reserve(static_cast<std::size_t>(count) + 1 + 16);

    turn.points.push_back(previous);
    // Off the axle line the dead centres fall between the samples: they are samples too, so
    // that the piston turns back at a point of the turn.
    std::array<double, 2> deadCentreRuns{};
    std::size_t deadCentreCount = 0;
    if (const DeadCentres& dc = solver.deadCentres(); !dc.onAxleLine) {
        for (double angle : {dc.front, dc.rear})
            if (const double run = wrapDegrees(forward ? angle : -angle); run > 0)
                deadCentreRuns[deadCentreCount++] = run;
        if (deadCentreCount == 2 && deadCentreRuns[1] < deadCentreRuns[0])
            std::swap(deadCentreRuns[0], deadCentreRuns[1]);
    }
    std::size_t nextDeadCentre = 0;
    std::vector<TurnPoint> crossings;
    for (int i = 1; i <= count; ++i) {
        double run = std::min(360.0, i * step);
        if (nextDeadCentre < deadCentreCount && deadCentreRuns[nextDeadCentre] < run) {
            run = deadCentreRuns[nextDeadCentre++];
            --i;  // the regular sample comes next
            if (!(run > previous.run)) continue;
        }
        const TurnPoint next = at(run);
        crossings.clear();
        for (int line = 0; line < kPortLineCount; ++line) {
            const float q = lines[static_cast<std::size_t>(line)];
            const bool aboveBefore = previous.displacement > q;
            if (aboveBefore == (next.displacement > q)) continue;
            const double crossed = bisectChange(
                previous.run, next.run,
                [&](double mid) { return (at(mid).displacement > q) != aboveBefore; },
                kCrossingTolerance, kMostHalvings);
            TurnPoint c = at(crossed);
            c.displacement = q;  // where the edge opens or closes, by definition
            c.line = line;
            crossings.push_back(c);
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const TurnPoint& a, const TurnPoint& b) { return a.run < b.run; });
        turn.points.insert(turn.points.end(), crossings.begin(), crossings.end());
        turn.points.push_back(next);
        previous = next;
    }
    turn.failedSolves = solver.findings().failedSolves;
    turn.errorRaised = solver.findings().errorRaised;
    return turn;
}

SteamBands steamBands(const ValveTurn& turn) {
    SteamBands bands;
    const std::vector<TurnPoint>& p = turn.points;
    if (p.size() < 2) return bands;
    PortEventState front, rear;
    for (int pass = 0; pass < 2; ++pass) {
        const bool record = pass == 1;  // the first pass only settles the latches
        for (std::size_t i = 0; i + 1 < p.size(); ++i) {
            const TurnPoint& a = p[i];
            const TurnPoint& b = p[i + 1];
            const float middle =
                toSingle((static_cast<double>(a.displacement) + b.displacement) / 2.0);
            const EdgeOpenings o = openingsAt(middle, turn.lines);
            const PortEvent fe = NextPortEvent(front, o.frontSteam, o.frontExhaust);
            const PortEvent re = NextPortEvent(rear, o.rearSteam, o.rearExhaust);
            if (!record) continue;
            const double fa = travelPercent(a.pistonTravel);
            const double fb = travelPercent(b.pistonTravel);
            if (fa == fb) continue;
            // The front end's stroke runs out as the travel grows; the rear end's as it falls.
            addStretch(bands.front,
                       {toSingle(std::min(fa, fb)), toSingle(std::max(fa, fb)), fb > fa, fe});
            addStretch(bands.rear, {toSingle(100.0 - std::max(fa, fb)),
                                    toSingle(100.0 - std::min(fa, fb)), fb < fa, re});
        }
    }
    return bands;
}

}  // namespace tarvell
