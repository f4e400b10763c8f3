// The valve events as first written: the turn sampled every whole degree, each crossing
// bisected and each extreme of the valve golden-sectioned to 0.01 degree (about 470 solves a
// position). Kept only so that tests can hold the faster search in model/ValveEvents.cpp to it.
#include "ReferenceValveEvents.h"

#include <array>
#include <cmath>

#include "Calc.h"
#include "Numbers.h"
#include "Sweep.h"

namespace tarvell::test {
namespace {

constexpr int kSamples = 360;             // one per degree; the dead centres 0 and 180 are samples
constexpr double kAngleTolerance = 0.01;  // degrees
constexpr double kGolden = 0.61803398874989484820;
constexpr double kPercentPerTravel = 1.0 / 6.4;  // piston travel runs 0 to 640

enum Edge { FrontSteam, FrontExhaust, RearSteam, RearExhaust, kEdges };

struct EdgeOpenings {
    std::array<float, kEdges> open{};
};

double wrapDegrees(double a) {
    a = std::fmod(a, 360.0);
    if (a < 0) a += 360.0;
    return a >= 360.0 ? 0.0 : a;
}

// Runs the solver at driver angles and reads what the events need.
class Sampler {
  public:
    explicit Sampler(Model& m) : m_(m) {}

    void solveAt(double angle) {
        m_.gear.DriverAngle = static_cast<float>(wrapDegrees(angle));
        m_.solver.SolveStatus = 'Z';
        SolveLinkage(m_);
        if (m_.solver.SolveStatus == 'E') ++failed;
        ComputePistonAndOpenings(m_);
        ++solves;
    }
    EdgeOpenings openings() const {
        const Openings& o = m_.openings;
        return {
            {o.FrontSteamOpening, o.FrontExhaustOpening, o.RearSteamOpening, o.RearExhaustOpening}};
    }
    float opening(Edge e) const { return openings().open[e]; }
    float stemX() const { return m_.pivots[4].x; }
    // Piston travel at a driver angle; it depends on the angle alone, so no solve is needed.
    float pistonTravelAt(double angle) {
        m_.gear.DriverAngle = static_cast<float>(wrapDegrees(angle));
        ComputePistonAndOpenings(m_);
        return m_.openings.PistonTravel;
    }

    int failed = 0;
    int solves = 0;

  private:
    Model& m_;
};

// The turn as sampled, plus the two refined extremes of the valve's travel (where every
// opening is at its greatest or least).
struct Turn {
    std::array<EdgeOpenings, kSamples> grid{};
    struct Extreme {
        double angle = 0;
        float stemX = 0;
        EdgeOpenings at;
    };
    Extreme least, greatest;  // of pivot 4's X
};

// Golden-section search for the extreme of pivot 4's X within a degree of a sample, sign +1
// for the greatest, -1 for the least. The valve-rod search leaves a ripple of about its
// tolerance on X, so the best point evaluated (the sample included) is the one kept.
Turn::Extreme refineExtreme(Sampler& s, int sample, float sampleX, int sign) {
    double bestAngle = sample, bestValue = sign * static_cast<double>(sampleX);
    auto value = [&](double a) {
        s.solveAt(a);
        const double v = sign * static_cast<double>(s.stemX());
        if (v > bestValue) bestAngle = a, bestValue = v;
        return v;
    };
    double a = sample - 1.0, b = sample + 1.0;
    double c = b - kGolden * (b - a), d = a + kGolden * (b - a);
    double fc = value(c), fd = value(d);
    for (int i = 0; i < 64 && b - a > kAngleTolerance; ++i) {
        if (fc >= fd) {
            b = d, d = c, fd = fc;
            c = b - kGolden * (b - a);
            fc = value(c);
        } else {
            a = c, c = d, fc = fd;
            d = a + kGolden * (b - a);
            fd = value(d);
        }
    }
    s.solveAt(bestAngle);
    return {wrapDegrees(bestAngle), s.stemX(), s.openings()};
}

// One port edge seen along its window of running offsets: the grid samples and the two
// extremes, in order of t.
struct Point {
    double t;
    float open;
};
constexpr int kWindowPoints = kSamples + 3;

struct EdgeView {
    std::array<Point, kWindowPoints> p{};
    int count = 0;
    double deadCentre = 0;  // driver angle of the edge's end's dead centre
    int direction = 1;      // +1 forward, -1 reverse

    double angleOf(double t) const { return wrapDegrees(deadCentre + direction * t); }
};

// The edge's openings over the window [t0, t0 + 360] (both ends are the same angle).
EdgeView viewEdge(const Turn& turn, Edge e, double deadCentre, int direction, int t0) {
    EdgeView v;
    v.deadCentre = deadCentre;
    v.direction = direction;
    for (int j = 0; j <= kSamples; ++j) {
        const int t = t0 + j;
        int index = (static_cast<int>(deadCentre) + direction * t) % kSamples;
        if (index < 0) index += kSamples;
        v.p[v.count++] = {static_cast<double>(t), turn.grid[index].open[e]};
    }
    for (const Turn::Extreme* x : {&turn.least, &turn.greatest}) {
        const double t = t0 + wrapDegrees(direction * (x->angle - deadCentre) - t0);
        int k = v.count++;
        for (; k > 0 && v.p[k - 1].t > t; --k) v.p[k] = v.p[k - 1];
        v.p[k] = {t, x->at.open[e]};
    }
    return v;
}

// The run of open points that belongs to `anchor` (a running offset): the run containing
// it, else the first after it, else the last before it. Indices -1 when nothing is open.
struct Run {
    int first = -1, last = -1;
};

Run chooseRun(const EdgeView& v, double anchor) {
    Run containing, after, before;
    for (int i = 0; i < v.count;) {
        if (!(v.p[i].open > 0)) {
            ++i;
            continue;
        }
        int j = i;
        while (j + 1 < v.count && v.p[j + 1].open > 0) ++j;
        if (v.p[i].t <= anchor && anchor <= v.p[j].t)
            containing = {i, j};
        else if (v.p[i].t > anchor && after.first < 0)
            after = {i, j};
        else if (v.p[j].t < anchor)
            before = {i, j};
        i = j + 1;
    }
    if (containing.first >= 0) return containing;
    return after.first >= 0 ? after : before;
}

// Bisects the zero crossing of edge `e` between running offsets tShut (not open there) and
// tOpen (open) to kAngleTolerance; returns the running offset of the crossing.
double refineCrossing(Sampler& s, const EdgeView& v, Edge e, double tShut, double tOpen) {
    for (int i = 0; i < 64 && std::fabs(tOpen - tShut) > kAngleTolerance; ++i) {
        const double mid = 0.5 * (tShut + tOpen);
        s.solveAt(v.angleOf(mid));
        (s.opening(e) > 0 ? tOpen : tShut) = mid;
    }
    return 0.5 * (tShut + tOpen);
}

// The opening and closing crossings of one edge around `anchor`: whether each occurs within
// the window, and where.
struct Crossings {
    EventStatus opens = EventStatus::NeverOpens, closes = EventStatus::NeverOpens;
    double tOpens = 0, tCloses = 0;
    float greatest = 0;
};

Crossings findCrossings(Sampler& s, const EdgeView& v, Edge e, double anchor) {
    Crossings c;
    int open = 0;
    c.greatest = v.p[0].open;
    for (int i = 0; i < v.count; ++i) {
        if (v.p[i].open > 0) ++open;
        if (v.p[i].open > c.greatest) c.greatest = v.p[i].open;
    }
    if (open == 0) return c;
    if (open == v.count) {
        c.opens = c.closes = EventStatus::AlwaysOpen;
        return c;
    }
    const Run run = chooseRun(v, anchor);
    if (run.first == 0) {
        c.opens = EventStatus::OpenThroughDeadCentre;
    } else {
        c.opens = EventStatus::Found;
        c.tOpens = refineCrossing(s, v, e, v.p[run.first - 1].t, v.p[run.first].t);
    }
    if (run.last == v.count - 1) {
        c.closes = EventStatus::OpenThroughDeadCentre;
    } else {
        c.closes = EventStatus::Found;
        c.tCloses = refineCrossing(s, v, e, v.p[run.last + 1].t, v.p[run.last].t);
    }
    return c;
}

// Per cent of the stroke that starts at this end's dead centre, or of the return stroke.
float strokePercent(float pistonTravel, bool frontEnd, bool returnStroke) {
    const double fromFront = pistonTravel * kPercentPerTravel;
    return static_cast<float>(frontEnd != returnStroke ? fromFront : 100.0 - fromFront);
}

ValveEvent percentEvent(Sampler& s, const EdgeView& v, EventStatus status, double t, bool frontEnd,
                        bool returnStroke) {
    ValveEvent ev;
    ev.status = status;
    if (status != EventStatus::Found) return ev;
    ev.driverAngle = static_cast<float>(v.angleOf(t));
    ev.value = strokePercent(s.pistonTravelAt(ev.driverAngle), frontEnd, returnStroke);
    return ev;
}

EndEvents endEvents(Sampler& s, const Turn& turn, bool frontEnd, int direction) {
    EndEvents out;
    const double deadCentre = frontEnd ? 0.0 : 180.0;
    const Edge steamEdge = frontEnd ? FrontSteam : RearSteam;
    const Edge exhaustEdge = frontEnd ? FrontExhaust : RearExhaust;
    out.lead = turn.grid[static_cast<std::size_t>(deadCentre)].open[steamEdge];

    // Steam: the window runs from the other dead centre through this one (t = 0) and on to
    // the other again; admission belongs before t = 0, cut-off to the stroke after it.
    const EdgeView steam = viewEdge(turn, steamEdge, deadCentre, direction, -180);
    const Crossings sc = findCrossings(s, steam, steamEdge, 0.0);
    out.maxSteamOpening = sc.greatest;
    out.admission.status = sc.opens;
    if (sc.opens == EventStatus::Found) {
        out.admission.driverAngle = static_cast<float>(steam.angleOf(sc.tOpens));
        out.admission.value = static_cast<float>(-sc.tOpens);
    }
    EventStatus cutOff = sc.closes;
    if (cutOff == EventStatus::Found && sc.tCloses <= 0) cutOff = EventStatus::OutsideStroke;
    out.cutOff = percentEvent(s, steam, cutOff, sc.tCloses, frontEnd, false);

    // Exhaust: the window runs from this dead centre (t = 0) through the other (t = 180);
    // release belongs to this end's stroke, compression to the return stroke.
    const EdgeView exhaust = viewEdge(turn, exhaustEdge, deadCentre, direction, 0);
    const Crossings ec = findCrossings(s, exhaust, exhaustEdge, 180.0);
    out.maxExhaustOpening = ec.greatest;
    EventStatus release = ec.opens;
    if (release == EventStatus::Found && ec.tOpens >= 180) release = EventStatus::OutsideStroke;
    out.release = percentEvent(s, exhaust, release, ec.tOpens, frontEnd, false);
    EventStatus compression = ec.closes;
    if (compression == EventStatus::Found && ec.tCloses <= 180)
        compression = EventStatus::OutsideStroke;
    out.compression = percentEvent(s, exhaust, compression, ec.tCloses, frontEnd, true);
    return out;
}

// The events at `position`, running as the position's side says or as `forced` says.
PositionEvents eventsAt(const Model& live, float position, const bool* forced) {
    Model m = live;
    Sampler s(m);

    PositionEvents out;
    out.position = position;
    m.gear.ReverseArmPosition = m.ReverseArmCentre();
    s.solveAt(0);  // settles the orientation sign the forward side is read from
    out.tag = positionTag(m, position);
    out.forward = forced ? *forced : runsForward(out.tag);

    m.gear.ReverseArmPosition = position;
    Turn turn;
    int least = 0, greatest = 0;
    float leastX = 0, greatestX = 0;
    for (int i = 0; i < kSamples; ++i) {
        s.solveAt(i);
        turn.grid[static_cast<std::size_t>(i)] = s.openings();
        const float x = s.stemX();
        if (i == 0 || x < leastX) least = i, leastX = x;
        if (i == 0 || x > greatestX) greatest = i, greatestX = x;
    }
    turn.least = refineExtreme(s, least, leastX, -1);
    turn.greatest = refineExtreme(s, greatest, greatestX, +1);
    out.valveTravel = toSingle(static_cast<double>(turn.greatest.stemX) - turn.least.stemX);

    const int direction = out.forward ? 1 : -1;
    out.front = endEvents(s, turn, true, direction);
    out.rear = endEvents(s, turn, false, direction);
    out.failedSolves = s.failed;
    out.solves = s.solves;
    out.errorRaised = m.solver.ErrorFlag;
    return out;
}

}  // namespace

PositionEvents referenceValveEvents(const Model& m, float position) {
    return eventsAt(m, position, nullptr);
}

PositionEvents referenceValveEventsRunning(const Model& m, float position, bool forward) {
    return eventsAt(m, position, &forward);
}

}  // namespace tarvell::test
