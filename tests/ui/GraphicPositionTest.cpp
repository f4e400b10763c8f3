// The graphic-position display: a small button's request shown on the main drawing for 1000
// frames at its own view, flashing, then the view restored and the dialog open again.
#include <QApplication>
#include <QTimer>

#include "DimensionDialogSupport.h"
#include "GraphicPosition.h"
#include "RecordingCanvas.h"

using namespace tarvell;
using tarvell::test::DimensionDialogTest;

namespace {

constexpr QRgb kRed = 0xFF0000u;
constexpr QRgb kBlack = 0x000000u;

class GraphicPositionTest : public DimensionDialogTest {
  protected:
    // Runs the queued reopening of a dialog: its modal loop ends at once, after `check` has
    // looked at it.
    void runQueuedReopen(QDialog& dialog, bool& shown) {
        QTimer::singleShot(0, &dialog, [&] {
            shown = dialog.isVisible();
            dialog.reject();
        });
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    bool waitCursorShown() {
        const QCursor* c = QApplication::overrideCursor();
        return c && c->shape() == Qt::WaitCursor;
    }
};

}  // namespace

TEST_F(GraphicPositionTest, RequestRunsAThousandFramesThenRestoresTheViewAndTheDialog) {
    Model& m = model();
    const View before = m.view.current;
    open(frameDi());
    QTest::mouseClick(frameDi().Button[2], Qt::LeftButton);
    ASSERT_EQ(m.HighlightCode, 2);

    tick();
    EXPECT_FALSE(frameDi().isVisible());  // closed, without Close's steps
    EXPECT_EQ(m.view.current, (View{30, 290, 212}));
    EXPECT_TRUE(waitCursorShown());

    tick(999);
    EXPECT_EQ(m.HighlightCode, 2);
    EXPECT_EQ(form().graphicPosition().tickCount(), 1000);
    EXPECT_EQ(m.view.current, (View{30, 290, 212}));

    tick();  // frame 1001 ends the display
    EXPECT_EQ(m.HighlightCode, 0);
    EXPECT_EQ(form().graphicPosition().tickCount(), 0);
    EXPECT_EQ(m.view.current, before);
    EXPECT_FALSE(waitCursorShown());
    EXPECT_FALSE(frameDi().isVisible());  // not from inside the tick

    bool shown = false;
    runQueuedReopen(frameDi(), shown);
    EXPECT_TRUE(shown);
    EXPECT_EQ(frameDi().Edit[2]->text(), "3.250");  // filled again on opening
}

TEST_F(GraphicPositionTest, CylinderRequestClosesAndReopensTheCylinderDialog) {
    open(cylDimen());
    QTest::mouseClick(cylDimen().Button[9], Qt::LeftButton);
    ASSERT_EQ(model().HighlightCode, 109);
    tick();
    EXPECT_FALSE(cylDimen().isVisible());
    EXPECT_EQ(model().view.current, (View{55, -900, 295}));
    tick(1000);
    bool cylinderShown = false;
    runQueuedReopen(cylDimen(), cylinderShown);
    EXPECT_TRUE(cylinderShown);
    EXPECT_FALSE(frameDi().isVisible());
}

TEST_F(GraphicPositionTest, SomeCodesZoomWithoutMovingTheView) {
    Model& m = model();
    m.view.current = View{21, 150, 250};
    m.HighlightCode = 3;
    tick();
    EXPECT_EQ(m.view.current, (View{20, 150, 250}));
    tick(1000);
    EXPECT_EQ(m.view.current, (View{21, 150, 250}));

    // Twice the graphic zoom halves the scale: 20.5 / 15 * 7.5.
    m.view.graphicZoom = 15;
    m.HighlightCode = 101;
    tick();
    EXPECT_EQ(m.view.current, (View{10.25f, 150, 250}));
    tick(1000);
}

TEST_F(GraphicPositionTest, ZeroGraphicZoomGivesAFiniteView) {
    Model& m = model();
    m.view.graphicZoom = 0;
    m.HighlightCode = 22;
    tick();
    // Kept at the smallest zoom the dialog allows: 28 / 0.5 * 7.5.
    EXPECT_EQ(m.view.current.scale, 420.0f);
    tick(1000);
    EXPECT_EQ(m.view.current, kDefaultView);
}

TEST_F(GraphicPositionTest, HighlightFlashesThreeFramesRedAndThreeBlack) {
    // Code 22: k 28, offsets 200 and 300. From the second frame the pivots are placed with
    // that view: pivot 16 (10.574, 6.075) at (round(496.072), round(129.9)) = (496, 130) and
    // the driver centre at (200, 300). The line runs up from (496, 300) to pivot 16.
    Model& m = model();
    m.HighlightCode = 22;
    tick();
    const QRgb expected[] = {kRed, kRed, kBlack, kBlack, kBlack, kRed, kRed};
    for (int frame = 2; frame <= 8; ++frame) {
        tick();
        const QRgb colour = expected[frame - 2];
        for (int x : {495, 496, 497})  // three pixels wide
            EXPECT_EQ(pixel(x, 215), colour) << "frame " << frame << " x " << x;
        EXPECT_EQ(pixel(496, 135), colour) << "frame " << frame;
        EXPECT_EQ(pixel(496, 295), colour) << "frame " << frame;
    }
}

TEST_F(GraphicPositionTest, CylinderCodesJoinTheOutlinesVertices) {
    // Code 109: k 55, offsets -900 and 295. The chamber's rear end at the port face (vertex 1)
    // lies at X = 22.488 - 3.3125 / 2 = 20.83175: screen round(245.746) = 246. The valve stem
    // line (Y 2.6875) is at round(147.19) = 147, the cylinder centre line at 295.
    model().HighlightCode = 109;
    tick(2);
    for (int y : {150, 220, 292}) EXPECT_EQ(pixel(246, y), kRed) << y;
}

TEST_F(GraphicPositionTest, HourglassAndLabelAtTheirPlaces) {
    Model& m = model();
    form().LargeFont->trigger();
    m.HighlightCode = 2;
    tick();
    RecordingCanvas canvas;
    form().graphicPosition().drawFrame(canvas);
    // The label at (round(30 * 1.27), round(75 * 1.22)) = (38, 92), 14 points.
    EXPECT_TRUE(canvas.drewText("Stroke"));
    bool labelPlaced = false, bigFont = false;
    for (const std::string& call : canvas.calls) {
        if (call == "text 38 92 Stroke") labelPlaced = true;
        if (call.rfind("font 14 ", 0) == 0) bigFont = true;
    }
    EXPECT_TRUE(labelPlaced);
    EXPECT_TRUE(bigFont);
    // The hourglass' top bar and sand are black in the frame image.
    tick();
    EXPECT_EQ(pixel(32, 100), kBlack);
    EXPECT_EQ(pixel(32, 142), kBlack);
    EXPECT_EQ(pixel(31, 111), kBlack);
}

TEST_F(GraphicPositionTest, UnknownCodeShowsTheHourglassAndEndsAsUsual) {
    Model& m = model();
    open(frameDi());
    m.HighlightCode = 26;
    tick();
    EXPECT_FALSE(frameDi().isVisible());
    EXPECT_EQ(m.view.current, kDefaultView);
    tick(1000);
    EXPECT_EQ(m.HighlightCode, 0);
    bool shown = false;
    runQueuedReopen(frameDi(), shown);
    EXPECT_TRUE(shown);
}
