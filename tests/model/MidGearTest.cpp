// Mid gear: the reverse arm centre and the normal positions.
#include <gtest/gtest.h>

#include <algorithm>

#include "TestModel.h"

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
