// tarvell-report events: the valve events of chosen reverse arm positions as CSV.
#include <optional>
#include <ostream>

#include "CommandOptions.h"
#include "DieSlip.h"
#include "Numbers.h"
#include "PortAreas.h"
#include "Report.h"
#include "ReportArgs.h"
#include "ValveEvents.h"

namespace tarvell {
namespace {

constexpr std::string_view kEventsUsage =
    "Usage: tarvell-report events [--reverse-arm VALUE|mid|fwd|rev]... [--notch PCT]...\n"
    "                             [--file PATH]\n"
    "\n"
    "Prints the valve events of the Tarvell gear (the default dimension set, or a data\n"
    "file's) as CSV: one row per cylinder end (front, rear) for each reverse arm position.\n"
    "A position on the forward side of mid gear, or at mid gear, is run forward (driver\n"
    "angle increasing), one on the reverse side backward.\n"
    "\n"
    "  position             the reverse arm end position (its X)\n"
    "  tag                  Cen (mid gear), Fwd or Rev\n"
    "  end                  front or rear (each with its dead centre, dead_centre_deg)\n"
    "  admission_deg        crank degrees before that end's dead centre at which the port\n"
    "                       takes steam (negative: after it)\n"
    "  lead                 steam opening at that end's dead centre (the sine diagram's\n"
    "                       \"Lead\" is the greatest opening at mid gear instead)\n"
    "  max_steam_opening    greatest steam opening over the turn: how far the valve's\n"
    "                       edge uncovers the port, which can run past its far edge\n"
    "  cutoff_pct           per cent of that end's stroke done when the steam is cut off\n"
    "  release_pct          per cent of the stroke done when the port opens to exhaust\n"
    "  compression_pct      per cent of the return stroke done when the exhaust closes\n"
    "  max_exhaust_opening  greatest exhaust opening over the turn: how far the valve's\n"
    "                       cavity uncovers the port, which can run past its far edge\n"
    "  max_port_opening     greatest opening of the port to steam itself:\n"
    "                       max_steam_opening up to the port's width\n"
    "  over_travel          how far the valve's outer edge runs on past the port's far\n"
    "                       edge (max_port_opening + over_travel = max_steam_opening)\n"
    "  max_exhaust_port_opening  greatest opening of the port to exhaust itself:\n"
    "                       max_exhaust_opening up to the port's width\n"
    "  exhaust_over_travel  how far the cavity's edge runs on past the port's far edge\n"
    "                       (max_exhaust_port_opening + exhaust_over_travel =\n"
    "                       max_exhaust_opening)\n"
    "  dead_centre_deg      the driver angle of that end's dead centre, where the piston\n"
    "                       turns back: 0 and 180 with the cylinder line through the axle,\n"
    "                       a few degrees off them with it above or below; every per cent\n"
    "                       of the stroke and the lead are taken from these\n"
    "  die_slip             how far the die block slides in the link over the turn: the\n"
    "                       greatest minus the least of its arc distance from the\n"
    "                       trunnion (the same on both ends' rows of a position)\n"
    "  least_exhaust_passage  the narrowest way out for the exhaust: with the valve run\n"
    "                       furthest toward that end's exhaust, the smaller of the port's\n"
    "                       opening to the cavity and what the cavity's far edge leaves\n"
    "                       of the exhaust port; below the steam port's width the\n"
    "                       exhaust is choked (tarvell-report check says so)\n"
    "\n"
    "Per cents are of the piston's travel. Each event is found to 0.01 degree of driver\n"
    "angle. An event that does not occur is left empty: the port never opens, is open\n"
    "through the whole turn, or is still open at the dead centre that ends the stroke.\n"
    "A port that never opens to steam (a valve lapped over it, or a port of no width)\n"
    "has its three steam opening figures left empty, as the valve events window shows\n"
    "\"-\"; one that never opens to exhaust, its three exhaust opening figures.\n"
    "\n"
    "  --reverse-arm P  a reverse arm position: a number (its X), or mid for mid gear, fwd\n"
    "                   or rev for the normal forward or reverse position (forward on the\n"
    "                   side the valve events window takes it); may be given more than\n"
    "                   once (default: mid, fwd, rev); a position beyond the maximum\n"
    "                   travel is reported with a warning on stderr\n"
    "  --notch PCT      the forward then the reverse position whose mean cut-off (front and\n"
    "                   rear averaged) is PCT per cent (25fwd or 25rev for one of them);\n"
    "                   may be given more than once, after the --reverse-arm positions. A\n"
    "                   cut-off the gear cannot reach is refused, naming those it can\n"
    "  --file PATH      report on the dimension set of a data file (.dtv) instead of the\n"
    "                   defaults; mid, fwd and rev then mean that set's own positions\n"
    "  --help           show this text\n"
    "\n"
    "Numbers use \".\" as the decimal point.\n";

std::string eventText(const ValveEvent& e) {
    return e.occurs() ? CsvWriter::number(e.value) : std::string();
}

// A greatest opening, left empty for a port that never opens.
void appendOpening(std::vector<std::string>& row, float greatest,
                   const std::optional<PortOpening>& port) {
    row.push_back(port ? CsvWriter::number(greatest) : std::string());
}

// The port's own opening and the over-travel past it, or two empty fields.
void appendPortOpening(std::vector<std::string>& row, const std::optional<PortOpening>& port) {
    row.push_back(port ? CsvWriter::number(port->open) : std::string());
    row.push_back(port ? CsvWriter::number(port->overTravel) : std::string());
}

}  // namespace

void appendEventsCsv(CsvWriter& csv, const Model& m, const std::vector<float>& positions) {
    csv.header({"position", "tag", "end", "admission_deg", "lead", "max_steam_opening",
                "cutoff_pct", "release_pct", "compression_pct", "max_exhaust_opening",
                "max_port_opening", "over_travel", "max_exhaust_port_opening",
                "exhaust_over_travel", "dead_centre_deg", "die_slip", "least_exhaust_passage"});
    std::vector<std::string> row;
    for (float position : positions) {
        const PositionEvents events = valveEvents(m, position);
        const ExhaustChecks exhaustEnds = exhaustChecks(m, events);
        const DieSlip slip = dieSlip(m, position);
        const std::string slipText = slip.found ? CsvWriter::number(slip.slip()) : std::string();
        struct End {
            const char* name;
            const EndEvents& events;
            const ExhaustCheck& exhaust;
            float portWidth;
        };
        for (const auto& [name, end, check, portWidth] :
             {End{"front", events.front, exhaustEnds.front, m.cyl.SteamPortWidthFront()},
              End{"rear", events.rear, exhaustEnds.rear, m.cyl.SteamPortWidthRear()}}) {
            const std::optional<PortOpening> steam = steamPortOpening(end, portWidth);
            const std::optional<PortOpening> exhaust = exhaustPortOpening(end, portWidth);
            row = {CsvWriter::number(position), std::string(positionTagText(events.tag)), name,
                   eventText(end.admission), CsvWriter::number(end.lead)};
            appendOpening(row, end.maxSteamOpening, steam);
            row.push_back(eventText(end.cutOff));
            row.push_back(eventText(end.release));
            row.push_back(eventText(end.compression));
            appendOpening(row, end.maxExhaustOpening, exhaust);
            appendPortOpening(row, steam);
            appendPortOpening(row, exhaust);
            row.push_back(CsvWriter::number(end.deadCentre));
            row.push_back(slipText);
            row.push_back(check.exhausts ? CsvWriter::number(check.leastExhaustPassage)
                                         : std::string());
            csv.row(row);
        }
    }
}

std::string eventsCsv(const Model& m, const std::vector<float>& positions) {
    CsvWriter csv;
    appendEventsCsv(csv, m, positions);
    return csv.text();
}

int runEventsCommand(const std::vector<std::string>& args, std::size_t first, std::ostream& out,
                     std::ostream& err) {
    static constexpr OptionSpec kOptions[] = {
        {"--reverse-arm", OptionKind::Repeated},
        {"--notch", OptionKind::Repeated},
        {"--file", OptionKind::Once},
    };
    CommandOptions options;
    if (const auto done =
            readCommandOptions(args, first, kOptions, "events", kEventsUsage, options, out, err))
        return *done;
    const std::string file = options.value("--file");
    const std::vector<std::string> named = options.values("--reverse-arm");
    Model m;
    if (const int status = loadDimensionSet(m, file, err)) return status;
    std::vector<float> positions;
    if (const int status = resolvePositions(m, named, options.values("--notch"), positions, err))
        return status;
    out << eventsCsv(m, positions);
    return 0;
}

}  // namespace tarvell
