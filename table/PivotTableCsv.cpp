// The pivot data table as CSV (see PivotTableCsv.h).
#include "PivotTableCsv.h"

#include "Csv.h"
#include "Numbers.h"
#include "PivotTableText.h"

namespace tarvell {

std::vector<std::string> pivotTableCsvHeader(const Model& m) {
    std::vector<std::string> names{"angle"};
    const std::array<int, 6> pivots = listedPivots(m);
    for (std::size_t k = 0; k < pivots.size(); ++k) {
        const std::string slot =
            "no" + std::to_string(k + 1) + "_pivot" + std::to_string(pivots[k]);
        names.push_back(slot + "_vert");
        names.push_back(slot + "_horz");
    }
    return names;
}

std::string buildPivotTableCsv(const Model& m, std::string_view dataSetName,
                               std::string_view date) {
    const std::string what = "Pivot data table (reverse arm " +
                             formatFixed(m.gear.ReverseArmPosition, 0, 3) + "; step angle " +
                             formatFixed(m.gear.StepAngle, 0, 3) + ")";
    CsvWriter csv(what, dataSetName, date);
    csv.header(pivotTableCsvHeader(m));
    std::vector<std::string> fields;
    sweepPivotTable(m, [&](const PivotTableRow& row) {
        fields.clear();
        fields.push_back(CsvWriter::number(row.angle, 2));
        for (std::size_t k = 0; k < row.vert.size(); ++k) {
            fields.push_back(CsvWriter::number(row.vert[k], 3));
            fields.push_back(CsvWriter::number(row.horz[k], 3));
        }
        csv.row(fields);
    });
    return csv.text();
}

}  // namespace tarvell
