// One turn of the valve as the oval and steam diagrams take it: the crossings put in where
// each port edge opens or closes, the running order, and the steam bands of each end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "TestModel.h"
#include "ValveEvents.h"
#include "ValveTurn.h"

using namespace tarvell;
using tarvell::test::solveAt;
using tarvell::test::startedModel;

namespace {

constexpr double kPercentTol = 0.03;

// The opening whose sign the port line stands for, at the current solve.
float openingOfLine(const Model& m, int line) {
    const Openings& o = m.openings;
    switch (line) {
        case kFrontSteamOpen:
            return o.FrontSteamOpening;
        case kFrontSteamMax:
            return o.FrontSteamOpening - m.cyl.SteamPortWidthFront();
        case kFrontExhaustOpen:
            return o.FrontExhaustOpening;
        case kRearSteamOpen:
            return o.RearSteamOpening;
        case kRearSteamMax:
            return o.RearSteamOpening - m.cyl.SteamPortWidthRear();
        default:
            return o.RearExhaustOpening;
    }
}

int crossingsOf(const ValveTurn& t, int line) {
    return static_cast<int>(std::count_if(t.points.begin(), t.points.end(),
                                          [line](const TurnPoint& p) { return p.line == line; }));
}

}  // namespace

TEST(ValveTurn, CrossingsAreWhereTheOpeningsChangeSign) {
    Model m = startedModel();
    for (int k = 1; k <= 3; ++k) {
        const float position = m.reverseArmPositions[static_cast<std::size_t>(k)];
        const bool forward = runsForward(positionTag(m, position));
        const ValveTurn turn = sampleValveTurn(m, position, forward);
        EXPECT_EQ(turn.failedSolves, 0);
        m.gear.ReverseArmPosition = position;
        int found = 0;
        for (const TurnPoint& p : turn.points) {
            if (p.line < 0) continue;
            ++found;
            const float before = forward ? p.driverAngle - 0.01f : p.driverAngle + 0.01f;
            const float after = forward ? p.driverAngle + 0.01f : p.driverAngle - 0.01f;
            solveAt(m, before);
            const float o1 = openingOfLine(m, p.line);
            solveAt(m, after);
            const float o2 = openingOfLine(m, p.line);
            EXPECT_NE(o1 > 0, o2 > 0)
                << "entry " << k << " line " << p.line << " at " << p.driverAngle;
        }
        // Every steam and exhaust edge opens and closes once a turn.
        for (int line : {kFrontSteamOpen, kFrontExhaustOpen, kRearSteamOpen, kRearExhaustOpen})
            EXPECT_EQ(crossingsOf(turn, line), 2) << "entry " << k << " line " << line;
    }
}

TEST(ValveTurn, SteamCrossingsMatchTheValveEvents) {
    Model m = startedModel();
    const float fwd = m.reverseArmPositions[2];
    const ValveTurn turn = sampleValveTurn(m, fwd, true);
    // Normal forward: front steam opens at 357.902 and closes at 114.316; rear steam opens
    // at 176.062 and closes at 314.905.
    std::vector<double> front, rear;
    for (const TurnPoint& p : turn.points) {
        if (p.line == kFrontSteamOpen) front.push_back(p.driverAngle);
        if (p.line == kRearSteamOpen) rear.push_back(p.driverAngle);
    }
    ASSERT_EQ(front.size(), 2u);
    ASSERT_EQ(rear.size(), 2u);
    std::sort(front.begin(), front.end());
    std::sort(rear.begin(), rear.end());
    EXPECT_NEAR(front[0], 114.316, 0.03);
    EXPECT_NEAR(front[1], 357.902, 0.03);
    EXPECT_NEAR(rear[0], 176.062, 0.03);
    EXPECT_NEAR(rear[1], 314.905, 0.03);
}

TEST(ValveTurn, RunsFromDeadCentreToDeadCentreInRunningOrder) {
    Model m = startedModel();
    m.gear.DriverAngle = 42.5f;
    m.gear.ReverseArmPosition = 10.25f;
    for (bool forward : {true, false}) {
        const ValveTurn t = sampleValveTurn(m, m.reverseArmPositions[3], forward);
        ASSERT_GE(t.points.size(), 361u);
        EXPECT_EQ(t.points.front().driverAngle, 0.0f);
        EXPECT_EQ(t.points.back().driverAngle, 0.0f);
        EXPECT_EQ(t.points.back().run, 360.0);
        EXPECT_FLOAT_EQ(t.points.front().displacement, t.points.back().displacement);
        for (std::size_t i = 1; i < t.points.size(); ++i)
            EXPECT_GT(t.points[i].run, t.points[i - 1].run);
        // One degree in: forward is at 1, reverse at 359.
        const auto second = std::find_if(t.points.begin(), t.points.end(),
                                         [](const TurnPoint& p) { return p.run == 1.0; });
        ASSERT_NE(second, t.points.end());
        EXPECT_FLOAT_EQ(second->driverAngle, forward ? 1.0f : 359.0f);
        EXPECT_EQ(m.gear.DriverAngle, 42.5f);
        EXPECT_EQ(m.gear.ReverseArmPosition, 10.25f);
    }
}

TEST(SteamBands, NormalForwardFollowsTheEvents) {
    Model m = startedModel();
    const float fwd = m.reverseArmPositions[2];
    const SteamBands bands = steamBands(sampleValveTurn(m, fwd, true));
    // Where the front end's outward stroke turns from one event to the next: cut-off at
    // 72.881 %, release at 91.178 %; on the return, the exhaust closes 95.503 % of the way
    // back, i.e. 4.497 % from the front dead centre.
    auto boundary = [](const std::vector<BandSegment>& band, bool outward, PortEvent from,
                       PortEvent to) {
        for (std::size_t i = 0; i + 1 < band.size(); ++i)
            if (band[i].outward == outward && band[i + 1].outward == outward &&
                band[i].event == from && band[i + 1].event == to)
                return outward ? band[i].to : band[i].from;
        return -1.0f;
    };
    EXPECT_NEAR(boundary(bands.front, true, PortEvent::Admission, PortEvent::Expansion), 72.881,
                kPercentTol);
    EXPECT_NEAR(boundary(bands.front, true, PortEvent::Expansion, PortEvent::Exhaust), 91.178,
                kPercentTol);
    EXPECT_NEAR(boundary(bands.front, false, PortEvent::Exhaust, PortEvent::Compression),
                100 - 95.503, kPercentTol);
    // The rear end from its own dead centre: cut-off 83.913 %, release 95.499 %.
    EXPECT_NEAR(boundary(bands.rear, true, PortEvent::Admission, PortEvent::Expansion), 83.913,
                kPercentTol);
    EXPECT_NEAR(boundary(bands.rear, true, PortEvent::Expansion, PortEvent::Exhaust), 95.499,
                kPercentTol);
    // Both bands cover the whole stroke each way with no gap and no unknown event.
    for (const auto* band : {&bands.front, &bands.rear}) {
        for (bool outward : {true, false}) {
            double covered = 0;
            for (const BandSegment& s : *band) {
                if (s.outward != outward) continue;
                EXPECT_NE(s.event, PortEvent::None);
                covered += s.to - s.from;
            }
            EXPECT_NEAR(covered, 100.0, 1e-3);
        }
    }
}

TEST(SteamBands, OpeningsAtADisplacementMatchTheSolver) {
    Model m = startedModel();
    m.gear.ReverseArmPosition = m.reverseArmPositions[3];
    for (int a = 0; a < 360; a += 17) {
        solveAt(m, static_cast<float>(a));
        const EdgeOpenings o = openingsAt(ValveDisplacement(m), portLines(m));
        EXPECT_NEAR(o.frontSteam, m.openings.FrontSteamOpening, 1e-5);
        EXPECT_NEAR(o.frontExhaust, m.openings.FrontExhaustOpening, 1e-5);
        EXPECT_NEAR(o.rearSteam, m.openings.RearSteamOpening, 1e-5);
        EXPECT_NEAR(o.rearExhaust, m.openings.RearExhaustOpening, 1e-5);
    }
}
