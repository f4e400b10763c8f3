// How the Balance dialog shows a search's result: a table of the varied dimensions and the
// compared differences before and after, and a line saying what became of the search.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "Balance.h"

class QTableWidget;

namespace tarvell {

// Sets up `grid` as the result table, empty: item, position, before, after, and the leads
// front / rear before and after.
void setUpBalanceResultGrid(QTableWidget* grid);

// Fills the table: each varied dimension (marked where it ended on an end of its range), then
// each difference (front minus rear) at each compared position with the leads there before
// and after beside it (a lead gone negative in red), then the mean cut-off at normal forward
// when a target was set. "-" stands for a figure that cannot be had.
void fillBalanceResultGrid(QTableWidget* grid, const BalanceResult& result);

// Improved, not improved, cancelled or refused, with the sum of squares the search judges by
// and the worst difference, before and after, the designs measured and the time taken.
QString balanceOutcomeText(const BalanceResult& result, qint64 milliseconds);

// The two measures of a design, for the progress line: "sum 176.32, worst 11.03".
QString balanceMeasureText(double sumOfSquares, double worst);

// Phrases (balanceNotes, BalanceResult::costs) joined with "; " into one text.
QString joinedPhrases(const std::vector<std::string>& phrases);

// A phrase as a sentence: a capital first letter and a full stop.
QString sentence(const std::string& phrase);

}  // namespace tarvell
