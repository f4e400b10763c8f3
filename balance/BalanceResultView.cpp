// The Balance dialog's result table and outcome line (see BalanceResultView.h).
#include "BalanceResultView.h"

#include <QHeaderView>
#include <QTableWidget>

#include "Data.h"

namespace tarvell {
namespace {

constexpr int kDimensionDecimals = 4;
constexpr int kPercentDecimals = 2;
constexpr int kLeadDecimals = 4;

QString qtext(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString number(const std::optional<double>& v, int decimals) {
    return v ? QString::number(*v, 'f', decimals) : QString("-");
}

void addRow(QTableWidget* grid, const QString& item, const QString& position, const QString& before,
            const QString& after, const QString& toolTip = {}) {
    const int r = grid->rowCount();
    grid->insertRow(r);
    const QString texts[] = {item, position, before, after};
    for (int c = 0; c < 4; ++c) {
        auto* cell = new QTableWidgetItem(texts[c]);
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        cell->setTextAlignment((c < 2 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        if (!toolTip.isEmpty()) cell->setToolTip(toolTip);
        grid->setItem(r, c, cell);
    }
}

QString differenceName(BalanceObjective objective) {
    return qtext(balanceObjectiveName(objective)) +
           (isPercentOfStroke(objective) ? " F - R  %" : " F - R");
}

}  // namespace

void setUpBalanceResultGrid(QTableWidget* grid) {
    grid->setColumnCount(4);
    grid->setHorizontalHeaderLabels({"Dimension or difference", "At", "Before", "After"});
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
    for (const DimensionChange& c : result.dimensions) {
        const DimensionInfo* d = findDimension(c.code);
        addRow(grid, QString("%1  %2").arg(c.code).arg(d ? qtext(d->caption) : QString()), "",
               QString::number(static_cast<double>(c.before), 'f', kDimensionDecimals),
               QString::number(static_cast<double>(c.after), 'f', kDimensionDecimals),
               QString("searched from %1 to %2")
                   .arg(c.lower, 0, 'f', kDimensionDecimals)
                   .arg(c.upper, 0, 'f', kDimensionDecimals));
    }
    for (const BalanceDifference& d : result.differences) {
        const int decimals = isPercentOfStroke(d.objective) ? kPercentDecimals : kLeadDecimals;
        addRow(grid, differenceName(d.objective),
               QString::fromStdString(balancePositionName(d.position)), number(d.before, decimals),
               number(d.after, decimals),
               QString("reverse arm at %1 before, %2 after")
                   .arg(static_cast<double>(d.positionBefore), 0, 'f', 3)
                   .arg(static_cast<double>(d.positionAfter), 0, 'f', 3));
    }
    if (result.targetMeanBefore || result.targetMeanAfter)
        addRow(grid, "mean cut-off  %", "normal fwd",
               number(result.targetMeanBefore, kPercentDecimals),
               number(result.targetMeanAfter, kPercentDecimals));
    grid->resizeColumnsToContents();
    grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
}

QString balanceOutcomeText(const BalanceResult& result, qint64 milliseconds) {
    const QString worst = QString("worst difference %1 -> %2")
                              .arg(result.worstBefore, 0, 'f', 2)
                              .arg(result.worstAfter, 0, 'f', 2);
    const QString effort = QString("%1 designs in %2 s")
                               .arg(result.evaluations)
                               .arg(static_cast<double>(milliseconds) / 1000.0, 0, 'f', 2);
    switch (result.outcome) {
        case BalanceOutcome::Improved:
            return "Improved: " + worst + ", " + effort + ".";
        case BalanceOutcome::NotImproved:
            return QString("Not improved: no design tried was better (worst difference %1), ")
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

}  // namespace tarvell
