// The lines and circles overlay: where an item lies for each reference, when it is drawn,
// and the dialog's edits.
#include <gtest/gtest.h>

#include <limits>

#include "OverlayGeometry.h"

using namespace tarvell;

namespace {

// Pivot 8 at (3, 4) and pivot 5 at (6, 8): five apart along (0.6, 0.8); the reference points
// on them.
PivotSet pivots() {
    PivotSet p;
    p[8].x = 3;
    p[8].y = 4;
    p[5].x = 6;
    p[5].y = 8;
    p[9].x = 20;  // keeps the other pivots away from the reference points
    p[19] = p[8];
    p[20] = p[5];
    return p;
}

OverlayItem line(int refMode, float x1, float y1, float x2, float y2) {
    OverlayItem item;
    item.type = kLineItem;
    item.colour = 1;
    item.refMode = refMode;
    item.pivot1 = 8;
    item.pivot2 = 5;
    item.p1x = x1;
    item.p1y = y1;
    item.p2x = x2;
    item.p2y = y2;
    return item;
}

void expectLine(const std::optional<OverlayFigure>& f, double x1, double y1, double x2, double y2) {
    ASSERT_TRUE(f.has_value());
    EXPECT_FALSE(f->circle);
    EXPECT_NEAR(f->x1, x1, 1e-5);
    EXPECT_NEAR(f->y1, y1, 1e-5);
    EXPECT_NEAR(f->x2, x2, 1e-5);
    EXPECT_NEAR(f->y2, y2, 1e-5);
}

}  // namespace

TEST(OverlayPlacement, EachReferenceModePlacesTheSamePointsDifferently) {
    const PivotSet p = pivots();
    // World coordinates.
    expectLine(overlayFigure(p, line(0, 1, 2, 3, 4)), 1, 2, 3, 4);
    // Offsets from pivot 8, world directions.
    expectLine(overlayFigure(p, line(1, 1, 0, 0, 2)), 4, 4, 3, 6);
    // From pivot 8, Horz toward pivot 5: (5, 0) is pivot 5 itself, (0, 5) a quarter turn
    // counter-clockwise: (3, 4) + 5 * (-0.8, 0.6).
    expectLine(overlayFigure(p, line(3, 5, 0, 0, 5)), 6, 8, -1, 7);
    // From pivot 8, Horz toward the driver centre: (5, 0) is the centre, (0, 5) is
    // (3, 4) + 5 * (0.8, -0.6).
    expectLine(overlayFigure(p, line(2, 5, 0, 0, 5)), 0, 0, 7, 1);
}

TEST(OverlayPlacement, ItemsFollowTheirPivots) {
    PivotSet p = pivots();
    const OverlayItem fixed = line(0, 0, 0, 1, 0);
    const OverlayItem carried = line(1, 0, 0, 1, 0);
    const OverlayItem turned = line(3, 0, 0, 10, 0);
    // Pivot 5 swings round to straight above pivot 8, pivot 8 moves 1 to the right.
    p[8].x = 4;
    p[5].x = 4;
    p[5].y = 9;
    expectLine(overlayFigure(p, fixed), 0, 0, 1, 0);
    expectLine(overlayFigure(p, carried), 4, 4, 5, 4);
    expectLine(overlayFigure(p, turned), 4, 4, 4, 14);  // still pointing at pivot 5
}

TEST(OverlayPlacement, ACircleIsPlacedByItsCentreAndKeepsItsRadius) {
    const PivotSet p = pivots();
    OverlayItem c = line(3, 5, 0, 2.5f, -1);
    c.type = kCircleItem;
    const auto f = overlayFigure(p, c);
    ASSERT_TRUE(f.has_value());
    EXPECT_TRUE(f->circle);
    EXPECT_NEAR(f->x1, 6, 1e-5);
    EXPECT_NEAR(f->y1, 8, 1e-5);
    EXPECT_NEAR(f->radius, 2.5, 1e-6);
}

TEST(OverlayPlacement, ATurningReferenceWithoutADirectionUsesTheWorldsAxes) {
    PivotSet p = pivots();
    OverlayItem item = line(3, 1, 0, 0, 1);
    item.pivot2 = 8;  // both ends on one pivot
    expectLine(overlayFigure(p, item), 4, 4, 3, 5);
    p[8].x = p[8].y = 0;  // pivot 1 on the driver centre
    item = line(2, 1, 0, 0, 1);
    expectLine(overlayFigure(p, item), 1, 0, 0, 1);
}

TEST(OverlayCompleteness, OnlyItemsWithEveryChoiceAreDrawn) {
    const PivotSet p = pivots();
    EXPECT_FALSE(overlayFigure(p, OverlayItem{}));
    OverlayItem item = line(3, 0, 0, 1, 0);
    EXPECT_TRUE(overlayItemComplete(item));
    for (auto spoil :
         {+[](OverlayItem& i) { i.colour = -1; }, +[](OverlayItem& i) { i.colour = 6; },
          +[](OverlayItem& i) { i.type = 2; }, +[](OverlayItem& i) { i.refMode = -1; },
          +[](OverlayItem& i) { i.refMode = 4; }, +[](OverlayItem& i) { i.pivot2 = -1; },
          +[](OverlayItem& i) { i.pivot1 = 27; },
          +[](OverlayItem& i) { i.p2y = std::numeric_limits<float>::infinity(); }}) {
        OverlayItem bad = item;
        spoil(bad);
        EXPECT_FALSE(overlayItemComplete(bad));
    }
    // World coordinates need no pivots.
    OverlayItem world = line(0, 0, 0, 1, 0);
    world.pivot1 = world.pivot2 = -1;
    EXPECT_TRUE(overlayItemComplete(world));
    // A circle needs a radius above 0; its unused second vertical does not count.
    OverlayItem circle = world;
    circle.type = kCircleItem;
    circle.p2y = -1;
    circle.p2x = 0;
    EXPECT_FALSE(overlayItemComplete(circle));
    circle.p2x = -1;
    EXPECT_FALSE(overlayItemComplete(circle));
    circle.p2x = 0.25f;
    EXPECT_TRUE(overlayItemComplete(circle));
}

TEST(OverlayEdits, ANewItemIsABlackWorldLineBetweenTheReferencePoints) {
    const PivotSet p = pivots();
    OverlayItem item;
    EXPECT_FALSE(overlayItemStarted(item));
    startOverlayItem(item, p);
    EXPECT_TRUE(overlayItemStarted(item));
    EXPECT_EQ(item.colour, 0);
    EXPECT_EQ(item.refMode, kWorldReference);
    expectLine(overlayFigure(p, item), 3, 4, 6, 8);
}

TEST(OverlayEdits, ChoosingAReferenceTiesTheNearestPivotsAndKeepsTheItemInPlace) {
    PivotSet p = pivots();
    OverlayItem item;
    startOverlayItem(item, p);
    // Reference points a little off the pivots still find them.
    p[19].x = 3.05f;
    p[20].y = 7.9f;
    setOverlayReference(item, p, kPivot1ToPivot2Reference);
    EXPECT_EQ(item.pivot1, 8);
    EXPECT_EQ(item.pivot2, 5);
    EXPECT_EQ(item.ref1x, 3.0f);
    EXPECT_EQ(item.ref1y, 4.0f);
    EXPECT_EQ(item.ref2x, 6.0f);
    EXPECT_EQ(item.ref2y, 8.0f);
    // In its new frame the line runs from pivot 8 five along toward pivot 5.
    EXPECT_NEAR(item.p1x, 0, 1e-5);
    EXPECT_NEAR(item.p1y, 0, 1e-5);
    EXPECT_NEAR(item.p2x, 5, 1e-5);
    EXPECT_NEAR(item.p2y, 0, 1e-5);
    expectLine(overlayFigure(p, item), 3, 4, 6, 8);

    // Back to world coordinates: the pivots are let go and the line stays.
    setOverlayReference(item, p, kWorldReference);
    EXPECT_EQ(item.pivot1, -1);
    EXPECT_EQ(item.pivot2, -1);
    expectLine(overlayFigure(p, item), 3, 4, 6, 8);
}

TEST(OverlayEdits, LineAndCircleTurnIntoEachOther) {
    const PivotSet p = pivots();
    OverlayItem item = line(0, 1, 1, 4, 5);
    setOverlayType(item, kCircleItem);
    EXPECT_EQ(item.type, kCircleItem);
    EXPECT_FLOAT_EQ(item.p2x, 5.0f);  // through the old second point
    EXPECT_EQ(item.p2y, -1.0f);
    setOverlayType(item, kLineItem);
    expectLine(overlayFigure(p, item), 1, 1, 6, 1);
}

TEST(OverlayEdits, PointsFromTheReferencePointsInTheItemsFrame) {
    const PivotSet p = pivots();
    OverlayItem item = line(1, 0, 0, 0, 0);
    overlayPointsFromReferencePoints(item, p);
    // Relative to pivot 8, which the reference point 1 sits on.
    EXPECT_NEAR(item.p1x, 0, 1e-6);
    EXPECT_NEAR(item.p2x, 3, 1e-6);
    EXPECT_NEAR(item.p2y, 4, 1e-6);
    item.type = kCircleItem;
    overlayPointsFromReferencePoints(item, p);
    EXPECT_NEAR(item.p2x, 5, 1e-6);  // about point 1 through point 2
}
