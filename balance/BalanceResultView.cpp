// The Balance dialog's result table and outcome line (see BalanceResultView.h).
#include "BalanceResultView.h"

#include <QBrush>
#include <QColor>
#include <QHeaderView>
#include <QStringList>
#include <QTableWidget>
#include <array>

#include "Data.h"

namespace tarvell {
namespace {

constexpr int kDimensionDecimals = 4;
constexpr int kPercentDecimals = 2;
constexpr int kLeadDecimals = 4;
constexpr int kColumns = 6;
const QColor kCostColour(176, 0, 0);

QString qtext(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString number(const std::optional<double>& v, int decimals) {
    return v ? QString::number(*v, 'f', decimals) : QString("-");
}

QString leadsText(const std::optional<BalanceLeads>& leads) {
    if (!leads) return "-";
    return QString("%1 / %2")
        .arg(static_cast<double>(leads->front), 0, 'f', kLeadDecimals)
        .arg(static_cast<double>(leads->rear), 0, 'f', kLeadDecimals);
}

// Adds a row of texts; `costly` marks the cells (by column) that show what the balance cost.
void addRow(QTableWidget* grid, const std::array<QString, kColumns>& texts,
            const QString& toolTip = {}, std::array<bool, kColumns> costly = {}) {
    const int r = grid->rowCount();
    grid->insertRow(r);
    for (int c = 0; c < kColumns; ++c) {
        auto* cell = new QTableWidgetItem(texts[static_cast<std::size_t>(c)]);
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        cell->setTextAlignment((c < 2 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        if (!toolTip.isEmpty()) cell->setToolTip(toolTip);
        if (costly[static_cast<std::size_t>(c)]) cell->setForeground(QBrush(kCostColour));
        grid->setItem(r, c, cell);
    }
}

QString differenceName(BalanceObjective objective) {
    if (!isFrontMinusRear(objective)) return qtext(balanceObjectiveName(objective));
    return qtext(balanceObjectiveName(objective)) +
           (isPercentOfStroke(objective) ? " F - R  %" : " F - R");
}

void addDimensionRow(QTableWidget* grid, const DimensionChange& c) {
    const DimensionInfo* d = findDimension(c.code);
    QString toolTip = QString("searched from %1 to %2")
                          .arg(c.lower, 0, 'f', kDimensionDecimals)
                          .arg(c.upper, 0, 'f', kDimensionDecimals);
    QString at;
    if (c.end != RangeEnd::Inside) {
        at = c.end == RangeEnd::Upper ? "top of range" : "foot of range";
        toolTip += "; it ended on that end: a wider range may let the search go further";
    }
    addRow(grid,
           {QString("%1  %2").arg(c.code).arg(d ? qtext(d->caption) : QString()), at,
            QString::number(static_cast<double>(c.before), 'f', kDimensionDecimals),
            QString::number(static_cast<double>(c.after), 'f', kDimensionDecimals), "", ""},
           toolTip);
}

void addDifferenceRow(QTableWidget* grid, const BalanceDifference& d) {
    const int decimals = isPercentOfStroke(d.objective) ? kPercentDecimals : kLeadDecimals;
    // A lead that was not negative and now is, is what the balance cost.
    const bool leadLost = d.leadsBefore && d.leadsAfter &&
                          ((d.leadsBefore->front >= 0 && d.leadsAfter->front < 0) ||
                           (d.leadsBefore->rear >= 0 && d.leadsAfter->rear < 0));
    addRow(grid,
           {differenceName(d.objective), QString::fromStdString(balancePositionName(d.position)),
            number(d.before, decimals), number(d.after, decimals), leadsText(d.leadsBefore),
            leadsText(d.leadsAfter)},
           QString("reverse arm at %1 before, %2 after")
               .arg(static_cast<double>(d.positionBefore), 0, 'f', 3)
               .arg(static_cast<double>(d.positionAfter), 0, 'f', 3),
           {false, false, false, false, false, leadLost});
}

}  // namespace

void setUpBalanceResultGrid(QTableWidget* grid) {
    grid->setColumnCount(kColumns);
    grid->setHorizontalHeaderLabels({"Dimension or difference", "At", "Before", "After",
                                     "Lead F / R before", "Lead F / R after"});
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    grid->setRowCount(0);
}

void fillBalanceResultGrid(QTableWidget* grid, const BalanceResult& result) {
    grid->setRowCount(0);
    for (const DimensionChange& c : result.dimensions) addDimensionRow(grid, c);
    for (const BalanceDifference& d : result.differences) addDifferenceRow(grid, d);
    if (result.targetMeanBefore || result.targetMeanAfter)
        addRow(grid,
               {"mean cut-off  %", "normal fwd", number(result.targetMeanBefore, kPercentDecimals),
                number(result.targetMeanAfter, kPercentDecimals), "", ""});
    grid->resizeColumnsToContents();
    grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
}

QString balanceMeasureText(double sumOfSquares, double worst) {
    return QString("sum %1, worst %2").arg(sumOfSquares, 0, 'f', 2).arg(worst, 0, 'f', 2);
}

QString balanceOutcomeText(const BalanceResult& result, qint64 milliseconds) {
    const QString measures = QString("sum of squares %1 -> %2, worst difference %3 -> %4")
                                 .arg(result.sumBefore, 0, 'f', 2)
                                 .arg(result.sumAfter, 0, 'f', 2)
                                 .arg(result.worstBefore, 0, 'f', 2)
                                 .arg(result.worstAfter, 0, 'f', 2);
    const QString effort = QString("%1 designs in %2 s")
                               .arg(result.evaluations)
                               .arg(static_cast<double>(milliseconds) / 1000.0, 0, 'f', 2);
    switch (result.outcome) {
        case BalanceOutcome::Improved:
            return "Improved: " + measures + ", " + effort + ".";
        case BalanceOutcome::NotImproved:
            return QString(
                       "Not improved: no design tried had a smaller sum of squares (%1, "
                       "worst difference %2), ")
                       .arg(result.sumBefore, 0, 'f', 2)
                       .arg(result.worstBefore, 0, 'f', 2) +
                   effort + ". The design is unchanged.";
        case BalanceOutcome::Cancelled:
            return QString("Cancelled after %1 designs. The design is unchanged.")
                .arg(result.evaluations);
        case BalanceOutcome::Refused:
            break;
    }
    return "Refused: " + QString::fromStdString(result.reason) + ".";
}

QString joinedPhrases(const std::vector<std::string>& phrases) {
    QStringList parts;
    for (const std::string& p : phrases) parts << QString::fromStdString(p);
    return parts.join("; ");
}

QString sentence(const std::string& phrase) {
    QString s = QString::fromStdString(phrase);
    if (!s.isEmpty()) s[0] = s[0].toUpper();
    return s + ".";
}

}  // namespace tarvell
