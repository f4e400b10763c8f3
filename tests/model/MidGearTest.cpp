// Mid gear: the reverse arm centre and the normal positions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "SolveAt.h"
#include "TestModel.h"
#include "ValveEvents.h"

using namespace tarvell;
using tarvell::test::solveAt;
using tarvell::test::startedModel;

TEST(MidGear, DefaultCentreAndNormalPositions) {
    Model m = startedModel();
    EXPECT_NEAR(m.ReverseArmCentre(), 10.533, 0.0005);
    EXPECT_LT(m.ReverseArmCentre(), m.pivots[16].x);  // slightly behind its pivot
    EXPECT_EQ(m.reverseArmPositions[1], m.ReverseArmCentre());
    EXPECT_NEAR(m.reverseArmPositions[2], 11.633, 0.0005);
    EXPECT_NEAR(m.reverseArmPositions[3], 9.433, 0.0005);
    EXPECT_EQ(m.gear.ReverseArmPosition, m.ReverseArmCentre());
    EXPECT_FALSE(m.solver.ErrorFlag);
}

TEST(MidGear, LeavesTheLaterPositionsAndTheAngleAlone) {
    Model m = startedModel();
    for (std::size_t k = 4; k <= 9; ++k) m.reverseArmPositions[k] = static_cast<float>(k);
    m.gear.DriverAngle = 77;
    m.frame.RevArmToCentNorm = 0.5f;
    CalcMidGear(m);
    for (std::size_t k = 4; k <= 9; ++k) EXPECT_EQ(m.reverseArmPositions[k], static_cast<float>(k));
    EXPECT_EQ(m.gear.DriverAngle, 77.0f);
    EXPECT_FLOAT_EQ(m.reverseArmPositions[2], m.ReverseArmCentre() + 0.5f);
    EXPECT_FLOAT_EQ(m.reverseArmPositions[3], m.ReverseArmCentre() - 0.5f);
}

TEST(MidGear, MovesTheValveByLapAndLeadOnly) {
    Model m = startedModel();
    auto travel = [&](float position) {
        m.gear.ReverseArmPosition = position;
        float lo = 1e9f, hi = -1e9f;
        for (int a = 0; a < 360; a += 5) {
            solveAt(m, static_cast<float>(a));
            lo = std::min(lo, m.pivots[4].x);
            hi = std::max(hi, m.pivots[4].x);
        }
        return hi - lo;
    };
    const float c = m.ReverseArmCentre();
    const float atCentre = travel(c);
    // Away from the centre the link adds its swing to the valve's travel.
    EXPECT_GT(travel(c + 0.5f), atCentre + 0.05f);
    EXPECT_GT(travel(c - 0.5f), atCentre + 0.05f);
    // At mid gear the valve travels twice lap plus lead: about 2 * (0.21875 + 0.02).
    EXPECT_NEAR(atCentre, 0.478, 0.01);
}

TEST(MidGear, DieBlockSitsAtTheTopOfTheFulcrumLever) {
    Model m = startedModel();
    CalcMidGear(m);
    EXPECT_EQ(m.pivots[8].x, m.pivots[6].x);
    EXPECT_FLOAT_EQ(m.pivots[8].y, m.pivots[6].y + m.frame.FulcrumLeverUpper);
    EXPECT_NEAR(test::dist(m.pivots[5], m.pivots[8]), m.frame.ValveRodTotalLen, 1e-4);
    EXPECT_NEAR(test::dist(m.pivots[8], m.pivots[14]), m.frame.ValveRodShortEnd, 1e-4);
}

TEST(MidGear, ANegativeLiftingArmClosesTheLinkAndRunsForwardBelowTheCentre) {
    // The default gear's lifting arm pointed the other way from its pivot, the pivot moved
    // across the arm's end at mid gear so that the arm still reaches it there: the gear
    // mirrored about that end.
    Model m = startedModel();
    const Pivot end = solveLinkageAt(m, 0, m.ReverseArmCentre()).pivots[Pivot::LiftingArmEnd];
    m.pivots[16].x = 2 * end.x - m.pivots[16].x;
    m.frame.LiftingArmLength = -m.frame.LiftingArmLength;
    CalcMidGear(m);

    // Worked out afresh: at mid gear the die block stands at the top of the fulcrum lever's
    // centre line, the valve rod reaches from it to the height of the valve stem, and the
    // lifting link joins the rod ValveRodShortEnd from the die block. The reverse arm at the
    // centre must put the lifting arm's end one lifting link from that joint: there.
    const FrameDimensions& f = m.frame;
    const double x8 = m.pivots[6].x, y8 = m.pivots[6].y + f.FulcrumLeverUpper;
    const double y5 = m.pivots[4].y + f.ValveStemOffsetVert;
    const double x5 =
        x8 + std::sqrt(f.ValveRodTotalLen * f.ValveRodTotalLen - (y8 - y5) * (y8 - y5));
    const double along = f.ValveRodShortEnd / f.ValveRodTotalLen;
    const double x14 = x8 + along * (x5 - x8), y14 = y8 + along * (y5 - y8);
    const LinkageSolution atCentre = solveLinkageAt(m, 0, m.ReverseArmCentre());
    const Pivot& armEnd = atCentre.pivots[Pivot::LiftingArmEnd];
    EXPECT_NEAR(std::hypot(armEnd.x - x14, armEnd.y - y14), f.LiftingLinkLength, 1e-4);
    EXPECT_NEAR(armEnd.x, end.x, 1e-3);  // where the other way round had it
    EXPECT_NEAR(armEnd.y, end.y, 1e-3);
    EXPECT_FALSE(atCentre.errorRaised);

    // The link's arc centre stands ahead of its trunnion as before, but the arm now lifts
    // the rod as the reverse arm moves the other way: forward gear lies below the centre.
    // Running forward there, each port takes steam a few degrees before its dead centre and
    // cuts off within the stroke; run backward, the same position admits far too early.
    EXPECT_EQ(atCentre.orientationSign, 1);
    const float below = m.ReverseArmCentre() - 0.5f, above = m.ReverseArmCentre() + 0.5f;
    EXPECT_EQ(positionTag(m, below, atCentre.orientationSign), PositionTag::Fwd);
    EXPECT_EQ(positionTag(m, above, atCentre.orientationSign), PositionTag::Rev);
    const PositionEvents forward = valveEvents(m, below);
    const PositionEvents backward = valveEventsRunning(m, below, false);
    EXPECT_TRUE(forward.forward);
    for (const EndEvents* e : {&forward.front, &forward.rear}) {
        EXPECT_GT(e->admission.value, 0);
        EXPECT_LT(e->admission.value, 15);
        EXPECT_GT(e->cutOff.value, 20);
        EXPECT_LT(e->cutOff.value, 80);
    }
    for (const EndEvents* e : {&backward.front, &backward.rear}) EXPECT_GT(e->admission.value, 45);
    // Above the centre the gear is in reverse and runs backward.
    EXPECT_FALSE(valveEvents(m, above).forward);
}
