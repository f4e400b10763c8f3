// Valve limits, piston travel, port openings and the port-event latch.
#include <gtest/gtest.h>

#include "TestModel.h"

using namespace tarvell;
using tarvell::test::solveAt;
using tarvell::test::startedModel;

TEST(Openings, DefaultValveLimits) {
    Model m = startedModel();
    solveAt(m, 0);
    // H = 0.5625 / 2 = 0.28125; bridges and steam ports 0.25; valve halves 1; cavity 0.5313.
    EXPECT_FLOAT_EQ(m.limits.FrontAdmitLimit, -0.21875f);
    EXPECT_FLOAT_EQ(m.limits.FrontFullOpenLimit, -0.46875f);
    EXPECT_NEAR(m.limits.FrontExhaustLimit, -0.00005, 1e-6);
    EXPECT_FLOAT_EQ(m.limits.RearAdmitLimit, -0.21875f);
    EXPECT_FLOAT_EQ(m.limits.RearFullOpenLimit, -0.46875f);
    EXPECT_NEAR(m.limits.RearExhaustLimit, -0.00005, 1e-6);
    EXPECT_FLOAT_EQ(m.limits.NegFrontAdmitLimit, 0.21875f);
    const PortLines lines = portLines(m);
    EXPECT_FLOAT_EQ(lines.FrontSteamPortOpen, 0.21875f);
    EXPECT_FLOAT_EQ(lines.FrontSteamPortMax, 0.46875f);
    EXPECT_FLOAT_EQ(lines.RearSteamPortOpen, 0.21875f);
    EXPECT_FLOAT_EQ(lines.RearSteamPortMax, 0.46875f);
    // The valve offset is measured from the cylinder centre.
    EXPECT_NEAR(m.limits.ValveOffset, m.pivots[4].x + 5.939 - 22.488, 1e-5);
    EXPECT_FLOAT_EQ(ValveDisplacement(m), -m.limits.ValveOffset);
}

TEST(Openings, PistonTravelFromFrontToRearDeadCentre) {
    for (auto [stroke, rod] : {std::pair{3.25f, 14.75f}, {2.0f, 5.0f}, {6.0f, 30.0f}}) {
        Model m = startedModel();
        m.frame.Stroke = stroke;
        m.frame.MainRodLength = rod;
        solveAt(m, 0);
        EXPECT_NEAR(m.openings.PistonTravel, 0.0, 1e-3);
        solveAt(m, 180);
        EXPECT_NEAR(m.openings.PistonTravel, 640.0, 1e-3);
        solveAt(m, 90);
        EXPECT_GT(m.openings.PistonTravel, 320.0f);  // the rod's angularity
        EXPECT_LT(m.openings.PistonTravel, 400.0f);
    }
    Model m = startedModel();
    solveAt(m, 90);
    // 320 + 320 * 2 * (14.75 - sqrt(14.75^2 - 1.625^2)) / 3.25, by hand.
    EXPECT_NEAR(m.openings.PistonTravel, 337.6809, 1e-3);
}

TEST(Openings, OpeningsFollowTheValveOverThePorts) {
    Model m = startedModel();
    // The valve centred over the exhaust port: X4 = 22.488 - 5.939.
    m.pivots[4].x = 22.488f - 5.939f;
    ComputePistonAndOpenings(m);
    EXPECT_NEAR(m.openings.FrontSteamOpening, -0.21875, 1e-5);
    EXPECT_NEAR(m.openings.RearSteamOpening, -0.21875, 1e-5);
    EXPECT_NEAR(m.openings.FrontExhaustOpening, 0.00005, 1e-5);
    EXPECT_NEAR(m.openings.RearExhaustOpening, 0.00005, 1e-5);
    // Moved 0.3 rearward, the front port takes 0.08125 of steam and the rear exhausts.
    m.pivots[4].x -= 0.3f;
    ComputePistonAndOpenings(m);
    EXPECT_NEAR(m.openings.FrontSteamOpening, 0.08125, 1e-5);
    EXPECT_NEAR(m.openings.RearExhaustOpening, 0.30005, 1e-5);
    EXPECT_LT(m.openings.RearSteamOpening, 0.0f);
    EXPECT_LT(m.openings.FrontExhaustOpening, 0.0f);
}

TEST(Openings, EachExhaustEdgeDependsOnlyOnItsOwnBridge) {
    Model m = startedModel();
    m.cyl.BridgeWidthFront() = 0.3f;
    m.pivots[4].x = 22.488f - 5.939f;
    ComputePistonAndOpenings(m);
    EXPECT_NEAR(m.openings.FrontExhaustOpening, 0.5313 - 0.58125, 1e-5);
    EXPECT_NEAR(m.openings.RearExhaustOpening, 0.00005, 1e-5);
}

TEST(Openings, PortEventLatch) {
    PortEventState s;
    EXPECT_EQ(NextPortEvent(s, -0.1f, -0.1f), PortEvent::None);  // nothing seen open yet
    EXPECT_EQ(NextPortEvent(s, 0.1f, -0.1f), PortEvent::Admission);
    EXPECT_EQ(NextPortEvent(s, 0.0f, -0.1f), PortEvent::Expansion);
    EXPECT_EQ(NextPortEvent(s, -0.2f, 0.0f), PortEvent::Expansion);
    EXPECT_EQ(NextPortEvent(s, -0.2f, 0.05f), PortEvent::Exhaust);
    EXPECT_EQ(NextPortEvent(s, -0.2f, -0.01f), PortEvent::Compression);
    EXPECT_EQ(NextPortEvent(s, 0.01f, -0.3f), PortEvent::Admission);
    // Both open at once: exhaust wins and latches.
    EXPECT_EQ(NextPortEvent(s, 0.01f, 0.01f), PortEvent::Exhaust);
    EXPECT_EQ(s.latch, PortLatch::Exhaust);
    EXPECT_EQ(portEventName(PortEvent::Compression), "COMPRESSION");
    EXPECT_EQ(portEventName(PortEvent::None), "");
}

TEST(Openings, NormalForwardAdmitsFrontAfterZeroAndRearAfter180) {
    // With the driver turning forward the front port is open to steam at the front dead
    // centre and opening wider just after it; the rear port likewise at 180.
    Model m = startedModel();
    m.gear.ReverseArmPosition = m.reverseArmPositions[2];
    solveAt(m, 0);
    const float front0 = m.openings.FrontSteamOpening;
    solveAt(m, 5);
    EXPECT_GT(front0, 0.0f);
    EXPECT_GT(m.openings.FrontSteamOpening, front0);
    EXPECT_LT(m.openings.RearSteamOpening, 0.0f);
    solveAt(m, 180);
    const float rear180 = m.openings.RearSteamOpening;
    solveAt(m, 185);
    EXPECT_GT(rear180, 0.0f);
    EXPECT_GT(m.openings.RearSteamOpening, rear180);
    EXPECT_LT(m.openings.FrontSteamOpening, 0.0f);
    // In normal reverse the same happens with the angle decreasing.
    m.gear.ReverseArmPosition = m.reverseArmPositions[3];
    solveAt(m, 0);
    const float rev0 = m.openings.FrontSteamOpening;
    solveAt(m, 355);
    EXPECT_GT(rev0, 0.0f);
    EXPECT_GT(m.openings.FrontSteamOpening, rev0);
}
