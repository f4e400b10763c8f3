// One turn of the valve with its port-line crossings, and the steam bands (see ValveTurn.h).
#include "ValveTurn.h"

#include <algorithm>
#include <cmath>

#include "Numbers.h"

namespace tarvell {
namespace {

constexpr double kCrossingTolerance = 0.001;  // degrees
constexpr double kPercentPerTravel = 1.0 / 6.4;

float angleOfRun(double run, bool forward) {
    double a = std::fmod(forward ? run : 360.0 - run, 360.0);
    if (a < 0) a += 360.0;
    if (a >= 360.0) a = 0.0;
    return static_cast<float>(a);
}

class TurnSampler {
  public:
    TurnSampler(Model& m, bool forward) : m_(m), forward_(forward) {}

    TurnPoint at(double run) {
        m_.gear.DriverAngle = angleOfRun(run, forward_);
        m_.solver.SolveStatus = 'Z';
        SolveLinkage(m_);
        if (m_.solver.SolveStatus == 'E') ++failed;
        ComputePistonAndOpenings(m_);
        TurnPoint p;
        p.run = run;
        p.driverAngle = m_.gear.DriverAngle;
        p.displacement = ValveDisplacement(m_);
        p.pistonTravel = m_.openings.PistonTravel;
        return p;
    }

    int failed = 0;

  private:
    Model& m_;
    bool forward_;
};

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

ValveTurn sampleValveTurn(const Model& live, float position, bool forward, double step) {
    Model m = live;
    if (!(step >= 0.01 && step <= 360.0)) step = 1.0;

    m.gear.ReverseArmPosition = position;
    TurnSampler s(m, forward);
    TurnPoint previous = s.at(0);
    ValveTurn turn;
    turn.forward = forward;
    turn.lines = portLines(m);  // those of this solve
    const auto lines = portLineDisplacements(turn.lines);
    const int count = static_cast<int>(std::ceil(360.0 / step - 1e-9));
    turn.points.reserve(static_cast<std::size_t>(count) + 1 + 16);

    turn.points.push_back(previous);
    std::vector<TurnPoint> crossings;
    for (int i = 1; i <= count; ++i) {
        const double run = std::min(360.0, i * step);
        const TurnPoint next = s.at(run);
        crossings.clear();
        for (int line = 0; line < kPortLineCount; ++line) {
            const float q = lines[static_cast<std::size_t>(line)];
            const bool aboveBefore = previous.displacement > q;
            if (aboveBefore == (next.displacement > q)) continue;
            double lo = previous.run, hi = next.run;  // lo on the side of `previous`
            TurnPoint mid;
            for (int k = 0; k < 40 && hi - lo > kCrossingTolerance; ++k) {
                mid = s.at(0.5 * (lo + hi));
                ((mid.displacement > q) == aboveBefore ? lo : hi) = mid.run;
            }
            TurnPoint c = s.at(0.5 * (lo + hi));
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
    turn.failedSolves = s.failed;
    turn.errorRaised = m.solver.ErrorFlag;
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
            const double fa = a.pistonTravel * kPercentPerTravel;
            const double fb = b.pistonTravel * kPercentPerTravel;
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
