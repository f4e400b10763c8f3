// Pan, zoom, Norm and the presets on the main window, and the screen data switch.
#include <QAction>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>

#include "NumberField.h"
#include "SettingDialogs.h"
#include "UiTestSupport.h"

using namespace tarvell;
using tarvell::test::ProgramTest;

namespace {

void press(QScrollBar* bar, QAbstractSlider::SliderAction action, int times = 1) {
    for (int k = 0; k < times; ++k) bar->triggerAction(action);
}

}  // namespace

TEST_F(ProgramTest, PanArrowsMoveATenthOfAPixelAndTrackClicksOnePixel) {
    TMainForm& f = form();
    const View& v = model().view.current;
    EXPECT_FALSE(f.NormVHZ->isEnabled());
    press(f.SBPanHorz, QAbstractSlider::SliderSingleStepAdd);
    EXPECT_NEAR(v.ox, 100.1, 1e-4);
    EXPECT_EQ(f.SBPanHorz->value(), 0);  // the bar is back at rest
    press(f.SBPanHorz, QAbstractSlider::SliderPageStepAdd);
    EXPECT_NEAR(v.ox, 101.1, 1e-4);
    press(f.SBPanHorz, QAbstractSlider::SliderSingleStepSub, 3);
    EXPECT_NEAR(v.ox, 100.8, 1e-4);

    press(f.SBPanVert, QAbstractSlider::SliderSingleStepAdd);
    EXPECT_NEAR(v.oy, 299.9, 1e-4);
    press(f.SBPanVert, QAbstractSlider::SliderPageStepSub, 2);
    EXPECT_NEAR(v.oy, 301.9, 1e-4);
    EXPECT_EQ(f.SBPanVert->value(), 0);
    EXPECT_EQ(v.scale, 21.0f);
    EXPECT_TRUE(f.NormVHZ->isEnabled());
}

TEST_F(ProgramTest, ZoomStepsAboutThePictureCentreMoveTheDrawnPivots) {
    TMainForm& f = form();
    f.Deg00Click();
    press(f.SBZoom, QAbstractSlider::SliderPageStepAdd);  // +1 %
    const View& v = model().view.current;
    EXPECT_NEAR(v.scale, 21.21, 1e-4);
    EXPECT_NEAR(v.ox, 97.8, 1e-3);   // (100 - 320) * 1.01 + 320
    EXPECT_NEAR(v.oy, 300.6, 1e-3);  // (300 - 240) * 1.01 + 240
    EXPECT_EQ(f.SBZoom->value(), 0);
    tick();
    // The crank pin at 0 degrees, (1.625, 0): 1.625 * 21.21 + 97.8 = 132.27.
    EXPECT_EQ(model().pivots[2].sx, 132);
    EXPECT_EQ(model().pivots[2].sy, 301);

    press(f.SBZoom, QAbstractSlider::SliderSingleStepSub);  // -0.1 %
    EXPECT_NEAR(v.scale, 21.21 * 0.999, 1e-3);
}

TEST_F(ProgramTest, ZoomStopsAtItsLimits) {
    TMainForm& f = form();
    press(f.SBZoom, QAbstractSlider::SliderPageStepAdd, 900);  // 1.01^900 * 21 is far beyond
    EXPECT_EQ(model().view.current.scale, 3000.0f);
    press(f.SBZoom, QAbstractSlider::SliderPageStepSub, 1000);
    EXPECT_EQ(model().view.current.scale, 0.5f);
}

TEST_F(ProgramTest, NormReturnsToTheNormalView) {
    TMainForm& f = form();
    press(f.SBPanHorz, QAbstractSlider::SliderPageStepAdd, 4);
    press(f.SBZoom, QAbstractSlider::SliderPageStepAdd, 2);
    const View moved = model().view.current;
    f.Preset[0]->click();
    f.NormVHZ->click();
    EXPECT_EQ(model().view.current, kDefaultView);
    EXPECT_EQ(model().view.saved, moved);
    EXPECT_FALSE(f.NormVHZ->isEnabled());
    EXPECT_TRUE(f.Preset[0]->isEnabled());
}

TEST_F(ProgramTest, PThenANumberStoresTheViewAndTheNumberRecallsIt) {
    TMainForm& f = form();
    press(f.SBPanHorz, QAbstractSlider::SliderPageStepAdd, 5);
    f.Preset[0]->click();
    EXPECT_FALSE(f.Preset[0]->isEnabled());  // waiting for the number
    f.Preset[2]->click();
    EXPECT_TRUE(f.Preset[0]->isEnabled());
    EXPECT_NEAR(model().view.presets[2].ox, 105.0, 1e-4);

    f.NormVHZ->click();
    EXPECT_EQ(model().view.current, kDefaultView);
    f.Preset[2]->click();
    EXPECT_NEAR(model().view.current.ox, 105.0, 1e-4);
    EXPECT_TRUE(f.NormVHZ->isEnabled());

    // A number never stored keeps the view rather than collapsing the picture.
    f.Preset[4]->click();
    EXPECT_NEAR(model().view.current.ox, 105.0, 1e-4);
    EXPECT_EQ(model().view.current.scale, 21.0f);
}

TEST_F(ProgramTest, ScreenDataOffHidesTheControlsAndLetsPanZoomShowTheBars) {
    TMainForm& f = form();
    EXPECT_FALSE(f.SetPanZoom->isEnabled());
    f.SetScreenData->trigger();
    EXPECT_EQ(f.SetScreenData->text(), "SetScree&nData On");
    for (QWidget* w : std::initializer_list<QWidget*>{f.SBRevArm, f.Run, f.Step45, f.SBPanVert,
                                                      f.SBZoom, f.NormVHZ, f.Preset[3], f.ToolBar1})
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_TRUE(f.SetPanZoom->isEnabled());
    EXPECT_EQ(f.SetPanZoom->text(), "SetP&anZoom On");

    f.SetPanZoom->trigger();
    EXPECT_EQ(f.SetPanZoom->text(), "SetP&anZoom Off");
    for (QScrollBar* b : {f.SBPanVert, f.SBPanHorz, f.SBZoom}) EXPECT_TRUE(b->isVisible());
    EXPECT_FALSE(f.NormVHZ->isVisible());
    f.SetPanZoom->trigger();
    EXPECT_EQ(f.SetPanZoom->text(), "SetP&anZoom On");
    for (QScrollBar* b : {f.SBPanVert, f.SBPanHorz, f.SBZoom}) EXPECT_FALSE(b->isVisible());

    f.SetScreenData->trigger();
    EXPECT_TRUE(f.SBRevArm->isVisible());
    EXPECT_TRUE(f.SBZoom->isVisible());
    EXPECT_TRUE(f.ToolBar1->isVisible());
    EXPECT_FALSE(f.SetPanZoom->isEnabled());
}

TEST_F(ProgramTest, GraphicZoomAndReferencePointCommandsOpenTheirDialogs) {
    TMainForm& f = form();
    bool zoomShown = false;
    QTimer::singleShot(0, program_->graphZoom, [&] {
        zoomShown = program_->graphZoom->isVisible();
        program_->graphZoom->reject();
    });
    f.GraphicZoom->trigger();
    EXPECT_TRUE(zoomShown);

    // The typed reference points are stored on OK.
    QTimer::singleShot(0, program_->refPnts, [&] {
        TRefPnts& d = *program_->refPnts;
        d.Pt1Vert->setText("1.25");
        d.Pt1Horz->setText("-3");
        d.Pt2Vert->setText("0.5");
        d.Pt2Horz->setText("7");
        d.OKBtn->click();
    });
    f.RefPoints1->trigger();
    EXPECT_EQ(model().pivots[19].y, 1.25f);
    EXPECT_EQ(model().pivots[19].x, -3.0f);
    EXPECT_EQ(model().pivots[20].y, 0.5f);
    EXPECT_EQ(model().pivots[20].x, 7.0f);
}
