// The Balance dialog (see BalanceDialog.h).
#include "BalanceDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QShowEvent>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "BalanceResultView.h"
#include "BalanceRunner.h"
#include "BalanceVaryRow.h"
#include "BalanceVerdict.h"
#include "DynamicVariables.h"
#include "Fonts.h"
#include "ModalDialog.h"
#include "NumberField.h"
#include "Sensitivity.h"
#include "TradeOffDialog.h"
#include "ValveEventsTable.h"
#include "WindowPlacement.h"

namespace tarvell {
namespace {

const QString kTitleText = "Tarvell Outside Admission      Balance    ";
constexpr float kDefaultTargetCutOff = 75.0f;

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QGroupBox* varyBox(QWidget* parent, std::array<BalanceVaryRow*, kMaxBalanceVariables>& rows) {
    auto* box = new QGroupBox("Vary", parent);
    box->setObjectName("VaryBox");
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(6);
    const char* headings[] = {"Dimension", "Now", "From", "", "To", "", "or"};
    for (int c = 0; c < 7; ++c) grid->addWidget(new QLabel(headings[c], box), 0, c);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        rows[i] = new BalanceVaryRow(box, grid, n, n);
    }
    grid->setColumnStretch(0, 1);
    return box;
}

// The running notch offered to begin with, per cent cut-off.
constexpr float kDefaultRunningNotch = 25;

// The captions of the position groups, in TBalance::kPositionGroups' order.
struct PositionChoice {
    const char* name;
    const char* caption;
};
constexpr PositionChoice kPositionChoices[] = {
    {"NormalPositions", "at normal forward and reverse"},
    {"ForwardPositions", "forward only"},
    {"ReversePositions", "reverse only"},
    {"SetPositions", "at the position set"},
    {"MaxPositions", "at maximum forward and reverse"},
};

}  // namespace

TBalance::TBalance(ProgramContext& context)
    : QDialog(nullptr), context_(context), runner_(new BalanceRunner(this)) {
    setObjectName("TBalance");
    setModal(true);
    setFont(dialogFont(11));
    QWidget* vary = varyBox(this, VaryRow);
    varyBox_ = vary;
    QWidget* equalise = buildEqualiseBox();
    equaliseBox_ = equalise;
    QLayout* run = buildRunRow();
    buildResultArea();
    layOut(vary, equalise, run, buildEndButtons());
    resize(660, 520);
    connectControls();
    context.registerTitledWindow(this, kTitleText);
}

// What to make equal (the objectives two to a row, so the dialog stays short enough for a
// small screen) beside where to compare and the target cut-off.
QWidget* TBalance::buildEqualiseBox() {
    auto* equalise = new QGroupBox("Equalise front and rear", this);
    equalise->setObjectName("EqualiseBox");
    auto* objectives = new QGridLayout;
    objectives->setVerticalSpacing(2);
    for (std::size_t i = 0; i < kBalanceObjectives.size(); ++i) {
        const std::string_view name = balanceObjectiveName(kBalanceObjectives[i]);
        Objective[i] = new QCheckBox(
            QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())), equalise);
        Objective[i]->setObjectName(QString("Objective%1").arg(i + 1));
        if (kBalanceObjectives[i] == BalanceObjective::DieSlip) {
            // Not a front-to-rear comparison: the die's work in the link is made small.
            Objective[i]->setText("least die slip");
            Objective[i]->setToolTip(
                "Make the greatest die slip at the compared positions small: how far the die "
                "block slides in the link over a turn, the measure of the link's wear");
        }
        objectives->addWidget(Objective[i], static_cast<int>(i / 2), static_cast<int>(i % 2));
    }
    objectives->setRowStretch(objectives->rowCount(), 1);

    for (std::size_t i = 0; i < PositionGroup.size(); ++i) {
        PositionGroup[i] = new QRadioButton(kPositionChoices[i].caption, equalise);
        PositionGroup[i]->setObjectName(kPositionChoices[i].name);
    }
    NormalPositions = PositionGroup[0];
    ForwardPositions = PositionGroup[1];
    ReversePositions = PositionGroup[2];
    SetPositions = PositionGroup[3];
    MaxPositions = PositionGroup[4];
    // Normal forward and reverse, or either alone, on one line.
    auto* normal = new QHBoxLayout;
    for (QRadioButton* r : {NormalPositions, ForwardPositions, ReversePositions})
        normal->addWidget(r);
    normal->addStretch();
    auto* positions = new QVBoxLayout;
    positions->setSpacing(2);
    positions->addLayout(normal);
    positions->addWidget(SetPositions);
    positions->addWidget(MaxPositions);
    auto* notch = new QHBoxLayout;
    NotchPositions = new QRadioButton("at the running notch, forward and reverse, of", equalise);
    NotchPositions->setObjectName("NotchPositions");
    NotchCutOff = new NumberField(equalise, false);
    NotchCutOff->setObjectName("NotchCutOff");
    NotchCutOff->setMaximumWidth(50);
    NotchCutOff->setAlignment(Qt::AlignRight);
    notch->addWidget(NotchPositions);
    notch->addWidget(NotchCutOff);
    notch->addWidget(new QLabel("% cut-off", equalise));
    notch->addStretch();
    positions->addLayout(notch);

    auto* target = new QHBoxLayout;
    TargetOn = new QCheckBox("and bring the mean cut-off at normal forward to", equalise);
    TargetOn->setObjectName("TargetOn");
    TargetCutOff = new NumberField(equalise, false);
    TargetCutOff->setObjectName("TargetCutOff");
    TargetCutOff->setMaximumWidth(50);
    TargetCutOff->setAlignment(Qt::AlignRight);
    target->addWidget(TargetOn);
    target->addWidget(TargetCutOff);
    target->addWidget(new QLabel("%", equalise));
    target->addStretch();
    positions->addLayout(target);
    positions->addStretch();

    auto* layout = new QHBoxLayout(equalise);
    layout->addLayout(objectives);
    layout->addSpacing(16);
    layout->addLayout(positions, 1);
    return equalise;
}

QLayout* TBalance::buildRunRow() {
    SuggestButton = button(this, "SuggestButton", "Su&ggest");
    SuggestButton->setToolTip(
        "Fill Vary with the dimensions that best even out the chosen differences together");
    RunButton = button(this, "RunButton", "&Run");
    CancelRun = button(this, "CancelRun", "&Cancel");
    Progress = new QProgressBar(this);
    Progress->setObjectName("Progress");
    Worst = new QLabel(this);
    Worst->setObjectName("Worst");
    Worst->setMinimumWidth(170);
    auto* run = new QHBoxLayout;
    run->addWidget(SuggestButton);
    run->addWidget(RunButton);
    run->addWidget(CancelRun);
    run->addWidget(Progress, 1);
    run->addWidget(Worst);
    TradeOffButton = button(this, "TradeOffButton", "&Trade-off...");
    TradeOffButton->setToolTip(
        "What evening the cut-offs costs in lead: the best compromises between the two");
    run->addWidget(TradeOffButton);
    TradeOffDialog = new TTradeOff(this);
    return run;
}

void TBalance::buildResultArea() {
    ResultGrid = new QTableWidget(this);
    ResultGrid->setObjectName("ResultGrid");
    setUpBalanceResultGrid(ResultGrid);
    ResultGrid->setMinimumHeight(6 * ResultGrid->verticalHeader()->defaultSectionSize());
    Outcome = new QLabel(this);
    Outcome->setObjectName("Outcome");
    Outcome->setWordWrap(true);
    Costs = new QLabel(this);
    Costs->setObjectName("Costs");
    Costs->setWordWrap(true);
    Costs->setStyleSheet("color: #b00000");
    Costs->hide();
}

QLayout* TBalance::buildEndButtons() {
    ApplyButton = button(this, "ApplyButton", "&Apply");
    CloseButton = button(this, "CloseButton", "C&lose");
    auto* end = new QHBoxLayout;
    end->addStretch();
    end->addWidget(ApplyButton);
    end->addWidget(CloseButton);
    return end;
}

// Everything above the message lines, Apply and Close scrolls when the screen is too small
// for it; the buttons and the message lines stay in view.
void TBalance::layOut(QWidget* vary, QWidget* equalise, QLayout* run, QLayout* end) {
    auto* content = new QWidget;
    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->addWidget(vary);
    contentLayout->addWidget(equalise);
    contentLayout->addLayout(run);
    contentLayout->addWidget(ResultGrid, 1);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName("BalanceScroll");
    scroll_->setWidget(content);
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll_, 1);
    layout->addWidget(Outcome);
    layout->addWidget(Costs);
    layout->addLayout(end);
}

void TBalance::connectControls() {
    for (BalanceVaryRow* row : VaryRow)
        connect(row, &BalanceVaryRow::chosen, this, [this] { showVaryRowsInUse(); });
    connect(TargetOn, &QCheckBox::toggled, TargetCutOff, &QWidget::setEnabled);
    connect(SuggestButton, &QPushButton::clicked, this, [this] { SuggestClick(); });
    connect(NotchPositions, &QRadioButton::toggled, NotchCutOff, &QWidget::setEnabled);
    connect(RunButton, &QPushButton::clicked, this, [this] { RunClick(); });
    connect(TradeOffButton, &QPushButton::clicked, this, [this] { TradeOffClick(); });
    connect(CancelRun, &QPushButton::clicked, this, [this] { CancelRunClick(); });
    connect(ApplyButton, &QPushButton::clicked, this, [this] { ApplyClick(); });
    connect(CloseButton, &QPushButton::clicked, this, [this] { reject(); });
    connect(runner_, &BalanceRunner::progressed, this,
            [this](const BalanceProgress& p) { showProgress(p); });
    connect(runner_, &BalanceRunner::finished, this,
            [this](const BalanceResult& r) { showResult(r); });
}

TBalance::~TBalance() {
    runner_->stopAndWait();
}

void TBalance::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;  // only restored from a minimised state
    setWindowTitle(context_.titleFor(kTitleText));
    FormActivate();
    // At most nine tenths of the screen's height; what does not fit scrolls.
    if (const QScreen* s = context_.mainWindow() ? context_.mainWindow()->screen() : screen()) {
        const int most = s->availableGeometry().height() * 9 / 10 -
                         frameMarginsOf(this, context_.mainWindow()).top();
        resize(width(), std::min(std::max(height(), sizeHint().height()), most));
    }
    placeWindow(this, context_.mainWindow(), objectName());
}

void TBalance::done(int r) {
    // Closing stops a search under way; its result never reaches the design.
    runner_->stopAndWait();
    setRunning(false);
    rememberWindowPlace(this, objectName());
    QDialog::done(r);
}

void TBalance::showVaryRowsInUse() {
    std::size_t used = 0;
    for (std::size_t i = 0; i < VaryRow.size(); ++i)
        if (VaryRow[i]->code() != 0) used = i + 1;
    for (std::size_t i = 0; i < VaryRow.size(); ++i) VaryRow[i]->setShown(i <= used);
}

void TBalance::FormActivate() {
    const Model& m = context_.model();
    std::size_t row = 0;
    if (!presetVary_.empty()) {
        for (int code : presetVary_)
            if (varyCodeRefusal(code).empty() && row < VaryRow.size())
                VaryRow[row++]->choose(code, m);
        presetVary_.clear();
    } else {
        for (std::size_t k = 1; k <= 4; ++k) {
            const int code = m.dynamicSlots[k].code;
            if (code != 0 && varyCodeRefusal(code).empty() && row < VaryRow.size())
                VaryRow[row++]->choose(code, m);
        }
    }
    for (; row < VaryRow.size(); ++row) VaryRow[row]->choose(0, m);
    showVaryRowsInUse();
    for (std::size_t i = 0; i < Objective.size(); ++i)
        Objective[i]->setChecked(kBalanceObjectives[i] == BalanceObjective::CutOff);
    const int entries = setEntryCount(m);
    SetPositions->setText(QString("at the position set (%1 entries)").arg(entries));
    SetPositions->setEnabled(entries > 0);
    NormalPositions->setChecked(true);
    TargetOn->setChecked(false);
    // Plain text: a padded fixed-point text (" 25.0") would read as 0.
    NotchCutOff->setText(QString::number(kDefaultRunningNotch));
    NotchCutOff->setEnabled(false);
    TargetCutOff->setEnabled(false);
    TargetCutOff->setText(QString::number(kDefaultTargetCutOff));
    result_.reset();
    applied_ = false;
    ResultGrid->setRowCount(0);
    Progress->setRange(0, 1);
    Progress->setValue(0);
    Progress->setTextVisible(false);
    Worst->clear();
    Outcome->setText("Choose what to vary and what to make equal, then Run.");
    Costs->clear();
    Costs->hide();
    setRunning(false);
}

BalanceRequest TBalance::request() const {
    BalanceRequest r;
    for (const BalanceVaryRow* row : VaryRow)
        if (std::optional<BalanceVariable> v = row->variable()) r.vary.push_back(*v);
    r.objectives.clear();
    for (std::size_t i = 0; i < Objective.size(); ++i)
        if (Objective[i]->isChecked()) r.objectives.push_back(kBalanceObjectives[i]);
    for (std::size_t i = 0; i < PositionGroup.size(); ++i)
        if (PositionGroup[i]->isChecked())
            r.positions = balancePositions(kPositionGroups[i], context_.model());
    if (NotchPositions->isChecked()) {
        const float cutOff = NotchCutOff->value();
        r.positions = {BalancePosition::notch(cutOff, true), BalancePosition::notch(cutOff, false)};
    }
    if (TargetOn->isChecked()) r.targetCutOff = static_cast<double>(TargetCutOff->value());
    return r;
}

void TBalance::SuggestClick() {
    if (running()) return;
    const BalanceRequest r = request();
    std::vector<EventQuantity> quantities;
    for (BalanceObjective o : r.objectives) {
        switch (o) {
            case BalanceObjective::CutOff:
                quantities.push_back(EventQuantity::CutOff);
                break;
            case BalanceObjective::Lead:
                quantities.push_back(EventQuantity::Lead);
                break;
            case BalanceObjective::Release:
                quantities.push_back(EventQuantity::Release);
                break;
            case BalanceObjective::Compression:
                quantities.push_back(EventQuantity::Compression);
                break;
            case BalanceObjective::Mep:  // follows the cut-offs most of all
            case BalanceObjective::DieSlip:
                break;
        }
    }
    if (quantities.empty()) quantities.push_back(EventQuantity::CutOff);
    const Model& m = context_.model();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::vector<int> codes = suggestVary(m, sensitivityTable(m, r.positions), quantities);
    QApplication::restoreOverrideCursor();
    if (codes.empty()) return;
    for (std::size_t i = 0; i < VaryRow.size(); ++i)
        VaryRow[i]->choose(i < codes.size() ? codes[i] : 0, m);
    showVaryRowsInUse();
}

bool TBalance::running() const {
    return runner_->running();
}

void TBalance::RunClick() {
    if (running()) return;
    const BalanceRequest r = request();
    const Model& m = context_.model();
    result_.reset();
    applied_ = false;
    ResultGrid->setRowCount(0);
    Worst->clear();
    Costs->clear();
    Costs->hide();
    if (const std::string reason = checkBalanceRequest(m, r); !reason.empty()) {
        BalanceResult refused;
        refused.reason = reason;
        showResult(refused);
        return;
    }
    Progress->setRange(
        0, r.maxEvaluations > 0 ? r.maxEvaluations : defaultBalanceEvaluations(r.vary.size()));
    Progress->setValue(0);
    Progress->setFormat("%v of %m designs");
    Progress->setTextVisible(true);
    Outcome->setText("Searching...");
    runner_->start(m, r);
    setRunning(true);
}

void TBalance::TradeOffClick() {
    if (running()) return;
    const Model& m = context_.model();
    const BalanceRequest r = request();
    if (const std::string reason = checkBalanceRequest(m, r); !reason.empty()) {
        BalanceResult refused;
        refused.reason = reason;
        showResult(refused);
        return;
    }
    Outcome->setText("Working out the trade-off...");
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TradeOffDialog->setPoints(balanceTradeOff(m, r));
    QApplication::restoreOverrideCursor();
    if (execModal(*TradeOffDialog, this) != QDialog::Accepted || TradeOffDialog->selected() < 0) {
        if (result_)
            showOutcome(applied_);
        else
            Outcome->setText("Choose what to vary and what to make equal, then Run.");
        return;
    }
    applied_ = false;
    showResult(
        TradeOffDialog->points()[static_cast<std::size_t>(TradeOffDialog->selected())].result);
}

void TBalance::CancelRunClick() {
    runner_->cancel();
}

void TBalance::ApplyClick() {
    if (!result_ || !result_->improved() || applied_ || running()) return;
    Model& m = context_.model();
    std::vector<DimensionSetting> settings;
    for (const DimensionChange& c : result_->dimensions) {
        if (dimensionValue(m, c.code) != c.before) {
            context_.showErrorMessage("The design has changed since the search: run it again.");
            return;
        }
        if (c.after != c.before) settings.push_back({c.code, c.after});
    }
    const auto count = settings.size();
    const QString step = QString("Balance: %1 dimension%2").arg(count).arg(count == 1 ? "" : "s");
    // Mid gear is worked out again as the frame dialog's Close does after its dimensions
    // change, and one UnDo takes it back with them.
    if (StoreDimensionGroupWithMidGear(m, settings, step.toStdString())) {
        context_.moveReverseArm(0);
        context_.setUndoButtonsEnabled(true);
    }
    applied_ = true;
    for (BalanceVaryRow* row : VaryRow) row->choose(row->code(), m);
    showOutcome(true);
    if (!result_->costs.empty())
        context_.note("Balance applied; it cost: " + joinedPhrases(result_->costs) + ".");
    setRunning(false);
}

void TBalance::showProgress(const BalanceProgress& progress) {
    Progress->setRange(0, progress.maxEvaluations);
    Progress->setValue(std::min(progress.evaluations, progress.maxEvaluations));
    Worst->setText(balanceMeasureText(progress.sumOfSquares, progress.worstDifference));
}

void TBalance::showResult(const BalanceResult& result) {
    result_ = result;
    fillBalanceResultGrid(ResultGrid, result);
    showOutcome(false);
    // Where the dialog scrolls, the result comes into view, once the message lines have
    // taken their room.
    QTimer::singleShot(0, this, [this] { scroll_->ensureWidgetVisible(ResultGrid, 0, 0); });
    if (result.evaluations > 0) {
        // A search that met its goal early ends short of the most it may measure.
        Progress->setFormat("%v designs");
        Progress->setRange(0, result.evaluations);
        Progress->setValue(result.evaluations);
        Worst->setText(balanceMeasureText(result.sumAfter, result.worstAfter));
    }
    setRunning(false);
}

void TBalance::showOutcome(bool applied) {
    const BalanceResult& r = *result_;
    QString text = balanceOutcomeText(r, runner_->lastRunMs());
    for (const std::string& note : balanceNotes(r)) text += " " + sentence(note);
    if (r.improved())
        text += applied ? " Applied to the design; UnDo takes it back."
                        : " Apply takes it into the design.";
    Outcome->setText(text);
    Costs->setVisible(!r.costs.empty());
    if (!r.costs.empty())
        Costs->setText((applied ? "What the balance cost: " : "What applying it would cost: ") +
                       joinedPhrases(r.costs) + ".");
}

void TBalance::setRunning(bool running) {
    varyBox_->setEnabled(!running);
    equaliseBox_->setEnabled(!running);
    RunButton->setEnabled(!running);
    SuggestButton->setEnabled(!running);
    TradeOffButton->setEnabled(!running);
    CancelRun->setEnabled(running);
    ApplyButton->setEnabled(!running && result_ && result_->improved() && !applied_);
}

}  // namespace tarvell
