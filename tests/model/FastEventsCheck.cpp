// The comparison of the program's valve events with a scan (see FastEventsCheck.h).
#include "FastEventsCheck.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "Calc.h"

namespace tarvell::test {
namespace {

// The program bisects to 0.01 degree and quotes the middle of its last bracket; its angles
// are single precision.
constexpr double kBisection = 0.006;

// Degrees from `from` to `to` the way the driver runs, in (-180, 180].
double runningDifference(double from, double to, bool forward) {
    double d = std::fmod(forward ? to - from : from - to, 360.0);
    if (d > 180) d -= 360;
    if (d <= -180) d += 360;
    return d;
}

void expectEvent(const ReferenceScan& scan, const ValveEvent& fast, const ReferenceEvent& ref,
                 bool forward, bool frontEnd, int kind, const std::string& what) {
    ASSERT_EQ(fast.status, ref.status) << what;
    if (!fast.occurs()) return;
    // Within the stretch about the scan's change where the opening is undecided.
    const double d = runningDifference(ref.angle, fast.driverAngle, forward);
    const double early = runningDifference(ref.bandFrom, ref.angle, forward);
    const double late = runningDifference(ref.angle, ref.bandTo, forward);
    EXPECT_GE(d, -early - kBisection)
        << what << ": scan " << ref.angle << " program " << fast.driverAngle;
    EXPECT_LE(d, late + kBisection)
        << what << ": scan " << ref.angle << " program " << fast.driverAngle;
    if (kind == 0) {
        // Admission: degrees before this end's dead centre, by the program's own angle.
        const double deadCentre = frontEnd ? 0.0 : 180.0;
        EXPECT_NEAR(fast.value, -runningDifference(deadCentre, fast.driverAngle, forward), 1e-4)
            << what;
    } else {
        // Cut-off and release in this end's stroke, compression in the return stroke.
        EXPECT_NEAR(fast.value, scan.percentAt(fast.driverAngle, frontEnd, kind == 3), 1e-4)
            << what;
    }
}

void expectEnd(const ReferenceScan& scan, const EndEvents& fast, const ReferenceEnd& ref,
               bool forward, bool frontEnd, double ripple, const std::string& end) {
    const double near = 2 * ripple;
    const bool steamMarginal =
        std::fabs(ref.maxSteamOpening) <= near || std::fabs(ref.minSteamOpening) <= near;
    const bool exhaustMarginal =
        std::fabs(ref.maxExhaustOpening) <= near || std::fabs(ref.minExhaustOpening) <= near;
    if (!steamMarginal) {
        expectEvent(scan, fast.admission, ref.admission, forward, frontEnd, 0, end + " admission");
        expectEvent(scan, fast.cutOff, ref.cutOff, forward, frontEnd, 1, end + " cut-off");
    }
    if (!exhaustMarginal) {
        expectEvent(scan, fast.release, ref.release, forward, frontEnd, 2, end + " release");
        expectEvent(scan, fast.compression, ref.compression, forward, frontEnd, 3,
                    end + " compression");
    }
    EXPECT_EQ(fast.lead, ref.lead) << end;  // the opening at the dead centre, solved alike
    // Each finds a crest of the ripple within a ripple of the smooth motion's extreme; where
    // that extreme is flat to within a ripple over degrees, the two crests can stand apart
    // by as much again.
    EXPECT_NEAR(fast.maxSteamOpening, ref.maxSteamOpening, 2 * ripple) << end;
    EXPECT_NEAR(fast.maxExhaustOpening, ref.maxExhaustOpening, 2 * ripple) << end;
}

}  // namespace

void expectEventsAgree(const Model& m, const PositionEvents& fast, const ReferenceScan& scan,
                       std::optional<bool> forced) {
    const double ripple = ValveRodSearchResolution(m);
    const ReferenceEvents ref = forced ? scan.events(*forced, 2 * ripple) : scan.events(2 * ripple);
    EXPECT_EQ(fast.tag, ref.tag);
    ASSERT_EQ(fast.forward, ref.forward);
    expectEnd(scan, fast.front, ref.front, ref.forward, true, ripple, "front");
    expectEnd(scan, fast.rear, ref.rear, ref.forward, false, ripple, "rear");
    EXPECT_NEAR(fast.valveTravel, ref.valveTravel, 4 * ripple);  // two extremes' worth
    EXPECT_EQ(fast.failedSolves > 0, ref.failedSolves > 0);
    EXPECT_EQ(fast.errorRaised, ref.errorRaised);
}

}  // namespace tarvell::test
