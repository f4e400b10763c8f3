// Reference points and pivot selection: the nearest pivot, the reference point read-outs and
// the pivot data slots.
#include <gtest/gtest.h>

#include <climits>

#include "PivotPicking.h"
#include "TestModel.h"
#include "View.h"

using namespace tarvell;
using tarvell::test::startedModel;

TEST(PivotPicking, TheNearestPickablePivotToAClickIsChosen) {
    Model m = startedModel();
    tarvell::test::solveAt(m, 0.0f);
    ScreenTransform(m);
    // At 0 degrees the crank pin lies on the driver's centre line toward the cylinder, one
    // crank radius (1.625) out: pixel (134, 300) with the default view.
    EXPECT_EQ(m.pivots[2].sx, 134);
    EXPECT_EQ(m.pivots[2].sy, 300);
    EXPECT_EQ(nearestPivotOnScreen(m.pivots, 137, 297), 2);
    // The crank centre (1) is at (100, 300); the driver centre (0) is not pickable.
    EXPECT_EQ(nearestPivotOnScreen(m.pivots, 101, 301), 1);
    // The reference points are never picked, wherever they are.
    m.pivots[19].sx = 500;
    m.pivots[19].sy = 10;
    m.pivots[20].sx = 500;
    m.pivots[20].sy = 10;
    EXPECT_NE(nearestPivotOnScreen(m.pivots, 500, 10), 19);
    EXPECT_NE(nearestPivotOnScreen(m.pivots, 500, 10), 20);
}

TEST(PivotPicking, FarOffScreenPointsDoNotOverflowTheDistance) {
    PivotSet p;
    for (int n = 0; n < PivotSet::kCount; ++n) p[n].sx = p[n].sy = INT_MAX;
    p[7].sx = INT_MIN;
    p[7].sy = INT_MIN;
    p[12].sx = 0;
    p[12].sy = 0;
    EXPECT_EQ(nearestPivotOnScreen(p, 10, 10), 12);
    EXPECT_EQ(nearestPivotOnScreen(p, INT_MIN, INT_MIN), 7);
}

TEST(PivotPicking, TheNearestPivotToAWorldPointTakesTheLowerNumberOnATie) {
    PivotSet p;
    for (int n = 0; n < PivotSet::kCount; ++n) p[n].x = p[n].y = 100.0f;
    p[5].x = 1.0f;
    p[4].x = 1.0f;  // the valve stem end and the valve rod end together
    p[4].y = p[5].y = 2.0f;
    EXPECT_EQ(nearestPivotTo(p, 1.1, 2.0), 4);
}

TEST(ReferencePoints, ReadoutsShowCoordinatesDifferencesAndDistance) {
    PivotSet p;
    p[19].x = 1.5f;
    p[19].y = 2.0f;
    p[20].x = -1.5f;
    p[20].y = -2.0f;
    const ReferenceReadouts r = referenceReadouts(p);
    EXPECT_EQ(r.pt1v, "Pt1V  2.000");
    EXPECT_EQ(r.pt1h, "Pt1H  1.500");
    EXPECT_EQ(r.pt2v, "Pt2V -2.000");
    EXPECT_EQ(r.pt2h, "Pt2H -1.500");
    EXPECT_EQ(r.diffV, " 4.000");
    EXPECT_EQ(r.diffH, " 3.000");
    EXPECT_EQ(r.distance, "Pt1-Pt2 5.000");  // a 3-4-5 triangle
}

TEST(ReferencePoints, PlacedOnPivotsAndMovedByBarSteps) {
    PivotSet p;
    EXPECT_TRUE(referencePointsUnplaced(p));
    p[8].x = 4.25f;
    p[8].y = -1.5f;
    placeReferencePoint(p, 2, 8);
    EXPECT_EQ(p[20].x, 4.25f);
    EXPECT_EQ(p[20].y, -1.5f);
    EXPECT_FALSE(referencePointsUnplaced(p));
    moveReferencePoint(p, 1, 0.001, -0.01);
    EXPECT_EQ(p[19].y, 0.001f);
    EXPECT_EQ(p[19].x, -0.01f);
}

TEST(PivotData, SlotsFillInTurnAndOnlyPickedPivotsCount) {
    Model m = startedModel();
    EXPECT_FALSE(anyPivotDataSlotChosen(m));
    int next = 0;
    for (int pivot : {2, 8, 11, 15, 18, 21}) next = choosePivotDataSlot(m, next, pivot);
    EXPECT_EQ(next, 0);  // after the sixth, the first again
    next = choosePivotDataSlot(m, next, 3);
    EXPECT_EQ(next, 1);
    EXPECT_EQ(m.pivotDataSlots, (std::array<int, 6>{3, 8, 11, 15, 18, 21}));
    EXPECT_TRUE(pivotDataSlotChosen(21));
    EXPECT_FALSE(pivotDataSlotChosen(0));
    EXPECT_FALSE(pivotDataSlotChosen(19));
    EXPECT_FALSE(pivotDataSlotChosen(-1));
    EXPECT_FALSE(pivotDataSlotChosen(27));
}

TEST(PivotData, ARowShowsTheSlotNumberAndThePivotsVertAndHorz) {
    Model m = startedModel();
    m.pivotDataSlots[3] = 12;
    m.pivots[12].x = 6.5f;
    m.pivots[12].y = -0.25f;
    const PivotDataRow r = pivotDataRow(m, 3);
    EXPECT_EQ(r.number, "4");
    EXPECT_EQ(r.vert, " -0.250");
    EXPECT_EQ(r.horz, "  6.500");
}
