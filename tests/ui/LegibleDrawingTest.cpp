// Texts of the main window's frame stay readable over the mechanism: each stands on a white
// band, and the reference points' numbers keep apart when the points meet.
#include <QAction>

#include "RecordingCanvas.h"
#include "ReferencePoints.h"
#include "UiTestSupport.h"

namespace tarvell::test {
namespace {

constexpr QRgb kRed = 0xFF0000u;

// The main rod at driver angle 0 runs level at the driver centre's height, red, from the
// crank pin (1.625 from the centre) to the crosshead (16.375), 21 pixels a unit. With the
// centre at (-30, 33) that is x 4 to 314 on the row of the "Piston %" read-out (y 27, 13
// pixels high), under "ExpLkAng" (x 126) too.
TEST_F(ProgramTest, AReadoutOverALineStandsOnAWhiteBand) {
    form().Deg00Click();
    model().view.current.ox = -30;
    model().view.current.oy = 33;
    tick();
    const auto count = [this](auto is, int left, int right, int top, int bottom) {
        int n = 0;
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x) n += is(pixel(x, y));
        return n;
    };
    const auto red = [](QRgb c) { return c == kRed; };
    const auto white = [](QRgb c) { return c == 0xFFFFFFu; };
    // The letters are smoothed: grey of some darkness.
    const auto ink = [](QRgb c) { return qRed(c) == qBlue(c) && qGray(c) < 160; };
    // The rod shows between the read-outs and past them...
    EXPECT_GT(count(red, 110, 120, 30, 36), 5);
    EXPECT_GT(count(red, 260, 300, 30, 36), 30);
    // ...but not through "Piston %" nor "ExpLkAng": black letters on white.
    EXPECT_EQ(count(red, 8, 50, 27, 39), 0);
    EXPECT_EQ(count(red, 126, 170, 27, 39), 0);
    EXPECT_GT(count(ink, 8, 50, 27, 39), 40);
    EXPECT_GT(count(white, 8, 50, 27, 39), 200);
}

// Every text of a frame with all its read-outs shown is drawn with a white brush behind it.
TEST_F(ProgramTest, EveryTextOfTheFrameIsDrawnOnABand) {
    form().RefPoints->trigger();
    form().SetPivotData->trigger();
    form().DynamicVariables->trigger();
    form().SetUnDo->trigger();
    model().pivotDataSlots[0] = 2;
    tick();
    RecordingCanvas canvas;
    form().drawStillFrame(canvas);
    bool band = false;
    int texts = 0;
    for (const std::string& call : canvas.calls) {
        if (call.rfind("brush", 0) == 0) band = call == "brush 255,255,255";
        if (call.rfind("text ", 0) != 0) continue;
        ++texts;
        EXPECT_TRUE(band) << call;
    }
    EXPECT_GT(texts, 30);
}

// Point 1's number stands up and right of its cross; point 2 on the same pivot takes the
// corner up and left, clear of it. The recording canvas gives 6 pixels a character.
TEST_F(ProgramTest, TheReferenceNumbersKeepApartOnOnePivot) {
    form().RefPoints->trigger();
    for (int k : {19, 20}) {
        model().pivots[k].x = 3.0f;
        model().pivots[k].y = 4.0f;
    }
    tick();
    // Both at (3 * 21 + 100, 300 - 4 * 21) = (163, 216).
    RecordingCanvas c;
    form().referencePoints().drawReferenceMarks(c);
    const std::vector<std::string> expected = {"text 166 202 1", "text 154 202 2"};
    std::vector<std::string> labels;
    for (const std::string& call : c.calls)
        if (call.rfind("text ", 0) == 0) labels.push_back(call);
    EXPECT_EQ(labels, expected);
}

}  // namespace
}  // namespace tarvell::test
