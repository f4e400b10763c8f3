// Notches by cut-off (see Notch.h).
//
// The mean cut-off grows from mid gear to full gear, but not always steadily (a port that only
// starts to admit part of the way out, say), so each search looks for the first change of side
// from mid gear among what has been worked out, and runs Brent's method within it. The range's
// ends are worked out first; a cut-off outside them is refused.
#include "Notch.h"

#include <algorithm>
#include <cmath>

#include "Numbers.h"
#include "PortEventCurves.h"
#include "RootFinding.h"
#include "Sweep.h"

namespace tarvell {
namespace {

// One side of mid gear, the driver running that way, with the mean cut-offs worked out so far
// in order of the distance from mid gear.
class NotchSide {
  public:
    NotchSide(const Model& m, bool forward, int orientation) : m_(m), forward_(forward) {
        side_ = isForwardPositive(m, orientation) == forward ? 1.0 : -1.0;
        // A travel typed negative is taken as its size, one that is not a number as none (as
        // the port events diagram takes them).
        const double max = m.frame.RevArmToCentMax;
        reach_ = std::isfinite(max) ? std::fabs(max) : 0.0;
    }

    NotchPosition find(double cutOff) {
        NotchPosition out;
        out.notch = {cutOff, forward_};
        out.midGearCutOff = at(0.0).meanCutOff;
        out.maximumCutOff = at(reach_).meanCutOff;
        const double least = std::min(out.midGearCutOff, out.maximumCutOff);
        const double most = std::max(out.midGearCutOff, out.maximumCutOff);
        if (!std::isfinite(cutOff)) {
            out.reason = "the cut-off of a notch is not a number";
        } else if (!(cutOff >= least && cutOff <= most)) {
            out.reason = notchName(out.notch) +
                         " is out of reach: " + (forward_ ? "forward" : "in reverse") +
                         " the gear gives mean cut-offs from " +
                         formatFixed(out.midGearCutOff, 0, 2) + " % at mid gear to " +
                         formatFixed(out.maximumCutOff, 0, 2) + " % at its maximum travel";
        }
        if (!out.reason.empty()) {
            finish(out);
            return out;
        }
        // The first change of side from mid gear among the samples.
        std::size_t i = 0;
        while (i + 1 < samples_.size() && !changesSide(samples_[i], samples_[i + 1], cutOff)) ++i;
        const std::size_t j = std::min(i + 1, samples_.size() - 1);
        const SearchPoint a{samples_[i].distance, samples_[i].meanCutOff - cutOff};
        const SearchPoint b{samples_[j].distance, samples_[j].meanCutOff - cutOff};
        const SearchPoint best =
            brentRoot([&](double distance) { return at(distance).meanCutOff - cutOff; }, a, b,
                      kNotchPositionTolerance, kNotchCutOffTolerance);
        const Sample& found = at(best.x);
        out.found = true;
        out.position = found.events.position;
        out.distance = toSingle(found.distance);
        out.meanCutOff = found.meanCutOff;
        out.events = found.events;
        finish(out);
        return out;
    }

    SolverFindings findings() const { return findings_; }

  private:
    struct Sample {
        double distance;
        double meanCutOff;
        PositionEvents events;
    };

    static bool changesSide(const Sample& a, const Sample& b, double cutOff) {
        const double fa = a.meanCutOff - cutOff, fb = b.meanCutOff - cutOff;
        return (fa <= 0 && fb >= 0) || (fa >= 0 && fb <= 0);
    }

    // The sample at a distance from mid gear, worked out or remembered.
    const Sample& at(double distance) {
        auto place = std::lower_bound(samples_.begin(), samples_.end(), distance,
                                      [](const Sample& s, double d) { return s.distance < d; });
        if (place != samples_.end() && place->distance == distance) return *place;
        const float position = toSingle(m_.ReverseArmCentre() + side_ * distance);
        PositionEvents events = valveEventsRunning(m_, position, forward_);
        findings_ += events.findings();
        ++eventSets_;
        const double mean = meanCutOff(events);
        return *samples_.insert(place, {distance, mean, std::move(events)});
    }

    void finish(NotchPosition& out) const {
        out.eventSets = eventSets_;
        out.findings = findings_;
    }

    const Model& m_;
    bool forward_;
    double side_ = 1, reach_ = 0;
    std::vector<Sample> samples_;
    int eventSets_ = 0;
    SolverFindings findings_;
};

}  // namespace

std::string notchName(const Notch& notch) {
    std::string number = formatFixed(notch.cutOff, 0, 2);
    if (number.find('.') != std::string::npos) {
        while (number.back() == '0') number.pop_back();
        if (number.back() == '.') number.pop_back();
    }
    return number + " % " + (notch.forward ? "fwd" : "rev");
}

double meanCutOff(const PositionEvents& events) {
    return 0.5 * (static_cast<double>(cutOffPercent(events.front.cutOff)) +
                  cutOffPercent(events.rear.cutOff));
}

NotchPosition findNotch(const Model& m, const Notch& notch) {
    LinkageSolver solver(m);
    const int orientation = midGearOrientation(solver);
    NotchSide side(m, notch.forward, orientation);
    NotchPosition out = side.find(notch.cutOff);
    // The orientation solve: a guard it raised shows; whether it failed does not count.
    out.findings += {0, solver.findings().errorRaised};
    return out;
}

NotchTable buildNotchTable(const Model& m, std::span<const double> cutOffs) {
    LinkageSolver solver(m);
    const int orientation = midGearOrientation(solver);
    NotchSide forward(m, true, orientation), reverse(m, false, orientation);
    NotchTable table;
    table.rows.reserve(2 * cutOffs.size());
    for (double cutOff : cutOffs) {
        table.rows.push_back(forward.find(cutOff));
        table.rows.push_back(reverse.find(cutOff));
    }
    table.findings = forward.findings();
    table.findings += reverse.findings();
    table.findings += {0, solver.findings().errorRaised};
    return table;
}

}  // namespace tarvell
