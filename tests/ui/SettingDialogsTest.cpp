// The small setting dialogs: reverse arm position, driver angle, step angle, reference
// points and graphic-position zoom.
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "NumberField.h"
#include "SettingDialogs.h"
#include "UiTestSupport.h"

using namespace tarvell;
using tarvell::test::ProgramTest;

namespace {

class SettingDialogsTest : public ProgramTest {
  protected:
    // Opens a dialog, types into one of its fields and presses OK.
    template <class Dialog>
    void typeAndOk(Dialog* d, NumberField* field, const char* keys) {
        d->show();
        field->clear();
        QTest::keyClicks(field, keys);
        QTest::mouseClick(d->OKBtn, Qt::LeftButton);
        EXPECT_FALSE(d->isVisible());
    }
};

}  // namespace

TEST_F(SettingDialogsTest, KeyFilterAllowsOneMinusAndOnePoint) {
    NumberField field(nullptr, true);
    QTest::keyClicks(&field, "1.2.3");
    EXPECT_EQ(field.text(), "1.23");
    field.clear();
    QTest::keyClicks(&field, "-5-x,e7");
    EXPECT_EQ(field.text(), "-57");
    NumberField angle(nullptr, false);
    QTest::keyClicks(&angle, "-45");
    EXPECT_EQ(angle.text(), "45");
    EXPECT_FLOAT_EQ(NumberField(nullptr).value(), 0.0f);
}

TEST_F(SettingDialogsTest, ReverseArmPositionIsKeptWithinTheMaximumTravel) {
    TRevPos* d = program_->revPos;
    const float c = model().ReverseArmCentre();
    typeAndOk(d, d->Edit1, "20");
    EXPECT_EQ(form().SBRevArm->value(), 1500);
    EXPECT_FLOAT_EQ(model().gear.ReverseArmPosition, c + 1.5f);
    typeAndOk(d, d->Edit1, "-3");
    EXPECT_EQ(form().SBRevArm->value(), -1500);
    d->show();
    d->Edit1->setText("10.033");
    d->OKBtn->click();
    EXPECT_EQ(form().SBRevArm->value(), std::lround((10.033 - c) * 1000));
    EXPECT_EQ(model().gear.direction, Direction::Rev);
}

TEST_F(SettingDialogsTest, DriverAngleIsHeldInOneTurn) {
    TDrivAng* d = program_->drivAng;
    form().Deg00->click();
    typeAndOk(d, d->Edit1, "400");
    EXPECT_EQ(model().gear.DriverAngle, 360.0f);
    typeAndOk(d, d->Edit1, "12.345");
    EXPECT_FLOAT_EQ(model().gear.DriverAngle, 12.35f);  // hundredths, like the bar
    EXPECT_EQ(form().SBDrvAng->value(), 1235);
}

TEST_F(SettingDialogsTest, StepAngleIsClampedAndShownOnTheStepBar) {
    TStpAng* d = program_->stpAng;
    typeAndOk(d, d->Edit1, "7");
    EXPECT_EQ(model().gear.StepAngle, 7.0f);
    EXPECT_EQ(model().gear.ActiveStep, 7.0f);     // still running
    EXPECT_EQ(form().SBStepAng->value(), 10409);  // the 5-degree band
    EXPECT_EQ(form().SBDrvAng->singleStep(), 700);
    EXPECT_EQ(form().SBDrvAng->pageStep(), 3500);
    EXPECT_TRUE(form().Step10->isEnabled());
    typeAndOk(d, d->Edit1, "100");
    EXPECT_EQ(model().gear.StepAngle, 45.0f);
    EXPECT_FALSE(form().Step45->isEnabled());
    typeAndOk(d, d->Edit1, "0");
    EXPECT_FLOAT_EQ(model().gear.StepAngle, 0.01f);
    // The bar moved by the dialog kept the typed step; a later move of the bar takes its
    // band's step again.
    form().SBStepAng->setValue(12000);
    EXPECT_EQ(model().gear.StepAngle, 10.0f);
}

TEST_F(SettingDialogsTest, TypedStepStandsWhenTheBarIsAlreadyInItsBand) {
    TStpAng* d = program_->stpAng;
    typeAndOk(d, d->Edit1, "11");  // moves the bar into the 10-degree band
    typeAndOk(d, d->Edit1, "12");  // same band: the bar does not move
    EXPECT_EQ(model().gear.StepAngle, 12.0f);
    EXPECT_EQ(model().gear.ActiveStep, 12.0f);
    EXPECT_EQ(form().SBDrvAng->singleStep(), 1200);
    EXPECT_EQ(form().SBDrvAng->pageStep(), 6000);
    EXPECT_TRUE(form().Step10->isEnabled());
    form().SBStepAng->setValue(12001);  // the flag was used up: the bar's band applies again
    EXPECT_EQ(model().gear.StepAngle, 10.0f);
}

TEST_F(SettingDialogsTest, ReferencePointsAreTypedAndZeroed) {
    TRefPnts* d = program_->refPnts;
    d->show();
    d->Pt1Vert->setText("1.5");
    d->Pt1Horz->setText("-2");
    d->Pt2Vert->setText("3");
    d->Pt2Horz->setText("4.25");
    d->OKBtn->click();
    EXPECT_EQ(model().pivots[19].y, 1.5f);
    EXPECT_EQ(model().pivots[19].x, -2.0f);
    EXPECT_EQ(model().pivots[20].x, 4.25f);
    d->show();
    EXPECT_EQ(d->Pt2Horz->text(), "4.250");
    d->ZeroBtn->click();
    d->OKBtn->click();
    EXPECT_EQ(model().pivots[19].y, 0.0f);
    EXPECT_EQ(model().pivots[20].x, 0.0f);
    // Cancel keeps what was there.
    d->show();
    d->Pt1Vert->setText("9");
    d->CancelBtn->click();
    EXPECT_EQ(model().pivots[19].y, 0.0f);
}

TEST_F(SettingDialogsTest, GraphicZoomIsClamped) {
    TGraphZoom* d = program_->graphZoom;
    typeAndOk(d, d->Edit1, "0");
    EXPECT_EQ(model().view.graphicZoom, 0.5f);
    typeAndOk(d, d->Edit1, "5000");
    EXPECT_EQ(model().view.graphicZoom, 2000.0f);
    typeAndOk(d, d->Edit1, "7.5");
    EXPECT_EQ(model().view.graphicZoom, 7.5f);
}
