// The view controls' arithmetic: the step bars, pan, zoom about the picture's centre and its
// limits, the normal view, the presets and centring on a point.
#include <gtest/gtest.h>

#include "TestModel.h"
#include "View.h"

using namespace tarvell;

namespace {

// One user change of a bar to p, then the bar's return to 0; the step of the first.
int click(StepBar& bar, int p) {
    const int step = stepBarChange(bar, p);
    EXPECT_EQ(stepBarChange(bar, 0), 0) << "the return to 0 must give no step";
    return step;
}

}  // namespace

TEST(StepBar, ArrowAndPageClicksGiveOneAndTenPositionsEveryTime) {
    StepBar bar;
    EXPECT_EQ(click(bar, 1), 1);
    EXPECT_EQ(click(bar, 1), 1);
    EXPECT_EQ(click(bar, -1), -1);
    EXPECT_EQ(click(bar, 10), 10);
    EXPECT_EQ(click(bar, -10), -10);
    EXPECT_EQ(click(bar, -10), -10);
    EXPECT_EQ(click(bar, 1), 1);
}

TEST(StepBar, ADragStepsByTheThumbsDistanceInTheDirectionItMoves) {
    StepBar bar;
    EXPECT_EQ(click(bar, 5), 5);   // away from rest to the right
    EXPECT_EQ(click(bar, 7), 7);   // further right than the position before last
    EXPECT_EQ(click(bar, 6), -6);  // back toward the middle
    StepBar left;
    EXPECT_EQ(click(left, -5), -5);
    EXPECT_EQ(click(left, -8), -8);  // further left
    EXPECT_EQ(click(left, -3), 3);   // back toward the middle
}

TEST(Pan, ClicksMoveTheViewByTenthsOfAPixelAndSetTheZoomReference) {
    ViewState v;
    panHorizontal(v, 0.1f);
    EXPECT_NEAR(v.current.ox, 100.1, 1e-4);
    panHorizontal(v, 1.0f);
    EXPECT_NEAR(v.current.ox, 101.1, 1e-4);
    // A positive vertical step lifts the picture: the Y offset falls.
    panVertical(v, 0.1f);
    EXPECT_NEAR(v.current.oy, 299.9, 1e-4);
    EXPECT_EQ(v.zoomRef, v.current);
    EXPECT_EQ(v.current.scale, 21.0f);
}

TEST(Zoom, OneTenthOfAPerCentAboutThePictureCentre) {
    ViewState v;
    zoomStep(v, 0.1f);
    // 21 * 1.001; the offsets keep pixel (320, 240) on the same world point.
    EXPECT_NEAR(v.current.scale, 21.021, 1e-4);
    EXPECT_NEAR(v.current.ox, (100 - 320) * 1.001 + 320, 1e-3);  // 99.78
    EXPECT_NEAR(v.current.oy, (300 - 240) * 1.001 + 240, 1e-3);  // 300.06
    EXPECT_EQ(v.zoomRef, kDefaultView);

    ViewState page;
    zoomStep(page, -1.0f);
    EXPECT_NEAR(page.current.scale, 20.79, 1e-4);
    EXPECT_NEAR(page.current.ox, 102.2, 1e-3);
    EXPECT_NEAR(page.current.oy, 299.4, 1e-3);
}

TEST(Zoom, TheScaleStaysWithinItsLimitsWhileTheOffsetsFollowTheUnlimitedScale) {
    ViewState v;
    v.current = {2990.0f, 100.0f, 300.0f};
    zoomStep(v, 1.0f);  // 2990 * 1.01 = 3019.9, beyond the limit
    EXPECT_EQ(v.current.scale, 3000.0f);
    EXPECT_NEAR(v.current.ox, (100 - 320) * 1.01 + 320, 1e-3);  // not * 3000 / 2990
    EXPECT_NEAR(v.current.oy, (300 - 240) * 1.01 + 240, 1e-3);

    v.current = {0.501f, 100.0f, 300.0f};
    zoomStep(v, -1.0f);  // 0.49599
    EXPECT_EQ(v.current.scale, 0.5f);
    EXPECT_NEAR(v.current.ox, (100 - 320) * 0.99 + 320, 1e-3);

    ViewState many;
    for (int k = 0; k < 2000; ++k) zoomStep(many, 1.0f);
    EXPECT_EQ(many.current.scale, 3000.0f);
    for (int k = 0; k < 4000; ++k) zoomStep(many, -1.0f);
    EXPECT_EQ(many.current.scale, 0.5f);
}

TEST(Zoom, AViewWithoutAUsableScaleOnlyHasItsScaleBroughtIntoRange) {
    ViewState v;
    v.current = {0.0f, 100.0f, 300.0f};
    zoomStep(v, 1.0f);
    EXPECT_EQ(v.current.scale, 0.5f);
    EXPECT_EQ(v.current.ox, 100.0f);
    EXPECT_EQ(v.current.oy, 300.0f);
}

TEST(NormalView, ReturnsToTheNormalViewAndKeepsTheOneLeft) {
    ViewState v;
    panHorizontal(v, 25.0f);
    zoomStep(v, 10.0f);
    const View left = v.current;
    returnToNormalView(v);
    EXPECT_EQ(v.current, kDefaultView);
    EXPECT_EQ(v.saved, left);
}

TEST(Presets, PThenANumberStoresAndTheNumberAloneRecalls) {
    ViewState v;
    panHorizontal(v, 40.0f);
    const View stored = v.current;
    capturePreset(v);
    EXPECT_EQ(v.presets[0], stored);
    EXPECT_TRUE(choosePreset(v, 3, true));
    EXPECT_EQ(v.presets[3], stored);
    returnToNormalView(v);
    EXPECT_TRUE(choosePreset(v, 3, false));
    EXPECT_EQ(v.current, stored);
    // Other slots were not touched.
    EXPECT_EQ(v.presets[2], View{});
}

TEST(Presets, ASlotNeverStoredLeavesTheViewAsItIs) {
    ViewState v;
    panVertical(v, 5.0f);
    const View before = v.current;
    EXPECT_FALSE(choosePreset(v, 5, false));
    EXPECT_EQ(v.current, before);
    EXPECT_FALSE(choosePreset(v, 0, false));
    EXPECT_FALSE(choosePreset(v, 7, false));
    EXPECT_EQ(v.current, before);
}

TEST(CentreView, PutsTheWorldPointAtThePictureCentreKeepingTheScale) {
    ViewState v;
    centreViewOn(v, 2.0, 1.0);
    EXPECT_EQ(v.current.scale, 21.0f);
    EXPECT_EQ(v.current.ox, 278.0f);  // 320 - 2 * 21
    EXPECT_EQ(v.current.oy, 261.0f);  // 240 + 1 * 21
    EXPECT_EQ(screenX(v.current, 2.0), 320);
    EXPECT_EQ(screenY(v.current, 1.0), 240);
}
