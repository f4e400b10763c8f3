// The valve events window's By notch and Checks tabs: the notches found from their cut-offs,
// the list edited and kept between runs, the true dead centres, and the checks.
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTableWidget>
#include <QTest>

#include "MainForm.h"
#include "NotchEventsPanel.h"
#include "UiTestSupport.h"
#include "ValveEventsWindow.h"

using namespace tarvell;

namespace {

class NotchEventsPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QSettings().remove("valveEvents");
        build();
    }
    void TearDown() override { QSettings().remove("valveEvents"); }

    void build() {
        program_.reset();
        ProgramOptions options;
        options.startTimer = false;
        options.showError = [](const QString&) {};
        program_ = std::make_unique<Program>(std::make_unique<RecordingSound>(), options);
        program_->createWindows();
        program_->mainForm->show();
    }

    TValveEvents& window() { return *program_->valveEvents; }
    NotchEventsPanel& panel() { return *window().NotchPanel; }
    QTableWidget& grid() { return *panel().NotchGrid; }
    double number(int row, const QString& toolTip) {
        for (int c = 0; c < grid().columnCount(); ++c)
            if (grid().horizontalHeaderItem(c)->toolTip() == toolTip)
                return grid().item(row, c)->text().toDouble();
        ADD_FAILURE() << "no column " << toolTip.toStdString();
        return 0;
    }
    void type(const QString& text) {
        panel().NotchCutOffs->setText(text);
        panel().NotchCutOffsEditingFinished();
    }

    std::unique_ptr<Program> program_;
};

}  // namespace

TEST_F(NotchEventsPanelTest, ListsEachCutOffForwardThenReverseAtItsMeanCutOff) {
    window().show();
    EXPECT_EQ(panel().tabText(0), "By &notch");
    EXPECT_EQ(panel().NotchCutOffs->text(), "75, 50, 40, 30, 25, 15");
    ASSERT_EQ(grid().rowCount(), 12);
    const double mid = 10.533;  // the default gear's mid gear
    double lastForward = 1e9, lastReverse = -1e9;
    for (int r = 0; r < 12; ++r) {
        const double cutOff = QList<double>{75, 50, 40, 30, 25, 15}[r / 2];
        const bool forward = r % 2 == 0;
        EXPECT_EQ(grid().item(r, 0)->text(),
                  QString("%1 % %2").arg(cutOff).arg(forward ? "fwd" : "rev"));
        if (grid().columnSpan(r, 1) > 1) continue;  // out of reach, said in the row
        // The notch's meaning: its two ends' cut-offs average to it.
        const double front = number(r, "Front Cut-off %"), rear = number(r, "Rear Cut-off %");
        EXPECT_NEAR((front + rear) / 2, cutOff, 0.011) << r;
        // A shorter cut-off lies nearer mid gear, on its own side.
        const double position = grid().item(r, 1)->text().toDouble();
        if (forward) {
            EXPECT_GT(position, mid);
            EXPECT_LT(position, lastForward);
            lastForward = position;
        } else {
            EXPECT_LT(position, mid);
            EXPECT_GT(position, lastReverse);
            lastReverse = position;
        }
        // Each event's crank angle is a driver angle.
        const double at = number(r, "Front Cut-off at deg");
        EXPECT_GE(at, 0);
        EXPECT_LT(at, 360);
    }
    EXPECT_LT(lastForward, 1e9);
    EXPECT_GT(lastReverse, -1e9);
}

TEST_F(NotchEventsPanelTest, TheListIsEditedCheckedAndKeptForTheNextRun) {
    window().show();
    type("40 20");
    EXPECT_EQ(panel().NotchCutOffs->text(), "40, 20");
    ASSERT_EQ(grid().rowCount(), 4);
    EXPECT_EQ(grid().item(2, 0)->text(), "20 % fwd");

    for (const char* bad : {"40, abc", "150", "0", ""}) {
        type(bad);
        EXPECT_TRUE(panel().NotchNote->text().startsWith("Not taken")) << bad;
        EXPECT_EQ(grid().rowCount(), 4);  // the last list stands
    }
    // Beyond what the gear reaches: the row says so and names the range.
    type("99, 25");
    ASSERT_EQ(grid().rowCount(), 4);
    EXPECT_EQ(grid().columnSpan(0, 1), grid().columnCount() - 1);
    EXPECT_TRUE(grid().item(0, 1)->text().contains("out of reach"))
        << grid().item(0, 1)->text().toStdString();

    // Back within reach: the row shows its figures again.
    type("30, 25");
    EXPECT_EQ(grid().columnSpan(0, 1), 1);
    EXPECT_EQ(grid().item(0, 0)->text(), "30 % fwd");
    type("99, 25");

    window().close();
    build();
    EXPECT_EQ(window().NotchPanel->NotchCutOffs->text(), "99, 25");
}

TEST_F(NotchEventsPanelTest, ShowsTheTrueDeadCentresAndTheChecks) {
    window().show();
    EXPECT_EQ(panel().DeadCentres->text(), "True dead centres: front 0.00°, rear 180.00°");

    // The cylinder line 1.0 above the axle: the crank and the main rod come into line at
    // 356.5 and 175.6 degrees.
    ASSERT_TRUE(setDimensionValue(program_->model(), 102, 1.0f));
    window().ReDraw->trigger();
    const QStringList words = panel().DeadCentres->text().split(' ');
    ASSERT_EQ(words.size(), 7) << panel().DeadCentres->text().toStdString();
    EXPECT_NEAR(words[4].chopped(2).toDouble(), 356.5, 0.05);
    EXPECT_NEAR(words[6].chopped(1).toDouble(), 175.6, 0.05);

    // The default gear: its exhaust is choked at full forward gear (0.131 of the exhaust
    // port left against a 0.25 steam port) and its cut-offs lie 4 % apart at 25 %.
    ASSERT_TRUE(setDimensionValue(program_->model(), 102, 0.0f));
    window().ReDraw->trigger();
    QTableWidget& checks = *panel().ChecksList;
    ASSERT_EQ(checks.rowCount(), 6);
    EXPECT_EQ(checks.item(2, 0)->text(), "FAIL");
    EXPECT_TRUE(checks.item(2, 2)->text().contains("0.131"));
    EXPECT_EQ(checks.item(3, 0)->text(), "FAIL");
    EXPECT_EQ(checks.item(0, 0)->text(), "pass");
    EXPECT_EQ(panel().tabText(1), "Chec&ks: some fail");
}
