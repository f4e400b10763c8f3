// The frame dimensions dialog driven through its fields, small buttons, Close and reset.
#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>

#include "Calc.h"
#include "DimensionDialogSupport.h"
#include "DimensionPlaces.h"

using namespace tarvell;
using tarvell::test::DimensionDialogTest;

namespace {

class FrameDialog : public DimensionDialogTest {
  protected:
    void SetUp() override {
        DimensionDialogTest::SetUp();
        open(frameDi());
    }
    NumberField* edit(int n) { return frameDi().Edit[static_cast<std::size_t>(n)]; }
};

}  // namespace

TEST_F(FrameDialog, LaysOutEveryRowFromTheDimensionTable) {
    TFrameDi& d = frameDi();
    EXPECT_EQ(d.windowTitle(), "Frame Dimensions");
    EXPECT_EQ(d.size(), QSize(386, 237));
    for (int n : {1, 14, 15, 25, 27, 28}) {
        ASSERT_NE(d.findChild<NumberField*>(QString("Edit%1").arg(n)), nullptr) << n;
        ASSERT_NE(d.findChild<QPushButton*>(QString("Button%1").arg(n)), nullptr) << n;
    }
    EXPECT_EQ(d.findChild<NumberField*>("Edit26"), nullptr);
    // Row i of a column at y = 13 i; left fields at 146, right at 342; buttons at 0 and 194.
    EXPECT_EQ(edit(14)->geometry(), QRect(146, 169, 40, 13));
    EXPECT_EQ(edit(16)->geometry(), QRect(342, 13, 40, 13));
    EXPECT_EQ(d.Button[28]->geometry(), QRect(194, 156, 8, 13));
    EXPECT_EQ(d.Close1->geometry(), QRect(288, 208, 89, 25));
    EXPECT_EQ(d.ResetFrame->geometry(), QRect(288, 184, 89, 25));
    EXPECT_EQ(d.ResetFrame->text(), "ResetFrameDim");
    // Labels with their runs of spaces; a ditto row 30 pixels further right.
    auto* driver = d.findChild<QLabel*>("Label1");
    ASSERT_NE(driver, nullptr);
    EXPECT_EQ(driver->text(), "Driver                    Diameter");
    EXPECT_EQ(driver->pos(), QPoint(10, 0));
    auto* horz = d.findChild<QLabel*>("Label6");
    EXPECT_EQ(horz->text(), "\"           \"            Horz");
    EXPECT_EQ(horz->pos(), QPoint(40, 65));
    EXPECT_EQ(d.findChild<QLabel*>("Label23")->pos(), QPoint(234, 104));
    EXPECT_EQ(d.findChild<QLabel*>("Instruction1")->text(),
              "To Show Graphic Position of Variable, Click Small Button");
    EXPECT_EQ(d.findChild<QLabel*>("Instruction2")->text(),
              "To Select Dynamic Variable, Click Dimension in Gray Area");
    EXPECT_EQ(d.findChild<QLabel*>("Instruction2")->pos(), QPoint(1, 203));
    // Filled from the defaults: 3 decimals, 2 for the link radius and reverse arm vertical.
    EXPECT_EQ(edit(2)->text(), "3.250");
    EXPECT_EQ(edit(8)->text(), "0.000");
    EXPECT_EQ(edit(5)->text(), "0.198");
    EXPECT_EQ(edit(14)->text(), " 9.81");
    EXPECT_EQ(edit(18)->text(), " 1.91");
    EXPECT_EQ(edit(23)->text(), "10.574");
    EXPECT_EQ(edit(28)->text(), "1.500");
}

TEST_F(FrameDialog, LargeFontModeScalesTheLabelPositions) {
    frameDi().hide();
    form().LargeFont->trigger();  // 1.27 across, 1.22 down
    open(frameDi());
    // round(1.27 * 10) = 13 and round(1.22 * 13) = 16; the right column at round(1.27 * 204).
    EXPECT_EQ(frameDi().findChild<QLabel*>("Label2")->pos(), QPoint(13, 16));
    EXPECT_EQ(frameDi().findChild<QLabel*>("Label15")->pos(), QPoint(259, 0));
    // Instruction lines stay at x = 1: y = round(1.22 * 190) = 232, round(1.22 * 203) = 248.
    EXPECT_EQ(frameDi().findChild<QLabel*>("Instruction1")->pos(), QPoint(1, 232));
    EXPECT_EQ(frameDi().findChild<QLabel*>("Instruction2")->pos(), QPoint(1, 248));
}

TEST_F(FrameDialog, KeyFilterLetsThroughOnePointAndOneMinus) {
    type(edit(2), "1.2.3");
    EXPECT_EQ(edit(2)->text(), "1.23");
    type(edit(2), "-4-5");
    EXPECT_EQ(edit(2)->text(), "-45");
    type(edit(2), "a7x,9 ");
    EXPECT_EQ(edit(2)->text(), "79");
}

TEST_F(FrameDialog, EnterRecordsAnUndoEntryLeavingWithoutTypingDoesNot) {
    EXPECT_FALSE(form().UnDoDn->isEnabled());
    edit(2)->setFocus();
    QTest::keyClick(edit(2), Qt::Key_Return);
    EXPECT_TRUE(frameDi().Close1->hasFocus());
    Model& m = model();
    EXPECT_EQ(m.undoCount, 1);
    EXPECT_EQ(m.undo[1].code, 2);
    EXPECT_EQ(m.undo[1].oldValue, 3.25f);
    EXPECT_EQ(m.undo[1].newValue, 3.25f);
    EXPECT_EQ(m.undo[1].name, "Stroke");
    EXPECT_TRUE(form().UnDoDn->isEnabled());

    // In and out of another field: stored again and most recent, but no entry.
    edit(3)->setFocus();
    edit(4)->setFocus();
    EXPECT_EQ(m.undoCount, 1);
    EXPECT_EQ(m.dynamicSlots[1].code, 3);
    EXPECT_EQ(m.dynamicSlots[1].name, "Main Rod Length");
    EXPECT_EQ(m.dynamicSlots[2].code, 2);
    EXPECT_EQ(m.frame.MainRodLength, 14.75f);
}

TEST_F(FrameDialog, TypedValuesAreStoredAtOnceAndTheAngleIsKeptInOneTurn) {
    Model& m = model();
    typeAndLeave(frameDi(), 2, "3.5");
    EXPECT_EQ(m.frame.Stroke, 3.5f);
    EXPECT_EQ(m.undo[1].oldValue, 3.25f);
    EXPECT_EQ(m.undo[1].newValue, 3.5f);
    typeAndLeave(frameDi(), 16, "-30");
    EXPECT_EQ(m.frame.LinkRockingAngleDeg, 330.0f);
    typeAndLeave(frameDi(), 16, "720");
    EXPECT_EQ(m.frame.LinkRockingAngleDeg, 0.0f);
    EXPECT_EQ(edit(16)->text(), "720");  // the text stays as typed
    // The fixed pivots are dimensions 22-25.
    typeAndLeave(frameDi(), 23, "11");
    EXPECT_EQ(m.pivots[16].x, 11.0f);
    // The next tick solves with the new stroke: the crank pin stands half of it from the centre.
    typeAndLeave(frameDi(), 2, "4");
    form().Deg00->click();
    tick();
    EXPECT_NEAR(m.pivots[2].x, 2.0, 1e-5);
}

TEST_F(FrameDialog, TextThatIsNoWellFormedNumberStoresItsLeadingNumber) {
    Model& m = model();
    typeAndLeave(frameDi(), 2, "5-");
    EXPECT_EQ(m.frame.Stroke, 5.0f);
    typeAndLeave(frameDi(), 2, "1.5-");
    EXPECT_EQ(m.frame.Stroke, 1.5f);
    typeAndLeave(frameDi(), 2, "-");
    EXPECT_EQ(m.frame.Stroke, 0.0f);
    typeAndLeave(frameDi(), 3, ".");
    EXPECT_EQ(m.frame.MainRodLength, 0.0f);
    typeAndLeave(frameDi(), 4, "");
    EXPECT_EQ(m.frame.MotionConRodLength, 0.0f);
}

TEST_F(FrameDialog, NormalTravelIsKeptWithinTheMaximum) {
    Model& m = model();
    const float c = m.ReverseArmCentre();
    m.reverseArmPositions[5] = c - 1.6f;
    typeAndLeave(frameDi(), 27, "2");
    EXPECT_EQ(m.frame.RevArmToCentNorm, 1.5f);
    EXPECT_FLOAT_EQ(m.reverseArmPositions[5], c - 1.5f);
    EXPECT_EQ(m.undoCount, 0);  // the white rows record no undo entry
    EXPECT_EQ(m.dynamicSlots[1].code, 0);
    EXPECT_EQ(form().SBRevArm->maximum(), 1500);
}

TEST_F(FrameDialog, MaximumTravelSetsTheReverseArmRangeAndPullsInThePositions) {
    Model& m = model();
    const float c = m.ReverseArmCentre();
    m.reverseArmPositions[4] = c + 1.4f;
    m.reverseArmPositions[5] = c - 1.3f;
    m.reverseArmPositions[6] = 0;  // unused
    m.reverseArmPositions[7] = c + 0.5f;
    form().SBRevArm->setValue(1400);
    typeAndLeave(frameDi(), 28, "1");
    EXPECT_EQ(m.frame.RevArmToCentMax, 1.1f);
    EXPECT_EQ(form().SBRevArm->minimum(), -1100);
    EXPECT_EQ(form().SBRevArm->maximum(), 1100);
    EXPECT_FLOAT_EQ(m.reverseArmPositions[4], c + 1.1f);
    EXPECT_FLOAT_EQ(m.reverseArmPositions[5], c - 1.1f);
    EXPECT_EQ(m.reverseArmPositions[6], 0.0f);
    EXPECT_FLOAT_EQ(m.reverseArmPositions[7], c + 0.5f);
    // The bar was pulled into its new range and the reverse arm went with it.
    EXPECT_EQ(form().SBRevArm->value(), 1100);
    EXPECT_FLOAT_EQ(m.gear.ReverseArmPosition, c + 1.1f);
    // A larger maximum widens the range again without moving the positions.
    typeAndLeave(frameDi(), 28, "2.25");
    EXPECT_EQ(form().SBRevArm->maximum(), 2250);
    EXPECT_FLOAT_EQ(m.reverseArmPositions[4], c + 1.1f);
}

TEST_F(FrameDialog, LargeValuesShowTheirFirstTenCharactersAndKeepTheirValue) {
    Model& m = model();
    frameDi().hide();
    m.frame.Stroke = 1234567.0f;
    m.frame.DriverDia = 98765432.0f;
    m.frame.MainRodLength = 3.2504f;
    open(frameDi());
    EXPECT_EQ(edit(2)->text(), "1234567.00");
    EXPECT_EQ(edit(1)->text(), "98765432.0");
    EXPECT_EQ(edit(3)->text(), "3.250");
    // Passing through the fields without typing leaves the values as they were.
    for (int n : {1, 2, 3}) edit(n)->setFocus();
    leave(frameDi());
    EXPECT_EQ(m.frame.DriverDia, 98765432.0f);
    EXPECT_EQ(m.frame.Stroke, 1234567.0f);
    EXPECT_EQ(m.frame.MainRodLength, 3.2504f);
}

TEST_F(FrameDialog, ResetOnPressAndAgainOnClickWhichAlsoClearsUndo) {
    Model& m = model();
    typeAndLeave(frameDi(), 2, "4");
    typeAndLeave(frameDi(), 28, "1");
    ASSERT_EQ(m.undo[1].code, 2);
    ASSERT_EQ(form().SBRevArm->maximum(), 1100);
    // With nothing unsaved (the question would take the press; see UnsavedChangesTest).
    program_->context().markDesignSaved();

    QTest::mousePress(frameDi().ResetFrame, Qt::LeftButton);
    EXPECT_EQ(m.frame.Stroke, 3.25f);
    EXPECT_EQ(m.frame.RevArmToCentMax, 1.5f);
    EXPECT_EQ(form().SBRevArm->maximum(), 1500);
    EXPECT_EQ(form().SBRevArm->minimum(), -1500);
    for (const DynamicSlot& s : m.dynamicSlots) {
        EXPECT_EQ(s.code, 0);
        EXPECT_EQ(s.name, "             ??");
    }
    EXPECT_EQ(edit(2)->text(), "3.250");
    EXPECT_EQ(edit(14)->text(), " 9.81");
    EXPECT_EQ(m.undo[1].code, 2);  // still there until the click
    EXPECT_TRUE(form().UnDoDn->isEnabled());

    QTest::mouseRelease(frameDi().ResetFrame, Qt::LeftButton);
    EXPECT_EQ(m.undo[1].code, 0);
    EXPECT_EQ(m.undoCount, 0);
    EXPECT_FALSE(form().UnDoDn->isEnabled());
    // Codes 22-25 come back as pivot coordinates.
    EXPECT_EQ(m.pivots[16].x, 10.574f);
    EXPECT_EQ(m.pivots[6].y, 2.695f);
}

TEST_F(FrameDialog, CloseEscAndTheCloseBoxAllFindMidGear) {
    Model& m = model();
    const float centre = m.ReverseArmCentre();
    // However the dialog is left, the gear never runs on with a stale mid gear.
    for (int way = 0; way < 3; ++way) {
        open(frameDi());
        m.ReverseArmCentre() = centre + 0.25f;
        form().SBRevArm->setValue(50);
        m.cutoff.front = "12.5";
        m.cutoff.rear = "80.0";
        if (way == 0) QTest::mouseClick(frameDi().Close1, Qt::LeftButton);
        if (way == 1) QTest::keyClick(&frameDi(), Qt::Key_Escape);
        if (way == 2) frameDi().close();  // the window's close box
        EXPECT_FALSE(frameDi().isVisible()) << way;
        EXPECT_EQ(m.ReverseArmCentre(), centre) << way;
        EXPECT_EQ(form().SBRevArm->value(), 0) << way;
        EXPECT_EQ(m.cutoff.front, "") << way;
        EXPECT_EQ(m.cutoff.rear, "") << way;
    }
    // A stroke typed and left with Esc is kept, and mid gear follows it.
    open(frameDi());
    type(edit(2), "3.5");
    QTest::keyClick(edit(2), Qt::Key_Escape);
    EXPECT_EQ(m.frame.Stroke, 3.5f);
    Model fresh = m;
    CalcMidGear(fresh);
    EXPECT_EQ(m.ReverseArmCentre(), fresh.ReverseArmCentre());
}

TEST_F(FrameDialog, AResetPressReleasedOffTheButtonLeavesNoMarkForTheKeyboard) {
    program_->context().markDesignSaved();
    QTest::mousePress(frameDi().ResetFrame, Qt::LeftButton);
    QTest::mouseRelease(frameDi().ResetFrame, Qt::LeftButton, {}, QPoint(-20, -20));
    // Later, with a change pending, Space on the button must ask before resetting.
    typeAndLeave(frameDi(), 2, "4");
    ASSERT_TRUE(program_->context().designModified());
    saveAnswer_ = DataFileCommands::SaveChoice::Cancel;
    frameDi().ResetFrame->setFocus();
    QTest::keyClick(frameDi().ResetFrame, Qt::Key_Space);
    EXPECT_EQ(saveQuestions_.size(), 1);
    EXPECT_EQ(model().frame.Stroke, 4.0f);
}

TEST_F(FrameDialog, ValueTypedBeforeTheCloseBoxIsKept) {
    type(edit(2), "3.75");
    frameDi().close();
    EXPECT_EQ(model().frame.Stroke, 3.75f);
    EXPECT_EQ(model().undo[1].newValue, 3.75f);
}

TEST_F(FrameDialog, SmallButtonsRequestTheirDimensionsPosition) {
    QTest::mouseClick(frameDi().Button[2], Qt::LeftButton);
    EXPECT_EQ(model().HighlightCode, 2);
    QTest::mouseClick(frameDi().Button[28], Qt::LeftButton);
    EXPECT_EQ(model().HighlightCode, 28);
    EXPECT_TRUE(frameDi().isVisible());  // the main window closes it on its next tick
}

TEST_F(FrameDialog, StoredDimensionsBecomeTheDynamicVariablesNewestFirst) {
    Model& m = model();
    typeAndLeave(frameDi(), 2, "3.3");
    typeAndLeave(frameDi(), 3, "15");
    typeAndLeave(frameDi(), 16, "170");
    frameDi().hide();
    open(cylDimen());
    typeAndLeave(cylDimen(), 1, "22.5");  // code 101
    EXPECT_EQ(m.dynamicSlots[1].code, 101);
    EXPECT_EQ(m.dynamicSlots[2].code, 16);
    EXPECT_EQ(m.dynamicSlots[3].code, 3);
    EXPECT_EQ(m.dynamicSlots[4].code, 2);
    cylDimen().hide();
    open(frameDi());
    // Already there: updated in place.
    typeAndLeave(frameDi(), 3, "16");
    EXPECT_EQ(m.dynamicSlots[3].code, 3);
    EXPECT_EQ(m.dynamicSlots[3].value, 16.0f);
    EXPECT_EQ(m.dynamicSlots[1].code, 101);
    // A fifth drops the first stored.
    typeAndLeave(frameDi(), 9, "3");
    EXPECT_EQ(m.dynamicSlots[1].code, 9);
    EXPECT_EQ(m.dynamicSlots[2].code, 101);
    EXPECT_EQ(m.dynamicSlots[3].code, 16);
    EXPECT_EQ(m.dynamicSlots[4].code, 3);
}

TEST_F(FrameDialog, MenuAndToolButtonOpenTheDialog) {
    frameDi().hide();
    for (QAction* opener : {form().FrameDim, form().ToolButton[4]}) {
        ASSERT_TRUE(opener->isEnabled());
        bool shown = false;
        QTimer::singleShot(0, &frameDi(), [&] {
            shown = frameDi().isVisible();
            frameDi().close();
        });
        opener->trigger();  // modal: returns once the dialog is closed
        EXPECT_TRUE(shown);
    }
}

TEST_F(FrameDialog, ResetAllUsesTheDialogsResets) {
    Model& m = model();
    typeAndLeave(frameDi(), 2, "4");
    frameDi().hide();
    open(cylDimen());
    typeAndLeave(cylDimen(), 9, "1");
    cylDimen().hide();
    form().DynamicVariables->trigger();
    form().SetUnDo->trigger();
    form().ResetAll->trigger();
    EXPECT_EQ(m.frame.Stroke, 3.25f);
    EXPECT_EQ(m.cyl.ValveStemClToCylCl(), 2.6875f);
    EXPECT_EQ(m.pivots[4].y, 2.6875f);
    for (const DynamicSlot& s : m.dynamicSlots) EXPECT_EQ(s.name, "             ??");
    EXPECT_EQ(m.undoCount, 0);
    EXPECT_FALSE(form().UnDoDn->isEnabled());
    EXPECT_FALSE(m.UndoEnabled);
    EXPECT_FALSE(form().UnDoDn->isVisible());
    EXPECT_FALSE(form().SBDynVar[1]->isVisible());
    EXPECT_FALSE(form().Panel[8]->isVisible());
    EXPECT_EQ(frameDi().Edit[2]->text(), "3.250");
    EXPECT_EQ(cylDimen().Edit[9]->text(), "2.688");
}

TEST(DimensionPlaces, RowsStandInTheirColumnsAndLines) {
    // Frame rows: left column 0-13, right column from code 15; field y = 13 * row.
    EXPECT_EQ(placeOf(14).column, 0);
    EXPECT_EQ(placeOf(14).fieldY, 13 * 13);
    EXPECT_EQ(placeOf(15).column, 1);
    EXPECT_EQ(placeOf(28).fieldY, 13 * 12);
    // Cylinder rows with two text lines: the button spans both, the field sits on the second.
    EXPECT_EQ(placeOf(106).labelY, 65);
    EXPECT_EQ(placeOf(106).fieldY, 78);
    EXPECT_EQ(placeOf(122).dialogNumber, 22);
    // Every dimension has its row.
    for (const DimensionInfo& d : allDimensions())
        EXPECT_GT(placeOf(d.code).dialogNumber, 0) << d.code;
}
