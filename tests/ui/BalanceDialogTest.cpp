// The Balance dialog: opened from the menu and the tool bar with the dynamic variables
// chosen, a search of the default gear run on its worker thread, the leads and what the
// balance cost shown, Apply as one change that one UnDo takes back exactly, forward or
// reverse alone, a target or a range that held the search said, and a design left exactly as
// it was by Cancel and by closing.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <array>
#include <cmath>

#include "BalanceDialog.h"
#include "BalanceVaryRow.h"
#include "DynamicVariables.h"
#include "NumberField.h"
#include "UiTestSupport.h"

namespace tarvell::test {
namespace {

// What a change of the design would show in: every dimension, mid gear and positions 1-3 of
// the set, the reverse arm, the four slots, the undo stack.
struct Design {
    std::vector<float> dimensions;
    std::array<float, 4> midGear{};
    float reverseArm = 0;
    std::vector<std::pair<int, float>> dynamicSlots;
    int undoCount = 0;
    bool operator==(const Design&) const = default;
};

class BalanceDialogTest : public ProgramTest {
  protected:
    TBalance& dialog() { return *program_->balance; }

    // Leaves the fields of 10 (the fulcrum's diameter, which no search may vary), 9 and 11
    // as the frame dialog does: slot 1 holds 11, slot 2 9, slot 3 10.
    void chooseSlots() {
        for (int code : {10, 9, 11})
            StoreDimensionValue(model(), code, dimensionValue(model(), code));
    }
    Design design() {
        Design d;
        for (const DimensionInfo& info : allDimensions())
            d.dimensions.push_back(dimensionValue(model(), info.code));
        for (std::size_t k = 0; k < 4; ++k) d.midGear[k] = model().reverseArmPositions[k];
        d.reverseArm = model().gear.ReverseArmPosition;
        for (std::size_t k = 1; k <= 4; ++k)
            d.dynamicSlots.emplace_back(model().dynamicSlots[k].code,
                                        model().dynamicSlots[k].value);
        d.undoCount = model().undoCount;
        return d;
    }
    void runToTheEnd() {
        dialog().RunButton->click();
        EXPECT_TRUE(dialog().running());
        ASSERT_TRUE(QTest::qWaitFor([this] { return !dialog().running(); }, 60000));
    }
    double shown(int row, int column) {
        return dialog().ResultGrid->item(row, column)->text().toDouble();
    }
};

TEST_F(BalanceDialogTest, OpensFromTheMenuAndToolButtonWithTheSlotsDimensions) {
    chooseSlots();
    for (QAction* command : {form().Balance, form().ToolButton[19]}) {
        bool seen = false;
        QTimer::singleShot(0, &dialog(), [&] {
            seen = dialog().isVisible();
            EXPECT_EQ(dialog().VaryRow[0]->code(), 11);
            EXPECT_EQ(dialog().VaryRow[1]->code(), 9);
            EXPECT_EQ(dialog().VaryRow[2]->code(), 0);  // 10 is not offered
            EXPECT_EQ(dialog().VaryRow[2]->Code->findData(10), -1);
            EXPECT_EQ(dialog().VaryRow[2]->Code->findData(27), -1);
            // 5 % either way: 9.813 +- 0.49065 and 3.113 +- 0.15565.
            EXPECT_NEAR(dialog().VaryRow[0]->variable()->lower, 9.32235, 1e-5);
            EXPECT_NEAR(dialog().VaryRow[1]->variable()->upper, 3.26865, 1e-5);
            EXPECT_TRUE(dialog().Objective[0]->isChecked());
            EXPECT_FALSE(dialog().Objective[1]->isChecked());
            EXPECT_TRUE(dialog().NormalPositions->isChecked());
            EXPECT_FALSE(dialog().ApplyButton->isEnabled());
            // The rows in use and one more; choosing a dimension in that one opens the next.
            EXPECT_TRUE(dialog().VaryRow[2]->Code->isVisible());
            EXPECT_FALSE(dialog().VaryRow[3]->Code->isVisible());
            dialog().VaryRow[2]->Code->setCurrentIndex(1);
            emit dialog().VaryRow[2]->Code->activated(1);
            EXPECT_TRUE(dialog().VaryRow[3]->Code->isVisible());
            // Wholly on the screen, at most nine tenths of its height, Apply and Close in view.
            const QRect area = dialog().screen()->availableGeometry();
            EXPECT_TRUE(area.contains(dialog().frameGeometry()));
            EXPECT_LE(dialog().frameGeometry().height(), area.height() * 9 / 10);
            EXPECT_TRUE(dialog().rect().contains(dialog().CloseButton->geometry()));
            dialog().CloseButton->click();
        });
        command->trigger();
        EXPECT_TRUE(seen);
    }
    QApplication::processEvents();
    QWidget* button = form().ToolBar1->widgetForAction(form().ToolButton[19]);
    ASSERT_TRUE(button);
    EXPECT_TRUE(button->isVisible());  // not pushed off the bar into its overflow
    EXPECT_LE(button->geometry().right(), form().ToolBar1->width());
}

TEST_F(BalanceDialogTest, ARunEvensOutCutOffAndApplyIsOneChangeToUndo) {
    chooseSlots();
    const Design before = design();
    dialog().show();
    runToTheEnd();
    ASSERT_TRUE(dialog().result() && dialog().result()->improved())
        << dialog().Outcome->text().toStdString();
    EXPECT_TRUE(dialog().Outcome->text().startsWith("Improved"));
    EXPECT_GT(dialog().Progress->value(), 5);
    // Rows: 11, 9, then cut-off at normal forward and reverse. The default gear cuts off at
    // about 73 % in front and 84 % behind going forward.
    ASSERT_EQ(dialog().ResultGrid->rowCount(), 4);
    EXPECT_EQ(dialog().ResultGrid->item(2, 1)->text(), "normal fwd");
    EXPECT_NEAR(shown(2, 2), 73 - 84, 2);
    EXPECT_LT(std::fabs(shown(2, 3)), 0.3);
    EXPECT_LT(std::fabs(shown(3, 3)), 0.3);
    // Beside each difference the leads there, front / rear: 0.0201 and 0.0231 at normal
    // forward before; after, the rear one is below zero, in red, and said to be a cost.
    EXPECT_EQ(dialog().ResultGrid->item(2, 4)->text(), "0.0201 / 0.0231");
    const QStringList after = dialog().ResultGrid->item(2, 5)->text().split(" / ");
    ASSERT_EQ(after.size(), 2);
    EXPECT_LT(after[1].toDouble(), 0.0);
    EXPECT_EQ(dialog().ResultGrid->item(2, 5)->foreground().color(), QColor(176, 0, 0));
    EXPECT_TRUE(dialog().Costs->isVisible());
    EXPECT_TRUE(dialog().Costs->text().startsWith(
        "What applying it would cost: the rear lead at normal fwd turns negative, 0.0231 to "))
        << dialog().Costs->text().toStdString();
    EXPECT_TRUE(dialog().Costs->text().contains("the rear port no longer opens at mid gear"));

    ASSERT_TRUE(dialog().ApplyButton->isEnabled());
    dialog().ApplyButton->click();
    EXPECT_FALSE(dialog().ApplyButton->isEnabled());
    const std::vector<DimensionChange>& changes = dialog().result()->dimensions;
    std::size_t i = 0;
    for (const DimensionInfo& info : allDimensions()) {
        const float now = dimensionValue(model(), info.code);
        if (info.code == 11 || info.code == 9) {
            const DimensionChange& c = changes[info.code == 11 ? 0 : 1];
            EXPECT_NE(now, before.dimensions[i]) << info.code;
            EXPECT_EQ(now, c.after);
            EXPECT_TRUE(c.lower <= now && now <= c.upper) << info.code;
        } else {
            EXPECT_EQ(now, before.dimensions[i]) << info.code;
        }
        ++i;
    }
    EXPECT_EQ(model().ReverseArmCentre(), dialog().result()->design.ReverseArmCentre());
    EXPECT_EQ(form().SBRevArm->value(), 0);
    EXPECT_EQ(model().dynamicSlots[1].value, model().frame.ValveRodTotalLen);
    EXPECT_EQ(model().undoCount, before.undoCount + 1);
    EXPECT_TRUE(form().UnDoDn->isEnabled());
    // What it cost stays in view, and the main window's status line says it too.
    EXPECT_TRUE(dialog().Costs->text().startsWith("What the balance cost: the rear lead"));
    EXPECT_TRUE(form().statusBar()->currentMessage().startsWith(
        "Balance applied; it cost: the rear lead at normal fwd turns negative"))
        << form().statusBar()->currentMessage().toStdString();
    dialog().CloseButton->click();

    // One UnDo: the design exactly as it was, mid gear and positions 1-3 to the last bit
    // (10.53342, not the balanced design's 10.53326), and nothing left to save.
    form().UnDoDn->click();
    EXPECT_EQ(design(), before);
    EXPECT_FALSE(program_->context().designModified());
}

TEST_F(BalanceDialogTest, EqualisesAtForwardOnlyAsTheReportsFwdDoes) {
    chooseSlots();
    dialog().show();
    dialog().ForwardPositions->click();
    // The positions the report's "--reverse-arm fwd" names.
    const std::vector<BalancePosition> forward = {
        BalancePosition::named(BalancePosition::Kind::NormalForward)};
    EXPECT_EQ(dialog().request().positions, forward);
    runToTheEnd();
    ASSERT_TRUE(dialog().result() && dialog().result()->improved());
    ASSERT_EQ(dialog().ResultGrid->rowCount(), 3);  // 11, 9, cut-off at normal forward
    EXPECT_EQ(dialog().ResultGrid->item(2, 1)->text(), "normal fwd");
    EXPECT_LT(std::fabs(shown(2, 3)), 0.3);
    dialog().ReversePositions->click();
    EXPECT_EQ(dialog().request().positions.size(), 1u);
    EXPECT_EQ(dialog().request().positions[0].kind, BalancePosition::Kind::NormalReverse);
    dialog().CloseButton->click();
}

TEST_F(BalanceDialogTest, SaysWhenATargetIsOutOfReachAndARangeHeldTheSearch) {
    chooseSlots();
    dialog().show();
    // The valve rod alone, 0.01 either way: it stops on the lower end of its range.
    dialog().VaryRow[1]->Code->setCurrentIndex(0);
    emit dialog().VaryRow[1]->Code->activated(0);
    dialog().VaryRow[0]->Delta->setText("0.01");
    emit dialog().VaryRow[0]->Delta->textEdited("0.01");
    emit dialog().VaryRow[0]->Delta->editingFinished();
    dialog().TargetOn->setChecked(true);
    dialog().TargetCutOff->setText("50");
    runToTheEnd();
    ASSERT_TRUE(dialog().result().has_value());
    const QString outcome = dialog().Outcome->text();
    EXPECT_TRUE(outcome.startsWith("Improved: sum of squares ")) << outcome.toStdString();
    EXPECT_TRUE(
        outcome.contains("The target cut-off of 50.0 % is not reached within these "
                         "ranges"))
        << outcome.toStdString();
    EXPECT_TRUE(outcome.contains("11 Valve Rod Total Len ends on the lower end of its range"))
        << outcome.toStdString();
    EXPECT_EQ(dialog().ResultGrid->item(0, 1)->text(), "foot of range");
    dialog().CloseButton->click();
}

TEST_F(BalanceDialogTest, CancelMidRunLeavesTheDesignAsItWas) {
    chooseSlots();
    const Design before = design();
    dialog().show();
    // Cancelled at once: the whole search takes some tens of designs, far longer than this.
    dialog().RunButton->click();
    ASSERT_TRUE(dialog().CancelRun->isEnabled());
    dialog().CancelRun->click();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !dialog().running(); }, 30000));
    EXPECT_TRUE(dialog().Outcome->text().startsWith("Cancelled"))
        << dialog().Outcome->text().toStdString();
    EXPECT_FALSE(dialog().ApplyButton->isEnabled());
    dialog().CloseButton->click();
    EXPECT_EQ(design(), before);
}

TEST_F(BalanceDialogTest, ClosingWithoutApplyLeavesTheDesignAsItWas) {
    chooseSlots();
    const Design before = design();
    dialog().show();
    runToTheEnd();
    dialog().CloseButton->click();
    EXPECT_EQ(design(), before);

    // Closed while the search runs: it stops, and nothing it finds arrives afterwards.
    dialog().show();
    dialog().RunButton->click();
    dialog().close();
    EXPECT_FALSE(dialog().running());
    QTest::qWait(50);
    EXPECT_FALSE(dialog().result().has_value());
    EXPECT_EQ(design(), before);
}

}  // namespace
}  // namespace tarvell::test
