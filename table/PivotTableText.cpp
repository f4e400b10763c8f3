// The pivot data table's text (see PivotTableText.h).
#include "PivotTableText.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "Calc.h"
#include "Numbers.h"
#include "Sweep.h"

namespace tarvell {
namespace {

constexpr std::string_view kColumnsLine =
    "  Driver         No.1                   No.2                   No.3                  No.4     "
    "              No.5                  No.6";
constexpr std::string_view kUnitsLine =
    "  Angle     Vert   Horz         Vert   Horz          Vert   Horz         Vert   Horz          "
    "Vert   Horz         Vert   Horz";

// A data row: the angle (7), then per slot 3 + 7 (or 9) + 2 + 7, and the line end.
constexpr std::size_t kRowLength = 7 + (3 + 7 + 2 + 7) + 5 * (3 + 9 + 2 + 7) + 1;
constexpr std::size_t kMostRows = 36002;  // the step is never below 0.01

int listedPivot(int slot) {
    return slot >= 0 && slot < PivotSet::kCount ? slot : 0;
}

}  // namespace

std::string buildPivotTable(const Model& m, const PivotTableHeading& heading) {
    const float step = m.gear.StepAngle;
    std::size_t rows = kMostRows;
    if (step > 0.01f) rows = std::min(rows, static_cast<std::size_t>(360.0 / step) + 2);

    std::string out;
    out.reserve(512 + heading.dataSetName.size() + rows * kRowLength);
    out += "Pivot Data   ";
    out += heading.dataSetName;
    out += "     ";
    out += heading.date;
    out += "   ";
    out += heading.time;
    out += '\n';
    out += "       Reverse Arm";
    out += formatFixed(m.gear.ReverseArmPosition, 7, 3);
    out += "      Step Angle";
    out += formatFixed(step, 7, 3);
    out += '\n';
    out += kColumnsLine;
    out += '\n';
    out += kUnitsLine;
    out += '\n';

    sweepPivotTable(m, [&out](const PivotTableRow& row) {
        out += formatFixed(row.angle, 7, 2);
        for (std::size_t k = 0; k < row.vert.size(); ++k) {
            out += "   ";
            out += formatFixed(row.vert[k], k == 0 ? 7 : 9, 3);
            out += "  ";
            out += formatFixed(row.horz[k], 7, 3);
        }
        out += '\n';
    });
    return out;
}

std::array<int, 6> listedPivots(const Model& m) {
    std::array<int, 6> pivots{};
    for (std::size_t k = 0; k < pivots.size(); ++k) pivots[k] = listedPivot(m.pivotDataSlots[k]);
    return pivots;
}

void sweepPivotTable(const Model& live, const std::function<void(const PivotTableRow&)>& visit) {
    const std::array<int, 6> pivots = listedPivots(live);
    Model m = live;
    m.gear.ActiveStep = 0;
    PivotTableRow row;
    sweepDriverTurn(m, m.gear.StepAngle, [&](Model& mm) {
        row.angle = mm.gear.DriverAngle;
        SolveLinkage(mm);
        for (std::size_t k = 0; k < pivots.size(); ++k) {
            const Pivot& p = mm.pivots[pivots[k]];
            row.vert[k] = p.y;
            row.horz[k] = p.x;
        }
        visit(row);
    });
}

}  // namespace tarvell
