// The Balance dialog's trade-off view: worked out over the chosen dimensions at the chosen
// positions, drawn as points a click chooses, and the chosen design handed back for Apply.
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "BalanceDialog.h"
#include "DynamicVariables.h"
#include "TradeOffDialog.h"
#include "UiTestSupport.h"

namespace tarvell::test {

TEST_F(ProgramTest, BalanceTradeOffHandsTheChosenCompromiseToApply) {
    // The fulcrum lever's lower arm (9) and the valve rod (11) as the first dynamic variables.
    for (int code : {11, 9}) StoreDimensionValue(model(), code, dimensionValue(model(), code));
    TBalance& dialog = *program_->balance;
    dialog.FormActivate();
    dialog.NotchPositions->click();
    const float rodBefore = dimensionValue(model(), 11);

    TTradeOff& view = *dialog.TradeOffDialog;
    int points = 0;
    QString first, last;
    QTimer::singleShot(0, [&] {
        points = static_cast<int>(view.points().size());
        first = view.Chosen->text();
        if (points >= 2) {
            // A click beside the last point chooses it.
            QTest::mouseClick(view.View, Qt::LeftButton, {},
                              view.View->pointAt(points - 1) + QPoint(3, -2));
            last = view.Chosen->text();
        }
        view.UseButton->click();
    });
    dialog.TradeOffButton->click();
    ASSERT_GE(points, 2) << dialog.Outcome->text().toStdString() << " / " << first.toStdString();
    EXPECT_TRUE(first.startsWith("Cut-offs within")) << first.toStdString();
    EXPECT_NE(first, last);
    EXPECT_EQ(view.selected(), points - 1);
    // The chosen compromise is the dialog's result: the most even leads of the front.
    ASSERT_TRUE(dialog.result());
    const TradeOffPoint& chosen = view.points().back();
    EXPECT_EQ(dialog.result()->sumAfter, chosen.result.sumAfter);
    if (chosen.result.improved()) {
        EXPECT_TRUE(dialog.ApplyButton->isEnabled());
        dialog.ApplyButton->click();
        EXPECT_NE(dimensionValue(model(), 11), rodBefore);
    }
}

}  // namespace tarvell::test
