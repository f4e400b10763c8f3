// Notches where positions are chosen: the Balance dialog compares at a running notch, and the
// diagrams' position dialog fills an entry from a cut-off.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "BalanceDialog.h"
#include "NumberField.h"
#include "SetReverArm.h"
#include "UiTestSupport.h"
#include "ValveEvents.h"

namespace tarvell::test {

TEST_F(ProgramTest, BalanceComparesAtARunningNotchBothWays) {
    TBalance& dialog = *program_->balance;
    dialog.FormActivate();
    EXPECT_FALSE(dialog.NotchPositions->isChecked());
    EXPECT_FALSE(dialog.NotchCutOff->isEnabled());
    dialog.NotchPositions->click();
    EXPECT_TRUE(dialog.NotchCutOff->isEnabled());
    EXPECT_FALSE(dialog.NormalPositions->isChecked());
    // The offered cut-offs are taken as they stand: 25 % for the notch, 75 % for the target.
    dialog.TargetOn->click();
    EXPECT_EQ(dialog.request().positions[0], BalancePosition::notch(25, true));
    EXPECT_EQ(dialog.request().targetCutOff, 75.0);
    dialog.TargetOn->click();
    dialog.NotchCutOff->setText("30");
    const BalanceRequest r = dialog.request();
    ASSERT_EQ(r.positions.size(), 2u);
    EXPECT_EQ(r.positions[0], BalancePosition::notch(30, true));
    EXPECT_EQ(r.positions[1], BalancePosition::notch(30, false));
    dialog.FormActivate();  // afresh: normal forward and reverse again
    EXPECT_TRUE(dialog.NormalPositions->isChecked());
}

TEST_F(ProgramTest, ThePositionDialogFillsTheNextEntryFromACutOff) {
    TSetRevArm& d = *program_->setRevArm;
    d.show();
    Model& m = model();
    const float mid = m.ReverseArmCentre();
    int used = 0;
    while (used < 9 && m.reverseArmPositions[static_cast<std::size_t>(used) + 1] != 0.0f) ++used;
    ASSERT_LT(used, 9);

    d.NotchCutOff->setText("40");
    d.NotchDirection->setCurrentText("rev");
    d.FillNotch->click();
    const float p = m.reverseArmPositions[static_cast<std::size_t>(used) + 1];
    EXPECT_LT(p, mid);  // the reverse side
    EXPECT_EQ(m.PositionCount, used + 1);
    EXPECT_TRUE(d.NotchNote->text().startsWith(QString("Entry %1: 40 % rev").arg(used + 1)));
    // The position runs a 40 % notch: its two cut-offs average to it.
    const PositionEvents e = valveEvents(m, p);
    EXPECT_NEAR((e.front.cutOff.value + e.rear.cutOff.value) / 2, 40, 0.02);

    // Beyond the gear's reach: nothing filled, the reason shown.
    d.NotchCutOff->setText("99");
    d.NotchDirection->setCurrentText("fwd");
    d.FillNotch->click();
    EXPECT_TRUE(d.NotchNote->text().contains("out of reach"));
    EXPECT_EQ(m.PositionCount, used + 1);
    d.close();
}

}  // namespace tarvell::test
