// The sine diagram's lap table and port lines: true laps, clearances and leads in both of
// the table's column forms, the leads paired with the right end, and the port lines standing
// where each port edge opens.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "LapTable.h"
#include "TestModel.h"
#include "ValveEvents.h"

using namespace tarvell;
using tarvell::test::solveAt;
using tarvell::test::startedModel;

namespace {

// The least and greatest pivot-4 X and the greatest steam opening of each port over the
// sine diagram's 67 samples (driver angles 328, 336, ... 496) at the current position.
struct Samples {
    float leastX = 1e9f, greatestX = -1e9f;
    float frontSteam = -1e9f, rearSteam = -1e9f;
};

Samples sineSamples(Model& m) {
    Samples s;
    for (int j = 7; j <= 73; ++j) {
        solveAt(m, static_cast<float>(std::fmod(8.0 * j + 272.0, 360.0)));
        s.leastX = std::min(s.leastX, m.pivots[4].x);
        s.greatestX = std::max(s.greatestX, m.pivots[4].x);
        s.frontSteam = std::max(s.frontSteam, m.openings.FrontSteamOpening);
        s.rearSteam = std::max(s.rearSteam, m.openings.RearSteamOpening);
    }
    return s;
}

}  // namespace

TEST(PortLines, DefaultSetStandAtTheLapsAndPortEdges) {
    Model m = startedModel();
    solveAt(m, 0);
    const PortLines l = portLines(m);
    // Steam: the lap 1 - (0.28125 + 0.25 + 0.25); full open: the lap plus the port's 0.25.
    EXPECT_FLOAT_EQ(l.FrontSteamPortOpen, 0.21875f);
    EXPECT_FLOAT_EQ(l.FrontSteamPortMax, 0.46875f);
    EXPECT_FLOAT_EQ(l.RearSteamPortOpen, 0.21875f);
    EXPECT_FLOAT_EQ(l.RearSteamPortMax, 0.46875f);
    // Exhaust: the cavity's 0.5313 against 0.28125 + 0.25.
    EXPECT_NEAR(l.FrontExhaustPortOpen, 0.00005, 1e-6);
    EXPECT_NEAR(l.RearExhaustPortOpen, 0.00005, 1e-6);
}

TEST(PortLines, EachOpeningChangesSignWhereTheValveCrossesItsLine) {
    Model m = startedModel();
    m.gear.ReverseArmPosition = m.reverseArmPositions[2];
    const float sf = m.cyl.SteamPortWidthFront(), sr = m.cyl.SteamPortWidthRear();
    for (int a = 0; a < 360; a += 3) {
        solveAt(m, static_cast<float>(a));
        const PortLines l = portLines(m);
        const float d = ValveDisplacement(m);
        const Openings& o = m.openings;
        // Front lines: open above them. Rear lines (magnitudes toward the rear): open below
        // minus the line. Away from the edge itself the sign must agree.
        struct Case {
            float margin;  // displacement past the line, positive = open side
            float opening;
        };
        for (const Case c : {Case{d - l.FrontSteamPortOpen, o.FrontSteamOpening},
                             Case{d - l.FrontSteamPortMax, o.FrontSteamOpening - sf},
                             Case{l.FrontExhaustPortOpen - d, o.FrontExhaustOpening},
                             Case{-l.RearSteamPortOpen - d, o.RearSteamOpening},
                             Case{-l.RearSteamPortMax - d, o.RearSteamOpening - sr},
                             Case{d + l.RearExhaustPortOpen, o.RearExhaustOpening}}) {
            if (std::fabs(c.margin) < 1e-5f) continue;
            EXPECT_EQ(c.margin > 0, c.opening > 0) << "at " << a;
            EXPECT_NEAR(c.margin, c.opening, 1e-5) << "at " << a;
        }
    }
}

TEST(LapTable, DefaultMidGearShowsTrueLapsAndLeadsAtTheirOwnEnds) {
    Model m = startedModel();
    m.gear.ReverseArmPosition = m.ReverseArmCentre();
    const Samples s = sineSamples(m);
    const LapTableValues t = lapTable(m, s.leastX, s.greatestX);
    EXPECT_FLOAT_EQ(t.frontLap, 0.21875f);
    EXPECT_FLOAT_EQ(t.rearLap, 0.21875f);
    EXPECT_NEAR(t.frontExhaustClearance, 0.00005, 1e-6);
    EXPECT_NEAR(t.rearExhaustClearance, 0.00005, 1e-6);
    // Each lead is that port's own greatest steam opening over the samples.
    EXPECT_NEAR(t.frontLead, s.frontSteam, 1e-5);
    EXPECT_NEAR(t.rearLead, s.rearSteam, 1e-5);
    // ... and close to the refined mid-gear leads (0.0209 either end).
    const MidGearSummary summary = midGearSummary(m);
    EXPECT_NEAR(t.frontLead, summary.frontLead, 1e-3);
    EXPECT_NEAR(t.rearLead, summary.rearLead, 1e-3);
}

TEST(LapTable, LeadsFollowTheirPortWhenTheEndsDiffer) {
    Model m = startedModel();
    // A longer front half laps the front port by 0.05 more: its lead falls by 0.05 while
    // the rear's stays.
    const Samples before = [&] {
        m.gear.ReverseArmPosition = m.ReverseArmCentre();
        return sineSamples(m);
    }();
    m.cyl.ValveLengthFrontHalf() = 1.05f;
    const Samples s = sineSamples(m);
    const LapTableValues t = lapTable(m, s.leastX, s.greatestX);
    EXPECT_NEAR(t.frontLap, 0.26875, 1e-6);
    EXPECT_NEAR(t.rearLap, 0.21875, 1e-6);
    EXPECT_NEAR(t.frontLead, before.frontSteam - 0.05, 1e-5);
    EXPECT_NEAR(t.rearLead, before.rearSteam, 1e-5);
}

TEST(LapTable, SecondColumnFormGivesTheTrueValuesToo) {
    Model m = startedModel();
    // A rear steam port wider than the valve's rear half selects the other column form.
    m.cyl.SteamPortWidthRear() = 1.5f;
    m.cyl.ValveExhCavityFrontHalf() = 0.6f;
    ASSERT_FALSE(lapsStandAlone(m));
    for (const auto& [least, greatest] : {std::pair{16.0f, 16.6f}, std::pair{3.0f, 3.5f}}) {
        const LapTableValues t = lapTable(m, least, greatest);
        EXPECT_NEAR(t.frontLap, 0.21875, 1e-5);
        EXPECT_NEAR(t.rearLap, 1 - (0.28125 + 0.25 + 1.5), 1e-5);
        EXPECT_NEAR(t.frontExhaustClearance, 0.6 - 0.53125, 1e-5);
        EXPECT_NEAR(t.rearExhaustClearance, 0.5313 - 0.53125, 1e-5);
        // Front opening = 22.488 - 5.939 + 0.78125 - 1 - X; rear = X + 5.939 - 1 - 22.488 +
        // 0.28125 + 0.25 + 1.5.
        EXPECT_NEAR(t.frontLead, 16.33025 - least, 1e-4);
        EXPECT_NEAR(t.rearLead, greatest - 15.51775, 1e-4);
    }
}
