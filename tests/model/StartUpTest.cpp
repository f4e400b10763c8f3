// Initial state, defaults and the start-up order.
#include <gtest/gtest.h>

#include "TestModel.h"

using namespace tarvell;
using tarvell::test::startedModel;

TEST(StartUp, InstallsTheDefaultSetAsTheNearestSingles) {
    Model m = startedModel();
    EXPECT_EQ(m.frame.DriverDia, 6.325f);
    EXPECT_EQ(m.frame.Stroke, 3.25f);
    EXPECT_EQ(m.frame.LinkRockingAngleDeg, 167.498f);
    EXPECT_EQ(m.frame.RevArmToCentNorm, 1.1f);
    EXPECT_EQ(m.frame.RevArmToCentMax, 1.5f);
    EXPECT_EQ(m.cyl.CylCtrToDriverCtr(), 22.488f);
    EXPECT_EQ(m.cyl.ValveExhCavityFrontHalf(), 0.5313f);
    EXPECT_EQ(m.cyl.ValveStem(), 5.939f);
    // Codes 22-25 are the fixed pivots 16 and 6.
    EXPECT_EQ(m.pivots[16].x, 10.574f);
    EXPECT_EQ(m.pivots[16].y, 6.075f);
    EXPECT_EQ(m.pivots[6].x, 6.742f);
    EXPECT_EQ(m.pivots[6].y, 2.695f);
    EXPECT_EQ(dimensionValue(m, 23), 10.574f);
    EXPECT_EQ(dimensionValue(m, 24), 2.695f);
    // The crosshead runs on the cylinder centre line; the valve stem line above it.
    EXPECT_EQ(m.pivots[3].y, 0.0f);
    EXPECT_EQ(m.pivots[4].y, 2.6875f);
    EXPECT_EQ(dimensionValue(m, 102), 0.0f);
}

TEST(StartUp, SetsTheInitialStateOfEverySetting) {
    Model m = startedModel();
    EXPECT_EQ(m.gear.DriverAngle, 0.0f);
    EXPECT_EQ(m.gear.StepAngle, 10.0f);
    EXPECT_EQ(m.gear.ActiveStep, 10.0f);
    EXPECT_EQ(m.gear.direction, Direction::Fwd);
    EXPECT_EQ(m.solver.SolveStatus, 'Z');
    EXPECT_TRUE(m.solver.BeepOnError);
    EXPECT_EQ(m.solver.SolveTolerance, 0.0001f);
    EXPECT_EQ(m.LineWidth, 1);
    EXPECT_EQ(m.DataSetName, "Nominal");
    EXPECT_EQ(m.view.current, (View{21.0f, 100.0f, 300.0f}));
    EXPECT_EQ(m.view.normal, m.view.current);
    EXPECT_EQ(m.view.zoomRef, m.view.current);
    EXPECT_EQ(m.view.presets[3], (View{0, 0, 0}));
    for (const auto& s : m.dynamicSlots) {
        EXPECT_EQ(s.code, 0);
        EXPECT_EQ(s.name, "             ??");
    }
    for (const auto& item : m.overlay) {
        EXPECT_EQ(item.type, -1);
        EXPECT_EQ(item.p1x, -1.0f);
    }
    EXPECT_EQ(m.PositionCount, 1);
    EXPECT_EQ(m.VerticalScale, 1.5f);
    EXPECT_EQ(reverseArmRangeMax(m), 1500);
    // Mid gear is computed at start-up and the reverse arm put there.
    EXPECT_EQ(m.gear.ReverseArmPosition, m.ReverseArmCentre());
    EXPECT_NE(m.ReverseArmCentre(), 0.0f);
}

TEST(StartUp, FrameResetRestoresTheFixedPivots) {
    Model m = startedModel();
    setDimensionValue(m, 22, 1.0f);
    setDimensionValue(m, 23, 2.0f);
    setDimensionValue(m, 24, 3.0f);
    setDimensionValue(m, 25, 4.0f);
    setDimensionValue(m, 2, 9.0f);
    EXPECT_EQ(m.pivots[16].y, 1.0f);
    EXPECT_EQ(m.pivots[6].x, 4.0f);
    ApplyFrameDefaults(m);
    EXPECT_EQ(m.pivots[16].x, 10.574f);
    EXPECT_EQ(m.pivots[16].y, 6.075f);
    EXPECT_EQ(m.pivots[6].x, 6.742f);
    EXPECT_EQ(m.pivots[6].y, 2.695f);
    EXPECT_EQ(m.frame.Stroke, 3.25f);
}

TEST(StartUp, CylinderResetZeroesTheSpareSlotAndTheDerivedHeights) {
    Model m = startedModel();
    m.cyl.SpareSlot() = 5.0f;
    setDimensionValue(m, 102, 1.0f);
    setDimensionValue(m, 109, 0.75f);
    EXPECT_EQ(m.pivots[4].y, 1.75f);
    ApplyCylinderDefaults(m);
    EXPECT_EQ(m.cyl.slot[3], 0.0f);
    EXPECT_EQ(m.pivots[3].y, 0.0f);
    EXPECT_EQ(m.pivots[4].y, 2.6875f);
}

TEST(StartUp, ValveStemLineFollowsBothHeights) {
    Model m = startedModel();
    setDimensionValue(m, 109, 0.5f);
    EXPECT_EQ(m.pivots[4].y, 0.5f);
    setDimensionValue(m, 109, 0.75f);
    EXPECT_EQ(m.pivots[4].y, 0.75f);
    setDimensionValue(m, 102, 1.0f);
    EXPECT_EQ(m.pivots[4].y, 1.75f);
    EXPECT_FALSE(setDimensionValue(m, 26, 1.0f));
}

TEST(StartUp, AnglesWrapIntoOneTurn) {
    EXPECT_EQ(wrapAngle360(400.0f), 40.0f);
    EXPECT_EQ(wrapAngle360(-30.0f), 330.0f);
    EXPECT_EQ(wrapAngle360(720.0f), 0.0f);
    EXPECT_EQ(wrapAngle360(360.0f), 0.0f);
    EXPECT_EQ(wrapAngle360(167.498f), 167.498f);
    const float huge = wrapAngle360(3.0e38f);
    EXPECT_GE(huge, 0.0f);
    EXPECT_LT(huge, 360.0f);
    const float tinyNegative = wrapAngle360(-1e-9f);
    EXPECT_GE(tinyNegative, 0.0f);
    EXPECT_LT(tinyNegative, 360.0f);
}
