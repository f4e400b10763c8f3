// A cylinder whose two ends differ in everything (bridges, steam ports, valve halves and
// cavity halves): each port line and opening worked out by hand from the port face, and the
// events of each end following its own edges only.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "Calc.h"
#include "SolveAt.h"
#include "TestModel.h"
#include "ValveEvents.h"
#include "ValveTurn.h"

using namespace tarvell;
using tarvell::test::startedModel;

namespace {

// The port face, from the cylinder centre toward the front (+) and the rear (-): the exhaust
// port 0.5 wide in the middle, then the bridges (front 0.3, rear 0.2), then the steam ports
// (front 0.25, rear 0.3125). The valve's halves reach 0.84 to the front and 0.8 to the rear
// of its centre, its cavity 0.5 and 0.45. All in binary fractions or near them.
Model asymmetricCylinder() {
    Model m = startedModel();
    CylinderDimensions& c = m.cyl;
    c.ExhaustPortWidth() = 0.5f;
    c.BridgeWidthFront() = 0.3f;
    c.BridgeWidthRear() = 0.2f;
    c.SteamPortWidthFront() = 0.25f;
    c.SteamPortWidthRear() = 0.3125f;
    c.ValveLengthFrontHalf() = 0.84f;
    c.ValveLengthRearHalf() = 0.8f;
    c.ValveExhCavityFrontHalf() = 0.5f;
    c.ValveExhCavityRearHalf() = 0.45f;
    return m;
}

// By hand, with the valve's centre v from the cylinder centre (toward the front):
//   front steam port's outer edge 0.25 + 0.3 + 0.25 = 0.8, the valve's front edge v + 0.84:
//     opening 0.8 - (v + 0.84) = -0.04 - v
//   front bridge's inner edge 0.25 + 0.3 = 0.55, the cavity's front edge v + 0.5:
//     opening (v + 0.5) - 0.55 = v - 0.05
//   rear steam port's outer edge -(0.25 + 0.2 + 0.3125) = -0.7625, the valve's rear edge
//     v - 0.8: opening (v - 0.8) + 0.7625 = v - 0.0375
//   rear bridge's inner edge -(0.25 + 0.2) = -0.45, the cavity's rear edge v - 0.45:
//     opening -0.45 - (v - 0.45) = -v
struct HandOpenings {
    double frontSteam, frontExhaust, rearSteam, rearExhaust;
};
HandOpenings byHand(double v) {
    return {-0.04 - v, v - 0.05, v - 0.0375, -v};
}

}  // namespace

TEST(AsymmetricCylinder, EachPortLineStandsWhereItsOwnEdgesMeet) {
    Model m = asymmetricCylinder();
    test::solveAt(m, 0);
    const ValveLimits& l = m.limits;
    // A limit is the valve offset at which the opening is zero (the negative of the above).
    EXPECT_NEAR(l.FrontAdmitLimit, -0.04, 1e-6);
    EXPECT_NEAR(l.FrontFullOpenLimit, 0.55 - 0.84, 1e-6);  // the port's inner edge reached
    EXPECT_NEAR(l.FrontExhaustLimit, 0.05, 1e-6);
    EXPECT_NEAR(l.RearAdmitLimit, -0.0375, 1e-6);
    EXPECT_NEAR(l.RearFullOpenLimit, 0.45 - 0.8, 1e-6);
    EXPECT_NEAR(l.RearExhaustLimit, 0.0, 1e-6);

    // The lines the sine and oval diagrams draw, in valve displacement (the offset's
    // negative), the rear ones as magnitudes toward the rear.
    const PortLines lines = portLines(m);
    EXPECT_NEAR(lines.FrontSteamPortOpen, 0.04, 1e-6);
    EXPECT_NEAR(lines.FrontSteamPortMax, 0.29, 1e-6);
    EXPECT_NEAR(lines.FrontExhaustPortOpen, -0.05, 1e-6);
    EXPECT_NEAR(lines.RearSteamPortOpen, 0.0375, 1e-6);
    EXPECT_NEAR(lines.RearSteamPortMax, 0.35, 1e-6);
    EXPECT_NEAR(lines.RearExhaustPortOpen, 0.0, 1e-6);
    const auto at = portLineDisplacements(lines);
    EXPECT_NEAR(at[kFrontSteamOpen], 0.04, 1e-6);
    EXPECT_NEAR(at[kFrontSteamMax], 0.29, 1e-6);
    EXPECT_NEAR(at[kFrontExhaustOpen], -0.05, 1e-6);
    EXPECT_NEAR(at[kRearSteamOpen], -0.0375, 1e-6);
    EXPECT_NEAR(at[kRearSteamMax], -0.35, 1e-6);
    EXPECT_NEAR(at[kRearExhaustOpen], 0.0, 1e-6);
}

TEST(AsymmetricCylinder, EachOpeningFollowsItsOwnEdges) {
    Model m = asymmetricCylinder();
    const float stem = m.cyl.ValveStem(), centre = m.cyl.CylCtrToDriverCtr();
    for (double v : {-0.3, -0.06, -0.02, 0.0, 0.03, 0.045, 0.07, 0.3}) {
        SCOPED_TRACE(v);
        const HandOpenings h = byHand(v);
        // Through the valve stem's end, as a solve leaves it.
        m.pivots[4].x = static_cast<float>(v - stem + centre);
        ComputeOpenings(m);
        EXPECT_NEAR(m.openings.FrontSteamOpening, h.frontSteam, 2e-6);
        EXPECT_NEAR(m.openings.FrontExhaustOpening, h.frontExhaust, 2e-6);
        EXPECT_NEAR(m.openings.RearSteamOpening, h.rearSteam, 2e-6);
        EXPECT_NEAR(m.openings.RearExhaustOpening, h.rearExhaust, 2e-6);
        // Through the diagrams' port lines, at the valve displacement -v.
        test::solveAt(m, 0);
        const EdgeOpenings o = openingsAt(static_cast<float>(-v), portLines(m));
        EXPECT_NEAR(o.frontSteam, h.frontSteam, 2e-6);
        EXPECT_NEAR(o.frontExhaust, h.frontExhaust, 2e-6);
        EXPECT_NEAR(o.rearSteam, h.rearSteam, 2e-6);
        EXPECT_NEAR(o.rearExhaust, h.rearExhaust, 2e-6);
    }
}

TEST(AsymmetricCylinder, LapsLeadsAndGreatestOpeningsAreEachEndsOwn) {
    const Model m = asymmetricCylinder();
    const MidGearSummary g = midGearSummary(m);
    EXPECT_NEAR(g.frontLap, 0.04, 1e-6);
    EXPECT_NEAR(g.rearLap, 0.0375, 1e-6);
    EXPECT_NEAR(g.frontExhaustClearance, -0.05, 1e-6);
    EXPECT_NEAR(g.rearExhaustClearance, 0.0, 1e-6);

    const float position = m.reverseArmPositions[2];
    const PositionEvents e = valveEvents(m, position);
    // The lead is each end's steam opening at its own dead centre, the greatest openings those
    // of its own edges over the turn.
    const LinkageSolution atFront = solveLinkageAt(m, 0, position);
    const LinkageSolution atRear = solveLinkageAt(m, 180, position);
    const double vFront = atFront.limits.ValveOffset, vRear = atRear.limits.ValveOffset;
    EXPECT_NEAR(e.front.lead, byHand(vFront).frontSteam, 2e-6);
    EXPECT_NEAR(e.rear.lead, byHand(vRear).rearSteam, 2e-6);
    double least = 1e9, greatest = -1e9;
    for (int a = 0; a < 3600; ++a) {
        const double v = solveLinkageAt(m, a / 10.0, position).limits.ValveOffset;
        least = std::min(least, v), greatest = std::max(greatest, v);
    }
    const double ripple = ValveRodSearchResolution(m) + 1e-5;  // and the tenth-degree grid
    EXPECT_NEAR(e.front.maxSteamOpening, byHand(least).frontSteam, ripple);
    EXPECT_NEAR(e.front.maxExhaustOpening, byHand(greatest).frontExhaust, ripple);
    EXPECT_NEAR(e.rear.maxSteamOpening, byHand(greatest).rearSteam, ripple);
    EXPECT_NEAR(e.rear.maxExhaustOpening, byHand(least).rearExhaust, ripple);
}

TEST(AsymmetricCylinder, EventsMoveWithTheirOwnEdgesOnly) {
    // More steam lap at the front, less at the rear: each end's steam events move, the
    // exhaust events (whose edges stay put) do not move at all; then the same for the
    // cavity with the steam events fixed.
    const Model base = asymmetricCylinder();
    Model laps = base;
    laps.cyl.ValveLengthFrontHalf() += 0.03f;
    laps.cyl.ValveLengthRearHalf() -= 0.02f;
    Model cavity = base;
    cavity.cyl.ValveExhCavityFrontHalf() -= 0.03f;
    cavity.cyl.ValveExhCavityRearHalf() += 0.02f;
    const float position = base.reverseArmPositions[2];
    const PositionEvents b = valveEvents(base, position);
    const PositionEvents l = valveEvents(laps, position);
    const PositionEvents c = valveEvents(cavity, position);
    for (const auto* e : {&b, &l, &c})
        for (const EndEvents* end : {&e->front, &e->rear})
            for (const ValveEvent* ev :
                 {&end->admission, &end->cutOff, &end->release, &end->compression})
                ASSERT_TRUE(ev->occurs());

    EXPECT_NEAR(l.front.lead, b.front.lead - 0.03f, 1e-6);
    EXPECT_NEAR(l.rear.lead, b.rear.lead + 0.02f, 1e-6);
    EXPECT_LT(l.front.admission.value, b.front.admission.value);  // opens later
    EXPECT_LT(l.front.cutOff.value, b.front.cutOff.value);        // and closes earlier
    EXPECT_GT(l.rear.admission.value, b.rear.admission.value);
    EXPECT_GT(l.rear.cutOff.value, b.rear.cutOff.value);
    for (const auto& [x, y] : {std::pair{&l.front, &b.front}, {&l.rear, &b.rear}}) {
        EXPECT_EQ(x->release.driverAngle, y->release.driverAngle);
        EXPECT_EQ(x->compression.driverAngle, y->compression.driverAngle);
        EXPECT_EQ(x->maxExhaustOpening, y->maxExhaustOpening);
    }

    // Less cavity at the front: its exhaust opens later in the stroke and closes earlier in the
    // return stroke; more at the rear, the other way.
    EXPECT_GT(c.front.release.value, b.front.release.value);
    EXPECT_LT(c.front.compression.value, b.front.compression.value);
    EXPECT_LT(c.rear.release.value, b.rear.release.value);
    EXPECT_GT(c.rear.compression.value, b.rear.compression.value);
    for (const auto& [x, y] : {std::pair{&c.front, &b.front}, {&c.rear, &b.rear}}) {
        EXPECT_EQ(x->admission.driverAngle, y->admission.driverAngle);
        EXPECT_EQ(x->cutOff.driverAngle, y->cutOff.driverAngle);
        EXPECT_EQ(x->lead, y->lead);
    }
}

TEST(AsymmetricCylinder, RunningTheOtherWaySwapsWhereEachPortOpensAndCloses) {
    // At mid gear both steam ports are open over their dead centres (the leads are positive),
    // so run either way the same open run belongs to each dead centre: what opens it running
    // forward closes it running in reverse.
    const Model m = asymmetricCylinder();
    const float position = m.ReverseArmCentre();
    const PositionEvents fwd = valveEventsRunning(m, position, true);
    const PositionEvents rev = valveEventsRunning(m, position, false);
    ASSERT_GT(fwd.front.lead, 0);
    ASSERT_GT(fwd.rear.lead, 0);
    for (const auto& [f, r] : {std::pair{&fwd.front, &rev.front}, {&fwd.rear, &rev.rear}}) {
        ASSERT_TRUE(f->admission.occurs() && f->cutOff.occurs());
        ASSERT_TRUE(r->admission.occurs() && r->cutOff.occurs());
        EXPECT_NEAR(f->admission.driverAngle, r->cutOff.driverAngle, 0.012);
        EXPECT_NEAR(f->cutOff.driverAngle, r->admission.driverAngle, 0.012);
    }
}
