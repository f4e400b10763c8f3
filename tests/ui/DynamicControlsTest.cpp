// The main window's dynamic-variable scroll bars, its "UnDo" button and their read-outs,
// driven through the real controls.
#include <QAction>
#include <QFrame>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include "DynamicControls.h"
#include "DynamicVariables.h"
#include "QtCanvas.h"
#include "RecordingCanvas.h"
#include "UiTestSupport.h"

using namespace tarvell;

namespace {

class DynamicControlsTest : public test::ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        form().DynamicVariables->trigger();
        form().SetUnDo->trigger();
    }

    QScrollBar* bar(int n) { return form().SBDynVar[static_cast<std::size_t>(n)]; }

    // A dimension stored by a dialog field without typing: the most recent dynamic variable.
    void choose(int code, const char* text) {
        model().undoPending = false;
        StoreDimensionField(model(), code, text);
    }

    // The centre of one of the bar's parts, as the style lays it out.
    QPoint partCentre(QScrollBar* b, QStyle::SubControl part) {
        QStyleOptionSlider opt;
        opt.initFrom(b);
        opt.subControls = QStyle::SC_All;
        opt.orientation = b->orientation();
        opt.minimum = b->minimum();
        opt.maximum = b->maximum();
        opt.sliderPosition = b->sliderPosition();
        opt.sliderValue = b->value();
        opt.singleStep = b->singleStep();
        opt.pageStep = b->pageStep();
        opt.upsideDown = b->invertedAppearance();
        if (b->orientation() == Qt::Horizontal) opt.state |= QStyle::State_Horizontal;
        return b->style()->subControlRect(QStyle::CC_ScrollBar, &opt, part, b).center();
    }
};

}  // namespace

TEST_F(DynamicControlsTest, CommandsShowTheBarsPanelsAndUndoButton) {
    for (int n = 1; n <= 4; ++n) EXPECT_TRUE(bar(n)->isVisible()) << n;
    for (int n = 7; n <= 9; ++n)
        EXPECT_FALSE(form().Panel[static_cast<std::size_t>(n)]->isHidden());
    EXPECT_TRUE(form().UnDoDn->isVisible());
    EXPECT_FALSE(form().UnDoDn->isEnabled());  // nothing to undo yet
    EXPECT_TRUE(model().UndoEnabled);
    form().ToolButton[12]->trigger();
    form().ToolButton[3]->trigger();
    for (int n = 1; n <= 4; ++n) EXPECT_FALSE(bar(n)->isVisible()) << n;
    EXPECT_TRUE(form().Panel[8]->isHidden());
    EXPECT_FALSE(form().UnDoDn->isVisible());
    EXPECT_FALSE(model().UndoEnabled);
    EXPECT_EQ(bar(2)->toolTip(), "Change Next to Last Variable Clicked");
}

TEST_F(DynamicControlsTest, ArrowClickNudgesByAThousandthAndTheAngleByATenth) {
    Model& m = model();
    choose(2, "3.25");
    bar(1)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_FLOAT_EQ(m.frame.Stroke, 3.251f);
    EXPECT_EQ(bar(1)->value(), 0);  // back in the middle
    EXPECT_FLOAT_EQ(m.dynamicSlots[1].value, 3.251f);
    // One finished scroll, one undo entry.
    EXPECT_EQ(m.undoCount, 1);
    EXPECT_EQ(m.undo[1].code, 2);
    EXPECT_EQ(m.undo[1].oldValue, 3.25f);
    EXPECT_FLOAT_EQ(m.undo[1].newValue, 3.251f);
    EXPECT_TRUE(form().UnDoDn->isEnabled());

    choose(16, "167.498");  // now slot 1; the stroke moves to slot 2
    bar(1)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_NEAR(m.frame.LinkRockingAngleDeg, 167.598, 1e-4);
    bar(2)->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_FLOAT_EQ(m.frame.Stroke, 3.250f);
    bar(2)->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_FLOAT_EQ(m.frame.Stroke, 3.260f);
    EXPECT_EQ(m.undoCount, 4);
}

TEST_F(DynamicControlsTest, KeysStepABarAsItsArrowsAndTrackDoAndKeepTheFocus) {
    Model& m = model();
    choose(2, "3.25");
    bar(1)->setFocus();
    QTest::keyClick(bar(1), Qt::Key_Right);
    EXPECT_FLOAT_EQ(m.frame.Stroke, 3.251f);
    QTest::keyClick(bar(1), Qt::Key_PageUp);  // a track step to the left
    EXPECT_FLOAT_EQ(m.frame.Stroke, 3.241f);
    // Each key step is one entry, taken back on its own.
    EXPECT_EQ(m.undoCount, 2);
    EXPECT_FLOAT_EQ(m.undo[1].oldValue, 3.251f);
    EXPECT_EQ(form().focusWidget(), static_cast<QWidget*>(bar(1)));
    QTest::mouseClick(form().UnDoDn, Qt::LeftButton);
    EXPECT_FLOAT_EQ(m.frame.Stroke, 3.251f);
}

TEST_F(DynamicControlsTest, TheAngleStaysWithinOneTurn) {
    Model& m = model();
    choose(16, "359.95");
    bar(1)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_NEAR(m.frame.LinkRockingAngleDeg, 0.05, 1e-3);
}

TEST_F(DynamicControlsTest, ScrollOnAnEmptySlotChangesAndRecordsNothing) {
    Model& m = model();
    choose(2, "3.25");
    bar(3)->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(m.frame.Stroke, 3.25f);
    EXPECT_EQ(m.undoCount, 0);
    EXPECT_EQ(m.undo[1].code, 0);
    EXPECT_FALSE(form().UnDoDn->isEnabled());
}

TEST_F(DynamicControlsTest, EachMouseGestureIsOneUndoEntry) {
    Model& m = model();
    choose(2, "3.25");
    QWidget* b = bar(1);
    const QPoint addArrow = partCentre(bar(1), QStyle::SC_ScrollBarAddLine);
    QTest::mouseClick(b, Qt::LeftButton, {}, addArrow);
    EXPECT_FLOAT_EQ(m.frame.Stroke, 3.251f);
    EXPECT_EQ(m.undoCount, 1);

    // Holding the arrow down repeats the step; releasing it ends one scroll.
    QTest::mousePress(b, Qt::LeftButton, {}, addArrow);
    EXPECT_TRUE(QTest::qWaitFor([&m] { return m.frame.Stroke > 3.2515f; }, 5000));
    QTest::mouseRelease(b, Qt::LeftButton, {}, addArrow);
    EXPECT_GT(m.frame.Stroke, 3.2515f);
    EXPECT_EQ(m.undoCount, 2);
    EXPECT_FLOAT_EQ(m.undo[1].oldValue, 3.251f);
    EXPECT_EQ(m.undo[1].newValue, m.frame.Stroke);

    // A thumb drag to the right: one entry for the whole drag.
    const float beforeDrag = m.frame.Stroke;
    const QPoint thumb = partCentre(bar(1), QStyle::SC_ScrollBarSlider);
    QTest::mousePress(b, Qt::LeftButton, {}, thumb);
    QTest::mouseMove(b, thumb + QPoint(8, 0));
    QTest::mouseMove(b, thumb + QPoint(16, 0));
    QTest::mouseRelease(b, Qt::LeftButton, {}, thumb + QPoint(16, 0));
    EXPECT_GT(m.frame.Stroke, beforeDrag);
    EXPECT_EQ(m.undoCount, 3);
    EXPECT_EQ(m.undo[1].oldValue, beforeDrag);
    EXPECT_EQ(bar(1)->value(), 0);
}

TEST_F(DynamicControlsTest, OnlyTheLastTwentyChangesCanBeUndone) {
    Model& m = model();
    QPushButton diagramUndo("UnDo");  // stands for a diagram window's button
    program_->context().registerUndoButton(&diagramUndo);
    diagramUndo.setEnabled(false);
    choose(2, "3.25");
    for (int i = 0; i < 21; ++i) bar(1)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_NEAR(m.frame.Stroke, 3.271, 1e-5);  // 21 single-precision sums
    EXPECT_EQ(m.undoCount, 20);
    EXPECT_TRUE(diagramUndo.isEnabled());
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(form().UnDoDn->isEnabled()) << i;
        QTest::mouseClick(form().UnDoDn, Qt::LeftButton);
    }
    // The first change is beyond the stack's reach.
    EXPECT_FLOAT_EQ(m.frame.Stroke, 3.251f);
    EXPECT_FLOAT_EQ(m.dynamicSlots[1].value, 3.251f);
    EXPECT_EQ(m.undoCount, 0);
    EXPECT_FALSE(form().UnDoDn->isEnabled());
    EXPECT_FALSE(diagramUndo.isEnabled());
}

TEST_F(DynamicControlsTest, UndoingTheValveStemOffsetMovesTheStemLineBack) {
    Model& m = model();
    choose(109, "2.6875");
    bar(1)->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_FLOAT_EQ(m.pivots[4].y, 2.6975f);
    QTest::mouseClick(form().UnDoDn, Qt::LeftButton);
    EXPECT_EQ(m.cyl.ValveStemClToCylCl(), 2.6875f);
    EXPECT_EQ(m.pivots[4].y, 2.6875f);
}

TEST_F(DynamicControlsTest, ReadoutsShowEachSlotBesideItsBar) {
    Model& m = model();
    choose(2, "3.25");
    choose(110, "0.5625");
    RecordingCanvas canvas;
    form().dynamicControls().drawReadouts(canvas);
    const auto texts = canvas.texts();
    ASSERT_EQ(texts.size(), 8u);
    EXPECT_EQ(texts[0], "Exhaust Port  Width");
    EXPECT_EQ(texts[2], "Stroke");
    EXPECT_EQ(texts[3], "3.250");
    EXPECT_EQ(texts[4], "             ??");
    // Rows level with the bars (72, 84, 96, 108), inside the box right of them.
    int row = 0;
    for (const std::string& call : canvas.calls) {
        if (call.rfind("text ", 0) != 0) continue;
        int x = 0, y = 0;
        ASSERT_EQ(std::sscanf(call.c_str(), "text %d %d", &x, &y), 2);
        EXPECT_EQ(y, 71 + 12 * (row / 2)) << call;
        EXPECT_GE(x, 376) << call;
        EXPECT_LE(x + canvas.textWidth(texts[static_cast<std::size_t>(row)]), 539) << call;
        ++row;
    }
    m.DynamicVariablesShown = false;
    RecordingCanvas hidden;
    form().dynamicControls().drawReadouts(hidden);
    EXPECT_TRUE(hidden.texts().empty());
}

TEST_F(DynamicControlsTest, UndoLineIsDrawnUnderTheUndoButtonWhileUndoIsOn) {
    choose(2, "3.25");
    bar(1)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    form().Deg00->click();  // the same picture on every tick
    tick();
    const QImage on = form().frameImage().copy();
    form().SetUnDo->trigger();
    tick();
    const QImage off = form().frameImage().copy();
    // The line changes only its own row: under the button (bottom 142), left of the valve
    // read-outs (x 545).
    int changed = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 632; ++x)
            if (on.pixel(x, y) != off.pixel(x, y)) {
                ++changed;
                EXPECT_TRUE(y >= 145 && y < 162 && x >= 280 && x < 542) << x << "," << y;
            }
    EXPECT_GT(changed, 100);
    // Its band keeps the coloured links out of the text.
    for (int y = 146; y < 157; ++y)
        for (int x = 282; x < 390; ++x) {
            const QColor c(on.pixel(x, y));
            EXPECT_LT(c.saturation(), 60) << x << "," << y;
        }
}

TEST_F(DynamicControlsTest, UndoLineIsDrawnAsBuiltOnAWhiteBand) {
    Model& m = model();
    choose(111, "0.5");
    bar(1)->triggerAction(QAbstractSlider::SliderPageStepAdd);
    RecordingCanvas canvas;  // six pixels a character
    form().dynamicControls().drawUndoLine(canvas);
    // The name keeps its runs of spaces; only the padding blanks after the line are left off.
    const std::string line = " 1- Bridge Width   Rear  0.510 to  0.500.";
    ASSERT_EQ(m.undoLine.rfind(line, 0), 0u);
    ASSERT_GE(canvas.calls.size(), 3u);
    EXPECT_EQ(canvas.calls[canvas.calls.size() - 3], "brush 255,255,255");
    EXPECT_EQ(canvas.calls[canvas.calls.size() - 2], "text 280 145 " + line);
    // A line longer than its row (x 280 to 541) loses its end, and nothing else.
    m.undo[1].newValue = m.undo[1].oldValue = 1e15f;
    RecordingCanvas clipped;
    form().dynamicControls().drawUndoLine(clipped);
    const std::string shown = clipped.texts().at(0);
    EXPECT_EQ(m.undoLine.rfind(shown, 0), 0u) << shown;
    EXPECT_EQ(shown.size(), 43u);  // 261 pixels of room
}

TEST_F(DynamicControlsTest, LongestNameFitsItsRowWholeInTheFramesFont) {
    QImage image(632, 380, QImage::Format_RGB32);
    QtCanvas canvas(image);
    canvas.setFont(FontSpec{8, false, colours::black});
    EXPECT_LE(canvas.textWidth("20- Valve Length   Front Half -1.200 to -1.190."), 541 - 280);
}

TEST_F(DynamicControlsTest, HomeAndEndRecordOnlyWhatTheyMove) {
    Model& m = model();
    choose(2, "3.25");
    bar(1)->setFocus();
    QTest::keyClick(bar(1), Qt::Key_End);
    const int afterFirst = m.undoCount;
    const float stroke = m.frame.Stroke;
    // A second End from the middle moves nothing more (the bar's history makes it a step of
    // nothing), so it leaves no entry that would change nothing when taken back.
    QTest::keyClick(bar(1), Qt::Key_End);
    EXPECT_EQ(m.frame.Stroke, stroke);
    EXPECT_EQ(m.undoCount, afterFirst);
}

TEST_F(DynamicControlsTest, RedoMakesAgainWhatUndoTookBackUntilTheNextChange) {
    Model& m = model();
    m.undoPending = true;
    StoreDimensionField(m, 2, "3.5");
    m.undoPending = true;
    StoreDimensionField(m, 2, "3.75");
    form().context().setUndoButtonsEnabled(true);
    form().UndoLastChange->trigger();
    form().UndoLastChange->trigger();
    EXPECT_EQ(m.frame.Stroke, 3.25f);
    EXPECT_EQ(form().RedoLastChange->shortcuts(),
              (QList<QKeySequence>{QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));
    form().RedoLastChange->trigger();
    EXPECT_EQ(m.frame.Stroke, 3.5f);
    EXPECT_TRUE(form().UnDoDn->isEnabled());
    EXPECT_EQ(m.undoCount, 1);
    // A new change forgets the change still undone.
    m.undoPending = true;
    StoreDimensionField(m, 14, "9.9");
    form().RedoLastChange->trigger();
    EXPECT_EQ(m.frame.Stroke, 3.5f);
    EXPECT_EQ(sound().beeps, 1);  // refused, and said
    // The change taken back and made again comes back whole, a group included.
    const DimensionSetting group[] = {{11, 9.7f}, {9, 3.2f}};
    StoreDimensionGroup(m, group, "Balance");
    form().UndoLastChange->trigger();
    EXPECT_EQ(m.frame.ValveRodTotalLen, 9.813f);
    form().RedoLastChange->trigger();
    EXPECT_EQ(m.frame.ValveRodTotalLen, 9.7f);
    EXPECT_EQ(m.frame.FulcrumLeverLower, 3.2f);
    EXPECT_EQ(m.undo[1].stepName, "Balance");
    form().UndoLastChange->trigger();
    EXPECT_EQ(m.frame.FulcrumLeverLower, 3.113f);
}
