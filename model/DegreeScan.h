// The port edges over one turn of the driver at one reverse arm position, as a scan of the
// turn at every whole degree would see them, with each crossing bisected to 0.01 degree, but
// asking the solver only where a harmonic curve through a few samples cannot tell an edge's
// state (see DegreeScan.cpp). The valve events are read from this. No Qt.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "HarmonicCurve.h"
#include "SolveAt.h"

namespace tarvell::scan {

inline std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

struct EdgeOpenings {
    std::array<float, kEdges> open{};
};

// One solved angle of the turn.
struct TurnPoint {
    double angle = 0;
    float stemX = 0;  // pivot 4's X
    float start = 0;  // where the valve-rod search started (ValveRodSearchStart)
    EdgeOpenings at;
};

// The solves of one turn at one reverse arm position, through an analysis's solver. A solve
// depends only on the angle (and the position), so each angle is solved once: pointAt
// remembers its answers.
class Sampler {
  public:
    Sampler(LinkageSolver& solver, float position) : solver_(solver), position_(position) {
        for (Remembered& r : remembered_) r.angle = -1;
    }

    // The solve at a driver angle, made or remembered.
    TurnPoint pointAt(double angle);
    // Piston travel at a driver angle; it depends on the angle alone, so no solve is needed.
    float pistonTravelAt(double angle) { return solver_.pistonTravelAt(angle); }
    const Model& model() const { return solver_.model(); }

  private:
    TurnPoint solvedAt(double angle);

    struct Remembered {
        double angle;  // in [0, 360); -1 for an empty slot
        TurnPoint point;
    };
    static constexpr int kRemembered = 128;  // a power of two

    LinkageSolver& solver_;
    float position_;
    std::array<Remembered, kRemembered> remembered_;
};

// The turn is first solved every 30 degrees, and every 15 when the curve through those samples
// is out too far; both steps divide 180, so both dead centres are samples.
constexpr int kFirstSamples = 12;
constexpr int kMostSamples = 24;

// The turn as sampled, the harmonic curve of the stem's X through the samples and how far to
// trust it, and the points where the stem turns back, refined through the solver.
struct Turn {
    int samples = kFirstSamples;
    int step = 360 / kFirstSamples;
    std::array<TurnPoint, kMostSamples> grid{};     // sample i at angle i * step
    std::array<TurnPoint, kMostSamples> turning{};  // alternately greatest and least X
    int turningCount = 0;
    int least = 1, greatest = 0;          // the turning points with the least and greatest X
    HarmonicCurve curve;                  // invalid when a sample is not a number
    HarmonicCurve startCurve;             // of where the valve-rod search started
    std::array<double, kEdges> offset{};  // each opening less its sense times the stem's X
    double ripple = 0;                    // the valve-rod search's resolution
    double margin = 0;                    // how far the curve may stand from a solve

    // The curve's opening of edge e at a driver angle, with its slope and curvature.
    HarmonicCurve::Point edgeCurve(Edge e, double angle) const;
    // Widens the margin to cover a solve that stood `residual` from the curve.
    void noteResidual(double residual);
    void widenMargin(double need);
    // False once the curve is not used at all (its margin would be too wide).
    bool smooth() const;
    void distrustCurve();
    const TurnPoint& sampleAt(int angle) const { return grid[at(angle / step % samples)]; }
};

// Samples the turn `s` solves and finds its turning points. The stem's greatest and least
// are followed to the crest of the valve-rod search's ripple, as the degree scan's extremes
// were, unless `crests` is false: then only where an edge is near its limit there (what
// decides whether it opens), which is all a caller wanting the crossings alone needs.
Turn sampleTurn(Sampler& s, bool crests = true);

// One port edge seen along its window of running offsets t (degrees from its end's dead
// centre in the order the driver runs), in order of t: the samples, the turning points, and
// about each crossing the whole degrees the curve cannot settle (solved) with the first it can
// on either side (`solved` false: their `open` is only +1 or -1).
struct Point {
    double t;
    float open;
    bool solved;
};
constexpr int kViewPoints = 2 * kMostSamples + 1 + 361;

struct EdgeView {
    std::array<Point, kViewPoints> p;  // only the first `count` are set
    int count = 0;
    int deadCentre = 0;  // driver angle of the edge's end's dead centre
    int direction = 1;   // +1 forward, -1 reverse

    double angleOf(double t) const { return wrapDegrees(deadCentre + direction * t); }
};

// Sets v to edge e's points over the window [t0, t0 + 360] (both ends are the same angle).
void viewEdge(Sampler& s, Turn& turn, Edge e, int deadCentre, int direction, int t0, EdgeView& v);

// The running offset of edge e's crossing between two neighbouring points of its view, one
// shut and one open, bisected to 0.01 degree as the degree scan did. Empty when the view
// proves wrong about one of the two (the curve was out further than it allowed): the view
// must then be built again, with the curve's margin widened by what was found. When
// `interpolated` is given it is set to where the straight line between the solves nearest the
// crossing either side meets zero, kept within the last bisection's bracket (the crossing
// itself when one side was never solved): finer than the bisection, for a caller that needs
// the place more than the degree scan's answer.
std::optional<double> refineCrossing(Sampler& s, Turn& turn, const EdgeView& v, Edge e, Point shut,
                                     Point open, double* interpolated = nullptr);

}  // namespace tarvell::scan
