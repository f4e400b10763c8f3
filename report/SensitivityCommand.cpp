// tarvell-report sensitivity: how much each valve event moves per unit change of each
// dimension that moves the valve or the piston, as CSV.
#include <cmath>
#include <ostream>

#include "CommandOptions.h"
#include "PositionOptions.h"
#include "Report.h"
#include "ReportArgs.h"
#include "Sensitivity.h"

namespace tarvell {
namespace {

constexpr std::string_view kSensitivityUsage =
    "Usage: tarvell-report sensitivity [--reverse-arm P]... [--notch PCT]... [--file PATH]\n"
    "\n"
    "Prints how much each valve event of the Tarvell gear (the default dimension set, or a\n"
    "data file's) moves per unit change of each dimension that moves the valve or the\n"
    "piston, as CSV, rows ordered by dimension code. Each changed design has its mid gear\n"
    "and its normal and maximum positions worked out again, as closing the frame dialog\n"
    "does, so a figure tells what changing the dimension would show. The change is a\n"
    "central difference, 0.05 units either side of a length, 0.5 degree either side of\n"
    "the link's rocking angle.\n"
    "\n"
    "  code        the dimension's code in its dialog\n"
    "  dimension   its name\n"
    "  position    the reverse arm position on the design as it is (its X)\n"
    "  tag         Cen, Fwd or Rev\n"
    "  quantity    cutoff, release, compression (per cent of the stroke) or lead (length)\n"
    "  front, rear the change of the event at that end per unit of the dimension (per\n"
    "              degree for the rocking angle, code 16); empty where the event does not\n"
    "              occur on one side of the change\n"
    "  difference  the change of front minus rear\n"
    "\n"
    "  --reverse-arm P  a position: fwd or rev (normal forward or reverse), max-fwd or\n"
    "                   max-rev, mid, set (every entry of the reverse arm position set) or a\n"
    "                   number (a fixed X); may be given more than once (default: fwd, rev)\n"
    "  --notch PCT      the forward and the reverse position giving a mean cut-off of PCT\n"
    "                   per cent, found afresh on every changed design; may be repeated\n"
    "  --file PATH      the dimension set of a data file (.dtv) instead of the defaults\n"
    "  --help           show this text\n"
    "\n"
    "Numbers use \".\" as the decimal point.\n";

}  // namespace

std::string sensitivityCsv(const Model& m, const std::vector<BalancePosition>& positions) {
    const SensitivityTable table = sensitivityTable(m, positions);
    CsvWriter csv;
    csv.header({"code", "dimension", "position", "tag", "quantity", "front", "rear", "difference"});
    for (const SensitivityRow& row : table.rows) {
        const DimensionInfo* d = findDimension(row.code);
        csv.row({std::to_string(row.code), d ? std::string(d->field) : std::string(),
                 CsvWriter::number(table.resolved[row.position]),
                 std::string(positionTagText(table.tags[row.position])),
                 std::string(eventQuantityName(row.quantity)), CsvWriter::number(row.front),
                 CsvWriter::number(row.rear), CsvWriter::number(row.difference)});
    }
    return csv.text();
}

int runSensitivityCommand(const std::vector<std::string>& args, std::size_t first,
                          std::ostream& out, std::ostream& err) {
    static constexpr OptionSpec kOptions[] = {
        {"--reverse-arm", OptionKind::Repeated},
        {"--notch", OptionKind::Repeated},
        {"--file", OptionKind::Once},
    };
    CommandOptions options;
    if (const auto done = readCommandOptions(args, first, kOptions, "sensitivity",
                                             kSensitivityUsage, options, out, err))
        return *done;
    Model m;
    if (const int status = loadDimensionSet(m, options.value("--file"), err)) return status;
    std::vector<BalancePosition> positions;
    if (!readComparedPositions(options, m, positions, err)) return 2;
    out << sensitivityCsv(m, positions);
    return 0;
}

}  // namespace tarvell
