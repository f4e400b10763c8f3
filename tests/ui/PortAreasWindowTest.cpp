// The Port Areas window: opened from the graphs menu after the indicator, its curves drawn in
// the entries' colours, and the piston-position axis switched from its menu.
#include <QAction>
#include <QMenu>

#include "DiagramTestSupport.h"
#include "PortAreasDrawing.h"
#include "PortAreasWindow.h"
#include "UiTestSupport.h"

using namespace tarvell;

namespace {

class PortAreasWindowTest : public test::ProgramTest {
  protected:
    TPortAreasDia& window() { return *program_->portAreasDia; }
    // Pixels of entry k's colour in the front end's steam half of the plot.
    int entryPixels(int k) {
        const QImage& image = window().image();
        const Rgb want = entryColour(k);
        int n = 0;
        for (int y = kAreasFrontZeroY - kAreasHalfHeight; y < kAreasFrontZeroY; ++y)
            for (int x = kAreasLeft; x <= kAreasRight; ++x) {
                const QRgb p = image.pixel(x, y);
                n += qRed(p) == want.r && qGreen(p) == want.g && qBlue(p) == want.b;
            }
        return n;
    }
};

}  // namespace

TEST_F(PortAreasWindowTest, OpensFromTheMenuAndDrawsAgainstEitherAxis) {
    QMenu* graphs = form().findChild<QMenu*>("DrawGraphs1");
    ASSERT_TRUE(graphs);
    EXPECT_EQ(graphs->actions().indexOf(form().PortAreas),
              graphs->actions().indexOf(form().Indicator) + 1);
    EXPECT_EQ(form().PortAreas->text(), "Port&Areas");
    model().PositionCount = 3;

    const GearState gear = model().gear;
    test::runModal(
        window(), *program_->setRevArm, [this] { form().PortAreas->trigger(); },
        [&] {
            EXPECT_TRUE(
                window().windowTitle().startsWith("Tarvell Outside Admission      Port Areas"));
            EXPECT_FALSE(window().PistonAxis->isChecked());
            for (int k = 1; k <= 3; ++k) EXPECT_GT(entryPixels(k), 20) << k;
            const QImage byAngle = window().image();
            window().PistonAxis->trigger();
            EXPECT_TRUE(window().againstPiston());
            EXPECT_NE(window().image(), byAngle);
            EXPECT_GT(entryPixels(2), 20);
        });
    EXPECT_EQ(model().gear.DriverAngle, gear.DriverAngle);
    EXPECT_EQ(model().gear.ReverseArmPosition, gear.ReverseArmPosition);
}
