// The pivot data table as CSV for a spreadsheet: a comment line (the reverse arm and step,
// the data set and the date), a header naming each slot's pivot, then one row per driver
// angle with the same numbers the table's text shows. No Qt.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Vari.h"

namespace tarvell {

// The header row's names: "angle", then for slot n (1-6) listing pivot p
// "no<n>_pivot<p>_vert" and "no<n>_pivot<p>_horz".
std::vector<std::string> pivotTableCsvHeader(const Model& m);

// The whole CSV text, from the same sweep as buildPivotTable: angles with 2 decimals,
// positions with 3, "." as the decimal point.
std::string buildPivotTableCsv(const Model& m, std::string_view dataSetName, std::string_view date);

}  // namespace tarvell
