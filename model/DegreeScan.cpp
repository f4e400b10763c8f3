// The sparse degree scan (see DegreeScan.h).
//
// The valve events were first found by solving the turn at every whole degree, then bisecting
// each crossing to 0.01 degree; this finds the same events with a tenth of the solves. Each of
// the four openings is the valve stem's X (pivot 4) less a fixed limit, one way round or the
// other. The turn is solved every 30 degrees, and the harmonic curve through those samples
// predicts the stem between them to within a margin: the valve-rod search's ripple (a solve
// stands up to the search's last step to one side of the smooth motion) and the curve's own
// error. Where the predicted opening is further from zero than the margin the curve tells
// whether an edge is open; only nearer the limit, about each crossing, is the solver asked,
// and wherever it is asked it gives exactly what the degree scan saw, so where the ripple
// makes a crossing ambiguous (several sign changes within a few hundredths of a degree) the
// same one is found. Every solve also checks the curve: one that stands further out than the
// curve allowed widens the margin and has the work about it done again.
//
// Why no open run is missed that the degree scan would find: an edge is open where the stem's
// X lies past its limit, so every open run holds a turning point of the stem. The turning
// points are taken from the samples, refined through the solver and put among the points, as
// the scan put its refined extremes; so a run too narrow to hold a sample (a few degrees about
// a dead centre near mid gear, with lead and little travel) is still seen at its turning
// point, and an edge opens at all iff the stem's extreme passes its limit. When an edge is
// within a couple of ripples of its limit at an extreme, the extreme is searched for exactly
// as the scan did, since whether and how long the edge opens then rests on the ripple. Between
// two neighbouring points the stem is monotone, so when both are plainly on one side of the
// limit so is every degree between; otherwise every degree between is settled by the curve or
// by a solve. Samples 30 degrees apart see every turning point unless the stem turns back twice
// within 60 degrees: the valve's motion is near-harmonic (the second harmonic about a tenth of
// the first, each higher one a third or less of the one before), so it turns once each way
// per turn, far from that. A motion the curve cannot follow (a guard clamping a joint puts a
// corner in it) shows in the curve's top harmonics; it is sampled again every 15 degrees, and
// if the curve is still out too far it is not used: every degree is then solved as before.
#include "DegreeScan.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "Calc.h"
#include "RootFinding.h"

namespace tarvell::scan {
namespace {

constexpr double kAngleTolerance = 0.01;  // degrees

// How far the curve is trusted: at least this many ripples of the valve-rod search (the curve
// passes through samples that carry the ripple, and a solve carries its own), and at least
// this many times the furthest any solve off the samples has stood from it.
constexpr double kMarginInRipples = 2.0;
constexpr double kMarginInResiduals = 2.0;
// On top of that, this many times the amplitudes of the curve's top two harmonics, into which
// the harmonics the samples cannot resolve fold: about how far out the curve is between the
// samples (much more than the ripple when the motion has a corner the samples cannot follow).
constexpr double kMarginInTopHarmonics = 2.0;
// Beside a solve the curve is trusted to the ripple about it; openings are rounded to single
// precision on top of that.
constexpr double kRoundOff = 4e-6;
constexpr double kNearby = 2.0;  // degrees within which the curve is taken by its Taylor expansion
// A curve whose margin would be more than kRefineInRipples is fitted again to twice the samples;
// one whose margin would be more than kRoughInRipples is not used at all: the motion is not
// smooth (a guard clamps a joint, say), and every state is taken from the solver.
constexpr double kRefineInRipples = 8.0;
constexpr double kRoughInRipples = 16.0;
// An edge this many ripples or less from its limit at the stem's extreme opens, or not, or
// for how long, by the ripple alone: there the extreme is searched for as the degree scan did.
constexpr double kNearALimitInRipples = 2.0;
// The flat top of the stem's travel: where the curve stays within this of its extreme.
constexpr double kFlatTop = 2e-5;
// The crest of a tooth of the ripple is found to this many halvings of the tooth, which leaves
// the best solve within a quarter of the ripple of it. Two solves are on one tooth when pivot
// 4's distances from the search's start agree to within kSameTooth of the ripple (a different
// step anywhere in the walk moves it by a fifth of the last step or more).
constexpr int kCrestSteps = 2;
constexpr double kSameTooth = 0.1;

// How each opening follows the stem's X: the front steam and rear exhaust openings shrink as
// it grows, the others widen.
constexpr std::array<double, kEdges> kEdgeSense = {-1, 1, 1, -1};

}  // namespace

TurnPoint Sampler::pointAt(double angle) {
    angle = wrapDegrees(angle);
    // Open addressing on the angle's bits; a full table simply stops remembering.
    std::uint64_t bits = 0;
    std::memcpy(&bits, &angle, sizeof bits);
    std::size_t slot = (bits * 0x9E3779B97F4A7C15ull) >> 57;
    for (int probe = 0; probe < kRemembered; ++probe, slot = (slot + 1) % kRemembered) {
        Remembered& r = remembered_[slot];
        if (r.angle == angle) return r.point;
        if (!(r.angle >= 0)) {  // an empty slot
            r = {angle, solvedAt(angle)};
            return r.point;
        }
    }
    return solvedAt(angle);
}

TurnPoint Sampler::solvedAt(double angle) {
    const LinkageSolution s = solver_.solve(angle, position_);
    return {angle,
            s.stemX(),
            s.searchStart,
            {{s.opening(FrontSteam), s.opening(FrontExhaust), s.opening(RearSteam),
              s.opening(RearExhaust)}}};
}

HarmonicCurve::Point Turn::edgeCurve(Edge e, double angle) const {
    const HarmonicCurve::Point p = curve.at(angle);
    const double sense = kEdgeSense[at(e)];
    return {sense * p.value + offset[at(e)], sense * p.slope, sense * p.curvature};
}

void Turn::noteResidual(double residual) {
    widenMargin(kMarginInResiduals * std::fabs(residual));
}

void Turn::widenMargin(double need) {
    if (!(need <= margin)) margin = need;
    if (!(margin <= kRoughInRipples * ripple)) margin = HUGE_VAL;
}

bool Turn::smooth() const {
    return std::isfinite(margin);
}

void Turn::distrustCurve() {
    margin = HUGE_VAL;
}

namespace {

// The samples at which the stem turns back, alternately greatest and least, starting with
// the greatest sample. A flat turn (or one that is not a number) has its greatest as its least.
int turningSamples(const Turn& turn, std::array<int, kMostSamples>& out) {
    auto x = [&](int i) { return static_cast<double>(turn.grid[at(i % turn.samples)].stemX); };
    int top = 0;
    for (int i = 1; i < turn.samples; ++i)
        if (x(i) > x(top)) top = i;
    int count = 0;
    out[at(count++)] = top;
    int direction = -1;  // falling away from the greatest
    for (int k = 1; k <= turn.samples; ++k) {
        const double rise = x(top + k) - x(top + k - 1);
        if ((rise > 0 && direction < 0) || (rise < 0 && direction > 0)) {
            out[at(count++)] = (top + k - 1) % turn.samples;
            direction = -direction;
        }
    }
    if (count % 2 == 1) --count;  // a last greatest level with the first is the same one
    if (count == 0) out[at(count++)] = top;
    if (count == 1) out[at(count++)] = top;
    return count;
}

// Where the curve turns back near sample `index` (sign +1 for a greatest, -1 for a least): the
// vertex of the parabola through the sample and its neighbours, then Newton's method on the
// curve's slope, kept within a step of the sample.
double curveTurningAngle(const Turn& turn, int index, int sign) {
    auto x = [&](int i) { return static_cast<double>(turn.grid[at(i % turn.samples)].stemX); };
    const double centre = index * turn.step;
    const double before = x(index + turn.samples - 1), here = x(index), after = x(index + 1);
    const double bend = before - 2.0 * here + after;
    double angle = centre;
    if (sign * bend < 0) angle += turn.step * 0.5 * (before - after) / bend;
    for (int i = 0; i < 4; ++i) {
        const HarmonicCurve::Point p = turn.curve.at(angle);
        if (!(sign * p.curvature < 0)) break;
        const double next =
            std::clamp(angle - p.slope / p.curvature, centre - turn.step, centre + turn.step);
        const bool settled = std::fabs(next - angle) < 1e-3;
        angle = next;
        if (settled) break;
    }
    return angle;
}

// The stem's extreme as the degree scan found it: the best whole degree from `first` to
// `last`, then a golden-section search within a degree of it. The ripple makes the values
// uneven, so the best point evaluated is kept.
TurnPoint scanTurning(Sampler& s, int sign, int first, int last) {
    TurnPoint best;
    bool any = false;
    auto value = [&](double angle) {
        const TurnPoint p = s.pointAt(angle);
        const double v = sign * static_cast<double>(p.stemX);
        if (!any || v > sign * static_cast<double>(best.stemX)) best = p, any = true;
        return v;
    };
    bracketedMaximum(value, first, last, kAngleTolerance);
    return best;
}

// Whether a solve at the stem's extreme leaves some edge within `near` of its limit there.
bool nearALimit(const TurnPoint& p, double near) {
    for (float open : p.at.open)
        if (!(std::fabs(open) > near)) return true;
    return false;
}

// The stem's turning point near sample `index` (sign +1 for a greatest, -1 for a least) as the
// best of the sample and solves about the curve's turning point. The valve-rod search's ripple
// is a sawtooth: over each tooth pivot 4 moves with the search's start, then steps back by the
// ripple. What the turn's extreme means is the crest of a tooth over the flat top, so at the
// stem's extremes (`extreme`) the first solve's tooth is followed to its crest (the tooth's
// length is the ripple over the rate of the search's start). There the degree
// scan is also followed exactly where it matters: when some edge is within a couple of
// ripples of its limit, whether and how long it opens rests on the ripple, so the whole
// degrees the curve leaves in doubt for the best are solved and searched about as the scan
// did; and when the curve is not trusted, every degree within a step of the sample.
TurnPoint refineTurning(Sampler& s, Turn& turn, int index, int sign, bool extreme, bool crests) {
    const int centre = index * turn.step;
    const int first = centre - turn.step + 1, last = centre + turn.step - 1;
    if (!turn.smooth()) return scanTurning(s, sign, first, last);
    TurnPoint best = turn.grid[at(index)];
    auto take = [&](const TurnPoint& p) {
        if (sign * static_cast<double>(p.stemX) > sign * static_cast<double>(best.stemX)) best = p;
    };
    const double angle = curveTurningAngle(turn, index, sign);
    const HarmonicCurve::Point top = turn.curve.at(angle);
    const TurnPoint p0 = s.pointAt(angle);
    turn.noteResidual(p0.stemX - top.value);
    take(p0);
    if (!extreme) return best;
    // A curve still out further than it should be after the second fit can put the extreme
    // degrees from where the motion has it (a corner in the motion puts it where the curve,
    // being smooth, cannot): the extreme is then searched for through the solver between the
    // neighbouring samples, which it lies between.
    if (turn.samples > kFirstSamples && !(turn.margin <= kRefineInRipples * turn.ripple)) {
        auto value = [&](double a) {
            const TurnPoint p = s.pointAt(a);
            take(p);
            return sign * static_cast<double>(p.stemX);
        };
        goldenSectionMaximum(value, centre - turn.step, centre + turn.step, kAngleTolerance);
    }
    // Without the crests wanted, the extreme need only be exact where an edge is near its
    // limit; following a tooth raises the best by less than a ripple.
    if (!crests && !nearALimit(best, (kNearALimitInRipples + 1.0) * turn.ripple)) return best;
    const double startRate = turn.startCurve.at(angle).slope;  // per degree
    double tooth = turn.ripple / std::fabs(startRate);
    const double flatTop = std::sqrt(2.0 * kFlatTop / std::fabs(top.curvature));
    if (!(tooth <= 2.0 * flatTop)) tooth = 2.0 * flatTop;
    if (std::isfinite(tooth)) {
        // Halves the tooth ahead on whether a solve is still on the first one's tooth.
        const double toward = sign * (startRate < 0 ? -1.0 : 1.0);
        const double level = static_cast<double>(p0.stemX) - p0.start;
        double near = 0, far = tooth;  // distances toward the crest
        for (int i = 0; i < kCrestSteps; ++i) {
            const double mid = 0.5 * (near + far);
            const TurnPoint p = s.pointAt(angle + toward * mid);
            take(p);
            const bool sameTooth = std::fabs(static_cast<double>(p.stemX) - p.start - level) <
                                   kSameTooth * turn.ripple;
            (sameTooth ? near : far) = mid;
        }
    }
    if (!turn.smooth()) return scanTurning(s, sign, first, last);
    if (!nearALimit(best, kNearALimitInRipples * turn.ripple)) return best;
    // A whole degree can hold the best only if the curve there is within twice the margin.
    const double high = sign * top.value - 2.0 * turn.margin;
    auto inDoubt = [&](int k) { return sign * turn.curve.at(k).value >= high; };
    const int nearest = static_cast<int>(std::lround(angle));
    int from = nearest, to = nearest;
    while (from > first && inDoubt(from - 1)) --from;
    while (to < last && inDoubt(to + 1)) ++to;
    return scanTurning(s, sign, from, to);
}

// Fits the curve to the samples and sets the margin it is trusted to.
void fitCurve(Turn& turn) {
    std::array<double, kMostSamples> x{}, start{};
    for (int i = 0; i < turn.samples; ++i) {
        x[at(i)] = turn.grid[at(i)].stemX;
        start[at(i)] = turn.grid[at(i)].start;
    }
    turn.curve = HarmonicCurve(std::span<const double>(x.data(), at(turn.samples)));
    turn.startCurve = HarmonicCurve(std::span<const double>(start.data(), at(turn.samples)));
    turn.margin = kMarginInRipples * turn.ripple;
    const HarmonicCurve& curve = turn.curve;
    if (curve.valid())
        turn.widenMargin(turn.margin +
                         kMarginInTopHarmonics * curve.amplitudeFrom(curve.harmonics() - 1));
    else
        turn.margin = HUGE_VAL;
}

}  // namespace

Turn sampleTurn(Sampler& s, bool crests) {
    Turn turn;
    turn.ripple = ValveRodSearchResolution(s.model());
    for (int i = 0; i < turn.samples; ++i) turn.grid[at(i)] = s.pointAt(i * turn.step);
    fitCurve(turn);
    if (turn.curve.valid() && !(turn.margin <= kRefineInRipples * turn.ripple)) {
        // Solves halfway between the samples and fits again.
        for (int i = turn.samples - 1; i >= 0; --i) turn.grid[at(2 * i)] = turn.grid[at(i)];
        turn.step /= 2;
        for (int i = 1; i < 2 * turn.samples; i += 2) turn.grid[at(i)] = s.pointAt(i * turn.step);
        turn.samples *= 2;
        fitCurve(turn);
    }
    for (int e = 0; e < kEdges; ++e)
        turn.offset[at(e)] = turn.grid[0].at.open[at(e)] - kEdgeSense[at(e)] * turn.grid[0].stemX;

    std::array<int, kMostSamples> samples{};
    turn.turningCount = turningSamples(turn, samples);
    int lowest = 0;  // the least sample, whose turning point is the stem's least
    for (int i = 1; i < turn.samples; ++i)
        if (turn.grid[at(i)].stemX < turn.grid[at(lowest)].stemX) lowest = i;
    for (int k = 0; k < turn.turningCount; ++k) {
        const int index = samples[at(k)];
        const int sign = k % 2 == 0 ? 1 : -1;
        const bool extreme = k == 0 || (sign < 0 && index == lowest);
        turn.turning[at(k)] = refineTurning(s, turn, index, sign, extreme, crests);
    }
    for (int k = 2; k < turn.turningCount; ++k) {
        const float stemX = turn.turning[at(k)].stemX;
        if (k % 2 == 0 && stemX > turn.turning[at(turn.greatest)].stemX) turn.greatest = k;
        if (k % 2 == 1 && stemX < turn.turning[at(turn.least)].stemX) turn.least = k;
    }
    return turn;
}

namespace {

// The curve's opening at a running offset, with its slope and curvature in t.
struct CurveAt {
    double t = 0;
    HarmonicCurve::Point at;
};
CurveAt curveAt(const Turn& turn, const EdgeView& v, Edge e, double t) {
    HarmonicCurve::Point p = turn.edgeCurve(e, v.angleOf(t));
    p.slope *= v.direction;
    return {t, p};
}

// The state of one edge about a running offset, from the curve where the curve can tell it
// and from the solver where it cannot. A solve stands within the ripple of the smooth motion,
// so beside a solve the curve, set level with it, need only be trusted to the ripple and to
// how much the curve's own error can change over the distance from it.
class EdgeOracle {
  public:
    // A distrustful oracle (`trusting` false) tells nothing and solves everywhere.
    EdgeOracle(Sampler& s, Turn& turn, const EdgeView& v, Edge e, double centre,
               bool trusting = true)
        : EdgeOracle(s, turn, v, e, curveAt(turn, v, e, centre), trusting) {}
    EdgeOracle(Sampler& s, Turn& turn, const EdgeView& v, Edge e, const CurveAt& centre,
               bool trusting = true)
        : s_(s), turn_(turn), v_(v), e_(e), centre_(centre.t), trusting_(trusting) {
        value_ = centre.at.value;
        slope_ = centre.at.slope;
        bend_ = centre.at.curvature;
        // The curve's error is made of harmonics no higher than the curve's, so it changes by
        // at most the margin times the top harmonic's rate per degree.
        errorRate_ = turn.margin * turn.curve.harmonics() * kRadiansPerDegree;
    }

    // Whether the edge is open at t, when the curve can tell.
    std::optional<bool> known(double t) const {
        const Bounds b = bounds(t);
        if (b.low > 0) return true;
        if (b.high < 0) return false;
        return std::nullopt;
    }

    // Solves at t.
    Point solve(double t) {
        const Bounds expected = bounds(t);
        const TurnPoint p = s_.pointAt(v_.angleOf(t));
        const float open = p.at.open[at(e_)];
        if (!(open >= expected.low && open <= expected.high)) surprised_ = true;
        const Point point{t, open, true};
        noteSolve(point);
        ++solves_;
        return point;
    }

    // Takes in a solve made earlier.
    void noteSolve(const Point& p) {
        const double residual = p.open - predict(p.t);
        turn_.noteResidual(residual);
        if (std::fabs(p.t - centre_) <= kNearby && count_ < static_cast<int>(nearby_.size()))
            nearby_[at(count_++)] = {p, residual};
    }

    // Whether a solve stood where the curve said it could not: the curve is out further than
    // its margin here, and what it told may be wrong.
    bool surprised() const { return surprised_; }
    int solves() const { return solves_; }

    bool isOpen(double t) {
        if (const std::optional<bool> k = known(t)) return *k;
        return solve(t).open > 0;
    }

  private:
    struct Bounds {
        double low, high;  // where the opening at some t may lie
    };
    Bounds bounds(double t) const {
        if (!trusting_) return {-HUGE_VAL, HUGE_VAL};
        const double predicted = predict(t);
        double low = -turn_.margin, high = turn_.margin;
        for (int i = 0; i < count_; ++i) {
            const Solved& n = nearby_[at(i)];
            const double slack = turn_.ripple + kRoundOff + errorRate_ * std::fabs(t - n.point.t);
            low = std::max(low, n.residual - slack);
            high = std::min(high, n.residual + slack);
        }
        if (!(low <= high)) return {-HUGE_VAL, HUGE_VAL};  // the solves disagree: tell nothing
        return {predicted + low, predicted + high};
    }

    // The curve's opening at t: a Taylor expansion about the centre nearby.
    double predict(double t) const {
        const double d = t - centre_;
        if (std::fabs(d) > kNearby) return turn_.edgeCurve(e_, v_.angleOf(t)).value;
        return value_ + d * (slope_ + 0.5 * d * bend_);
    }

    struct Solved {
        Point point;
        double residual;  // how far the solve stood from the curve
    };

    Sampler& s_;
    Turn& turn_;
    const EdgeView& v_;
    Edge e_;
    double centre_;
    bool trusting_;
    double value_ = 0, slope_ = 0, bend_ = 0;
    double errorRate_ = 0;
    std::array<Solved, 16> nearby_;  // solves near the centre
    int count_ = 0;
    int solves_ = 0;
    bool surprised_ = false;
};

// Where the curve puts the crossing between two solved points of the view: Halley's method
// from the straight line between their openings, kept between them. Returns the curve at the
// last point evaluated, within a thousandth of a degree of the crossing when it settles.
CurveAt curveCrossing(const Turn& turn, const EdgeView& v, Edge e, Point a, Point b) {
    const double lo = std::min(a.t, b.t), hi = std::max(a.t, b.t);
    double t = a.t + (b.t - a.t) * (a.open / (static_cast<double>(a.open) - b.open));
    if (!(t >= lo && t <= hi)) t = 0.5 * (lo + hi);
    CurveAt c = curveAt(turn, v, e, t);
    for (int i = 0; i < 4; ++i) {
        const double f = c.at.value, slope = c.at.slope, bend = c.at.curvature;
        const double step = 2.0 * f * slope / (2.0 * slope * slope - f * bend);
        if (!std::isfinite(step)) break;
        const double next = std::clamp(t - step, lo, hi);
        if (std::fabs(next - t) < 1e-3) break;
        t = next;
        c = curveAt(turn, v, e, t);
    }
    return c;
}

// Walks the whole degrees from `first` by `step` while they stay strictly between a and b and
// the curve cannot tell their state, solving each; the first one it can tell is kept too.
// Returns how many points it wrote to `out`.
int walkDegrees(EdgeOracle& oracle, double a, double b, int first, int step, Point* out) {
    int n = 0;
    for (int k = first; k > a && k < b; k += step) {
        if (const std::optional<bool> state = oracle.known(k)) {
            out[n++] = {static_cast<double>(k), *state ? 1.0f : -1.0f, false};
            break;
        }
        out[n++] = oracle.solve(k);
    }
    return n;
}

// Every whole degree strictly between a and b, solved; returns how many.
int solveEveryDegree(Sampler& s, Turn& turn, const EdgeView& v, Edge e, Point a, Point b,
                     Point* out) {
    EdgeOracle oracle(s, turn, v, e, a.t, false);
    int n = 0;
    for (int k = static_cast<int>(std::floor(a.t)) + 1; k < b.t; ++k) out[n++] = oracle.solve(k);
    return n;
}

// The points between two neighbouring base points a and b that the degree scan would have
// seen differently from them, in order of t; returns their count. The stem is monotone
// between the two, so when both are further from the limit than the ripple, on the same side,
// so is every degree between. Otherwise the degrees about the curve's crossing, or about an
// end near the limit, are settled one by one outward until the curve can tell. Where the curve
// then tells a state the monotone stem cannot have, or a solve shows it out further than its
// margin, or there is no curve, every degree between is solved.
int uncertainBetween(Sampler& s, Turn& turn, const EdgeView& v, Edge e, Point a, Point b,
                     Point* out) {
    const bool aOpen = a.open > 0, bOpen = b.open > 0;
    const bool aNear = !(std::fabs(a.open) > turn.ripple);
    const bool bNear = !(std::fabs(b.open) > turn.ripple);
    if (aOpen == bOpen && !aNear && !bNear) return 0;
    if (!turn.smooth()) return solveEveryDegree(s, turn, v, e, a, b, out);

    // Two walks, the first written on a's side and the second on b's; a walk downward in t
    // is written backward and turned round. Where a walk stops, on the first degree the curve
    // can tell, the state must be that of its side.
    auto agrees = [](const Point& last, bool state) {
        return last.solved || (last.open > 0) == state;
    };
    int nFirst = 0, nSecond = 0;
    bool consistent = true;
    if (aOpen != bOpen) {
        const CurveAt crossing = curveCrossing(turn, v, e, a, b);
        EdgeOracle oracle(s, turn, v, e, crossing);
        const int up = static_cast<int>(std::ceil(crossing.t));
        nFirst = walkDegrees(oracle, a.t, b.t, up - 1, -1, out);
        if (nFirst > 0) consistent = agrees(out[nFirst - 1], aOpen);
        std::reverse(out, out + nFirst);
        nSecond = walkDegrees(oracle, a.t, b.t, up, 1, out + nFirst);
        if (nSecond > 0) consistent = consistent && agrees(out[nFirst + nSecond - 1], bOpen);
        consistent = consistent && !oracle.surprised();
    } else {
        if (aNear) {
            EdgeOracle oracle(s, turn, v, e, a.t);
            nFirst = walkDegrees(oracle, a.t, b.t, static_cast<int>(std::floor(a.t)) + 1, 1, out);
            if (nFirst > 0) consistent = agrees(out[nFirst - 1], aOpen);
            consistent = consistent && !oracle.surprised();
        }
        if (bNear) {  // down from b, short of what the walk up from a covered
            const double covered = nFirst > 0 ? out[nFirst - 1].t : a.t;
            EdgeOracle oracle(s, turn, v, e, b.t);
            nSecond = walkDegrees(oracle, covered, b.t, static_cast<int>(std::ceil(b.t)) - 1, -1,
                                  out + nFirst);
            if (nSecond > 0) consistent = consistent && agrees(out[nFirst + nSecond - 1], bOpen);
            consistent = consistent && !oracle.surprised();
            std::reverse(out + nFirst, out + nFirst + nSecond);
        }
    }
    if (!consistent) return solveEveryDegree(s, turn, v, e, a, b, out);
    const int n = nFirst + nSecond;
    return n;
}

}  // namespace

// Sets v to the edge's points over the window [t0, t0 + 360] (both ends are the same angle).
void viewEdge(Sampler& s, Turn& turn, Edge e, int deadCentre, int direction, int t0, EdgeView& v) {
    v.count = 0;
    v.deadCentre = deadCentre;
    v.direction = direction;
    std::array<Point, 2 * kMostSamples + 1> base;  // the samples and the turning points
    int count = 0;
    for (int j = 0; j <= turn.samples; ++j) {
        const int t = t0 + j * turn.step;
        int index = ((deadCentre + direction * t) / turn.step) % turn.samples;
        if (index < 0) index += turn.samples;
        const TurnPoint& x = turn.grid[at(index)];
        base[at(count++)] = {static_cast<double>(t), x.at.open[at(e)], true};
    }
    for (int k = 0; k < turn.turningCount; ++k) {
        const TurnPoint& x = turn.turning[at(k)];
        const double t = t0 + wrapDegrees(direction * (x.angle - deadCentre) - t0);
        int i = count++;
        for (; i > 0 && base[at(i - 1)].t > t; --i) base[at(i)] = base[at(i - 1)];
        base[at(i)] = {t, x.at.open[at(e)], true};
    }
    for (int i = 0; i < count; ++i) {
        v.p[at(v.count++)] = base[at(i)];
        if (i + 1 < count)
            v.count +=
                uncertainBetween(s, turn, v, e, base[at(i)], base[at(i + 1)], v.p.data() + v.count);
    }
}

// Bisects the crossing of edge `e` between running offsets tShut (not open there) and tOpen
// (open) to kAngleTolerance, as the degree scan did, asking the solver only where the curve
// cannot tell; returns the running offset of the crossing. A solve that shows the curve out
// further than its margin (which that solve widens), or a bisection that needed no solve at
// all, has the ends of the bracket checked where the curve gave them; if one is wrong there
// is no answer (the view must be built again), otherwise the bisection is done again, the
// second time with every midpoint solved.
std::optional<double> refineCrossing(Sampler& s, Turn& turn, const EdgeView& v, Edge e, Point shut,
                                     Point open, double* interpolated) {
    bool checked = false;
    for (int attempt = 0;; ++attempt) {
        EdgeOracle oracle(s, turn, v, e, 0.5 * (shut.t + open.t), attempt == 0);
        for (const Point& p : {shut, open})
            if (p.solved) oracle.noteSolve(p);
        Point lastShut = shut, lastOpen = open;  // the solves nearest the crossing either side
        double tShut = shut.t, tOpen = open.t;
        const double t = bisectChange(
            shut.t, open.t,
            [&](double mid) {
                bool isOpen;
                if (const std::optional<bool> k = oracle.known(mid)) {
                    isOpen = *k;
                } else {
                    const Point p = oracle.solve(mid);
                    isOpen = p.open > 0;
                    (isOpen ? lastOpen : lastShut) = p;
                }
                (isOpen ? tOpen : tShut) = mid;
                return isOpen;
            },
            kAngleTolerance);
        if (attempt > 0 || (!oracle.surprised() && oracle.solves() > 0)) {
            if (interpolated) {
                *interpolated = t;
                if (lastShut.solved && lastOpen.solved && lastShut.open != lastOpen.open) {
                    const double u =
                        lastShut.open / (static_cast<double>(lastShut.open) - lastOpen.open);
                    *interpolated = std::clamp(lastShut.t + u * (lastOpen.t - lastShut.t),
                                               std::min(tShut, tOpen), std::max(tShut, tOpen));
                }
            }
            return t;
        }
        if (!checked) {
            checked = true;
            if (!shut.solved && oracle.solve(shut.t).open > 0) return std::nullopt;
            if (!open.solved && !(oracle.solve(open.t).open > 0)) return std::nullopt;
        }
    }
}

}  // namespace tarvell::scan
