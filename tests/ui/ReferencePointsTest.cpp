// Reference points, picking pivots with the mouse and the pivot data read-outs.
#include <QAction>
#include <QFrame>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <algorithm>

#include "RecordingCanvas.h"
#include "ReferencePoints.h"
#include "UiTestSupport.h"

using namespace tarvell;
using tarvell::test::ProgramTest;

namespace {

bool has(const RecordingCanvas& c, const std::string& call) {
    return std::find(c.calls.begin(), c.calls.end(), call) != c.calls.end();
}

void click(TMainForm& f, Qt::MouseButton button, QPoint at) {
    QTest::mouseClick(f.client(), button, Qt::NoModifier, at);
}

// The default view puts the world origin at (100, 300), 21 pixels per unit. At 0 degrees the
// crank pin (one crank radius, 1.625, toward the cylinder) is at (134, 300) and the crosshead
// (1.625 + main rod 14.75 = 16.375) at (444, 300).
const QPoint kNearCrankPin(136, 302);
const QPoint kNearCrosshead(446, 301);

}  // namespace

TEST_F(ProgramTest, ReferencePointsCommandShowsTheirControlsAndEnablesTheLines) {
    TMainForm& f = form();
    EXPECT_FALSE(f.DrawLines1->isEnabled());
    EXPECT_FALSE(f.ToolButton[23]->isEnabled());
    f.RefPoints->trigger();
    for (QWidget* w : std::initializer_list<QWidget*>{
             f.RefPt1, f.RefPt2, f.RefPt1Zero, f.RefPt2Zero, f.SBRef1Vert, f.SBRef1Horz,
             f.SBRef2Vert, f.SBRef2Horz, f.Panel[5], f.Panel[6], f.Panel[11]})
        EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_EQ(f.ToolButton[11]->toolTip(), "Turn Off Reference Points");
    EXPECT_TRUE(f.DrawLines1->isEnabled());
    EXPECT_TRUE(f.ToolButton[23]->isEnabled());

    f.ToolButton[11]->trigger();
    EXPECT_FALSE(f.RefPt1->isVisible());
    EXPECT_FALSE(f.Panel[5]->isVisible());
    EXPECT_EQ(f.ToolButton[11]->toolTip(), "Turn On Reference Points");
    EXPECT_FALSE(f.DrawLines1->isEnabled());
}

TEST_F(ProgramTest, ReferenceBarsMoveThePointsByThousandthsAndReturnToRest) {
    TMainForm& f = form();
    f.RefPoints->trigger();
    f.SBRef1Vert->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_FLOAT_EQ(model().pivots[19].y, 0.001f);
    f.SBRef1Vert->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_FLOAT_EQ(model().pivots[19].y, 0.011f);
    f.SBRef2Horz->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_FLOAT_EQ(model().pivots[20].x, -0.01f);
    f.SBRef1Horz->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_FLOAT_EQ(model().pivots[19].x, -0.001f);
    for (QScrollBar* b : {f.SBRef1Vert, f.SBRef1Horz, f.SBRef2Vert, f.SBRef2Horz})
        EXPECT_EQ(b->value(), 0);
    EXPECT_EQ(model().pivots[20].y, 0.0f);

    f.RefPt1Zero->click();
    EXPECT_EQ(model().pivots[19].x, 0.0f);
    EXPECT_EQ(model().pivots[19].y, 0.0f);
    EXPECT_FLOAT_EQ(model().pivots[20].x, -0.01f);  // the other point stays
    f.RefPt2Zero->click();
    EXPECT_EQ(model().pivots[20].x, 0.0f);
}

TEST_F(ProgramTest, RP1CentresTheViewOnReferencePoint1) {
    TMainForm& f = form();
    f.RefPoints->trigger();
    model().pivots[19].x = 2.0f;
    model().pivots[19].y = 1.0f;
    f.RefPt1->click();
    EXPECT_EQ(model().view.current.ox, 278.0f);  // 320 - 2 * 21
    EXPECT_EQ(model().view.current.oy, 261.0f);  // 240 + 1 * 21
    EXPECT_TRUE(f.NormVHZ->isEnabled());
    f.Deg00Click();
    tick();
    EXPECT_EQ(model().pivots[19].sx, 320);
    EXPECT_EQ(model().pivots[19].sy, 240);
    // The cross reaches 10 pixels each way from the point.
    EXPECT_EQ(pixel(329, 240), 0x000000u);
    EXPECT_EQ(pixel(320, 231), 0x000000u);
}

TEST_F(ProgramTest, ReferencePointReadoutsAndCrosses) {
    TMainForm& f = form();
    f.RefPoints->trigger();
    model().pivots[19].x = 3.0f;
    model().pivots[19].y = 4.0f;
    tick();
    RecordingCanvas c;
    f.referencePoints().drawReferenceMarks(c);
    f.referencePoints().drawReferenceReadouts(c);
    // Point 1 at (3 * 21 + 100, 300 - 4 * 21) = (163, 216); point 2 at the origin (100, 300).
    EXPECT_TRUE(has(c, "moveTo 153 216"));
    EXPECT_TRUE(has(c, "lineTo 174 216"));
    EXPECT_TRUE(has(c, "moveTo 163 206"));
    EXPECT_TRUE(has(c, "lineTo 163 227"));
    EXPECT_TRUE(has(c, "text 166 202 1"));
    EXPECT_TRUE(has(c, "moveTo 90 300"));
    EXPECT_TRUE(has(c, "text 103 286 2"));
    for (const char* t : {"Pt1V  4.000", "Pt1H  3.000", "Pt2V  0.000", "Pt2H  0.000", " 4.000",
                          " 3.000", "Pt1-Pt2 5.000"})
        EXPECT_TRUE(c.drewText(t)) << t;

    f.RefPoints->trigger();
    RecordingCanvas off;
    f.referencePoints().drawReferenceMarks(off);
    f.referencePoints().drawReferenceReadouts(off);
    EXPECT_TRUE(off.calls.empty());
}

TEST_F(ProgramTest, PromptsAskForPivotsUntilTheyArePicked) {
    TMainForm& f = form();
    f.RefPoints->trigger();
    RecordingCanvas two;
    f.referencePoints().drawPrompts(two);
    EXPECT_TRUE(has(two, "font 8 bold 255,0,0"));
    for (const char* t :
         {"STOP MOTION AND SELECT PIVOT 1 AND PIVOT 2", "USE LEFT MOUSE BUTTON FIRST THEN RIGHT",
          "MOVE MOTION IF NECESSARY TO CLEAR PIVOTS"})
        EXPECT_TRUE(two.drewText(t)) << t;

    f.Deg00Click();
    tick();
    click(f, Qt::LeftButton, kNearCrosshead);
    RecordingCanvas placed;
    f.referencePoints().drawPrompts(placed);
    EXPECT_TRUE(placed.texts().empty());

    f.SetPivotData->trigger();
    RecordingCanvas one;
    f.referencePoints().drawPrompts(one);
    for (const char* t : {"STOP MOTION AND SELECT PIVOT 1", "USE LEFT MOUSE BUTTON",
                          "MOVE MOTION IF NECESSARY TO CLEAR PIVOT"})
        EXPECT_TRUE(one.drewText(t)) << t;
    EXPECT_EQ(one.texts().size(), 3u);
    click(f, Qt::LeftButton, kNearCrankPin);
    RecordingCanvas picked;
    f.referencePoints().drawPrompts(picked);
    EXPECT_TRUE(picked.texts().empty());
}

TEST_F(ProgramTest, ClicksPutTheReferencePointsOnTheNearestPivots) {
    TMainForm& f = form();
    f.RefPoints->trigger();
    f.Deg00Click();
    tick();
    click(f, Qt::LeftButton, kNearCrosshead);
    EXPECT_NEAR(model().pivots[19].x, 16.375, 1e-3);
    EXPECT_NEAR(model().pivots[19].y, 0.0, 1e-3);
    click(f, Qt::RightButton, kNearCrankPin);
    EXPECT_NEAR(model().pivots[20].x, 1.625, 1e-4);
    EXPECT_NEAR(model().pivots[20].y, 0.0, 1e-4);

    // While the driver turns a click only beeps.
    f.RunClick();
    const int beeps = sound().beeps;
    click(f, Qt::LeftButton, kNearCrankPin);
    EXPECT_EQ(sound().beeps, beeps + 1);
    EXPECT_NEAR(model().pivots[19].x, 16.375, 1e-3);
}

TEST_F(ProgramTest, PivotDataClicksFillTheSlotsInTurn) {
    TMainForm& f = form();
    f.SetPivotData->trigger();
    EXPECT_TRUE(f.referencePointsShown);  // pivot data brings the reference points
    EXPECT_TRUE(f.DataTableBut->isVisible());
    EXPECT_EQ(f.ToolButton[24]->toolTip(), "Turn Off Pivot Data");
    f.Deg00Click();
    tick();
    click(f, Qt::LeftButton, kNearCrankPin);
    click(f, Qt::RightButton, kNearCrosshead);  // only the left button picks
    click(f, Qt::LeftButton, kNearCrosshead);
    EXPECT_EQ(model().pivotDataSlots, (std::array<int, 6>{2, 3, 0, 0, 0, 0}));
    EXPECT_EQ(f.referencePoints().nextPivotDataSlot(), 2);
    // The reference points stay where they were.
    EXPECT_EQ(model().pivots[19].x, 0.0f);

    f.SetPivotData->trigger();
    EXPECT_FALSE(f.DataTableBut->isVisible());
    EXPECT_EQ(f.ToolButton[24]->toolTip(), "Turn On Pivot Data");
    EXPECT_EQ(model().pivotDataSlots, (std::array<int, 6>{}));
    EXPECT_TRUE(f.referencePointsShown);

    f.SetPivotData->trigger();
    f.RefPoints->trigger();  // reference points off take pivot data with them
    EXPECT_FALSE(f.pivotDataShown);
    EXPECT_FALSE(f.DataTableBut->isVisible());
}

TEST_F(ProgramTest, PivotDataReadoutsListTheChosenSlots) {
    TMainForm& f = form();
    f.SetPivotData->trigger();
    tick();
    model().pivotDataSlots = {0, 12, 0, 0, 0, 0};
    Pivot& p = model().pivots[12];
    p.x = 6.5f;
    p.y = -0.25f;
    p.sx = 240;
    p.sy = 305;
    RecordingCanvas c;
    f.referencePoints().drawPivotData(c, c);  // the picture unmoved: one canvas for both
    for (const char* t : {"    Pivot Data", "No.  Vert     Horz", " -0.250", "  6.500"})
        EXPECT_TRUE(c.drewText(t)) << t;
    EXPECT_TRUE(has(c, "font 8 255,0,0"));  // the slot numbers in red
    EXPECT_TRUE(has(c, "text 244 306 2"));  // slot 2's number beside its pivot
    // Only the chosen slot has a row: two headings, its number in the list and beside the
    // pivot, its two values.
    EXPECT_EQ(c.texts().size(), 6u);
}

TEST_F(ProgramTest, ScreenDataOffClearsReferencePointsAndPivotData) {
    TMainForm& f = form();
    f.SetPivotData->trigger();
    model().pivotDataSlots[0] = 8;
    f.SetScreenData->trigger();
    EXPECT_FALSE(f.referencePointsShown);
    EXPECT_FALSE(f.pivotDataShown);
    EXPECT_FALSE(f.RefPt1->isVisible());
    EXPECT_FALSE(f.DataTableBut->isVisible());
    EXPECT_EQ(model().pivotDataSlots[0], 0);
    EXPECT_FALSE(f.RefPoints->isEnabled());
    EXPECT_FALSE(f.SetPivotData->isEnabled());
    EXPECT_FALSE(f.DrawLines1->isEnabled());
    f.SetScreenData->trigger();
    EXPECT_TRUE(f.RefPoints->isEnabled());
    EXPECT_TRUE(f.SetPivotData->isEnabled());
}
