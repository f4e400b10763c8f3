// The text of the pivot data table: the world positions of six chosen pivots at every step of
// one turn of the driver, as the pivot data window shows it and the report tool prints it.
// No Qt.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "Vari.h"

namespace tarvell {

// The first line's texts, formatted by the caller: the window passes the desktop's short
// date and time formats, the report tool ISO ones.
struct PivotTableHeading {
    std::string dataSetName;
    std::string date;
    std::string time;
};

// The whole table for the current ReverseArmPosition and StepAngle: four heading lines, then
// one row per driver angle from 0 in steps of StepAngle (accumulated in single precision)
// while not above 360, listing Y and X of the pivots in Model::pivotDataSlots. A slot holding
// a number outside 0-26 lists pivot 0. Every line, the last included, ends with "\n".
// The sweep runs on a copy of the model.
std::string buildPivotTable(const Model& m, const PivotTableHeading& heading);

// The pivots the six slots list (a slot holding a number outside 0-26 lists pivot 0).
std::array<int, 6> listedPivots(const Model& m);

// The table's rows as numbers: the driver angle, then Y and X of each listed pivot.
struct PivotTableRow {
    float angle = 0;
    std::array<float, 6> vert{}, horz{};
};

// The sweep behind the table, on a copy of the model: one call per row, in order. (The
// rotation loop solves the same positions, so it reports any trouble they give itself.)
void sweepPivotTable(const Model& m, const std::function<void(const PivotTableRow&)>& visit);

}  // namespace tarvell
