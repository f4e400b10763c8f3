// The main window: the rotation loop, the gear controls, menu switches, the error report
// and the pixels of a rendered frame.
#include <QAction>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>
#include <algorithm>

#include "Calc.h"
#include "RecordingCanvas.h"
#include "TarvellVersion.h"
#include "UiTestSupport.h"
#include "View.h"

using namespace tarvell;
using tarvell::test::ProgramTest;

namespace {

class MainFormTest : public ProgramTest {
  protected:
    // Stops the driver at `angle` through the real controls.
    void stopAt(float angle) {
        form().Deg00->click();
        form().SBDrvAng->setValue(static_cast<int>(std::lround(angle * 100)));
    }
    bool anyPixelNear(int x, int y, QRgb colour, int radius = 1) {
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx)
                if (pixel(x + dx, y + dy) == colour) return true;
        return false;
    }
};

constexpr QRgb kBlack = 0x000000, kRed = 0xFF0000, kLime = 0x00FF00, kBlue = 0x0000FF,
               kYellow = 0xFFFF00, kFuchsia = 0xFF00FF, kWhite = 0xFFFFFF;

}  // namespace

TEST_F(MainFormTest, StartsRunningAtMidGearWithTheDefaultRange) {
    EXPECT_EQ(form().Run->text(), "Stop");
    EXPECT_FALSE(form().SBDrvAng->isEnabled());
    EXPECT_EQ(form().SBRevArm->minimum(), -1500);
    EXPECT_EQ(form().SBRevArm->maximum(), 1500);
    EXPECT_FALSE(form().Center->isEnabled());
    EXPECT_FALSE(form().Step10->isEnabled());
    EXPECT_EQ(model().gear.ActiveStep, 10.0f);
    EXPECT_NEAR(model().gear.ReverseArmPosition, 10.533, 0.0005);
    EXPECT_TRUE(
        form().windowTitle().startsWith("Tarvell Outside Admission            Nominal     "));
    EXPECT_TRUE(form().windowTitle().endsWith(QString("   Version ") + kProgramVersion));
    EXPECT_EQ(sound().volumes.front(), 0x80008000u);
}

TEST_F(MainFormTest, TheAngleWrapsAfterEachStep) {
    stopAt(359);
    form().Run->click();  // running again with step 10
    tick();
    EXPECT_FLOAT_EQ(model().gear.DriverAngle, 9.0f);

    stopAt(350);
    form().Run->click();
    tick();
    EXPECT_FLOAT_EQ(model().gear.DriverAngle, 360.0f);  // 360 is kept, not wrapped

    form().SBRevArm->setValue(-1);  // the reverse side: the driver turns backwards
    EXPECT_EQ(model().gear.direction, Direction::Rev);
    stopAt(5);
    form().Run->click();
    tick();
    EXPECT_FLOAT_EQ(model().gear.DriverAngle, 355.0f);

    // An angle set beyond the bar's turn (-40 to 400) comes back on the next tick.
    stopAt(400);
    tick();
    EXPECT_FLOAT_EQ(model().gear.DriverAngle, 40.0f);
}

TEST_F(MainFormTest, ReverseArmButtonsAndDirection) {
    TMainForm& f = form();
    const float c = model().ReverseArmCentre();
    f.Fwd->click();
    EXPECT_EQ(f.SBRevArm->value(), 1100);
    EXPECT_FLOAT_EQ(model().gear.ReverseArmPosition, c + 1.1f);
    EXPECT_EQ(model().gear.direction, Direction::Fwd);
    EXPECT_FALSE(f.Fwd->isEnabled());
    EXPECT_TRUE(f.Rev->isEnabled());
    EXPECT_TRUE(f.Center->isEnabled());

    f.Rev->click();
    EXPECT_EQ(f.SBRevArm->value(), -1100);
    EXPECT_FLOAT_EQ(model().gear.ReverseArmPosition, c - 1.1f);
    EXPECT_EQ(model().gear.direction, Direction::Rev);
    EXPECT_FALSE(f.Rev->isEnabled());

    f.SBRevArm->setValue(-1);
    EXPECT_EQ(model().gear.direction, Direction::Rev);
    f.SBRevArm->setValue(0);
    EXPECT_EQ(model().gear.direction, Direction::Fwd);  // mid gear counts as forward
    EXPECT_FALSE(f.Center->isEnabled());

    f.SBRevArm->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(f.SBRevArm->value(), 20);
    EXPECT_FLOAT_EQ(model().gear.ReverseArmPosition, c + 0.02f);
    f.Center->click();
    EXPECT_EQ(f.SBRevArm->value(), 0);
    EXPECT_EQ(model().gear.ReverseArmPosition, c);
}

TEST_F(MainFormTest, NegativeLiftingArmFlipsTheReverseArmBar) {
    TMainForm& f = form();
    model().frame.LiftingArmLength = -2.48f;
    f.FindRevArmCent->trigger();
    const float c = model().ReverseArmCentre();
    f.SBRevArm->setValue(100);
    EXPECT_FLOAT_EQ(model().gear.ReverseArmPosition, c - 0.1f);
    EXPECT_EQ(model().gear.direction, Direction::Fwd);
    f.SBRevArm->setValue(-100);
    EXPECT_FLOAT_EQ(model().gear.ReverseArmPosition, c + 0.1f);
    EXPECT_EQ(model().gear.direction, Direction::Rev);
    f.Fwd->click();  // the bar's positive side, the centre minus the normal travel
    EXPECT_EQ(f.SBRevArm->value(), 1100);
    EXPECT_FLOAT_EQ(model().gear.ReverseArmPosition, c - 1.1f);
    EXPECT_FALSE(f.Fwd->isEnabled());
}

TEST_F(MainFormTest, StoppingRoundsTheAngleToHundredths) {
    TMainForm& f = form();
    model().gear.DriverAngle = 123.456f;
    QTest::mouseClick(f.Run, Qt::LeftButton);
    EXPECT_EQ(f.Run->text(), "Run");
    EXPECT_FLOAT_EQ(model().gear.DriverAngle, 123.46f);
    EXPECT_EQ(model().gear.ActiveStep, 0.0f);
    EXPECT_TRUE(f.SBDrvAng->isEnabled());
    EXPECT_TRUE(f.Deg00->isEnabled());
    tick(3);  // stopped: the angle stays
    EXPECT_FLOAT_EQ(model().gear.DriverAngle, 123.46f);
    QTest::mouseClick(f.Run, Qt::LeftButton);
    EXPECT_EQ(f.Run->text(), "Stop");
    EXPECT_EQ(model().gear.ActiveStep, 10.0f);
    EXPECT_FALSE(f.SBDrvAng->isEnabled());

    f.Deg180->click();
    EXPECT_EQ(model().gear.DriverAngle, 180.0f);
    EXPECT_EQ(f.SBDrvAng->value(), 18000);
    EXPECT_EQ(f.Run->text(), "Run");
    EXPECT_FALSE(f.Deg180->isEnabled());
    EXPECT_TRUE(f.Deg00->isEnabled());
}

TEST_F(MainFormTest, StepBarAndStepButtons) {
    TMainForm& f = form();
    f.SBStepAng->setValue(5000);
    EXPECT_FLOAT_EQ(model().gear.StepAngle, 0.2f);
    EXPECT_FLOAT_EQ(model().gear.ActiveStep, 0.2f);  // running
    EXPECT_EQ(f.SBDrvAng->singleStep(), 20);
    EXPECT_EQ(f.SBDrvAng->pageStep(), 100);
    f.SBStepAng->setValue(704);
    EXPECT_FLOAT_EQ(model().gear.StepAngle, 0.01f);
    f.SBStepAng->setValue(705);
    EXPECT_FLOAT_EQ(model().gear.StepAngle, 0.02f);
    EXPECT_TRUE(f.Step10->isEnabled());

    f.Step45->click();
    EXPECT_EQ(f.SBStepAng->value(), 14613);
    EXPECT_EQ(model().gear.StepAngle, 45.0f);
    EXPECT_FALSE(f.Step45->isEnabled());
    EXPECT_TRUE(f.Step1->isEnabled());
    EXPECT_TRUE(f.Step10->isEnabled());
    EXPECT_EQ(f.SBDrvAng->singleStep(), 4500);

    f.Run->click();  // stopped: a new step waits for the next run
    f.Step1->click();
    EXPECT_EQ(f.SBStepAng->value(), 8000);
    EXPECT_EQ(model().gear.StepAngle, 1.0f);
    EXPECT_EQ(model().gear.ActiveStep, 0.0f);
    f.Run->click();
    EXPECT_EQ(model().gear.ActiveStep, 1.0f);
}

TEST_F(MainFormTest, ErrorReportTiming) {
    model().frame.LinkRadius = 0.01f;  // every solve fails its valve-rod search
    for (int t = 1; t <= 9; ++t) {
        tick();
        EXPECT_TRUE(form().Error->isVisible()) << t;
    }
    EXPECT_TRUE(sound().played.empty());
    tick();  // tick 10
    EXPECT_FALSE(form().Error->isVisible());
    ASSERT_EQ(sound().played.size(), 1u);
    EXPECT_EQ(sound().played[0], "Error.wav");
    tick(11);  // ticks 11-21: the count passes 20 and the flag is cleared
    EXPECT_EQ(sound().played.size(), 1u);
    EXPECT_FALSE(form().Error->isVisible());
    tick();  // tick 22: a new report begins
    EXPECT_TRUE(form().Error->isVisible());
    tick(9);
    EXPECT_EQ(sound().played.size(), 2u);
}

TEST_F(MainFormTest, NoErrorReportWithTheScreenDataOff) {
    form().SetScreenData->trigger();
    model().frame.LinkRadius = 0.01f;
    tick(30);
    EXPECT_TRUE(sound().played.empty());
    EXPECT_FALSE(form().Error->isVisible());
    EXPECT_TRUE(model().solver.ErrorFlag);
}

TEST_F(MainFormTest, MenuSwitchesRewriteTheirCaptions) {
    TMainForm& f = form();
    f.SetLineWidth->trigger();
    EXPECT_EQ(model().LineWidth, 2);
    EXPECT_EQ(f.SetLineWidth->text(), "Set&LineWidth 1");
    f.SetLineWidth->trigger();
    EXPECT_EQ(model().LineWidth, 1);
    EXPECT_EQ(f.SetLineWidth->text(), "Set&LineWidth 2");
    f.SetSteam->trigger();
    EXPECT_TRUE(model().SteamDisplay);
    EXPECT_EQ(f.SetSteam->text(), "SetS&teamDisp Off");
    f.SetBeepOnError->trigger();
    EXPECT_FALSE(model().solver.BeepOnError);
    EXPECT_EQ(f.SetBeepOnError->text(), "Set&ErrorBeep On");
    f.LargeFont->trigger();
    EXPECT_EQ(model().TextScaleX, 1.27f);
    EXPECT_EQ(model().TextScaleY, 1.22f);
    EXPECT_EQ(f.LargeFont->text(), "SetSmall&Font");
    f.LargeFont->trigger();
    EXPECT_EQ(model().TextScaleX, 1.0f);
    EXPECT_EQ(f.LargeFont->text(), "SetLarge&Font");
    f.SetScreenData->trigger();
    EXPECT_EQ(f.SetScreenData->text(), "SetScree&nData On");
    EXPECT_TRUE(f.SetPanZoom->isEnabled());
    EXPECT_FALSE(f.SBRevArm->isVisible());
    EXPECT_FALSE(f.ToolBar1->isVisible());
}

TEST_F(MainFormTest, FrameShowsTheCrankPinAndBalanceWeightAtAngleZero) {
    form().Deg00->click();
    tick();
    // Default view: 21 pixels a unit, origin at (100, 300). The crank pin (1.625, 0) is at
    // screen (134, 300), its circle of radius 0.05 * 6.325 = 0.316 (6.6 pixels) around it.
    EXPECT_TRUE(anyPixelNear(134, 293, kBlack));
    EXPECT_TRUE(anyPixelNear(134, 307, kBlack));
    // The balance weight arc (radius 0.35 D = 46.5 pixels) lies opposite, on the left,
    // symmetric about the horizontal; nothing of it on the right.
    EXPECT_TRUE(anyPixelNear(54, 300, kBlack));
    EXPECT_TRUE(anyPixelNear(77, 260, kBlack));
    EXPECT_TRUE(anyPixelNear(77, 340, kBlack));
    EXPECT_FALSE(anyPixelNear(123, 260, kBlack));
    EXPECT_FALSE(anyPixelNear(123, 340, kBlack));
    // The main rod runs along the centre line from the crank pin to the crosshead (16.375).
    EXPECT_EQ(pixel(350, 300), kRed);
    EXPECT_EQ(pixel(350, 299), kWhite);  // one pixel wide
    EXPECT_EQ(pixel(350, 301), kWhite);
}

TEST_F(MainFormTest, LinksAreDrawnInTheirColours) {
    form().Deg00->click();
    form().SBDrvAng->setValue(3000);  // 30 degrees: no link lies along another
    tick();
    const PivotSet& p = model().pivots;
    auto mid = [&](int a, int b, QRgb colour) {
        const int x = (p[a].sx + p[b].sx) / 2, y = (p[a].sy + p[b].sy) / 2;
        EXPECT_TRUE(anyPixelNear(x, y, colour)) << a << "-" << b;
    };
    mid(3, 2, kRed);        // main rod
    mid(2, 7, kLime);       // motion con rod
    mid(7, 6, kBlue);       // fulcrum lever
    mid(11, 12, kYellow);   // link con rod
    mid(5, 8, kBlue);       // valve rod
    mid(14, 15, kFuchsia);  // lifting link
    mid(16, 18, kLime);     // reverse arm
    // The reference line from the reverse arm end to above the driver centre.
    EXPECT_EQ(pixel((p[18].sx + p[1].sx) / 2, p[18].sy), kBlack);
}

TEST_F(MainFormTest, LineWidthTwoDrawsEveryLineTwoPixelsWide) {
    form().Deg00->click();
    form().SetLineWidth->trigger();
    tick();
    // The horizontal main rod at y = 300 now covers two rows (x 350 is beyond the motion
    // con rod, which ends at pivot 7, x 275).
    const bool above = pixel(350, 299) == kRed, below = pixel(350, 301) == kRed;
    EXPECT_EQ(pixel(350, 300), kRed);
    EXPECT_TRUE(above != below);
}

TEST_F(MainFormTest, SteamDisplayPlaysAnExhaustBeatEachHalfTurn) {
    form().SetSteam->trigger();
    form().Fwd->click();
    tick(36);  // one turn at 10 degrees a tick
    int beats = 0;
    for (const auto& name : sound().played) beats += name == "Exhaust.wav";
    EXPECT_EQ(beats, 2);  // one for each cylinder end
    // The phase labels are written under the cylinder; the piston ends hold steam pixels.
    tick();
    const CylinderOutline& o = form().cylinderOutline();
    int coloured = 0;
    for (int x = o.cylinder[4].x + 1; x < o.cylinder[7].x; ++x)
        for (int y = o.cylinder[4].y + 1; y < o.cylinder[5].y; ++y) {
            const QRgb c = pixel(x, y);
            coloured += c == kRed || c == kBlue || c == 0x008000 || c == kFuchsia;
        }
    EXPECT_GT(coloured, 50);
}

TEST_F(MainFormTest, TurningTheSteamDisplayOnFindsNoStaleExhaustBeat) {
    // Stopped, so each tick solves where the angle is put.
    form().Fwd->click();
    stopAt(0);
    form().SetSteam->trigger();
    tick();  // the front end admits, its exhaust is shut
    ASSERT_LT(model().openings.FrontExhaustOpening, 0.0f);
    form().SetSteam->trigger();  // off
    stopAt(180);
    tick();  // half a turn on, the front end exhausts and the rear end admits
    ASSERT_GT(model().openings.FrontExhaustOpening, 0.0f);
    ASSERT_LT(model().openings.RearExhaustOpening, 0.0f);
    form().SetSteam->trigger();  // on again, nothing has changed since the last frame
    tick();
    EXPECT_EQ(std::count(sound().played.begin(), sound().played.end(), "Exhaust.wav"), 0);
}

TEST_F(MainFormTest, DriverAngleReadoutIsTheAngleThePictureWasSolvedAt) {
    stopAt(40);
    form().RunClick();  // running at 10 degrees a tick
    tick();
    ASSERT_FLOAT_EQ(model().gear.DriverAngle, 50.0f);  // already the next tick's
    RecordingCanvas canvas;
    form().drawStillFrame(canvas);
    EXPECT_TRUE(canvas.drewText("Driv Ang  40.00  "));
    EXPECT_FALSE(canvas.drewText("Driv Ang  50.00  "));
}

TEST_F(MainFormTest, KeysMoveTheGearFromTheReverseArmBarWhichHasTheFocusAtStart) {
    EXPECT_EQ(form().focusWidget(), static_cast<QWidget*>(form().SBRevArm));
    const float c = model().ReverseArmCentre();
    QTest::keyClick(form().SBRevArm, Qt::Key_Left);  // an arrow step: 0.001 toward reverse
    EXPECT_EQ(form().SBRevArm->value(), -1);
    EXPECT_EQ(model().gear.direction, Direction::Rev);
    QTest::keyClick(form().SBRevArm, Qt::Key_PageDown);  // a track step of 20 to the right
    EXPECT_EQ(form().SBRevArm->value(), 19);
    EXPECT_FLOAT_EQ(model().gear.ReverseArmPosition, c + 0.019f);
    // Tab reaches the driver angle bar after the buttons of its row.
    form().Deg00->click();  // stopped: the angle bar is enabled
    form().SBRevArm->setFocus();
    for (int i = 0; i < 3; ++i) QTest::keyClick(form().focusWidget(), Qt::Key_Tab);  // 180, Run
    ASSERT_EQ(form().focusWidget(), static_cast<QWidget*>(form().SBDrvAng));
    QTest::keyClick(form().SBDrvAng, Qt::Key_Right);
    EXPECT_FLOAT_EQ(model().gear.DriverAngle, 10.0f);  // the 10-degree step's small change
}

TEST_F(MainFormTest, ReadoutsShowTheGearFigures) {
    form().Deg00->click();
    tick();
    // The read-outs are drawn as text into the frame; check the valve figures through the
    // model they are made from, and that text appeared in the read-out areas.
    int dark = 0;
    for (int x = 460; x < 539; ++x)
        for (int y = 25; y < 66; ++y) dark += qGray(pixel(x, y)) < 100;
    EXPECT_GT(dark, 50);
    EXPECT_FLOAT_EQ(model().openings.PistonTravel, 0.0f);
}
