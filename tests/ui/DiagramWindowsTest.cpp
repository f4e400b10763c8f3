// The four diagram windows as the user meets them: opened from the menu and the tool bar,
// the main window's timer stopped meanwhile, the dynamic-variable bars and UnDo, the
// read-outs, the menus, and the main window's state as it was after they close.
#include <QAction>
#include <QFocusEvent>
#include <QFrame>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include "DiagramTestSupport.h"
#include "DynamicVariables.h"
#include "Oval.h"
#include "PortEvents.h"
#include "Sine.h"
#include "Steam.h"
#include "UiTestSupport.h"

using namespace tarvell;
using tarvell::test::runModal;

namespace {

class DiagramWindowsTest : public test::ProgramTest {
  protected:
    struct Entry {
        DiagramWindow* window;
        QAction* menu;
        QAction* tool;
    };
    std::vector<Entry> windows() {
        TMainForm& f = form();
        return {{program_->sineDia, f.SineDiag, f.ToolButton[13]},
                {program_->ovalDia, f.OvalDiag, f.ToolButton[14]},
                {program_->steamDia, f.SteamDiag, f.ToolButton[15]},
                {program_->portDia, f.FourEvents, f.ToolButton[16]}};
    }
    void open(DiagramWindow& w, QAction* action, const std::function<void()>& during) {
        runModal(
            w, *program_->setRevArm, [action] { action->trigger(); }, during);
    }
    // Whether a pixel of the area is close to the colour (text is antialiased).
    static bool anyPixel(const QImage& image, QRect area, QRgb colour) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (std::abs(qRed(p) - qRed(colour)) < 60 &&
                    std::abs(qGreen(p) - qGreen(colour)) < 60 &&
                    std::abs(qBlue(p) - qBlue(colour)) < 60)
                    return true;
            }
        return false;
    }
    static QScrollBar* bar(DiagramWindow& w, int k) {
        return w.findChild<QScrollBar*>(QString("%1%2")
                                            .arg(w.objectName() == "TSineDia"    ? "SBDynVarS"
                                                 : w.objectName() == "TOvalDia"  ? "SBDynVarO"
                                                 : w.objectName() == "TSteamDia" ? "SBDynVarST"
                                                                                 : "SBDynVarP")
                                            .arg(k));
    }
    // Makes Stroke the most recent dynamic variable, as a dialog field does.
    void chooseStroke() { StoreDimensionField(model(), 2, "3.25"); }
};

}  // namespace

TEST_F(DiagramWindowsTest, EachOpensFromItsMenuAndToolButtonAndLeavesTheGearAlone) {
    tick(3);
    Model& m = model();
    const float angle = m.gear.DriverAngle, position = m.gear.ReverseArmPosition;
    for (const Entry& e : windows()) {
        for (QAction* action : {e.menu, e.tool}) {
            EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();
            bool drawn = false;
            open(*e.window, action, [&] {
                EXPECT_TRUE(e.window->isVisible());
                EXPECT_FALSE(form().Timer1->isActive());
                // Something black was drawn on the white picture.
                drawn = anyPixel(e.window->image(), QRect(0, 70, 600, 300), qRgb(0, 0, 0));
                EXPECT_TRUE(e.window->windowTitle().startsWith("Tarvell Outside Admission      "));
            });
            EXPECT_TRUE(drawn) << e.window->objectName().toStdString();
            EXPECT_FALSE(e.window->isVisible());
            EXPECT_EQ(m.gear.DriverAngle, angle);
            EXPECT_EQ(m.gear.ReverseArmPosition, position);
        }
    }
}

TEST_F(DiagramWindowsTest, TitlesAreRegisteredForTheRotationLoop) {
    QStringList titles;
    for (const auto& w : program_->context().titledWindows()) titles << w.titleText;
    EXPECT_TRUE(titles.contains("Tarvell Outside Admission      Sine Diagram    "));
    EXPECT_TRUE(titles.contains("Tarvell Outside Admission      Oval Diagram    "));
    EXPECT_TRUE(titles.contains("Tarvell Outside Admission      Steam Diagram    "));
    EXPECT_TRUE(titles.contains("Tarvell Outside Admission      Port Open/Closed    "));
}

TEST_F(DiagramWindowsTest, OpeningAsksForThePositionsExceptThePortEventsWindow) {
    int asked = 0;
    QTimer spy;
    QObject::connect(&spy, &QTimer::timeout, [&] {
        if (program_->setRevArm->isVisible()) ++asked;
    });
    spy.start(1);
    for (const Entry& e : windows()) {
        asked = 0;
        open(*e.window, e.menu, [] {});
        EXPECT_EQ(asked > 0, e.window != program_->portDia) << e.window->objectName().toStdString();
    }
}

TEST_F(DiagramWindowsTest, MainTimerStopsWhileShownAndRunsAgainAfter) {
    program_.reset();
    ProgramOptions options;  // this time the rotation loop runs on its own timer
    options.showError = [this](const QString& text) { errorMessages_.append(text); };
    program_ = std::make_unique<Program>(std::make_unique<RecordingSound>(), options);
    program_->createWindows();
    form().show();
    ASSERT_TRUE(form().Timer1->isActive());
    const float angleAtOpen = model().gear.DriverAngle;
    open(*program_->sineDia, form().SineDiag, [&] {
        EXPECT_FALSE(form().Timer1->isActive());
        const float a = model().gear.DriverAngle;
        QTest::qWait(60);  // several ticks' worth
        EXPECT_EQ(model().gear.DriverAngle, a);
    });
    EXPECT_TRUE(form().Timer1->isActive());
    (void)angleAtOpen;
}

TEST_F(DiagramWindowsTest, DrawingClearsToWhiteAndShowsThePortLines) {
    TSineDia& sine = *program_->sineDia;
    model().PositionCount = 3;
    sine.clearAndDraw();
    const QImage& image = sine.image();
    EXPECT_EQ(image.size(), QSize(632, 414));
    EXPECT_EQ(program_->ovalDia->image().size(), QSize(632, 426));
    // Lime front steam line 0.21875 x 250 above the zero line; red rear line as far below.
    EXPECT_EQ(image.pixel(20, 160) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(image.pixel(20, 270) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image.pixel(600, 400) & 0xFFFFFF, 0xFFFFFFu);
    // Drawn again without clearing, then cleared: the corner stays white either way.
    sine.drawWithoutClearing();
    EXPECT_EQ(image.pixel(600, 400) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(DiagramWindowsTest, BannerUntilADimensionIsChosen) {
    Model& m = model();
    m.DynamicVariablesShown = true;
    for (const Entry& e : windows()) {
        e.window->clearAndDraw();
        EXPECT_TRUE(anyPixel(e.window->image(), QRect(235, 12, 150, 12), qRgb(255, 0, 0)))
            << e.window->objectName().toStdString();
        for (int k = 1; k <= 4; ++k) {
            EXPECT_FALSE(bar(*e.window, k)->isHidden());
            EXPECT_FALSE(bar(*e.window, k)->isEnabled());
        }
    }
    chooseStroke();
    for (const Entry& e : windows()) {
        e.window->clearAndDraw();
        EXPECT_FALSE(anyPixel(e.window->image(), QRect(235, 0, 200, 40), qRgb(255, 0, 0)));
        EXPECT_TRUE(bar(*e.window, 1)->isEnabled());
        EXPECT_FALSE(bar(*e.window, 2)->isEnabled());
    }
    m.DynamicVariablesShown = false;
    for (const Entry& e : windows()) {
        e.window->clearAndDraw();
        for (int k = 1; k <= 4; ++k) EXPECT_TRUE(bar(*e.window, k)->isHidden());
    }
}

TEST_F(DiagramWindowsTest, ScrollBarsChangeTheDimensionAndUnDoTakesItBack) {
    Model& m = model();
    chooseStroke();
    m.DynamicVariablesShown = true;
    m.UndoEnabled = true;
    for (const Entry& e : windows()) {
        DiagramWindow& w = *e.window;
        QScrollBar* b = bar(w, 1);
        open(w, e.menu, [&] {
            ASSERT_TRUE(b->isVisible());
            ASSERT_TRUE(b->isEnabled());
            // The bar takes the focus, the button held down moves it an arrow step and a page
            // step, and the scroll ends with the release: one undo entry, as on the main
            // window's bars.
            QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
            QApplication::sendEvent(b, &in);
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(60, 5), QPointF(60, 5),
                              Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(b, &press);
            b->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            EXPECT_FLOAT_EQ(m.frame.Stroke, 3.251f);
            EXPECT_EQ(b->value(), 0);
            b->triggerAction(QAbstractSlider::SliderPageStepAdd);
            EXPECT_NEAR(m.frame.Stroke, 3.261f, 1e-5);
            QMouseEvent release(QEvent::MouseButtonRelease, QPointF(60, 5), QPointF(60, 5),
                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(b, &release);
            EXPECT_EQ(m.undo[1].code, 2);
            EXPECT_FLOAT_EQ(m.undo[1].oldValue, 3.25f);
            EXPECT_NEAR(m.undo[1].newValue, 3.261f, 1e-5);
            QPushButton* undo =
                w.findChild<QPushButton*>(w.objectName() == "TSineDia"    ? "UnDoDnS"
                                          : w.objectName() == "TOvalDia"  ? "UnDoDnO"
                                          : w.objectName() == "TSteamDia" ? "UnDoDnSt"
                                                                          : "UnDoDnP");
            ASSERT_TRUE(undo);
            EXPECT_TRUE(undo->isVisible());
            EXPECT_TRUE(undo->isEnabled());
            EXPECT_TRUE(form().UnDoDn->isEnabled());
            undo->click();
            EXPECT_FLOAT_EQ(m.frame.Stroke, 3.25f);
            EXPECT_FALSE(undo->isEnabled());  // nothing left to undo
            EXPECT_FALSE(form().UnDoDn->isEnabled());
            // The undo line of the last change was drawn beside the button.
            EXPECT_TRUE(anyPixel(w.image(), QRect(150, 55, 200, 12), qRgb(0, 0, 0)));
        });
    }
}

TEST_F(DiagramWindowsTest, WheelStepsAreRecordedAndAPressThatChangesNothingIsNot) {
    Model& m = model();
    chooseStroke();
    m.DynamicVariablesShown = true;
    TSineDia& sine = *program_->sineDia;
    QScrollBar* b = bar(sine, 1);
    open(sine, form().SineDiag, [&] {
        ASSERT_TRUE(b->isEnabled());
        const QPointF middle(60, 5);
        QWheelEvent wheel(middle, b->mapToGlobal(middle), {}, QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(b, &wheel);
        ASSERT_NE(m.frame.Stroke, 3.25f);
        EXPECT_EQ(m.undoCount, 1);
        EXPECT_EQ(m.undo[1].oldValue, 3.25f);  // the value before the step can be restored
        EXPECT_EQ(m.undo[1].newValue, m.frame.Stroke);
        // Pressed and released on the thumb without moving: no second entry.
        QMouseEvent press(QEvent::MouseButtonPress, middle, b->mapToGlobal(middle), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(b, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, middle, b->mapToGlobal(middle),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(b, &release);
        EXPECT_EQ(m.undoCount, 1);
        sine.UnDoDnS->click();
        EXPECT_EQ(m.frame.Stroke, 3.25f);
    });
}

TEST_F(DiagramWindowsTest, DynamicVariablesMenuSwitchesTheMainWindowsBarsToo) {
    Model& m = model();
    TSineDia& sine = *program_->sineDia;
    ASSERT_FALSE(m.DynamicVariablesShown);
    sine.DynVari->trigger();
    EXPECT_TRUE(m.DynamicVariablesShown);
    for (int k = 1; k <= 4; ++k) {
        EXPECT_FALSE(form().SBDynVar[static_cast<std::size_t>(k)]->isHidden());
        EXPECT_FALSE(sine.SBDynVarS[static_cast<std::size_t>(k)]->isHidden());
    }
    for (int n : {7, 8, 9}) EXPECT_FALSE(form().Panel[static_cast<std::size_t>(n)]->isHidden());
    program_->portDia->DynamicVari1->trigger();
    EXPECT_FALSE(m.DynamicVariablesShown);
    EXPECT_TRUE(form().SBDynVar[1]->isHidden());
    EXPECT_TRUE(form().Panel[8]->isHidden());
}

TEST_F(DiagramWindowsTest, UnDoMenuSwitchesUndoAndItsButton) {
    Model& m = model();
    TOvalDia& oval = *program_->ovalDia;
    ASSERT_FALSE(m.UndoEnabled);
    oval.UnDoOval->trigger();
    EXPECT_TRUE(m.UndoEnabled);
    EXPECT_FALSE(oval.UnDoDnO->isHidden());
    oval.UnDoOval->trigger();
    EXPECT_FALSE(m.UndoEnabled);
    EXPECT_TRUE(oval.UnDoDnO->isHidden());
}

TEST_F(DiagramWindowsTest, UnDoButtonWithNothingRecordedDisablesItself) {
    TSteamDia& steam = *program_->steamDia;
    program_->context().setUndoButtonsEnabled(true);
    steam.UnDoDnSt->click();
    EXPECT_FALSE(steam.UnDoDnSt->isEnabled());
    EXPECT_FALSE(form().UnDoDn->isEnabled());
}

TEST_F(DiagramWindowsTest, MouseMoveRedrawsOnceAfterThePositionsChanged) {
    Model& m = model();
    for (const Entry& e : windows()) {
        m.PositionsChanged = true;
        QMouseEvent move(QEvent::MouseMove, QPointF(300, 200), QPointF(300, 200), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(e.window->client(), &move);
        // The port events window has no mouse handler.
        EXPECT_EQ(m.PositionsChanged, e.window == program_->portDia)
            << e.window->objectName().toStdString();
    }
}

TEST_F(DiagramWindowsTest, PortEventsMenuModesAndTheMainWindowsCommand) {
    TPortDia& port = *program_->portDia;
    port.BothGraphs1->trigger();
    EXPECT_EQ(port.mode(), PortGraphMode::Both);
    port.ReverseGraph1->trigger();
    EXPECT_EQ(port.mode(), PortGraphMode::Reverse);
    // The main window opens it in forward mode.
    open(port, form().FourEvents, [&] { EXPECT_EQ(port.mode(), PortGraphMode::Forward); });
    EXPECT_EQ(port.SetUp->title(), "&SetUp");
    EXPECT_EQ(port.ForwardGraph1->text(), "&ForwardGraph");
}

TEST_F(DiagramWindowsTest, ControlsStandWhereTheFormPutsThem) {
    TSineDia& sine = *program_->sineDia;
    EXPECT_EQ(sine.CloseSin->geometry(), QRect(408, 8, 75, 25));
    EXPECT_EQ(program_->portDia->ClosePort->geometry(), QRect(447, 2, 75, 25));
    for (int k = 1; k <= 4; ++k) {
        QScrollBar* b = sine.SBDynVarS[static_cast<std::size_t>(k)];
        EXPECT_EQ(b->geometry(), QRect(112, 3 + 12 * (k - 1), 121, 10));
        EXPECT_EQ(b->minimum(), -200);
        EXPECT_EQ(b->maximum(), 200);
        EXPECT_EQ(b->pageStep(), 10);
    }
    EXPECT_EQ(sine.UnDoDnS->geometry(), QRect(110, 54, 40, 16));
    EXPECT_EQ(sine.UnDoDnS->text(), "UnDo");
    EXPECT_EQ(sine.DynVari->text(), "&DymamicVariables");
    EXPECT_EQ(program_->steamDia->DynVari->text(), "&DynamicVari");
    EXPECT_EQ(program_->ovalDia->SetRevArmPos1->text(), "&SetRevArmPos");
}
