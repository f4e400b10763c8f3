// How the Balance dialog shows a search's result: a table of the varied dimensions and the
// compared differences before and after, and a line saying what became of the search.
#pragma once

#include <QString>

#include "Balance.h"

class QTableWidget;

namespace tarvell {

// Sets up `grid` as the result table, empty: item, position, before, after.
void setUpBalanceResultGrid(QTableWidget* grid);

// Fills the table: each varied dimension, then each difference (front minus rear) at each
// compared position, then the mean cut-off at normal forward when a target was set. "-"
// stands for a difference that cannot be had.
void fillBalanceResultGrid(QTableWidget* grid, const BalanceResult& result);

// Improved, not improved, cancelled or refused, with the worst difference before and after,
// the designs measured and the time taken.
QString balanceOutcomeText(const BalanceResult& result, qint64 milliseconds);

}  // namespace tarvell
