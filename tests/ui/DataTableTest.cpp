// The pivot data table window: opened from the main window, its text over one turn for the
// chosen pivots, the gear state around it, and the Edit menu's enabling and clipboard.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTime>
#include <QTimer>
#include <cstdio>

#include "DatTable.h"
#include "TarvellVersion.h"
#include "UiTestSupport.h"

namespace tarvell::test {
namespace {

class DataTableTest : public ProgramTest {
  protected:
    TDataTable& table() { return *program_->dataTable; }
    QStringList lines() { return table().DataMemo->toPlainText().split('\n'); }
    // Opens the window as the user sees it, without waiting in a modal loop.
    QStringList openTable() {
        table().show();
        return lines();
    }
    void openEditMenu() {
        table().Edit1->popup(QPoint(0, 0));
        table().Edit1->hide();
    }
};

// Fields of a data row: the angle in 7 characters, then per slot "   ", Y (7 wide for slot
// 1, 9 for the others), "  " and X (7 wide).
QString yField(const QString& row, int slot) {
    return slot == 0 ? row.mid(10, 7) : row.mid(26 + 21 * (slot - 1) + 3, 9);
}
QString xField(const QString& row, int slot) {
    return slot == 0 ? row.mid(19, 7) : row.mid(26 + 21 * (slot - 1) + 14, 7);
}

QString fixed(const char* format, double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, format, v);
    return buf;
}

TEST_F(DataTableTest, TheDataTableButtonOpensTheWindowModally) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        seen = table().isVisible() && table().isModal();
        EXPECT_GT(table().DataMemo->blockCount(), 4);
        table().Close1->trigger();
    });
    form().DataTableBut->click();
    EXPECT_TRUE(seen);
    EXPECT_FALSE(table().isVisible());
}

TEST_F(DataTableTest, TheMenuReadsCloseBlankEditThenSaveCsv) {
    const QList<QAction*> bar = table().MainMenu1->actions();
    ASSERT_EQ(bar.size(), 4);
    EXPECT_EQ(bar[0]->text(), "&Close ");
    EXPECT_EQ(bar[1]->text(), QString(14, ' '));
    EXPECT_EQ(bar[2]->text(), "&Edit");
    EXPECT_EQ(bar[3], table().SaveCsv);
    const QList<QAction*> edit = table().Edit1->actions();
    ASSERT_EQ(edit.size(), 5);
    EXPECT_EQ(edit[0]->text(), "Cu&t");
    EXPECT_EQ(edit[1]->text(), "&Copy");
    EXPECT_EQ(edit[2]->text(), "&Paste");
    EXPECT_TRUE(edit[3]->isSeparator());
    EXPECT_EQ(edit[4]->text(), "Select&All");
    EXPECT_EQ(table().windowTitle(), "Pivot Data Table");
}

TEST_F(DataTableTest, DefaultSetAtStepTenListsThirtySevenRows) {
    const QLocale locale = QLocale::system();
    const QTime before = QTime::currentTime();
    const QStringList text = openTable();
    const QTime after = QTime::currentTime();
    ASSERT_EQ(text.size(), 4 + 37);

    const QString date = locale.toString(QDate::currentDate(), QLocale::ShortFormat);
    const QString head = "Pivot Data   Nominal     " + date + "   ";
    EXPECT_TRUE(text[0] == head + locale.toString(before, QLocale::ShortFormat) ||
                text[0] == head + locale.toString(after, QLocale::ShortFormat))
        << text[0].toStdString();
    EXPECT_TRUE(text[1].startsWith("       Reverse Arm"));
    EXPECT_TRUE(text[1].endsWith("      Step Angle 10.000"));
    EXPECT_TRUE(text[2].startsWith("  Driver         No.1"));
    EXPECT_TRUE(text[3].startsWith("  Angle     Vert   Horz"));

    for (int i = 0; i <= 36; ++i) {
        const QString& row = text[4 + i];
        EXPECT_EQ(row.left(7), fixed("%7.2f", 10.0 * i)) << i;
        // Nothing chosen: every slot lists the driver centre.
        for (int slot = 0; slot < 6; ++slot) {
            EXPECT_EQ(yField(row, slot).trimmed(), "0.000");
            EXPECT_EQ(xField(row, slot), "  0.000");
        }
        EXPECT_EQ(row.size(), 7 + 19 + 5 * 21);
    }
    EXPECT_EQ(text[4].left(7), "   0.00");
    EXPECT_EQ(text[40].left(7), " 360.00");
}

TEST_F(DataTableTest, ChosenPivotsFillTheirColumns) {
    // Crank pin, crosshead, the two fixed pivots, driver centre, reverse arm end.
    model().pivotDataSlots = {2, 3, 16, 6, 0, 18};
    form().Fwd->click();
    const QStringList text = openTable();
    ASSERT_EQ(text.size(), 41);

    // Crank radius 3.25 / 2: at 0 the pin is ahead of the driver centre, at 90 below it.
    // The crosshead at 0 is a main rod length (14.75) beyond the pin, on the centre line.
    EXPECT_EQ(yField(text[4], 0), "  0.000");
    EXPECT_EQ(xField(text[4], 0), "  1.625");
    EXPECT_EQ(yField(text[4], 1), "    0.000");
    EXPECT_EQ(xField(text[4], 1), " 16.375");
    EXPECT_EQ(yField(text[13], 0), " -1.625");
    EXPECT_EQ(xField(text[13], 0), "  0.000");
    // At 180 the pin is behind the centre and the crosshead a rod length beyond it.
    EXPECT_EQ(xField(text[22], 0), " -1.625");
    EXPECT_EQ(xField(text[22], 1), " 13.125");

    // The fixed pivots never move; the reverse arm end stands at the position of line 2.
    const QString position = text[1].mid(18, 7);
    for (int i = 4; i < text.size(); ++i) {
        EXPECT_EQ(yField(text[i], 2), "    6.075");
        EXPECT_EQ(xField(text[i], 2), " 10.574");
        EXPECT_EQ(yField(text[i], 3), "    2.695");
        EXPECT_EQ(xField(text[i], 3), "  6.742");
        EXPECT_EQ(yField(text[i], 4), "    0.000");
        EXPECT_EQ(xField(text[i], 5), position);
    }
    // Normal forward is 1.1 beyond mid gear, which the default set puts near 10.533.
    EXPECT_NEAR(position.toDouble(), 10.533 + 1.1, 0.002);
}

TEST_F(DataTableTest, TheGearIsAsBeforeAfterTheWindowCloses) {
    // Running, part way round.
    tick(4);
    const float angle = model().gear.DriverAngle;
    ASSERT_EQ(angle, 40.0f);
    form().Timer1->start();
    table().show();
    EXPECT_FALSE(form().Timer1->isActive());  // the driver waits while the table is read
    table().Close1->trigger();
    EXPECT_TRUE(form().Timer1->isActive());
    form().Timer1->stop();
    EXPECT_EQ(model().gear.DriverAngle, angle);
    EXPECT_EQ(model().gear.ActiveStep, 10.0f);
    EXPECT_EQ(form().Run->text(), "Stop");

    // Stopped at 180 with a finer step: the table runs over the whole turn all the same.
    form().Deg180->click();
    form().Step1->click();
    const QStringList text = openTable();
    EXPECT_EQ(text.size(), 4 + 361);
    table().close();
    EXPECT_FALSE(form().Timer1->isActive());  // was not running before, stays so
    EXPECT_EQ(model().gear.DriverAngle, 180.0f);
    EXPECT_EQ(model().gear.ActiveStep, 0.0f);
    EXPECT_EQ(form().Run->text(), "Run");
    tick();
    EXPECT_EQ(model().gear.DriverAngle, 180.0f);
    EXPECT_FLOAT_EQ(model().pivots[2].x, -1.625f);  // the next tick solves for 180 again
}

TEST_F(DataTableTest, CutAndCopyNeedASelection) {
    openTable();
    TDataTable& t = table();
    EXPECT_FALSE(t.Cut1->isEnabled());
    EXPECT_FALSE(t.Copy1->isEnabled());
    EXPECT_TRUE(t.SelectAll1->isEnabled());
    EXPECT_TRUE(t.Past1->isEnabled());

    openEditMenu();  // nothing selected yet
    EXPECT_FALSE(t.Cut1->isEnabled());
    EXPECT_FALSE(t.Copy1->isEnabled());

    // Select the first heading line with the keyboard, then open the menu.
    t.DataMemo->setFocus();
    QTest::keyClick(t.DataMemo, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(t.DataMemo, Qt::Key_End, Qt::ShiftModifier);
    openEditMenu();
    EXPECT_TRUE(t.Cut1->isEnabled());
    EXPECT_TRUE(t.Copy1->isEnabled());
    t.Copy1->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), lines()[0]);
    EXPECT_TRUE(lines()[0].startsWith("Pivot Data   Nominal"));

    t.SelectAll1->trigger();
    EXPECT_TRUE(t.Cut1->isEnabled());
    EXPECT_TRUE(t.Copy1->isEnabled());
    EXPECT_FALSE(t.SelectAll1->isEnabled());
    const QString whole = t.DataMemo->toPlainText();
    t.Cut1->trigger();
    EXPECT_TRUE(t.SelectAll1->isEnabled());
    EXPECT_EQ(QApplication::clipboard()->text(), whole);
    EXPECT_TRUE(t.DataMemo->toPlainText().isEmpty());

    // Pasting puts the table back; whatever is typed is dropped on the next opening.
    t.Past1->trigger();
    EXPECT_EQ(t.DataMemo->toPlainText(), whole);
    QTest::keyClicks(t.DataMemo, "notes");
    t.close();
    openTable();
    EXPECT_FALSE(t.DataMemo->toPlainText().contains("notes"));
    EXPECT_FALSE(t.Cut1->isEnabled());
    EXPECT_FALSE(t.Copy1->isEnabled());
}

TEST_F(DataTableTest, TheRotationLoopKeepsItsTitle) {
    tick();
    EXPECT_TRUE(
        table().windowTitle().startsWith("Tarvell Outside Admission  Data Table  Nominal     "))
        << table().windowTitle().toStdString();
    EXPECT_TRUE(table().windowTitle().endsWith(QString("   Version ") + kProgramVersion));
}

TEST_F(DataTableTest, TheFinestStepListsAWholeTurn) {
    // The angle is accumulated in single precision, so at 0.01 it stops short of 360.
    int rows = 0;
    float last = 0;
    for (float a = 0; !(a > 360.0f); a = a + 0.01f) {
        ++rows;
        last = a;
    }
    model().gear.StepAngle = 0.01f;
    const QStringList text = openTable();
    ASSERT_EQ(text.size(), 4 + rows);
    EXPECT_EQ(text.last().left(7), fixed("%7.2f", last));
    EXPECT_TRUE(text[1].endsWith("Step Angle  0.010"));
}

}  // namespace
}  // namespace tarvell::test
