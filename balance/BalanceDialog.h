// TBalance: the Balance dialog. The user names up to four dimensions the program may change
// and the ranges they may take, the valve events to make equal front and rear and where; the
// search runs on a worker thread on a copy of the design while a bar shows its progress, and
// its result is shown before and after, with the leads beside each difference, what the
// result means (a target out of reach, a range that held the search) and what it costs.
// Apply stores the new dimensions and the mid gear they give as one change that UnDo takes
// back exactly; Cancel, Close and the close box leave the design as it was.
//
// The dialog is modal: while it is up, no other window can change the design (the dimension
// dialogs, the dynamic-variable bars, UnDo and opening a file are all out of reach), so the
// result applies to the design it was found for. The rotation loop keeps turning the driver
// meanwhile; it moves the gear, never its dimensions, and the search works on its own copy.
#pragma once

#include <QDialog>
#include <array>
#include <optional>
#include <vector>

#include "Balance.h"
#include "ProgramContext.h"

class QCheckBox;
class QLabel;
class QLayout;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTableWidget;

namespace tarvell {

class BalanceRunner;
class BalanceVaryRow;
class NumberField;
class TTradeOff;

class TBalance : public QDialog {
    Q_OBJECT

  public:
    explicit TBalance(ProgramContext& context);
    ~TBalance() override;

    // Vary
    std::array<BalanceVaryRow*, kMaxBalanceVariables> VaryRow{};
    // Equalise: one check box per objective, in kBalanceObjectives' order
    std::array<QCheckBox*, kBalanceObjectives.size()> Objective{};
    // Where to compare: one radio button per group of positions, in kPositionGroups' order.
    static constexpr std::array<BalancePositionGroup, 5> kPositionGroups = {
        BalancePositionGroup::Normal, BalancePositionGroup::NormalForward,
        BalancePositionGroup::NormalReverse, BalancePositionGroup::Set,
        BalancePositionGroup::Maximum};
    std::array<QRadioButton*, kPositionGroups.size()> PositionGroup{};
    QRadioButton *NormalPositions = nullptr, *ForwardPositions = nullptr,
                 *ReversePositions = nullptr, *SetPositions = nullptr, *MaxPositions = nullptr;
    // Or at a running notch, forward and reverse: the position of that mean cut-off, found
    // afresh on every design the search tries.
    QRadioButton* NotchPositions = nullptr;
    NumberField* NotchCutOff = nullptr;
    QCheckBox* TargetOn = nullptr;
    NumberField* TargetCutOff = nullptr;
    // Fills Vary with the dimensions that best control the chosen differences together.
    QPushButton* SuggestButton = nullptr;
    // Run and result
    QPushButton *RunButton = nullptr, *CancelRun = nullptr, *ApplyButton = nullptr,
                *CloseButton = nullptr;
    // The trade-off between even cut-offs and even leads over the chosen dimensions and
    // positions, and the view that shows it.
    QPushButton* TradeOffButton = nullptr;
    TTradeOff* TradeOffDialog = nullptr;
    QProgressBar* Progress = nullptr;
    QLabel* Worst = nullptr;
    QTableWidget* ResultGrid = nullptr;
    QLabel* Outcome = nullptr;
    // What the balanced design gives up (a lead gone negative, a port that no longer opens),
    // shown from the end of a run and after Apply; hidden when it gives up nothing.
    QLabel* Costs = nullptr;

    // Fills the dialog afresh from the design: the dimensions of the dynamic-variable slots
    // the search may vary, cut-off at normal forward and reverse, no result.
    void FormActivate();
    // The next opening fills Vary with these codes (up to four) instead of the dynamic
    // variables, as the Sensitivity window asks.
    void setVaryCodes(const std::vector<int>& codes) { presetVary_ = codes; }
    // Fills Vary from the sensitivity of the chosen differences at the chosen positions.
    void SuggestClick();
    // What the dialog's choices ask for.
    BalanceRequest request() const;
    void RunClick();
    void CancelRunClick();
    // Works the trade-off out (a search for each lead weight) and shows it; the point the
    // user takes becomes the result, for Apply.
    void TradeOffClick();
    void ApplyClick();
    bool running() const;
    // The last search's result, when it has one.
    const std::optional<BalanceResult>& result() const { return result_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int r) override;

  private:
    // The parts the dialog is built from, top to bottom, and their connections.
    QWidget* buildEqualiseBox();
    QLayout* buildRunRow();
    void buildResultArea();
    QLayout* buildEndButtons();
    void layOut(QWidget* vary, QWidget* equalise, QLayout* run, QLayout* end);
    void connectControls();

    void showProgress(const BalanceProgress& progress);
    // The outcome line and the costs line for the last result; `applied` after Apply.
    void showOutcome(bool applied);
    void showResult(const BalanceResult& result);
    void setRunning(bool running);
    // Shows the Vary rows in use and one more, so another can be added.
    void showVaryRowsInUse();

    ProgramContext& context_;
    BalanceRunner* runner_ = nullptr;
    QWidget *varyBox_ = nullptr, *equaliseBox_ = nullptr;  // held still while a search runs
    QScrollArea* scroll_ = nullptr;                        // all above the message lines
    std::optional<BalanceResult> result_;
    bool applied_ = false;
    std::vector<int> presetVary_;
};

}  // namespace tarvell
