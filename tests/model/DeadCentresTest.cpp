// The dead centres of a cylinder whose line stands above or below the axle, against the
// slider-crank's own geometry: the piston turns back where the crank and the main rod are in
// line, and every per cent of the stroke is measured between those two places of the solved
// crosshead.
#include <gtest/gtest.h>

#include <cmath>

#include "Indicator.h"
#include "Piston.h"
#include "TestModel.h"
#include "ValveEvents.h"
#include "ValveEventsTable.h"

using namespace tarvell;
using tarvell::test::startedModel;

namespace {

constexpr double kDeg = 180.0 / 3.14159265358979323846;

// The default set with its cylinder line `offset` above the axle.
Model raised(float offset) {
    Model m = startedModel();
    setDimensionValue(m, 102, offset);
    return m;
}

// The crosshead's X at the two dead centres, where crank and rod lie in one line: stretched
// out (rod + crank from the axle) at the front, folded (rod - crank) at the rear.
struct InLine {
    double frontX, rearX, frontAngle, rearAngle;
};
InLine inLine(const Model& m) {
    const double r = m.frame.Stroke / 2.0, l = m.frame.MainRodLength, e = m.pivots[3].y;
    // The crank pin stands at (r cos a, -r sin a): in line with a crosshead at height e when
    // sin a = -e / (l + r) (front) or sin a = e / (l - r), a near 180 (rear).
    return {std::sqrt((l + r) * (l + r) - e * e), std::sqrt((l - r) * (l - r) - e * e),
            360.0 - std::asin(e / (l + r)) * kDeg, 180.0 - std::asin(e / (l - r)) * kDeg};
}

// Per cent of the stroke done from the front dead centre at a driver angle, from where the
// solve puts the crosshead.
double strokePercentFromCrosshead(const Model& m, double angle) {
    const InLine d = inLine(m);
    const double x = solveLinkageAt(m, angle, m.ReverseArmCentre()).pivots[3].x;
    return 100.0 * (d.frontX - x) / (d.frontX - d.rearX);
}

}  // namespace

TEST(DeadCentres, OnTheAxleLineTheyAreTheHalfTurns) {
    const DeadCentres dc = findDeadCentres(startedModel());
    EXPECT_TRUE(dc.onAxleLine);
    EXPECT_EQ(dc.front, 0.0);
    EXPECT_EQ(dc.rear, 180.0);
}

TEST(DeadCentres, ACylinderLineAboveOrBelowTheAxle) {
    for (float offset : {1.0f, -1.0f, 2.5f}) {
        SCOPED_TRACE(offset);
        const Model m = raised(offset);
        const InLine d = inLine(m);
        const DeadCentres dc = findDeadCentres(m);
        EXPECT_FALSE(dc.onAxleLine);
        EXPECT_NEAR(dc.front, wrapDegrees(d.frontAngle), 0.002);
        EXPECT_NEAR(dc.rear, wrapDegrees(d.rearAngle), 0.002);
        // The travel is 0 and 640 there, and per cents anywhere are of the true stroke.
        EXPECT_NEAR(pistonTravelAt(m, dc.front), 0.0, 1e-4);
        EXPECT_NEAR(pistonTravelAt(m, dc.rear), kFullTravel, 1e-4);
        for (double angle : {30.0, 90.0, 150.0, 200.0, 270.0, 330.0})
            EXPECT_NEAR(travelPercent(pistonTravelAt(m, angle)),
                        strokePercentFromCrosshead(m, angle), 2e-4)
                << angle;
        // The smooth piston motion says the same, and its slope is the travel's.
        const PistonMotion motion(m, dc);
        for (double angle : {10.0, 100.0, 250.0}) {
            EXPECT_NEAR(100.0 * motion.place(angle), strokePercentFromCrosshead(m, angle), 2e-4);
            const double h = 1e-4;
            EXPECT_NEAR(motion.slope(angle),
                        (motion.place(angle + h) - motion.place(angle - h)) / (2 * h), 1e-8);
        }
    }
    // One unit above the axle: 356.5 and 175.6 degrees, and 56.17 % of the stroke at 90
    // degrees where the half-turn dead centres gave 52.76 %.
    const Model m = raised(1.0f);
    const DeadCentres dc = findDeadCentres(m);
    EXPECT_NEAR(dc.front, 356.50, 0.005);
    EXPECT_NEAR(dc.rear, 175.63, 0.005);
    EXPECT_NEAR(travelPercent(pistonTravelAt(m, 90)), 56.17, 0.005);
    Model live = m;
    test::solveAt(live, 90);
    EXPECT_NEAR(travelPercent(live.openings.PistonTravel), 56.17, 0.005);
    std::vector<float> travels(360);
    pistonTravelsOverTurn(m, true, travels);
    EXPECT_NEAR(travels[90], pistonTravelAt(m, 90), 1e-3);
    EXPECT_NEAR(travels[270], pistonTravelAt(m, 270), 1e-3);
}

TEST(DeadCentres, EventsAreToldFromTheTrueDeadCentres) {
    const Model m = raised(1.0f);
    const InLine d = inLine(m);
    const std::array<float, 4> named = namedPositions(m, 1);
    for (bool forward : {true, false}) {
        SCOPED_TRACE(forward);
        const PositionEvents e = valveEvents(m, forward ? named[0] : named[1]);
        ASSERT_EQ(e.forward, forward);
        EXPECT_NEAR(e.front.deadCentre, d.frontAngle, 0.002);
        EXPECT_NEAR(e.rear.deadCentre, d.rearAngle, 0.002);
        for (const EndEvents* end : {&e.front, &e.rear}) {
            const bool front = end == &e.front;
            // The lead is the opening at the dead centre itself.
            const LinkageSolution atDeadCentre = solveLinkageAt(m, end->deadCentre, e.position);
            EXPECT_FLOAT_EQ(end->lead, atDeadCentre.opening(front ? FrontSteam : RearSteam));
            // Admission in crank degrees before it, in running order.
            ASSERT_TRUE(end->admission.occurs());
            double before = (forward ? 1 : -1) * (end->deadCentre - end->admission.driverAngle);
            before = std::remainder(before, 360.0);
            EXPECT_NEAR(end->admission.value, before, 0.02);
            // Cut-off, release and compression in per cent of the true stroke.
            for (const ValveEvent* ev : {&end->cutOff, &end->release, &end->compression}) {
                ASSERT_TRUE(ev->occurs());
                const double fromFront = strokePercentFromCrosshead(m, ev->driverAngle);
                const bool measuredFromFront = front != (ev == &end->compression);
                EXPECT_NEAR(ev->value, measuredFromFront ? fromFront : 100 - fromFront, 1e-3);
            }
        }
        // The card cuts off where the events do.
        const IndicatorResult cards = indicatorDiagram(m, e.position, m.indicator);
        EXPECT_NEAR(cards.front.cutOffPct, e.front.cutOff.value, 0.01);
        EXPECT_NEAR(cards.rear.cutOffPct, e.rear.cutOff.value, 0.01);
        double least = 1, most = 0;
        for (const CardPoint& p : cards.front.points) least = std::min(least, p.s);
        for (const CardPoint& p : cards.front.points) most = std::max(most, p.s);
        EXPECT_NEAR(least, 0, 2e-4);
        EXPECT_NEAR(most, 1, 2e-4);
    }
}
