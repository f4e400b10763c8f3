// The lines and circles overlay on the main window and its "Draw Lines" dialog.
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "DrawLines.h"
#include "NumberField.h"
#include "Overlay.h"
#include "OverlayGeometry.h"
#include "PivotPicking.h"
#include "RecordingCanvas.h"
#include "UiTestSupport.h"

using namespace tarvell;
using tarvell::test::ProgramTest;

namespace {

bool has(const RecordingCanvas& c, const std::string& call) {
    return std::find(c.calls.begin(), c.calls.end(), call) != c.calls.end();
}

OverlayItem item(int type, int colour, int refMode, int pivot1, int pivot2, float x1, float y1,
                 float x2, float y2) {
    OverlayItem i;
    i.type = type;
    i.colour = colour;
    i.refMode = refMode;
    i.pivot1 = pivot1;
    i.pivot2 = pivot2;
    i.p1x = x1;
    i.p1y = y1;
    i.p2x = x2;
    i.p2y = y2;
    return i;
}

class OverlayTest : public ProgramTest {
  protected:
    TDrawLines& dialog() { return *program_->drawLines; }
    // Whether any pixel within one of (x, y) has the colour.
    bool colourNear(int x, int y, QRgb colour) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (pixel(x + dx, y + dy) == colour) return true;
        return false;
    }
    // Stopped at 0 degrees with reference point 1 on the die block (8) and 2 on the crank
    // pin (2).
    void placeReferencePoints() {
        form().RefPoints->trigger();
        form().Deg00Click();
        tick();
        placeReferencePoint(model().pivots, 1, 8);
        placeReferencePoint(model().pivots, 2, 2);
    }
};

}  // namespace

// With the default view a world point (x, y) is drawn at (round(21 x + 100), round(300 - 21 y)).
// The reverse arm pivot (16) is fixed at (10.574, 6.075); at 0 degrees the crank pin (2) is at
// (1.625, 0) and the crank centre (1) at the origin.

TEST_F(OverlayTest, ALineAndACircleAppearWhereTheirReferencesPutThem) {
    form().Deg00Click();
    // A green line 1.5 above the reverse arm pivot, from 2 behind it to 2 ahead:
    // y = 300 - 21 * 7.575 = 140.9, x from 21 * 8.574 + 100 = 280.1 to 364.1.
    model().overlay[0] = item(kLineItem, 2, kPivot1Reference, 16, -1, -2, 1.5f, 2, 1.5f);
    // A gray circle of radius 1 about the crank pin: box (113.1, 279) to (155.1, 321).
    model().overlay[5] = item(kCircleItem, 5, kPivot1ToOriginReference, 2, -1, 0, 0, 1, -1);
    tick();
    RecordingCanvas c;
    form().overlay().draw(c);
    EXPECT_TRUE(has(c, "pen 0,128,0 1"));
    EXPECT_TRUE(has(c, "moveTo 280 141"));
    EXPECT_TRUE(has(c, "lineTo 364 141"));
    EXPECT_TRUE(has(c, "pen 128,128,128 1"));
    EXPECT_TRUE(has(c, "ellipse 113 279 155 321"));
    EXPECT_EQ(c.penColour(), colours::black);  // the pen is handed back as it was

    EXPECT_EQ(pixel(300, 141), 0x008000u);
    EXPECT_EQ(pixel(350, 141), 0x008000u);
    EXPECT_NE(pixel(300, 145), 0x008000u);
    EXPECT_TRUE(colourNear(134, 279, 0x808080u));  // top of the circle
    EXPECT_TRUE(colourNear(134, 320, 0x808080u));  // bottom
}

TEST_F(OverlayTest, ALineTiedToTwoPivotsTurnsWithThem) {
    // From the crank centre two units toward the crank pin.
    model().overlay[2] = item(kLineItem, 1, kPivot1ToPivot2Reference, 1, 2, 0, 0, 2, 0);
    // An incomplete item is not drawn.
    model().overlay[3] = item(kLineItem, -1, kWorldReference, -1, -1, 0, 0, 5, 5);
    form().Deg00Click();
    tick();
    RecordingCanvas at0;
    form().overlay().draw(at0);
    EXPECT_TRUE(has(at0, "moveTo 100 300"));
    EXPECT_TRUE(has(at0, "lineTo 142 300"));
    EXPECT_EQ(std::count_if(at0.calls.begin(), at0.calls.end(),
                            [](const std::string& s) { return s.rfind("lineTo", 0) == 0; }),
              1);
    // At 90 degrees the crank pin has turned clockwise on the screen to straight below.
    form().SBDrvAng->setValue(9000);
    tick();
    RecordingCanvas at90;
    form().overlay().draw(at90);
    EXPECT_TRUE(has(at90, "moveTo 100 300"));
    EXPECT_TRUE(has(at90, "lineTo 100 342"));
    EXPECT_EQ(pixel(100, 330), 0xFF0000u);
}

TEST_F(OverlayTest, TheCommandBeepsUntilAReferencePointIsPlacedThenOpensTheDialog) {
    form().RefPoints->trigger();
    ASSERT_TRUE(form().DrawLines1->isEnabled());
    form().DrawLines1->trigger();
    EXPECT_EQ(sound().beeps, 1);
    EXPECT_FALSE(dialog().isVisible());

    model().pivots[20].x = 1.0f;
    bool opened = false;
    QTimer::singleShot(0, &dialog(), [&] {
        opened = dialog().isVisible();
        dialog().accept();
    });
    form().ToolButton[23]->trigger();
    EXPECT_TRUE(opened);
    EXPECT_EQ(sound().beeps, 1);
}

TEST_F(OverlayTest, TheDialogHasTwentyRowsOfFourFieldsAndThreeLabels) {
    TDrawLines& d = dialog();
    EXPECT_EQ(d.windowTitle(), "Draw Lines");
    EXPECT_EQ(d.findChildren<NumberField*>().size(), 80);
    int labels = 0;
    for (const auto& r : d.rows) labels += static_cast<int>(r.info.size());
    EXPECT_EQ(labels, 60);
    auto captions = [](QButtonGroup* g) {
        QStringList s;
        for (int id = 0; id < g->buttons().size(); ++id) s << g->button(id)->text();
        return s;
    };
    EXPECT_EQ(captions(d.TypeGroup), (QStringList{"Line", "Circle"}));
    EXPECT_EQ(captions(d.ColourGroup),
              (QStringList{"Black", "Red", "Green", "Yellow", "Blue", "Gray"}));
    EXPECT_EQ(captions(d.RefGroup), (QStringList{"0,0", "Pivot1", "Piv1/0,0", "Piv1/Piv2"}));
}

TEST_F(OverlayTest, ChoicesMakeAnItemThatFollowsItsPivots) {
    placeReferencePoints();
    TDrawLines& d = dialog();
    d.show();
    d.rows[2].number->click();
    EXPECT_EQ(model().currentOverlayItem, 3);
    EXPECT_EQ(d.ItemBox->title(), "Item 3");

    d.ColourGroup->button(1)->click();  // starts the item: a world line between the points
    const OverlayItem& it = model().overlay[2];
    EXPECT_EQ(it.type, kLineItem);
    EXPECT_EQ(it.colour, 1);
    EXPECT_EQ(it.refMode, kWorldReference);
    EXPECT_FLOAT_EQ(it.p1x, model().pivots[8].x);
    EXPECT_FLOAT_EQ(it.p2x, model().pivots[2].x);
    EXPECT_EQ(d.rows[2].info[TDrawLines::TypeInfo]->text(), "Line");
    EXPECT_TRUE(d.rows[2].info[TDrawLines::ColourInfo]->text().endsWith("Red"));
    EXPECT_EQ(d.rows[2].info[TDrawLines::RefInfo]->text(), "0,0");

    d.RefGroup->button(kPivot1ToPivot2Reference)->click();
    EXPECT_EQ(it.pivot1, 8);
    EXPECT_EQ(it.pivot2, 2);
    EXPECT_EQ(d.rows[2].info[TDrawLines::RefInfo]->text(), "Piv1/Piv2 (8, 2)");
    // Seen from the die block, the crank pin lies straight along the axis.
    EXPECT_NEAR(it.p1x, 0, 1e-5);
    EXPECT_NEAR(it.p2y, 0, 1e-4);
    const double length = std::hypot(model().pivots[8].x - model().pivots[2].x,
                                     model().pivots[8].y - model().pivots[2].y);
    EXPECT_NEAR(it.p2x, length, 1e-4);

    // Typed: the line now runs half as far.
    NumberField* horz = d.rows[2].field[TDrawLines::Pt2Horz];
    horz->setFocus();
    horz->selectAll();
    QTest::keyClicks(horz, QString::number(length / 2, 'f', 3));
    QTest::keyClick(horz, Qt::Key_Return);
    EXPECT_NEAR(it.p2x, length / 2, 1e-3);

    // As the driver turns, the line still points from the die block to the crank pin.
    form().SBDrvAng->setValue(12000);
    tick();
    const Pivot& a = model().pivots[8];
    const Pivot& b = model().pivots[2];
    const auto fig = overlayFigure(model().pivots, it);
    ASSERT_TRUE(fig.has_value());
    EXPECT_NEAR(fig->x1, a.x, 1e-4);
    EXPECT_NEAR(fig->y1, a.y, 1e-4);
    const double ux = (b.x - a.x) / std::hypot(b.x - a.x, b.y - a.y);
    const double uy = (b.y - a.y) / std::hypot(b.x - a.x, b.y - a.y);
    EXPECT_NEAR(fig->x2, a.x + length / 2 * ux, 2e-3);
    EXPECT_NEAR(fig->y2, a.y + length / 2 * uy, 2e-3);

    d.TypeGroup->button(kCircleItem)->click();
    EXPECT_EQ(it.type, kCircleItem);
    EXPECT_FALSE(d.rows[2].field[TDrawLines::Pt2Vert]->isEnabled());
    EXPECT_TRUE(d.rows[2].field[TDrawLines::Pt2Vert]->text().isEmpty());

    d.ClearItemBtn->click();
    EXPECT_FALSE(overlayItemStarted(it));
    EXPECT_TRUE(d.rows[2].field[TDrawLines::Pt1Vert]->text().isEmpty());
    EXPECT_TRUE(d.rows[2].info[TDrawLines::TypeInfo]->text().isEmpty());
}

TEST_F(OverlayTest, TypingIntoAnUnsetRowStartsItsItem) {
    placeReferencePoints();
    TDrawLines& d = dialog();
    d.show();
    QApplication::setActiveWindow(&d);
    NumberField* vert = d.rows[4].field[TDrawLines::Pt1Vert];
    vert->setFocus();  // working in a row makes its item current
    EXPECT_EQ(model().currentOverlayItem, 5);
    QTest::keyClicks(vert, "-2.5");
    QTest::keyClick(vert, Qt::Key_Return);
    const OverlayItem& it = model().overlay[4];
    EXPECT_EQ(it.type, kLineItem);
    EXPECT_EQ(it.colour, 0);
    EXPECT_EQ(it.p1y, -2.5f);
    EXPECT_TRUE(overlayItemComplete(it));
    // Leaving a field without typing stores nothing.
    NumberField* other = d.rows[6].field[TDrawLines::Pt1Vert];
    other->setFocus();
    d.rows[7].field[TDrawLines::Pt1Vert]->setFocus();
    EXPECT_FALSE(overlayItemStarted(model().overlay[6]));
}

TEST_F(OverlayTest, TheDataFileHooksEmptyHighlightAndRefresh) {
    TDrawLines& d = dialog();
    model().overlay[6] = item(kCircleItem, 4, kPivot1Reference, 16, -1, 0.5f, 0, 2, -1);
    model().currentOverlayItem = 7;
    d.LinesDataClick();
    EXPECT_EQ(d.rows[6].info[TDrawLines::TypeInfo]->text(), "Circle");
    EXPECT_EQ(d.rows[6].info[TDrawLines::RefInfo]->text(), "Pivot1 (16)");
    EXPECT_EQ(d.rows[6].field[TDrawLines::Pt1Horz]->text(), "0.500");
    EXPECT_TRUE(d.rows[6].number->isChecked());
    EXPECT_NE(d.rows[6].row->palette().color(QPalette::Window),
              d.rows[0].row->palette().color(QPalette::Window));

    d.clearInformationLabels();
    for (const auto& r : d.rows)
        for (QLabel* l : r.info) EXPECT_TRUE(l->text().isEmpty());

    // A current item out of range (from a file) highlights the first row.
    model().currentOverlayItem = 99;
    d.highlightCurrentItem();
    EXPECT_TRUE(d.rows[0].number->isChecked());
    EXPECT_FALSE(d.rows[6].number->isChecked());
    EXPECT_EQ(d.ItemBox->title(), "Item 1");
}
