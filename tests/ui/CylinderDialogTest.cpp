// The cylinder dimensions dialog: its layout, the rows that move the valve stem line, the
// small buttons and the reset.
#include <QLabel>
#include <QScrollBar>

#include "DimensionDialogSupport.h"

using namespace tarvell;
using tarvell::test::DimensionDialogTest;

namespace {

class CylinderDialog : public DimensionDialogTest {
  protected:
    void SetUp() override {
        DimensionDialogTest::SetUp();
        open(cylDimen());
    }
    NumberField* edit(int n) { return cylDimen().Edit[static_cast<std::size_t>(n)]; }
};

}  // namespace

TEST_F(CylinderDialog, LaysOutTwentyTwoGrayRows) {
    TCylDimen& d = cylDimen();
    EXPECT_EQ(d.windowTitle(), "Cylinder Dimensions");
    EXPECT_EQ(d.size(), QSize(386, 230));
    EXPECT_NE(d.findChild<NumberField*>("Edit22"), nullptr);
    EXPECT_EQ(d.findChild<NumberField*>("Edit23"), nullptr);
    EXPECT_EQ(d.Close1->geometry(), QRect(294, 192, 90, 25));
    EXPECT_EQ(d.Reset1->geometry(), QRect(294, 168, 90, 25));
    EXPECT_EQ(d.Reset1->text(), "ResetCylDim");
    // The piston rod and valve stem rows have two text lines: the button spans both and the
    // field stands on the second.
    EXPECT_EQ(d.Button[6]->geometry(), QRect(0, 65, 8, 26));
    EXPECT_EQ(edit(6)->geometry(), QRect(146, 78, 40, 13));
    EXPECT_EQ(d.Button[22]->geometry(), QRect(194, 117, 8, 26));
    EXPECT_EQ(edit(22)->geometry(), QRect(342, 130, 40, 13));
    EXPECT_EQ(d.findChild<QLabel*>("Label6b")->text(), "(Piston Rod)");
    EXPECT_EQ(d.findChild<QLabel*>("Label6b")->pos(), QPoint(82, 78));
    EXPECT_EQ(d.findChild<QLabel*>("Label22b")->text(), "  (Valve Stem)");
    EXPECT_EQ(d.findChild<QLabel*>("Label22b")->pos(), QPoint(266, 130));
    EXPECT_EQ(d.findChild<QLabel*>("Label13")->text(), "Steam Port Width        Rear");
    EXPECT_EQ(d.findChild<QLabel*>("Instruction2")->text(),
              "To Select a Dynamic Variable, Click Dimension in Gray Area");
    // All fields with 3 decimals.
    EXPECT_EQ(edit(1)->text(), "22.488");
    EXPECT_EQ(edit(2)->text(), "0.000");
    EXPECT_EQ(edit(17)->text(), "0.937");
    EXPECT_EQ(edit(22)->text(), "5.939");
}

TEST_F(CylinderDialog, ValveStemLineFollowsTheCentreLineAndTheStemOffset) {
    Model& m = model();
    typeAndLeave(cylDimen(), 9, "0.5");
    EXPECT_EQ(m.pivots[4].y, 0.5f);
    typeAndLeave(cylDimen(), 9, "0.75");
    EXPECT_EQ(m.cyl.ValveStemClToCylCl(), 0.75f);
    EXPECT_EQ(m.pivots[4].y, 0.75f);
    typeAndLeave(cylDimen(), 2, "1");
    EXPECT_EQ(m.pivots[3].y, 1.0f);
    EXPECT_EQ(m.pivots[4].y, 1.75f);
    EXPECT_EQ(m.dynamicSlots[1].code, 102);
    EXPECT_EQ(m.dynamicSlots[1].name, "Cyl CL above Driver ctr");
    EXPECT_EQ(m.undo[1].code, 102);
    EXPECT_EQ(m.undo[1].oldValue, 0.0f);
    EXPECT_EQ(m.undo[1].newValue, 1.0f);
    // The slot the data file carries but never reads stays as it was.
    EXPECT_EQ(m.cyl.SpareSlot(), 0.0f);
}

TEST_F(CylinderDialog, SmallButtonsRequestCodesFrom101) {
    QTest::mouseClick(cylDimen().Button[6], Qt::LeftButton);
    EXPECT_EQ(model().HighlightCode, 106);
    QTest::mouseClick(cylDimen().Button[22], Qt::LeftButton);
    EXPECT_EQ(model().HighlightCode, 122);
    QTest::mouseClick(cylDimen().Button[1], Qt::LeftButton);
    EXPECT_EQ(model().HighlightCode, 101);
}

TEST_F(CylinderDialog, ResetRestoresTheDefaultsAndLeavesTheReverseArmRange) {
    Model& m = model();
    typeAndLeave(cylDimen(), 2, "1.5");
    typeAndLeave(cylDimen(), 16, "4");
    form().SBRevArm->setRange(-900, 900);
    program_->context().markDesignSaved();  // nothing unsaved: no question takes the press
    QTest::mousePress(cylDimen().Reset1, Qt::LeftButton);
    EXPECT_EQ(m.pivots[3].y, 0.0f);
    EXPECT_EQ(m.pivots[4].y, 2.6875f);
    EXPECT_EQ(m.cyl.ValveChamberLength(), 3.3125f);
    EXPECT_EQ(edit(16)->text(), "3.313");  // the tie rounds up, as by hand
    EXPECT_EQ(edit(2)->text(), "0.000");
    EXPECT_EQ(m.dynamicSlots[1].code, 0);
    EXPECT_EQ(m.dynamicSlots[1].name, "             ??");
    EXPECT_EQ(m.undo[1].code, 116);
    QTest::mouseRelease(cylDimen().Reset1, Qt::LeftButton);
    EXPECT_EQ(m.undo[1].code, 0);
    EXPECT_FALSE(form().UnDoDn->isEnabled());
    EXPECT_EQ(form().SBRevArm->maximum(), 900);
}

TEST_F(CylinderDialog, CloseRecomputesMidGear) {
    Model& m = model();
    const float centre = m.ReverseArmCentre();
    m.ReverseArmCentre() = centre - 0.5f;
    form().SBRevArm->setValue(-70);
    QTest::mouseClick(cylDimen().Close1, Qt::LeftButton);
    EXPECT_EQ(m.ReverseArmCentre(), centre);
    EXPECT_EQ(form().SBRevArm->value(), 0);
}
