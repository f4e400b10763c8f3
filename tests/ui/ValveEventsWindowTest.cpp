// The valve events window as a designer uses it: opened from the DrawGraphs menu and the
// tool bar, its rows and figures beside the steam and sine diagrams' own, the gear and the
// main window's timer as they were, ReDraw after a change, copying, saving as CSV, and
// columns wide enough for what they hold.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <functional>

#include "DiagramTestSupport.h"
#include "KeyColumnsTable.h"
#include "MainForm.h"
#include "SineDrawing.h"
#include "SteamDrawing.h"
#include "UiTestSupport.h"
#include "ValveEventsWindow.h"

using namespace tarvell;
using tarvell::test::Drawing;

namespace {

class ValveEventsWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { build(false); }

    void build(bool startTimer) {
        program_.reset();
        ProgramOptions options;
        options.startTimer = startTimer;
        options.showError = [this](const QString& text) { errors_.append(text); };
        options.chooseExportPath = [this](const QString& suggested, const QString& suffix) {
            suggestedNames_.append(suggested + " ." + suffix);
            return exportPath_;
        };
        program_ = std::make_unique<Program>(std::make_unique<RecordingSound>(), options);
        program_->createWindows();
        form().show();
    }

    TMainForm& form() { return *program_->mainForm; }
    Model& model() { return program_->model(); }
    TValveEvents& window() { return *program_->valveEvents; }
    QTableWidget& grid() { return *window().EventsGrid; }

    // Opens the window the way `open` does (modally), runs `during` while it is up, then
    // closes it. Gives up after a few seconds rather than hang.
    void runModal(const std::function<void()>& open, const std::function<void()>& during) {
        QTimer poll;
        int ticks = 0;
        bool done = false;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (++ticks > 1000) {
                ADD_FAILURE() << "the window did not open";
                window().close();
                poll.stop();
                return;
            }
            if (!done && window().isVisible()) {
                done = true;
                during();
                window().close();
                poll.stop();
            }
        });
        poll.start(5);
        open();
        poll.stop();
        EXPECT_TRUE(done);
    }

    // The grid's texts, row by row.
    QList<QStringList> shownRows() {
        QList<QStringList> rows;
        for (int r = 0; r < grid().rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < grid().columnCount(); ++c)
                cells << (grid().item(r, c) ? grid().item(r, c)->text() : QString("<none>"));
            rows << cells;
        }
        return rows;
    }
    int column(const QString& toolTip) {
        for (int c = 0; c < grid().columnCount(); ++c)
            if (grid().horizontalHeaderItem(c)->toolTip() == toolTip) return c;
        ADD_FAILURE() << "no column " << toolTip.toStdString();
        return 0;
    }
    int row(const QString& entry) {
        for (int r = 0; r < grid().rowCount(); ++r)
            if (grid().item(r, 0)->text() == entry) return r;
        ADD_FAILURE() << "no row " << entry.toStdString();
        return 0;
    }
    QString at(const QString& entry, const QString& toolTip) {
        return grid().item(row(entry), column(toolTip))->text();
    }
    QString midGear(int r, int c) { return window().MidGearGrid->item(r, c)->text(); }

    std::unique_ptr<Program> program_;
    QStringList errors_;
    QStringList suggestedNames_;
    QString exportPath_;
};

const QString kFrontCutOff = "Front cut-off %", kRearCutOff = "Rear cut-off %";

}  // namespace

TEST_F(ValveEventsWindowTest, OpensFromTheGraphsMenuAndTheToolBar) {
    QMenu* graphs = form().findChild<QMenu*>("DrawGraphs1");
    ASSERT_TRUE(graphs);
    const QList<QAction*> items = graphs->actions();
    ASSERT_GE(items.size(), 2);
    QAction* item = form().ValveEvents;
    EXPECT_EQ(items.indexOf(item), items.indexOf(form().FourEvents) + 1);
    EXPECT_EQ(item->objectName(), "ValveEvents");
    EXPECT_EQ(item->text(), "&ValveEvents");

    const QList<QAction*> tools = form().ToolBar1->actions();
    QAction* tool = form().ToolButton[17];
    EXPECT_EQ(tools.indexOf(tool), tools.indexOf(form().ToolButton[16]) + 1);
    EXPECT_EQ(tool->toolTip(), "View Valve Events Table");
    QWidget* button = form().ToolBar1->widgetForAction(tool);
    QWidget* before = form().ToolBar1->widgetForAction(form().ToolButton[16]);
    ASSERT_TRUE(button && before);
    QApplication::processEvents();
    EXPECT_EQ(button->x(), before->x() + before->width());
    EXPECT_LE(button->geometry().right(), form().ToolBar1->width());  // not pushed off the bar

    bool titled = false;
    for (const auto& w : program_->context().titledWindows())
        titled |= w.window == &window() &&
                  w.titleText == "Tarvell Outside Admission      Valve Events    ";
    EXPECT_TRUE(titled);

    for (QAction* open : {item, tool}) {
        int rows = 0;
        runModal([open] { open->trigger(); },
                 [&] {
                     rows = grid().rowCount();
                     EXPECT_TRUE(window().isModal());
                     EXPECT_TRUE(window().windowTitle().startsWith(
                         "Tarvell Outside Admission      Valve Events    Nominal"));
                 });
        EXPECT_EQ(rows, 7);
        EXPECT_FALSE(window().isVisible());
    }
}

TEST_F(ValveEventsWindowTest, RowsAndFiguresMatchTheDiagrams) {
    window().show();
    // The set's three entries, then the normal and maximum positions either side of mid gear
    // at 10.533: normal travel 1.1, maximum 1.5.
    const QList<QStringList> rows = shownRows();
    ASSERT_EQ(rows.size(), 7);
    const QStringList entries = {"Set 1",      "Set 2",   "Set 3",  "Normal fwd",
                                 "Normal rev", "Max fwd", "Max rev"};
    const QStringList positions = {"10.533", "11.633", "9.433", "11.633",
                                   "9.433",  "12.033", "9.033"};
    const QStringList tags = {"Cen", "Fwd", "Rev", "Fwd", "Rev", "Fwd", "Rev"};
    for (int r = 0; r < 7; ++r) {
        EXPECT_EQ(rows[r][0], entries[r]);
        EXPECT_EQ(rows[r][1], positions[r]);
        EXPECT_EQ(rows[r][2], tags[r]);
    }
    // Cut-offs as the steam diagram gives them: 72.9 and 83.9 at normal forward, 66.9 and
    // 74.3 at normal reverse, 6.0 and 5.9 at mid gear.
    EXPECT_EQ(at("Normal fwd", kFrontCutOff), "72.9");
    EXPECT_EQ(at("Normal fwd", kRearCutOff), "83.9");
    EXPECT_EQ(at("Normal rev", kFrontCutOff), "66.9");
    EXPECT_EQ(at("Normal rev", kRearCutOff), "74.3");
    EXPECT_EQ(at("Set 1", kFrontCutOff), "6.0");
    EXPECT_EQ(at("Set 1", kRearCutOff), "5.9");
    EXPECT_EQ(at("Normal fwd", "Cut-off % front - rear"), "-11.0");  // 72.881 - 83.913
    // At maximum forward the cavity's far edge leaves 0.131 of the exhaust port, about half the
    // 0.25 steam port: shown in red with the reason; the port's own 0.25 at normal forward not.
    const QTableWidgetItem* choked =
        grid().item(row("Max fwd"), column("Front least exhaust passage"));
    EXPECT_EQ(choked->text(), "0.131");
    EXPECT_EQ(choked->foreground().color(), QColor(190, 0, 0));
    EXPECT_TRUE(choked->toolTip().contains("choked")) << choked->toolTip().toStdString();
    const QTableWidgetItem* open =
        grid().item(row("Normal fwd"), column("Front least exhaust passage"));
    EXPECT_EQ(open->text(), "0.250");
    EXPECT_TRUE(open->toolTip().isEmpty());

    // ... and the steam diagram itself, entry by entry, front then rear.
    model().PositionCount = 3;
    RecordingCanvas steam;
    drawSteamDiagram(steam, model());
    const Drawing d(steam);
    QStringList diagram, table;
    for (const auto& t : d.textsAt(556))
        diagram << QString::fromStdString(t.text).mid(QString("%CutOff").size()).trimmed();
    for (int r = 0; r < 3; ++r)
        table << rows[r][column(kFrontCutOff)] << rows[r][column(kRearCutOff)];
    EXPECT_EQ(table, diagram);

    // The mid-gear block: laps 1 - (0.28125 + 0.25 + 0.25), clearances 0.5313 - 0.53125,
    // leads about 0.021, valve travel 0.479.
    EXPECT_EQ(midGear(0, 0), "Steam lap");
    EXPECT_EQ(midGear(0, 1), "0.219");
    EXPECT_EQ(midGear(0, 2), "0.219");
    EXPECT_EQ(midGear(1, 1), "0.000");
    EXPECT_EQ(midGear(2, 0), "Max steam opening");  // the rows' lead is at dead centre
    EXPECT_EQ(midGear(2, 1), "0.021");
    EXPECT_EQ(midGear(2, 2), "0.021");
    EXPECT_EQ(midGear(3, 0), "Valve travel");
    EXPECT_EQ(midGear(3, 1), "0.479");
    // The sine diagram's lap table at mid gear says the same to within its 8-degree samples.
    RecordingCanvas sine;
    drawSineDiagram(sine, model());
    const Drawing s(sine);
    auto lapTable = [&](int y) {
        for (const auto& t : s.textsAt(592))
            if (t.y == y) return std::stod(t.text);
        ADD_FAILURE() << "no lap table value at " << y;
        return 0.0;
    };
    EXPECT_NEAR(midGear(0, 1).toDouble(), lapTable(195), 0.0006);  // front lap
    EXPECT_NEAR(midGear(0, 2).toDouble(), lapTable(266), 0.0006);  // rear lap
    EXPECT_NEAR(midGear(2, 1).toDouble(), lapTable(166), 0.0015);  // front lead
    EXPECT_NEAR(midGear(2, 2).toDouble(), lapTable(295), 0.0015);  // rear lead
    window().close();
}

TEST_F(ValveEventsWindowTest, GearAndTimerAsTheyWere) {
    form().Rev->click();  // the reverse arm to normal reverse
    for (int i = 0; i < 3; ++i) form().Timer1Timer();
    const float angle = model().gear.DriverAngle, position = model().gear.ReverseArmPosition;
    ASSERT_NE(angle, 0.0f);
    runModal([this] { form().ToolButton[17]->trigger(); }, [this] { window().ReDraw->trigger(); });
    EXPECT_EQ(model().gear.DriverAngle, angle);
    EXPECT_EQ(model().gear.ReverseArmPosition, position);

    // With the rotation loop on its own timer: stopped while the table is up, running after.
    build(true);
    ASSERT_TRUE(form().Timer1->isActive());
    bool stopped = false;
    runModal([this] { form().ValveEvents->trigger(); },
             [&] {
                 stopped = !form().Timer1->isActive();
                 const float a = model().gear.DriverAngle;
                 QTest::qWait(60);  // several ticks' worth
                 EXPECT_EQ(model().gear.DriverAngle, a);
             });
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(form().Timer1->isActive());
    form().Timer1->stop();
}

TEST_F(ValveEventsWindowTest, ReDrawShowsAPortThatNeverOpens) {
    window().show();
    EXPECT_EQ(at("Normal fwd", "Note"), "");
    // A front valve half of 2 laps the front port by 1.21875, beyond the valve's travel.
    ASSERT_TRUE(setDimensionValue(model(), 119, 2.0f));
    ASSERT_EQ(model().cyl.ValveLengthFrontHalf(), 2.0f);
    EXPECT_EQ(at("Normal fwd", kFrontCutOff), "72.9");  // not until ReDraw
    window().ReDraw->trigger();
    for (const char* entry : {"Set 1", "Normal fwd", "Max rev"}) {
        EXPECT_EQ(at(entry, kFrontCutOff), "-");
        EXPECT_EQ(at(entry, "Front admission deg before dead centre"), "-");
        EXPECT_EQ(at(entry, "Front max port opening"), "-");
        EXPECT_EQ(at(entry, "Front valve over-travel beyond port"), "-");
        EXPECT_EQ(at(entry, "Cut-off % front - rear"), "-");
        EXPECT_EQ(at(entry, "Note"), "Front steam never opens");
    }
    EXPECT_EQ(at("Normal fwd", kRearCutOff), "83.9");  // the rear end is untouched
    EXPECT_EQ(at("Normal fwd", "Front lead at dead centre"), "-0.980");  // 0.020 - 1: lapped
    EXPECT_TRUE(window().Footnote->text().contains("\"-\": the event does not occur"));

    // Closed and opened again, the window works the table out afresh.
    window().close();
    model().cyl.ValveLengthFrontHalf() = 1.0f;
    window().show();
    EXPECT_EQ(at("Normal fwd", kFrontCutOff), "72.9");
    window().close();
}

TEST_F(ValveEventsWindowTest, CopiesTabSeparatedText) {
    model().cyl.ValveLengthFrontHalf() = 2.0f;  // some events missing
    window().show();
    QApplication::clipboard()->clear();
    window().CopyTable->trigger();
    const QStringList lines = QApplication::clipboard()->text().split('\n');
    ASSERT_GE(lines.size(), 2 + 7 + 1 + 5);
    EXPECT_EQ(lines[0],
              "Valve events, data set Nominal, " + QDate::currentDate().toString(Qt::ISODate));
    const QStringList header = lines[1].split('\t');
    ASSERT_EQ(header.size(), grid().columnCount());
    for (int c = 0; c < grid().columnCount(); ++c)
        EXPECT_EQ(header[c], grid().horizontalHeaderItem(c)->toolTip());
    const QList<QStringList> rows = shownRows();
    for (int r = 0; r < rows.size(); ++r) {
        QStringList shown = rows[r];
        for (QString& s : shown)
            if (s == "-") s.clear();  // a spreadsheet gets an empty cell, not text
        EXPECT_EQ(lines[2 + r].split('\t'), shown) << r;
    }
    EXPECT_EQ(lines[9], "");
    EXPECT_EQ(lines[10], "Mid gear\tFront\tRear");
    EXPECT_EQ(lines[11], "Steam lap\t1.219\t0.219");  // 2 - (0.28125 + 0.25 + 0.25)
    window().close();
}

TEST_F(ValveEventsWindowTest, SavesCsvThatReadsBackAsTheWindow) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    model().DataSetName = "Loco, 7";
    model().cyl.ValveLengthFrontHalf() = 0.5f;  // front steam open through the dead centre
    window().show();
    errors_.clear();  // the help texts are not installed beside the tests
    exportPath_ = dir.filePath("events.csv");
    window().SaveCsv->trigger();
    EXPECT_EQ(suggestedNames_, QStringList{"Loco_ 7 valve events.csv .csv"});
    QFile file(exportPath_);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    ASSERT_GE(lines.size(), 2 + 7);
    EXPECT_EQ(lines[0],
              "# Valve events, data set Loco, 7, " + QDate::currentDate().toString(Qt::ISODate));
    EXPECT_EQ(lines[1].split(',').size(), grid().columnCount());
    const QList<QStringList> rows = shownRows();
    int numbers = 0;
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList fields = lines[2 + r].split(',');
        ASSERT_EQ(fields.size(), grid().columnCount()) << r;
        for (int c = 0; c < fields.size(); ++c) {
            const QString& shown = rows[r][c];
            if (shown == "-") {
                EXPECT_TRUE(fields[c].isEmpty()) << r << " " << c;
                continue;
            }
            bool isNumber = false;
            const double v = shown.toDouble(&isNumber);
            if (isNumber) {
                ++numbers;
                EXPECT_EQ(fields[c].toDouble(), v) << r << " " << c;
            } else {
                EXPECT_EQ(fields[c], shown) << r << " " << c;
            }
        }
    }
    EXPECT_GT(numbers, 7 * 15);
    EXPECT_EQ(at("Normal fwd", kFrontCutOff), "-");
    EXPECT_EQ(at("Normal fwd", "Note"), "Front steam open through dead centre");
    EXPECT_TRUE(lines.contains("Steam lap,-0.281,0.219"));  // 0.5 - 0.78125

    // Cancelled: nothing written, nothing said.
    exportPath_.clear();
    window().SaveCsv->trigger();
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join(" | ").toStdString();
    // A folder that is not there: the error is shown and nothing is left behind.
    exportPath_ = dir.filePath("missing/events.csv");
    window().SaveCsv->trigger();
    ASSERT_EQ(errors_.size(), 1);
    EXPECT_TRUE(errors_[0].contains("saving failed"));
    EXPECT_FALSE(QFile::exists(exportPath_));
    window().close();
}

TEST_F(ValveEventsWindowTest, ColumnsHoldTheirTextsAndTheKeyColumnsStayInView) {
    window().show();
    QApplication::processEvents();
    const QFontMetrics fm(grid().font());
    for (int c = 0; c < grid().columnCount(); ++c) {
        for (int r = 0; r < grid().rowCount(); ++r) {
            QTableWidgetItem* item = grid().item(r, c);
            ASSERT_TRUE(item);
            EXPECT_FALSE(item->flags() & Qt::ItemIsEditable);
            EXPECT_GE(grid().columnWidth(c), fm.horizontalAdvance(item->text())) << r << " " << c;
        }
        const QStringList heading = grid().horizontalHeaderItem(c)->text().split('\n');
        for (const QString& line : heading)
            EXPECT_GE(grid().columnWidth(c),
                      QFontMetrics(grid().horizontalHeader()->font()).horizontalAdvance(line))
                << line.toStdString();
    }
    // Every row in view without scrolling down.
    EXPECT_EQ(grid().verticalScrollBar()->maximum(), 0);

    auto* table = window().EventsGrid;
    QTableView* keys = table->keyView();
    ASSERT_TRUE(keys->isVisible());
    int keyWidth = 0;
    for (int c = 0; c < 3; ++c) keyWidth += grid().columnWidth(c);
    EXPECT_EQ(keys->width(), keyWidth);
    for (int c = 0; c < grid().columnCount(); ++c) EXPECT_EQ(keys->isColumnHidden(c), c >= 3);
    // Narrow enough to scroll: the key columns stay where they were.
    window().resize(500, window().height());
    QApplication::processEvents();
    QScrollBar* sideways = grid().horizontalScrollBar();
    ASSERT_GT(sideways->maximum(), 0);
    const QRect place = keys->geometry();
    sideways->setValue(sideways->maximum());
    QApplication::processEvents();
    EXPECT_EQ(keys->geometry(), place);
    EXPECT_EQ(keys->model()->index(0, 0).data().toString(), "Set 1");
    EXPECT_EQ(keys->columnViewportPosition(0), 0);
    window().close();
}

TEST_F(ValveEventsWindowTest, NoPartCoversAnotherAtTheSizeChosen) {
    TValveEvents& events = *program_->valveEvents;
    events.show();
    QApplication::processEvents();
    const QRect grid = events.EventsGrid->geometry(), midGear = events.MidGearGrid->geometry(),
                notes = events.Footnote->geometry();
    EXPECT_LT(grid.bottom(), midGear.top());
    EXPECT_LT(grid.bottom(), notes.top());
    // The notes are shown whole: as tall as their wrapped text needs, inside the window.
    EXPECT_GE(notes.height(), events.Footnote->heightForWidth(notes.width()));
    EXPECT_LE(notes.bottom(), events.rect().bottom());
    EXPECT_TRUE(events.screen()->availableGeometry().contains(events.frameGeometry()));
    events.close();
}
