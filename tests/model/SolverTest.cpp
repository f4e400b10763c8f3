// The linkage solver: pivot positions, guards, the valve-rod search and its failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "TestModel.h"

using namespace tarvell;
using tarvell::test::dist;
using tarvell::test::solveAt;
using tarvell::test::startedModel;

TEST(Solver, CrankPinTurnsClockwiseFromTheCylinderSide) {
    Model m = startedModel();
    solveAt(m, 0);
    EXPECT_FLOAT_EQ(m.pivots[2].x, 1.625f);
    EXPECT_FLOAT_EQ(m.pivots[2].y, 0.0f);
    EXPECT_FLOAT_EQ(m.pivots[3].x, 16.375f);  // crank pin + main rod, on the centre line
    solveAt(m, 90);
    EXPECT_NEAR(m.pivots[2].x, 0.0, 1e-6);
    EXPECT_FLOAT_EQ(m.pivots[2].y, -1.625f);
    // sqrt(14.75^2 - 1.625^2), worked out by hand.
    EXPECT_NEAR(m.pivots[3].x, 14.660214, 1e-5);
    EXPECT_EQ(m.pivots[3].y, 0.0f);
}

TEST(Solver, EveryJointHoldsItsLength) {
    Model m = startedModel();
    const FrameDimensions& f = m.frame;
    for (float position :
         {m.reverseArmPositions[1], m.reverseArmPositions[2], m.reverseArmPositions[3]}) {
        m.gear.ReverseArmPosition = position;
        for (int a = 0; a < 360; a += 15) {
            solveAt(m, static_cast<float>(a));
            const PivotSet& p = m.pivots;
            SCOPED_TRACE(a);
            EXPECT_NEAR(dist(p[2], p[3]), f.MainRodLength, 1e-4);
            EXPECT_NEAR(dist(p[2], p[7]), f.MotionConRodLength, 1e-4);
            EXPECT_NEAR(dist(p[6], p[7]), f.FulcrumLeverLower, 1e-4);
            EXPECT_NEAR(dist(p[6], p[10]), f.FulcrumLeverUpper, 1e-4);
            EXPECT_NEAR(dist(p[7], p[10]), f.FulcrumLeverLower + f.FulcrumLeverUpper, 1e-4);
            EXPECT_NEAR(dist(p[9], p[11]), f.LinkRockingArmLen, 1e-4);
            EXPECT_NEAR(dist(p[12], p[11]), f.LinkConRodLength, 1e-4);
            EXPECT_NEAR(dist(p[7], p[13]), f.MotionConRodFootHorz, 1e-4);
            EXPECT_NEAR(dist(p[13], p[12]), f.MotionConRodFootVert, 1e-4);
            EXPECT_NEAR(dist(p[9], p[21]), f.LinkRadius, 1e-4);
            // The die block lies on the link's arc to within the search tolerance.
            EXPECT_NEAR(dist(p[21], p[8]), f.LinkRadius, 2e-4);
            // The rear end backs off by 0.8 of the last step (0.000128) after the die block
            // was placed, so the rod is short by up to that much.
            EXPECT_NEAR(dist(p[5], p[8]), f.ValveRodTotalLen, 2e-4);
            EXPECT_NEAR(dist(p[8], p[14]), f.ValveRodShortEnd, 1e-4);
            EXPECT_NEAR(dist(p[14], p[15]), f.LiftingLinkLength, 1e-4);
            EXPECT_NEAR(dist(p[16], p[17]), f.ReverseArmVert, 1e-4);
            EXPECT_NEAR(dist(p[16], p[15]), f.LiftingArmLength, 1e-4);
            EXPECT_EQ(p[18].x, position);
            EXPECT_GT(p[18].y, p[16].y);
            EXPECT_EQ(p[4].x, p[5].x);
            EXPECT_EQ(p[5].y, p[4].y + f.ValveStemOffsetVert);
            EXPECT_EQ(p[3].y, 0.0f);
            // The link radius line stands at the rocking angle to the rocking arm
            // (the one-argument arctangent fixes it only up to a half turn).
            const double ax = p[11].x - p[9].x, ay = p[11].y - p[9].y;
            const double bx = p[21].x - p[9].x, by = p[21].y - p[9].y;
            const double cosine = (ax * bx + ay * by) / std::hypot(ax, ay) / std::hypot(bx, by);
            EXPECT_NEAR(std::fabs(cosine),
                        std::fabs(std::cos(f.LinkRockingAngleDeg * std::numbers::pi / 180)), 1e-4);
            EXPECT_EQ(m.solver.SolveStatus, 'Z');
        }
    }
}

TEST(Solver, FullTurnsAtMidGearAndTheNormalPositionsRaiseNoError) {
    Model m = startedModel();
    for (int k : {1, 2, 3}) {
        m.gear.ReverseArmPosition = m.reverseArmPositions[static_cast<std::size_t>(k)];
        for (int a = 0; a <= 360; a += 10) {
            solveAt(m, static_cast<float>(a));
            ASSERT_FALSE(m.solver.ErrorFlag) << "position " << k << " angle " << a;
            ASSERT_EQ(m.solver.SolveStatus, 'Z');
        }
    }
}

TEST(Solver, CrossheadRootGuardUsesTheMagnitudeAndRaises) {
    Model m = startedModel();
    m.frame.MainRodLength = 1.0f;  // shorter than the crank pin's 1.625 below the centre line
    solveAt(m, 90);
    EXPECT_NEAR(m.pivots[3].x, 1.2808688, 1e-5);  // sqrt(|1 - 1.625^2|)
    EXPECT_TRUE(m.solver.ErrorFlag);

    Model quiet = startedModel();
    quiet.frame.MainRodLength = 1.0f;
    quiet.solver.BeepOnError = false;
    solveAt(quiet, 90);
    EXPECT_NEAR(quiet.pivots[3].x, 1.2808688, 1e-5);
    EXPECT_FALSE(quiet.solver.ErrorFlag);
}

TEST(Solver, WithoutBackSetTheCornerIsTheReverseArmEnd) {
    Model m = startedModel();
    ASSERT_EQ(m.frame.ReverseArmBackSet, 0.0f);
    m.gear.ReverseArmPosition = m.reverseArmPositions[2];
    solveAt(m, 40);
    EXPECT_NEAR(m.pivots[17].x, m.pivots[18].x, 1e-5);
    EXPECT_NEAR(m.pivots[17].y, m.pivots[18].y, 1e-5);

    // With a back-set the corner is a right angle and the lifting arm square to the
    // vertical arm.
    m.frame.ReverseArmBackSet = 0.4f;
    solveAt(m, 40);
    const PivotSet& p = m.pivots;
    EXPECT_NEAR(dist(p[17], p[18]), 0.4, 1e-4);
    EXPECT_NEAR(dist(p[16], p[17]), m.frame.ReverseArmVert, 1e-4);
    const double ux = p[17].x - p[16].x, uy = p[17].y - p[16].y;
    const double vx = p[18].x - p[17].x, vy = p[18].y - p[17].y;
    const double wx = p[15].x - p[16].x, wy = p[15].y - p[16].y;
    EXPECT_NEAR(ux * vx + uy * vy, 0.0, 1e-4);
    EXPECT_NEAR(ux * wx + uy * wy, 0.0, 1e-4);
}

TEST(Solver, SearchGivesUpAfter301StepsAndTheNextSolveStartsAfresh) {
    Model m = startedModel();
    solveAt(m, 30);
    const float goodX4 = m.pivots[4].x;
    const ValveLimits goodLimits = m.limits;
    m.frame.LinkRadius = 0.01f;     // the die block can never reach so small an arc
    m.limits.ValveOffset = 123.0f;  // must survive the failed solve
    m.gear.DriverAngle = 30;
    const float start = m.pivots[9].x;  // unchanged by the link radius
    SolveLinkage(m);
    EXPECT_EQ(m.solver.SolveStatus, 'E');
    EXPECT_TRUE(m.solver.ErrorFlag);
    EXPECT_FLOAT_EQ(m.solver.SearchStep, 0.0001f - 1.0f);
    // 301 whole steps of 0.5 toward +X from the initial position.
    EXPECT_NEAR(m.pivots[5].x, start + (9.813f - 1.0f) + 301 * 0.5f, 1e-3);
    EXPECT_EQ(m.pivots[4].x, goodX4);
    EXPECT_EQ(m.limits.ValveOffset, 123.0f);
    EXPECT_EQ(m.limits.FrontAdmitLimit, goodLimits.FrontAdmitLimit);

    // Back to a sound link: the next search starts again from the initial position and
    // finds the same valve position as a fresh model; the status stays "E".
    m.frame.LinkRadius = 9.813f;
    m.solver.ErrorFlag = false;
    SolveLinkage(m);
    EXPECT_EQ(m.pivots[4].x, goodX4);
    EXPECT_EQ(m.solver.SolveStatus, 'E');
    // Every clamp is reported now that the step is negative.
    EXPECT_LT(m.solver.SearchStep, 0.01f);
}

TEST(Solver, ZeroLengthCorrectionsAreStoredBack) {
    Model m = startedModel();
    m.frame.MotionConRodLength = 0.0f;
    solveAt(m, 10);
    EXPECT_EQ(m.frame.MotionConRodLength, 0.00001f);
    EXPECT_TRUE(m.solver.ErrorFlag);

    Model n = startedModel();
    n.frame.LiftingArmLength = 0.0f;
    CalcMidGear(n);
    EXPECT_EQ(n.frame.LiftingArmLength, 0.00001f);
}

TEST(Solver, DoesNotMoveTheFixedPivotsOrTheReferencePoints) {
    Model m = startedModel();
    m.pivots[19] = Pivot{1.5f, 2.5f, 0, 0};
    m.pivots[20] = Pivot{-3.0f, 4.0f, 0, 0};
    solveAt(m, 123);
    EXPECT_EQ(m.pivots[0].x, 0.0f);
    EXPECT_EQ(m.pivots[1].y, 0.0f);
    EXPECT_EQ(m.pivots[6].x, 6.742f);
    EXPECT_EQ(m.pivots[16].y, 6.075f);
    EXPECT_EQ(m.pivots[19].x, 1.5f);
    EXPECT_EQ(m.pivots[20].y, 4.0f);
}

namespace {

// The valve-rod search written out literally with the one-argument arctangent, asin through
// atan and cos/sin of the angles, from the pivots the solver placed before the search.
float referenceValveStem(const Model& m) {
    const FrameDimensions& f = m.frame;
    const double pi = std::numbers::pi;
    const double sLen = static_cast<double>(f.ValveRodTotalLen) - f.ValveRodShortEnd;
    const double x15 = m.pivots[15].x, y15 = m.pivots[15].y;
    const double x21 = m.pivots[21].x, y21 = m.pivots[21].y;
    const float y5 = m.pivots[4].y + f.ValveStemOffsetVert;
    float step = 0.5f;
    float x5 = m.pivots[9].x + f.ValveRodTotalLen - f.ValveRodShortEnd;
    for (int i = 1; i <= 301; ++i) {
        const double lambda = std::atan((y15 - y5) / (x5 - x15));
        const double d = std::sqrt((x5 - x15) * (x5 - x15) + (y15 - y5) * (y15 - y5));
        double c = (d * d + sLen * sLen - f.LiftingLinkLength * f.LiftingLinkLength) / 2 / d / sLen;
        c = std::clamp(c, -0.999999, 0.999999);
        const double mu = std::atan(c / std::sqrt(1 - c * c)) + (lambda - pi / 2);
        const float x14 = static_cast<float>(x5 - sLen * std::cos(mu));
        const float y14 = static_cast<float>(y5 + sLen * std::sin(mu));
        const float x8 = static_cast<float>(x5 + (x14 - x5) * f.ValveRodTotalLen / sLen);
        const float y8 = static_cast<float>(y5 + (y14 - y5) * f.ValveRodTotalLen / sLen);
        const float dbd = static_cast<float>(std::hypot(x21 - x8, y8 - y21));
        if (dbd > f.LinkRadius) {
            x5 += step;
            continue;
        }
        x5 -= 0.8f * step;
        step = 0.2f * step;
        if (step <= 0.0001f) return x5;
    }
    return NAN;
}

}  // namespace

TEST(Solver, SearchAgreesWithTheLiteralArctangentForm) {
    Model m = startedModel();
    for (int k : {1, 2, 3}) {
        m.gear.ReverseArmPosition = m.reverseArmPositions[static_cast<std::size_t>(k)];
        for (int a = 0; a < 360; a += 7) {
            solveAt(m, static_cast<float>(a));
            EXPECT_NEAR(m.pivots[4].x, referenceValveStem(m), 2e-6) << k << " " << a;
        }
    }
}

TEST(Solver, ValveRodSearchFinishesOnItsLastStep) {
    Model m = startedModel();
    // Steps of 0.5 cut by five while above the 0.0001 tolerance: 0.1, 0.02, 0.004, 0.0008 and
    // 0.00016, whose fifth is within it.
    EXPECT_NEAR(ValveRodSearchResolution(m), 0.00016, 1e-9);
    m.solver.SolveTolerance = 0.01f;  // 0.5, 0.1, 0.02
    EXPECT_NEAR(ValveRodSearchResolution(m), 0.02, 1e-8);
}
