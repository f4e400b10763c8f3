// The port events diagram's curves: the positions sampled on each side, the events at the
// normal positions, and what a cut-off that does not happen in its stroke counts as.
#include <gtest/gtest.h>

#include "PortEventCurves.h"
#include "TestModel.h"

using namespace tarvell;
using tarvell::test::startedModel;

namespace {
constexpr double kPercentTol = 0.03;
}

TEST(PortEventCurves, ForwardSideFromMidGearToTheGreatestTravel) {
    Model m = startedModel();
    m.gear.DriverAngle = 77.5f;
    m.gear.ReverseArmPosition = 10.0f;
    // 15 intervals of 0.1 put a sample at the normal travel 1.1.
    const auto points = portEventCurves(m, true, 15);
    ASSERT_EQ(points.size(), 16u);
    EXPECT_EQ(points.front().distance, 0.0f);
    EXPECT_FLOAT_EQ(points.back().distance, 1.5f);
    EXPECT_FLOAT_EQ(points[11].position, m.ReverseArmCentre() + 1.1f);
    // Normal forward: front cut-off 72.881 %, release 91.178 %, compression 95.503 %; rear
    // cut-off 83.913 %, release 95.499 %, compression 91.185 %.
    const PortEventPoint& normal = points[11];
    EXPECT_NEAR(normal.front.cutOff, 72.881, kPercentTol);
    ASSERT_TRUE(normal.front.release && normal.front.compression);
    EXPECT_NEAR(*normal.front.release, 91.178, kPercentTol);
    EXPECT_NEAR(*normal.front.compression, 95.503, kPercentTol);
    EXPECT_NEAR(normal.rear.cutOff, 83.913, kPercentTol);
    EXPECT_NEAR(*normal.rear.release, 95.499, kPercentTol);
    EXPECT_NEAR(*normal.rear.compression, 91.185, kPercentTol);
    // Mid gear running forward cuts off at 6.023 % (front) and 5.940 % (rear).
    EXPECT_NEAR(points[0].front.cutOff, 6.023, kPercentTol);
    EXPECT_NEAR(points[0].rear.cutOff, 5.940, kPercentTol);
    // The cut-off lengthens as the reverse arm moves out.
    for (std::size_t i = 1; i < points.size(); ++i)
        EXPECT_GT(points[i].front.cutOff, points[i - 1].front.cutOff);
    EXPECT_EQ(m.gear.DriverAngle, 77.5f);
    EXPECT_EQ(m.gear.ReverseArmPosition, 10.0f);
}

TEST(PortEventCurves, ReverseSideRunsBackwardFromMidGear) {
    Model m = startedModel();
    const auto points = portEventCurves(m, false, 15);
    ASSERT_EQ(points.size(), 16u);
    EXPECT_FLOAT_EQ(points[11].position, m.ReverseArmCentre() - 1.1f);
    // Normal reverse: front cut-off 66.874 %, rear 74.260 %; release 89.619 %.
    EXPECT_NEAR(points[11].front.cutOff, 66.874, kPercentTol);
    EXPECT_NEAR(points[11].rear.cutOff, 74.260, kPercentTol);
    EXPECT_NEAR(*points[11].front.release, 89.619, kPercentTol);
    // At mid gear the reverse graph runs in reverse too, unlike the forward graph.
    const PositionEvents backward = valveEventsRunning(m, m.ReverseArmCentre(), false);
    EXPECT_FALSE(backward.forward);
    EXPECT_EQ(backward.tag, PositionTag::Cen);
    EXPECT_FLOAT_EQ(points[0].front.cutOff, backward.front.cutOff.value);
    EXPECT_NE(points[0].front.cutOff, portEventCurves(m, true, 1)[0].front.cutOff);
}

TEST(PortEventCurves, CutOffOutsideTheStrokeCountsAsAllOrNothing) {
    ValveEvent e;
    e.status = EventStatus::Found;
    e.value = 42.5f;
    EXPECT_EQ(cutOffPercent(e), 42.5f);
    ASSERT_TRUE(eventPercent(e));
    EXPECT_EQ(*eventPercent(e), 42.5f);
    e.status = EventStatus::OpenThroughDeadCentre;  // steam to the end of the stroke
    EXPECT_EQ(cutOffPercent(e), 100.0f);
    EXPECT_FALSE(eventPercent(e));
    e.status = EventStatus::AlwaysOpen;
    EXPECT_EQ(cutOffPercent(e), 100.0f);
    e.status = EventStatus::NeverOpens;  // no steam in the stroke
    EXPECT_EQ(cutOffPercent(e), 0.0f);
    e.status = EventStatus::OutsideStroke;
    EXPECT_EQ(cutOffPercent(e), 0.0f);
}

TEST(PortEventCurves, NoTravelStillGivesFiniteCurves) {
    Model m = startedModel();
    m.frame.RevArmToCentMax = 0;
    const auto points = portEventCurves(m, true, 4);
    ASSERT_EQ(points.size(), 5u);
    for (const PortEventPoint& p : points) {
        EXPECT_EQ(p.distance, 0.0f);
        EXPECT_EQ(p.position, m.ReverseArmCentre());
    }
}
