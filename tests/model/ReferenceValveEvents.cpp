// The valve events from a scan of the turn (see ReferenceValveEvents.h). Written from what the
// events mean, not from how the program finds them: each edge is read in running order from
// its window's start, its open runs are listed point by point, the run belonging to the dead
// centre is taken, and its ends are where the scan's neighbouring points differ.
#include "ReferenceValveEvents.h"

#include <algorithm>
#include <cmath>

namespace tarvell::test {
namespace {

constexpr double kCoarseRefinement = 0.01;  // degrees, between whole degrees that differ
constexpr double kExtremeGrid = 0.05;       // degrees, within a degree of each extreme

// Degrees from `from` to `to` going the way the driver runs, in [0, 360).
double runningDegrees(double from, double to, bool forward) {
    double d = std::fmod(forward ? to - from : from - to, 360.0);
    if (d < 0) d += 360.0;
    return d;
}

double angleAfter(double from, double degrees, bool forward) {
    double a = std::fmod(forward ? from + degrees : from - degrees, 360.0);
    if (a < 0) a += 360.0;
    return a;
}

}  // namespace

ReferenceScan::ReferenceScan(const Model& m, float position, double step)
    : m_(m), position_(position) {
    // The forward side is read from one solve at mid gear.
    const LinkageSolution mid = solveLinkageAt(m, 0, m.ReverseArmCentre());
    orientation_ = mid.orientationSign;
    failed_ += mid.failed ? 1 : 0;
    errorRaised_ = m.solver.ErrorFlag || mid.errorRaised;

    const int perDegree = static_cast<int>(std::lround(1.0 / step));
    for (int i = 0; i < 360 * perDegree; ++i) add(static_cast<double>(i) / perDegree);
    if (perDegree == 1) {
        // Between whole degrees where an edge changes, halve toward the change; about the
        // valve's greatest and least, a fine grid (a run too short to hold a whole degree
        // opens about an extreme).
        const std::vector<Sample> whole = samples_;
        for (std::size_t k = 0; k < whole.size(); ++k) {
            const Sample& a = whole[k];
            const Sample& b = whole[(k + 1) % whole.size()];
            const double bAngle = k + 1 < whole.size() ? b.angle : 360.0;
            for (int e = 0; e < kEdges; ++e) {
                bool aOpen = a.open[static_cast<std::size_t>(e)] > 0;
                if (aOpen == (b.open[static_cast<std::size_t>(e)] > 0)) continue;
                double lo = a.angle, hi = bAngle;
                while (hi - lo > kCoarseRefinement) {
                    const double midAngle = 0.5 * (lo + hi);
                    add(midAngle);
                    ((samples_.back().open[static_cast<std::size_t>(e)] > 0) == aOpen ? lo : hi) =
                        midAngle;
                }
            }
        }
        auto byStem = [](const Sample& a, const Sample& b) { return a.stemX < b.stemX; };
        for (const Sample& x : {*std::max_element(whole.begin(), whole.end(), byStem),
                                *std::min_element(whole.begin(), whole.end(), byStem)})
            for (int j = -19; j <= 19; ++j)
                if (j != 0) add(angleAfter(x.angle, j * kExtremeGrid, true));
    }
    std::sort(samples_.begin(), samples_.end(),
              [](const Sample& a, const Sample& b) { return a.angle < b.angle; });
}

double ReferenceScan::percentAt(double angle, bool frontEnd, bool returnStroke) const {
    const double travel = solveLinkageAt(m_, angle, position_).openings.PistonTravel;
    const double fromFront = 100.0 * travel / 640.0;
    return frontEnd != returnStroke ? fromFront : 100.0 - fromFront;
}

void ReferenceScan::add(double angle) {
    const LinkageSolution s = solveLinkageAt(m_, angle, position_);
    failed_ += s.failed ? 1 : 0;
    errorRaised_ = errorRaised_ || s.errorRaised;
    const Openings& o = s.openings;
    samples_.push_back(
        {angle,
         {o.FrontSteamOpening, o.FrontExhaustOpening, o.RearSteamOpening, o.RearExhaustOpening},
         s.pivots[Pivot::ValveStemEnd].x,
         o.PistonTravel});
}

ReferenceEvents ReferenceScan::events(double near) const {
    const float centre = m_.ReverseArmCentre();
    const float arm = m_.frame.LiftingArmLength;
    const bool positiveIsForward = (arm > 0 && orientation_ > 0) || (arm < 0 && orientation_ < 0);
    const bool onForwardSide = positiveIsForward ? position_ > centre : position_ < centre;
    return events(position_ == centre || onForwardSide, near);
}

ReferenceEvents ReferenceScan::events(bool forward, double near) const {
    ReferenceEvents out;
    const float centre = m_.ReverseArmCentre();
    const float arm = m_.frame.LiftingArmLength;
    const bool positiveIsForward = (arm > 0 && orientation_ > 0) || (arm < 0 && orientation_ < 0);
    if (position_ == centre)
        out.tag = PositionTag::Cen;
    else
        out.tag = (positiveIsForward ? position_ > centre : position_ < centre) ? PositionTag::Fwd
                                                                                : PositionTag::Rev;
    out.forward = forward;
    out.front = end(true, forward, near);
    out.rear = end(false, forward, near);
    auto byStem = [](const Sample& a, const Sample& b) { return a.stemX < b.stemX; };
    out.valveTravel = std::max_element(samples_.begin(), samples_.end(), byStem)->stemX -
                      std::min_element(samples_.begin(), samples_.end(), byStem)->stemX;
    out.failedSolves = failed_;
    out.errorRaised = errorRaised_;
    return out;
}

ReferenceEnd ReferenceScan::end(bool frontEnd, bool forward, double near) const {
    ReferenceEnd out;
    const double deadCentre = frontEnd ? 0.0 : 180.0;
    const std::size_t steam = frontEnd ? FrontSteam : RearSteam;
    const std::size_t exhaust = steam + 1;
    const std::size_t count = samples_.size();
    std::size_t atDeadCentre = 0;
    while (samples_[atDeadCentre].angle != deadCentre) ++atDeadCentre;
    out.lead = samples_[atDeadCentre].open[steam];
    out.maxSteamOpening = out.minSteamOpening = samples_[0].open[steam];
    out.maxExhaustOpening = out.minExhaustOpening = samples_[0].open[exhaust];
    for (const Sample& s : samples_) {
        out.maxSteamOpening = std::max(out.maxSteamOpening, s.open[steam]);
        out.minSteamOpening = std::min(out.minSteamOpening, s.open[steam]);
        out.maxExhaustOpening = std::max(out.maxExhaustOpening, s.open[exhaust]);
        out.minExhaustOpening = std::min(out.minExhaustOpening, s.open[exhaust]);
    }

    auto percentOf = [&](double angle, bool returnStroke) {
        return percentAt(angle, frontEnd, returnStroke);
    };

    // One edge's points in running order over a window starting `start` degrees after this
    // end's dead centre (negative: before it), closing on the point it started from; t is
    // each point's degrees from the dead centre.
    struct Point {
        double t;
        float open;
    };
    auto window = [&](std::size_t edge, double start) {
        const double startAngle = angleAfter(deadCentre, start, forward);
        std::size_t i = 0;
        while (samples_[i].angle != startAngle) ++i;
        std::vector<Point> w;
        w.reserve(count + 1);
        for (std::size_t k = 0; k <= count; ++k) {
            const std::size_t j = forward ? (i + k) % count : (i + count - k % count) % count;
            const double t =
                start +
                (k == count ? 360.0 : runningDegrees(startAngle, samples_[j].angle, forward));
            w.push_back({t, samples_[j].open[edge]});
        }
        return w;
    };

    // The opening and closing of the open run that belongs to `anchor`: the run holding it,
    // else the first after it, else the last before it. The solver's ripple can make an
    // opening change sign several times while it stays within `near` of zero, so a run is
    // read with hysteresis: it holds a point open by more than `near`, and ends only at a
    // point shut by more than that; where it changes is the first change of sign into it (or
    // the last out of it), and the stretch where that is undecided runs from the last point
    // plainly on one side to the first plainly on the other.
    struct Run {
        ReferenceEvent opens, closes;
        double tOpens = 0, tCloses = 0;
    };
    auto runAbout = [&](const std::vector<Point>& w, double anchor) {
        Run r;
        std::size_t openPoints = 0;
        for (const Point& p : w) openPoints += p.open > 0 ? 1 : 0;
        if (openPoints == 0) return r;  // never opens
        if (openPoints == w.size()) {
            r.opens.status = r.closes.status = EventStatus::AlwaysOpen;
            return r;
        }
        struct Stretch {
            std::size_t from, to;               // no point in it plainly shut
            std::size_t firstOpen, lastOpen;    // its first and last points open at all
            std::size_t firstPlain, lastPlain;  // its first and last points plainly open
        };
        std::vector<Stretch> runs;
        for (std::size_t i = 0; i < w.size();) {
            if (w[i].open < -near) {
                ++i;
                continue;
            }
            Stretch st{i, i, 0, 0, 0, 0};
            bool open = false, plain = false;
            for (; i < w.size() && !(w[i].open < -near); ++i) {
                st.to = i;
                if (w[i].open > 0) {
                    if (!open) st.firstOpen = i;
                    st.lastOpen = i, open = true;
                }
                if (w[i].open > near) {
                    if (!plain) st.firstPlain = i;
                    st.lastPlain = i, plain = true;
                }
            }
            if (plain) runs.push_back(st);
        }
        if (runs.empty()) return r;  // opens only within the ripple: nothing to read
        const Stretch* chosen = nullptr;
        for (const Stretch& run : runs)
            if (w[run.firstOpen].t <= anchor && anchor <= w[run.lastOpen].t) chosen = &run;
        for (std::size_t k = 0; !chosen && k < runs.size(); ++k)
            if (w[runs[k].firstOpen].t > anchor) chosen = &runs[k];
        for (std::size_t k = runs.size(); !chosen && k-- > 0;)
            if (w[runs[k].lastOpen].t < anchor) chosen = &runs[k];
        auto event = [&](std::size_t a, std::size_t b, std::size_t bandFrom, std::size_t bandTo,
                         double& t) {
            ReferenceEvent e;
            e.status = EventStatus::Found;
            t = 0.5 * (w[a].t + w[b].t);
            e.angle = angleAfter(deadCentre, t, forward);
            e.bandFrom = angleAfter(deadCentre, w[bandFrom].t, forward);
            e.bandTo = angleAfter(deadCentre, w[bandTo].t, forward);
            return e;
        };
        const Stretch& c = *chosen;
        if (c.firstOpen == 0)
            r.opens.status = EventStatus::OpenThroughDeadCentre;
        else
            r.opens = event(c.firstOpen - 1, c.firstOpen, c.from > 0 ? c.from - 1 : 0, c.firstPlain,
                            r.tOpens);
        if (c.lastOpen == w.size() - 1)
            r.closes.status = EventStatus::OpenThroughDeadCentre;
        else
            r.closes = event(c.lastOpen, c.lastOpen + 1, c.lastPlain,
                             std::min(c.to + 1, w.size() - 1), r.tCloses);
        return r;
    };

    // Steam: from the other dead centre through this one and on to the other again.
    const Run s = runAbout(window(steam, -180.0), 0.0);
    out.admission = s.opens;
    if (out.admission.status == EventStatus::Found) out.admission.value = -s.tOpens;
    out.cutOff = s.closes;
    if (out.cutOff.status == EventStatus::Found) {
        if (s.tCloses <= 0)
            out.cutOff.status = EventStatus::OutsideStroke;
        else
            out.cutOff.value = percentOf(out.cutOff.angle, false);
    }

    // Exhaust: from this dead centre round to it again; release in this end's stroke,
    // compression in the return stroke.
    const Run x = runAbout(window(exhaust, 0.0), 180.0);
    out.release = x.opens;
    if (out.release.status == EventStatus::Found) {
        if (x.tOpens >= 180)
            out.release.status = EventStatus::OutsideStroke;
        else
            out.release.value = percentOf(out.release.angle, false);
    }
    out.compression = x.closes;
    if (out.compression.status == EventStatus::Found) {
        if (x.tCloses <= 180)
            out.compression.status = EventStatus::OutsideStroke;
        else
            out.compression.value = percentOf(out.compression.angle, true);
    }
    return out;
}

}  // namespace tarvell::test
