// The Sensitivity window: opened from the menu, its rows sorted by the effect on front less
// rear with a bar each, following the chosen event and position; Balance opened with the rows
// picked; Balance's Suggest choosing a pair that evens the default gear's normal cut-offs.
#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "BalanceDialog.h"
#include "BalanceVaryRow.h"
#include "SensitivityWindow.h"
#include "UiTestSupport.h"

namespace tarvell::test {
namespace {

class SensitivityWindowTest : public ProgramTest {
  protected:
    TSensitivity& window() { return *program_->sensitivity; }
    double cell(int row, int column) {
        return window().SensitivityGrid->item(row, column)->text().toDouble();
    }
};

TEST_F(SensitivityWindowTest, ListsTheDimensionsByTheirEffectAndOpensBalanceWithThePicked) {
    bool seen = false, balanceSeen = false;
    QTimer::singleShot(0, &window(), [&] {
        seen = window().isVisible();
        QTableWidget* grid = window().SensitivityGrid;
        ASSERT_EQ(grid->rowCount(), static_cast<int>(sensitivityCodes().size()));
        // Cut-off at normal forward: largest first, front less rear as the two ends give it.
        for (int r = 0; r + 1 < grid->rowCount(); ++r)
            EXPECT_GE(std::fabs(cell(r, 4)), std::fabs(cell(r + 1, 4)) - 1e-9) << r;
        EXPECT_NEAR(cell(0, 4), cell(0, 2) - cell(0, 3), 0.002);
        EXPECT_GT(std::fabs(cell(0, 4)), 100.0);
        // The driver's diameter moves nothing and is not listed.
        for (int r = 0; r < grid->rowCount(); ++r) EXPECT_NE(grid->item(r, 0)->text(), "1");
        // Leads are far smaller figures than cut-offs.
        window().QuantityChoice->setCurrentIndex(1);
        EXPECT_LT(std::fabs(cell(0, 4)), 10.0);
        window().PositionChoice->setCurrentIndex(1);
        window().QuantityChoice->setCurrentIndex(0);
        const std::vector<int> codes = {window().rowCodes()[2], window().rowCodes()[0]};
        grid->selectRow(0);
        grid->selectRow(2);
        QTimer::singleShot(0, program_->balance, [&] {
            balanceSeen = program_->balance->isVisible();
            std::vector<int> varied = {program_->balance->VaryRow[0]->code(),
                                       program_->balance->VaryRow[1]->code()};
            std::sort(varied.begin(), varied.end());
            std::vector<int> picked = codes;
            std::sort(picked.begin(), picked.end());
            EXPECT_EQ(varied, picked);
            EXPECT_EQ(program_->balance->VaryRow[2]->code(), 0);
            program_->balance->CloseButton->click();
        });
        window().BalanceSelected->click();
        window().CloseButton->click();
    });
    form().Sensitivity->trigger();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(balanceSeen);
}

TEST_F(SensitivityWindowTest, SuggestChoosesAPairThatEvensTheNormalCutOffs) {
    TBalance& balance = *program_->balance;
    bool seen = false;
    QTimer::singleShot(0, &balance, [&] {
        seen = true;
        balance.SuggestButton->click();
        EXPECT_NE(balance.VaryRow[0]->code(), 0);
        EXPECT_NE(balance.VaryRow[1]->code(), 0);
        EXPECT_EQ(balance.VaryRow[2]->code(), 0);  // two differences: a pair
        balance.RunButton->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !balance.running(); }, 60000));
        ASSERT_TRUE(balance.result() && balance.result()->improved());
        for (const BalanceDifference& d : balance.result()->differences) {
            ASSERT_TRUE(d.after);
            EXPECT_LT(std::fabs(*d.after), 0.3);
        }
        balance.CloseButton->click();
    });
    form().Balance->trigger();
    EXPECT_TRUE(seen);
}

}  // namespace
}  // namespace tarvell::test
