// tarvell-report events: the valve events of chosen reverse arm positions as CSV.
#include <cmath>
#include <ostream>

#include "CommandOptions.h"
#include "Numbers.h"
#include "Report.h"
#include "ReportArgs.h"
#include "ValveEvents.h"

namespace tarvell {
namespace {

constexpr std::string_view kEventsUsage =
    "Usage: tarvell-report events [--reverse-arm VALUE|mid|fwd|rev]... [--file PATH]\n"
    "\n"
    "Prints the valve events of the Tarvell gear (the default dimension set, or a data\n"
    "file's) as CSV: one row per cylinder end (front, rear) for each reverse arm position.\n"
    "A position on the forward side of mid gear, or at mid gear, is run forward (driver\n"
    "angle increasing), one on the reverse side backward.\n"
    "\n"
    "  position             the reverse arm end position (its X)\n"
    "  tag                  Cen (mid gear), Fwd or Rev\n"
    "  end                  front (dead centre at driver angle 0) or rear (at 180)\n"
    "  admission_deg        crank degrees before that end's dead centre at which the port\n"
    "                       takes steam (negative: after it)\n"
    "  lead                 steam opening at that end's dead centre (the sine diagram's\n"
    "                       \"Lead\" is the greatest opening at mid gear instead)\n"
    "  max_steam_opening    greatest steam opening over the turn: how far the valve's\n"
    "                       edge uncovers the port, which can run past its far edge\n"
    "  cutoff_pct           per cent of that end's stroke done when the steam is cut off\n"
    "  release_pct          per cent of the stroke done when the port opens to exhaust\n"
    "  compression_pct      per cent of the return stroke done when the exhaust closes\n"
    "  max_exhaust_opening  greatest exhaust opening over the turn\n"
    "  max_port_opening     greatest opening of the port itself: max_steam_opening up\n"
    "                       to the port's width\n"
    "  over_travel          how far the valve runs on past the port's far edge\n"
    "                       (max_port_opening + over_travel = max_steam_opening)\n"
    "\n"
    "Per cents are of the piston's travel. Each event is found to 0.01 degree of driver\n"
    "angle. An event that does not occur is left empty: the port never opens, is open\n"
    "through the whole turn, or is still open at the dead centre that ends the stroke.\n"
    "\n"
    "  --reverse-arm P  a reverse arm position: a number (its X), or mid for mid gear, fwd\n"
    "                   or rev for the normal forward or reverse position; may be given\n"
    "                   more than once (default: mid, fwd, rev); a position beyond the\n"
    "                   maximum travel is reported with a warning on stderr\n"
    "  --file PATH      report on the dimension set of a data file (.dtv) instead of the\n"
    "                   defaults; mid, fwd and rev then mean that set's own positions\n"
    "  --help           show this text\n"
    "\n"
    "Numbers use \".\" as the decimal point.\n";

void appendEvent(std::string& out, const ValveEvent& e) {
    out += ',';
    if (e.occurs()) out += csvNumber(e.value);
}

// The reverse arm cannot reach a position further from mid gear than its maximum travel;
// the linkage still solves there, so the events are reported, with this said.

}  // namespace

std::string eventsCsv(Model& m, const std::vector<float>& positions) {
    std::string out =
        "position,tag,end,admission_deg,lead,max_steam_opening,cutoff_pct,release_pct,"
        "compression_pct,max_exhaust_opening,max_port_opening,over_travel\n";
    for (float position : positions) {
        const PositionEvents events = valveEvents(m, position);
        struct End {
            const char* name;
            const EndEvents& events;
            float portWidth;
        };
        for (const auto& [name, end, portWidth] :
             {End{"front", events.front, m.cyl.SteamPortWidthFront()},
              End{"rear", events.rear, m.cyl.SteamPortWidthRear()}}) {
            out += csvNumber(position);
            out += ',';
            out += positionTagText(events.tag);
            out += ',';
            out += name;
            appendEvent(out, end.admission);
            out += ',';
            out += csvNumber(end.lead);
            out += ',';
            out += csvNumber(end.maxSteamOpening);
            appendEvent(out, end.cutOff);
            appendEvent(out, end.release);
            appendEvent(out, end.compression);
            out += ',';
            out += csvNumber(end.maxExhaustOpening);
            const PortOpening port = portOpening(end.maxSteamOpening, portWidth);
            out += ',';
            out += csvNumber(port.open);
            out += ',';
            out += csvNumber(port.overTravel);
            out += '\n';
        }
    }
    return out;
}

int runEventsCommand(const std::vector<std::string>& args, std::size_t first, std::ostream& out,
                     std::ostream& err) {
    static constexpr OptionSpec kOptions[] = {
        {"--reverse-arm", OptionKind::Repeated},
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
    if (!resolveReverseArms(m, named, positions, err)) return 2;
    out << eventsCsv(m, positions);
    return 0;
}

}  // namespace tarvell
