// Port areas and the exhaust check against the valve face's geometry worked by hand: the
// default gear at maximum forward runs its valve 0.682 toward the front, where the cavity's
// rear edge leaves 0.131 of the exhaust port, 52 % of the steam port; the textbook rule says
// the exhaust port is short by as much.
#include <gtest/gtest.h>

#include <algorithm>

#include "PortAreas.h"
#include "TestModel.h"
#include "ValveEventsTable.h"

using namespace tarvell;
using tarvell::test::startedModel;

TEST(PortAreas, OpeningsAlongTheValveFace) {
    const Model m = startedModel();
    // Default face: exhaust port 0.5625 (half 0.28125), bridges and steam ports 0.25, valve
    // halves 1.0 to their outer edges, cavity halves 0.5313.
    const PortAreas far = portAreasAt(m.cyl, 0.682);
    EXPECT_EQ(far.front.steam, 0);  // 1.682 out, past the port's outer edge at 0.78125
    EXPECT_FLOAT_EQ(far.front.exhaustPort, 0.25f);  // 0.68205 open, held to the port
    EXPECT_NEAR(far.front.exhaustLeft, 0.28125 - (0.682 - 0.5313), 1e-6);  // 0.13055
    EXPECT_FLOAT_EQ(far.front.exhaustPassage, far.front.exhaustLeft);
    EXPECT_FLOAT_EQ(far.rear.steam, 0.25f);  // 0.46325 open, held to the port
    EXPECT_EQ(far.rear.exhaustPort, 0);
    EXPECT_EQ(far.rear.exhaustPassage, 0);

    const PortAreas central = portAreasAt(m.cyl, 0.0);
    EXPECT_EQ(central.front.steam, 0);
    EXPECT_NEAR(central.front.exhaustPort, 0.5313 - 0.53125, 1e-6);  // the exhaust clearance
    EXPECT_FLOAT_EQ(central.front.exhaustLeft, 0.5625f);             // the whole exhaust port
    EXPECT_FLOAT_EQ(central.front.exhaustPassage, central.front.exhaustPort);
}

TEST(PortAreas, TheDefaultGearChokesItsExhaustAtMaximumForward) {
    const Model m = startedModel();
    const float maxForward = namedPositions(m, 1)[2];
    // The valve's furthest toward the front, from solves every twentieth of a degree.
    double furthest = -1e9, at = 0;
    for (int k = 0; k < 7200; ++k) {
        const LinkageSolution s = solveLinkageAt(m, k * 0.05, maxForward);
        const double v = s.stemX() + 5.939 - 22.488;  // ValveStem, CylCtrToDriverCtr
        if (v > furthest) furthest = v, at = k * 0.05;
    }
    EXPECT_NEAR(furthest, 0.682, 0.0005);
    const double left = 0.28125 - (furthest - 0.5313);
    EXPECT_NEAR(left, 0.131, 0.0005);
    EXPECT_NEAR(left / 0.25, 0.52, 0.005);
    // The textbook rule: exhaust port >= half travel + steam port + inside lap - bridge, the
    // inside lap being the bridge's overlap by the cavity, 0.28125 + 0.25 - 0.5313.
    const double needed = furthest + 0.25 + (0.28125 + 0.25 - 0.5313) - 0.25;

    const ExhaustChecks checks = exhaustChecks(m, valveEvents(m, maxForward));
    const ExhaustCheck& front = checks.front;
    EXPECT_TRUE(front.exhausts);
    EXPECT_FLOAT_EQ(front.greatestExhaustPort, 0.25f);  // the port, not the 0.682 the valve ran
    EXPECT_FLOAT_EQ(front.greatestSteamPort, 0.25f);
    EXPECT_NEAR(front.exhaustLeft, left, 2e-4);
    EXPECT_FLOAT_EQ(front.leastExhaustPassage, front.exhaustLeft);
    EXPECT_TRUE(front.belowSteamPort);
    EXPECT_NEAR(front.shortfall, needed - 0.5625, 2e-4);
    EXPECT_NEAR(front.driverAngle, at, 0.5);  // the top is flat to the solver's ripple
    // In reverse the valve runs less far: the passage is the whole steam port.
    const ExhaustChecks reverse = exhaustChecks(m, valveEvents(m, namedPositions(m, 1)[3]));
    for (const ExhaustCheck* c : {&reverse.front, &reverse.rear}) {
        EXPECT_FALSE(c->belowSteamPort);
        EXPECT_FLOAT_EQ(c->leastExhaustPassage, 0.25f);
    }
}

TEST(PortAreas, CurvesOverTheTurn) {
    const Model m = startedModel();
    const float maxForward = namedPositions(m, 1)[2];
    const PortAreaCurves curves = portAreaCurves(m, maxForward, true);
    ASSERT_EQ(curves.points.size(), 361u);
    EXPECT_EQ(curves.points.front().pistonPercent, 0);
    EXPECT_NEAR(curves.points[180].pistonPercent, 100, 1e-4);
    float least = 1;
    for (const PortAreaPoint& p : curves.points) {
        for (const EndAreas* e : {&p.areas.front, &p.areas.rear}) {
            EXPECT_GE(e->steam, 0);
            EXPECT_LE(e->steam, 0.25f);
            EXPECT_LE(e->exhaustPort, 0.25f);
            EXPECT_LE(e->exhaustLeft, 0.5625f);
            EXPECT_EQ(e->exhaustPassage, std::min(e->exhaustPort, e->exhaustLeft));
        }
        // Where the front port is wide open to exhaust, the passage is the far edge's.
        if (p.areas.front.exhaustPort == 0.25f)
            least = std::min(least, p.areas.front.exhaustPassage);
    }
    const ExhaustCheck front = exhaustChecks(m, valveEvents(m, maxForward)).front;
    EXPECT_NEAR(least, front.leastExhaustPassage, 0.002);
    EXPECT_GE(least, front.leastExhaustPassage - 1e-4);
}
