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
    QTest::qWait(800);
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

TEST_F(DynamicControlsTest, UndoLineIsDrawnBesideTheUndoButtonWhileUndoIsOn) {
    choose(2, "3.25");
    bar(1)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    auto darkPixels = [this] {
        int n = 0;
        for (int y = 127; y < 143; ++y)
            for (int x = 340; x < 530; ++x)
                if (qGray(pixel(x, y)) < 100) ++n;
        return n;
    };
    tick();
    EXPECT_GT(darkPixels(), 20);
    form().SetUnDo->trigger();
    tick();
    EXPECT_EQ(darkPixels(), 0);
}

TEST_F(DynamicControlsTest, LongUndoLineKeepsItsNumbersWithinTheBox) {
    Model& m = model();
    choose(119, "1");
    for (int i = 0; i < 20; ++i) bar(1)->triggerAction(QAbstractSlider::SliderPageStepAdd);
    RecordingCanvas canvas;  // six pixels a character
    form().dynamicControls().drawUndoLine(canvas);
    ASSERT_EQ(canvas.texts().size(), 1u);
    const std::string line = canvas.texts()[0];
    // From x 322 to the box's edge at 536: at most 35 characters, the name shortened.
    EXPECT_LE(line.size(), 35u) << line;
    EXPECT_EQ(line.rfind("20- Valve Length", 0), 0u) << line;
    EXPECT_TRUE(line.ends_with(" 1.200 to 1.190.")) << line;
    EXPECT_EQ(m.undoCount, 20);
}
