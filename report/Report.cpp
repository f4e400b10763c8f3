// The command-line report (see Report.h).
#include "Report.h"

#include <ostream>

#include "Calc.h"
#include "CommandOptions.h"
#include "ReportArgs.h"
#include "Sweep.h"

namespace tarvell {
namespace {

constexpr std::string_view kUsage =
    "Usage: tarvell-report [--reverse-arm VALUE|mid|fwd|rev | --notch PCT] [--step S]\n"
    "                      [--file PATH]\n"
    "       tarvell-report events [--reverse-arm VALUE|mid|fwd|rev]... [--notch PCT]...\n"
    "           [--file PATH]\n"
    "       tarvell-report table --pivots N,N,N,N,N,N [--step S]\n"
    "           [--reverse-arm P | --notch PCT] [--file PATH]\n"
    "       tarvell-report indicator [--reverse-arm VALUE|mid|fwd|rev]... [--notch PCT]...\n"
    "           [--chest P] [--back P] [--n N] [--clearance PCT] [--speed RPM] [--file PATH]\n"
    "           [--card]\n"
    "       tarvell-report balance --vary CODE[,CODE...] [options] [--save OUT.dtv]\n"
    "       tarvell-report compare A.dtv B.dtv [--reverse-arm VALUE|mid|fwd|rev]...\n"
    "           [--notch PCT]...\n"
    "       tarvell-report check [--notch PCT] [--file PATH]\n"
    "       tarvell-report sensitivity [--reverse-arm P]... [--notch PCT]... [--file PATH]\n"
    "       tarvell-report tolerance [--tolerance T] [--wear C] [--samples N] [options]\n"
    "\n"
    "Prints the motion of the Tarvell valve gear (the default dimension set, or a data\n"
    "file's) over one turn of the driver as CSV: one row per driver angle from 0 in\n"
    "steps of S degrees"
    " while not above 360, giving the angle, X and Y of pivots 0-21, piston travel\n"
    "(0 at the front dead centre, 640 at the rear), valve offset, the front and rear\n"
    "steam and exhaust openings, the port event of each end and the solver's status\n"
    "(Z good, E after a failed valve-rod search).\n"
    "\n"
    "  --reverse-arm P  reverse arm end position: a number (its X), or mid for mid gear,\n"
    "                   fwd or rev for the normal forward or reverse position (default mid);\n"
    "                   a position beyond the maximum travel gets a warning on stderr\n"
    "  --notch PCT      instead, the forward position whose mean cut-off (front and rear\n"
    "                   averaged) is PCT per cent; PCTrev (25rev) the reverse one. A\n"
    "                   cut-off the gear cannot reach is refused, naming those it can\n"
    "  --step S         driver step in degrees, 0.01 to 360 (default 10)\n"
    "  --file PATH      report on the dimension set of a data file (.dtv) instead of the\n"
    "                   defaults; mid, fwd and rev then mean that set's own positions\n"
    "  --help           show this text\n"
    "\n"
    "In every command fwd is on the side of mid gear the gear runs forward from, as the\n"
    "valve events window and Balance take it (a negative lifting arm length turns it\n"
    "round), and rev on the other. The events, table, indicator, balance, compare,\n"
    "check, sensitivity and tolerance commands explain themselves with --help after\n"
    "the command's name. Every command that takes --reverse-arm takes --notch PCT\n"
    "too: where it takes several positions, each --notch adds the forward then the\n"
    "reverse position of that mean cut-off.\n"
    "\n"
    "The port events follow the history of the openings, as in the main window; the turn\n"
    "is run once before it is printed so that the first rows show settled events.\n"
    "Numbers use \".\" as the decimal point.\n";

}  // namespace

std::string motionCsv(Model& m, float step) {
    std::vector<std::string> header = {"angle"};
    for (int n = 0; n <= 21; ++n) {
        header.push_back("x" + std::to_string(n));
        header.push_back("y" + std::to_string(n));
    }
    for (const char* name : {"piston_travel", "valve_offset", "front_steam", "front_exhaust",
                             "rear_steam", "rear_exhaust", "front_event", "rear_event", "status"})
        header.emplace_back(name);
    CsvWriter csv;
    csv.header(header);

    auto solve = [](Model& mm) {
        SolveLinkage(mm);
        ComputePistonAndOpenings(mm);
        UpdatePortEvents(mm);
    };
    sweepDriverTurn(m, step, solve);  // settle the port-event latches
    std::vector<std::string> row;
    sweepDriverTurn(m, step, [&](Model& mm) {
        solve(mm);
        row.clear();
        row.push_back(CsvWriter::number(mm.gear.DriverAngle));
        for (int n = 0; n <= 21; ++n) {
            row.push_back(CsvWriter::number(mm.pivots[n].x));
            row.push_back(CsvWriter::number(mm.pivots[n].y));
        }
        const Openings& o = mm.openings;
        for (float v : {o.PistonTravel, mm.limits.ValveOffset, o.FrontSteamOpening,
                        o.FrontExhaustOpening, o.RearSteamOpening, o.RearExhaustOpening})
            row.push_back(CsvWriter::number(v));
        row.emplace_back(portEventName(mm.frontEvent.event));
        row.emplace_back(portEventName(mm.rearEvent.event));
        row.emplace_back(1, mm.solver.SolveStatus);
        csv.row(row);
    });
    return csv.text();
}

int runReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!args.empty() && args[0] == "events") return runEventsCommand(args, 1, out, err);
    if (!args.empty() && args[0] == "compare") return runCompareCommand(args, 1, out, err);
    if (!args.empty() && args[0] == "table") return runTableCommand(args, 1, out, err);
    if (!args.empty() && args[0] == "indicator") return runIndicatorCommand(args, 1, out, err);
    if (!args.empty() && args[0] == "balance") return runBalanceCommand(args, 1, out, err);
    if (!args.empty() && args[0] == "tolerance") return runToleranceCommand(args, 1, out, err);
    if (!args.empty() && args[0] == "sensitivity") return runSensitivityCommand(args, 1, out, err);
    if (!args.empty() && args[0] == "check") return runCheckCommand(args, 1, out, err);
    const std::size_t first = !args.empty() && args[0] == "motion" ? 1 : 0;

    static constexpr OptionSpec kOptions[] = {
        {"--reverse-arm", OptionKind::Once},
        {"--notch", OptionKind::Once},
        {"--file", OptionKind::Once},
        {"--step", OptionKind::Once},
    };
    CommandOptions options;
    if (const auto done = readCommandOptions(args, first, kOptions, "", kUsage, options, out, err))
        return *done;
    double step = 10;
    if (options.has("--step") && !parseStep(options.value("--step"), step, err)) return 2;
    const std::string file = options.value("--file");
    const std::string reverseArm = options.value("--reverse-arm");
    const std::string notch = options.value("--notch");

    Model m;
    if (const int status =
            loadWithPosition(m, file, options.has("--reverse-arm") ? &reverseArm : nullptr,
                             options.has("--notch") ? &notch : nullptr, err))
        return status;
    out << motionCsv(m, static_cast<float>(step));
    return 0;
}

}  // namespace tarvell
