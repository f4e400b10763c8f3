// The indicator diagram window: opened from the graphs menu and the tool bar, its cards and
// pressure lines read back from a recording, its legend's MEPs, and the settings dialog that
// refuses unusable settings and keeps usable ones for the next run.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <algorithm>

#include "DiagramTestSupport.h"
#include "IndicatorDrawing.h"
#include "IndicatorSettingsDialog.h"
#include "IndicatorWindow.h"
#include "KeyColumnsTable.h"
#include "NumberField.h"
#include "Numbers.h"
#include "UiTestSupport.h"
#include "ValveEventsWindow.h"

namespace tarvell::test {
namespace {

class IndicatorWindowTest : public ProgramTest {
  protected:
    void TearDown() override { QSettings().remove("indicator"); }  // the next test starts afresh
    TIndicatorDia& window() { return *program_->indicatorDia; }
    // Types settings into the dialog and presses OK.
    static void enter(TIndicatorSettings& d, const char* chest, const char* back, const char* n,
                      const char* front, const char* rear) {
        d.ChestEdit->setText(chest);
        d.BackEdit->setText(back);
        d.IndexEdit->setText(n);
        d.FrontClearEdit->setText(front);
        d.RearClearEdit->setText(rear);
        d.OKBtn->click();
    }
};

// The segments of a colour within the front panel.
std::vector<Segment> frontPanel(const Drawing& d, Rgb pen) {
    std::vector<Segment> out;
    for (const Segment& s : d.segments)
        if (s.pen == pen && s.x0 >= kIndicatorFrontLeft &&
            s.x1 <= kIndicatorFrontLeft + kIndicatorPanelWidth)
            out.push_back(s);
    return out;
}

}  // namespace

TEST_F(IndicatorWindowTest, OpensFromTheGraphsMenuAndTheToolBarAndLeavesTheModelAlone) {
    QMenu* graphs = form().findChild<QMenu*>("DrawGraphs1");
    ASSERT_TRUE(graphs);
    EXPECT_EQ(graphs->actions().indexOf(form().Indicator),
              graphs->actions().indexOf(form().ValveEvents) + 1);
    EXPECT_EQ(form().Indicator->text(), "&Indicator");
    QAction* tool = form().ToolButton[18];
    const QList<QAction*> tools = form().ToolBar1->actions();
    EXPECT_EQ(tools.indexOf(tool), tools.indexOf(form().ToolButton[17]) + 1);
    EXPECT_EQ(tool->toolTip(), "View Indicator Diagram");
    QApplication::processEvents();
    QWidget* button = form().ToolBar1->widgetForAction(tool);
    ASSERT_TRUE(button);
    EXPECT_TRUE(button->isVisible());  // not pushed into the bar's overflow
    EXPECT_LE(button->geometry().right(), form().ToolBar1->width());

    tick(3);
    const Model& m = model();
    const GearState gear = m.gear;
    const PivotSet pivots = m.pivots;
    for (QAction* open : {form().Indicator, tool}) {
        bool drawn = false;
        runModal(
            window(), *program_->setRevArm, [open] { open->trigger(); },
            [&] {
                EXPECT_TRUE(window().windowTitle().startsWith(
                    "Tarvell Outside Admission      Indicator Diagram    "));
                EXPECT_EQ(window().image().size(), QSize(632, 414));
                // The second entry's blue card in the front panel.
                const QImage& image = window().image();
                for (int y = kIndicatorPlotTop; y < kIndicatorPlotBottom && !drawn; ++y)
                    for (int x = kIndicatorFrontLeft + 1; x < kIndicatorRearLeft; ++x)
                        drawn = drawn || (image.pixel(x, y) & 0xFFFFFFu) == 0x0000FFu;
            });
        EXPECT_TRUE(drawn);
    }
    EXPECT_EQ(m.gear.DriverAngle, gear.DriverAngle);
    EXPECT_EQ(m.gear.ReverseArmPosition, gear.ReverseArmPosition);
    for (int i = 0; i < PivotSet::kCount; ++i) {
        EXPECT_EQ(m.pivots[i].x, pivots[i].x) << i;
        EXPECT_EQ(m.pivots[i].y, pivots[i].y) << i;
    }
    EXPECT_EQ(m.indicator, IndicatorSettings{});
}

TEST_F(IndicatorWindowTest, CardsSpanChestToBackPressureAndTheLegendGivesTheirMeps) {
    Model& m = model();
    m.PositionCount = 3;  // mid gear, normal forward, normal reverse
    RecordingCanvas canvas;
    drawIndicatorDiagram(canvas, m);
    const Drawing d(canvas);

    // 115 * 1.125 = 129.4 needs steps of 20 up to 140: chest 115 lies 115/140 of the 204
    // pixels up from the bottom at 296, at y 128.4; back pressure 15 at y 274.1.
    EXPECT_TRUE(d.find("140"));
    int chestLines = 0, backLines = 0;
    for (const Segment& s : frontPanel(d, kIndicatorPressureLineColour)) {
        EXPECT_EQ(s.y0, s.y1);
        chestLines += s.y0 == 128;
        backLines += s.y0 == 274;
    }
    EXPECT_EQ(chestLines, 1);
    EXPECT_EQ(backLines, 1);

    // Normal forward's front card takes steam at chest pressure and exhausts at back pressure.
    const std::vector<Segment> card = frontPanel(d, entryColour(2));
    ASSERT_GT(card.size(), 20u);
    int highest = 1000, lowest = 0;
    for (const Segment& s : card) {
        highest = std::min({highest, s.y0, s.y1});
        lowest = std::max({lowest, s.y0, s.y1});
    }
    EXPECT_EQ(highest, 128);
    EXPECT_EQ(lowest, 274);

    // Each entry's legend row: its MEPs and their difference in per cent of their mean.
    for (int k = 1; k <= 3; ++k) {
        const IndicatorResult r =
            indicatorDiagram(m, m.reverseArmPositions[static_cast<std::size_t>(k)], m.indicator);
        const double f = r.front.mep, b = r.rear.mep;
        for (const std::string& text : {formatFixed(f, 1, 1), formatFixed(b, 1, 1),
                                        formatFixed(100 * (f - b) / ((f + b) / 2), 1, 1)})
            EXPECT_TRUE(d.find(text)) << k << " " << text;
    }
}

TEST_F(IndicatorWindowTest, SettingsAreCheckedKeptAndLoadedAtTheNextStart) {
    TIndicatorSettings& dialog = *window().SettingsDialog;
    dialog.fillFields();
    EXPECT_EQ(dialog.ChestEdit->text(), "115");
    errorMessages_.clear();
    enter(dialog, "115", "120", "1", "8", "8");
    ASSERT_EQ(errorMessages_.size(), 1) << errorMessages_.join("|").toStdString();
    EXPECT_TRUE(errorMessages_[0].contains("back pressure 120 is not below the chest pressure 115"))
        << errorMessages_[0].toStdString();
    EXPECT_EQ(model().indicator, IndicatorSettings{});
    EXPECT_FALSE(QSettings().contains("indicator/backPressure"));

    // Usable settings, given from the window's menu: stored, and the diagram drawn with them.
    const IndicatorSettings wanted{150, 20, 1.3, 6, 9};
    runModal(
        window(), *program_->setRevArm, [this] { form().Indicator->trigger(); },
        [&] {
            const QImage before = window().image();
            QTimer::singleShot(0, [&] { enter(dialog, "150", "20", "1.3", "6", "9"); });
            window().Settings->trigger();
            EXPECT_NE(window().image(), before);
        });
    EXPECT_EQ(errorMessages_.size(), 1) << errorMessages_.join("|").toStdString();
    EXPECT_EQ(model().indicator, wanted);

    program_.reset();
    SetUp();
    EXPECT_EQ(model().indicator, wanted);
    // The valve events use them too, and take a change from their own menu.
    TValveEvents& events = *program_->valveEvents;
    QTimer::singleShot(0,
                       [&] { enter(*events.IndicatorSettingsDialog, "115", "15", "1", "8", "8"); });
    events.IndicatorSettings->trigger();
    EXPECT_EQ(model().indicator, IndicatorSettings{});

    // Stored settings that cannot be used together give the defaults.
    QSettings().setValue("indicator/chestPressure", 10);
    QSettings().setValue("indicator/backPressure", 20);
    program_.reset();
    SetUp();
    EXPECT_EQ(model().indicator, IndicatorSettings{});
}

TEST_F(IndicatorWindowTest, ValveEventsTintTheMepColumnsAndExplainThem) {
    TValveEvents& events = *program_->valveEvents;
    events.FormActivate();
    QTableWidget& grid = *events.EventsGrid;
    int tinted = 0;
    for (int c = 0; c < grid.columnCount(); ++c) {
        const QString tip = grid.horizontalHeaderItem(c)->toolTip();
        const QColor tint = grid.item(0, c)->background().color();
        if (tip == "Front MEP") tinted += tint == QColor(236, 248, 236);
        if (tip == "Rear MEP") tinted += tint == QColor(250, 238, 238);
    }
    EXPECT_EQ(tinted, 2);
    EXPECT_TRUE(events.Footnote->text().contains("MEP: the mean effective pressure"));
}

}  // namespace tarvell::test
