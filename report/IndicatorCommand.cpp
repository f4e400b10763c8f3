// tarvell-report indicator: the MEP of each cylinder end, or its whole indicator card, at
// chosen reverse arm positions as CSV.
#include <cmath>
#include <ostream>

#include "CommandOptions.h"
#include "Indicator.h"
#include "Report.h"
#include "ReportArgs.h"
#include "ThrottledCard.h"

namespace tarvell {
namespace {

constexpr std::string_view kIndicatorUsage =
    "Usage: tarvell-report indicator [--reverse-arm VALUE|mid|fwd|rev]... [--notch PCT]...\n"
    "           [--chest P] [--back P] [--n N]\n"
    "           [--clearance PCT | --clearance-front PCT --clearance-rear PCT]\n"
    "           [--speed RPM [--port-length L] [--length-unit in|mm]\n"
    "           [--pressure-unit psi|bar|kPa] [--no-lift]] [--file PATH] [--card]\n"
    "\n"
    "Prints the mean effective pressure (MEP) of each end of the cylinder of the Tarvell\n"
    "gear (the default dimension set, or a data file's) as CSV: one row per cylinder end\n"
    "(front, rear) for each reverse arm position. A position on the forward side of mid gear,\n"
    "or at mid gear, is run forward, one on the reverse side backward.\n"
    "\n"
    "The card is idealised: an end is at chest pressure while its steam port is open, else at\n"
    "back pressure while its exhaust port is open, else its steam is trapped and p * V^n\n"
    "stays as it was when the last port closed. The pressure changes at once at each event;\n"
    "there is no wire-drawing through the ports and no condensation. An end's volume is its\n"
    "clearance plus the part of its stroke done, the MEP the work of p dV over a turn per\n"
    "swept volume.\n"
    "\n"
    "  position              the reverse arm end position (its X)\n"
    "  tag                   Cen (mid gear), Fwd or Rev\n"
    "  end                   front (dead centre at driver angle 0) or rear (at 180)\n"
    "  mep                   mean effective pressure, in the unit of the pressures given\n"
    "  work                  indicated work of that end per turn: mep times pi/4 times the\n"
    "                        bore squared times the stroke\n"
    "  cutoff_pct            per cent of that end's stroke done when its steam is cut off\n"
    "  release_pressure      the pressure when its exhaust opens after the cut-off\n"
    "  front_minus_rear_pct  front MEP less rear MEP in per cent of their mean (the same on\n"
    "                        both rows of a position; empty when the mean is not above 0)\n"
    "\n"
    "With --speed the card at speed is worked out as well: each end a volume of steam filled\n"
    "and emptied through its port openings (each opening times the port length is an\n"
    "orifice) with the driver turning at RPM revolutions per minute, so that narrow openings\n"
    "throttle the steam; the valve lifts off its face to let steam trapped above chest\n"
    "pressure back to the chest. At a long cut-off and a modest speed it may show more work\n"
    "than the idealised card, which drops to back pressure the instant the exhaust opens:\n"
    "steam let out through a narrow opening goes on pushing the piston to the dead centre.\n"
    "Each row then goes on with the same figures of that card:\n"
    "\n"
    "  speed_rpm, throttled_mep, throttled_work, throttled_cutoff_pct,\n"
    "  throttled_release_pressure, throttled_front_minus_rear_pct\n"
    "\n"
    "With --card each card is printed instead, point by point over one turn in running\n"
    "order: position, tag, end, s (piston place, 0 at the front dead centre, 1 at the rear),\n"
    "p, driver angle, stroke_pct (per cent of that end's own stroke) and the phase (steam,\n"
    "exhaust or trapped). An event is two points at one place, before and after. With\n"
    "--speed a first column, card, says ideal or throttled, the throttled card's points\n"
    "following the idealised card's (its phase the one its ports are in).\n"
    "\n"
    "  --reverse-arm P        a reverse arm position: a number (its X), or mid for mid gear,\n"
    "                         fwd or rev for the normal forward or reverse position\n"
    "                         (forward on the side the valve events window takes it); may\n"
    "                         be given more than once (default: mid, fwd, rev); a position\n"
    "                         beyond the maximum travel gets a warning on stderr\n"
    "  --notch PCT            the forward then the reverse position whose mean cut-off\n"
    "                         is PCT per cent (25fwd or 25rev for one of them); may be\n"
    "                         given more than once, after the --reverse-arm positions\n"
    "  --chest P              steam chest pressure, absolute (default 115)\n"
    "  --back P               exhaust back pressure, absolute, below the chest pressure\n"
    "                         (default 15)\n"
    "  --n N                  index of expansion and compression, 1.0 to 1.4 (default 1)\n"
    "  --clearance PCT        clearance volume of both ends, per cent of the swept volume,\n"
    "                         0.1 to 100 (default 8)\n"
    "  --clearance-front PCT  the front end's clearance alone\n"
    "  --clearance-rear PCT   the rear end's clearance alone\n"
    "  --speed RPM            also work out the card at this driver speed, revolutions per\n"
    "                         minute (more than 0.001, at most 100000)\n"
    "  --port-length L        the ports' length across the valve face (default 1.5)\n"
    "  --length-unit U        the unit of the design's lengths: in or mm (default in)\n"
    "  --pressure-unit U      the unit of the pressures: psi, bar or kPa (default psi)\n"
    "  --no-lift              the valve holds its face whatever the trapped pressure\n"
    "  --file PATH            report on the dimension set of a data file (.dtv) instead of\n"
    "                         the defaults; mid, fwd and rev then mean that set's own positions\n"
    "  --card                 print the cards' points instead of one row per end\n"
    "  --help                 show this text\n"
    "\n"
    "Numbers use \".\" as the decimal point.\n";

// The units of the card at speed, each by its name.
bool readUnits(const CommandOptions& options, IndicatorSettings& settings, std::ostream& err) {
    if (options.has("--length-unit")) {
        const std::string v = options.value("--length-unit");
        bool known = false;
        for (LengthUnit unit : {LengthUnit::Inch, LengthUnit::Millimetre})
            if (v == lengthUnitName(unit)) {
                settings.lengthUnit = unit;
                known = true;
            }
        if (!known) {
            complain(err) << "--length-unit takes in or mm, not \"" << v << "\"\n";
            return false;
        }
    }
    if (options.has("--pressure-unit")) {
        const std::string v = options.value("--pressure-unit");
        bool known = false;
        for (PressureUnit unit : {PressureUnit::Psi, PressureUnit::Bar, PressureUnit::Kilopascal})
            if (v == pressureUnitName(unit)) {
                settings.pressureUnit = unit;
                known = true;
            }
        if (!known) {
            complain(err) << "--pressure-unit takes psi, bar or kPa, not \"" << v << "\"\n";
            return false;
        }
    }
    return true;
}

}  // namespace

std::string indicatorCsv(const Model& m, const std::vector<float>& positions, bool cards,
                         double speedRpm) {
    const bool atSpeed = speedRpm > 0;
    CsvWriter csv;
    std::vector<std::string> header;
    if (cards) {
        if (atSpeed) header.emplace_back("card");
        for (const char* name :
             {"position", "tag", "end", "s", "p", "angle", "stroke_pct", "phase"})
            header.emplace_back(name);
    } else {
        header = {"position",
                  "tag",
                  "end",
                  "mep",
                  "work",
                  "cutoff_pct",
                  "release_pressure",
                  "front_minus_rear_pct"};
        if (atSpeed)
            for (const char* name :
                 {"speed_rpm", "throttled_mep", "throttled_work", "throttled_cutoff_pct",
                  "throttled_release_pressure", "throttled_front_minus_rear_pct"})
                header.emplace_back(name);
    }
    csv.header(header);
    std::vector<std::string> row;
    auto appendPoints = [&](const char* cardName, const std::vector<std::string>& key,
                            const IndicatorCard& card) {
        for (const CardPoint& p : card.points) {
            row.clear();
            if (atSpeed) row.emplace_back(cardName);
            row.insert(row.end(), key.begin(), key.end());
            for (double v : {p.s, p.pressure, p.angle, 100.0 * p.stroke})
                row.push_back(CsvWriter::number(v));
            row.emplace_back(cardPhaseText(p.phase));
            csv.row(row);
        }
    };
    for (float position : positions) {
        const IndicatorResult r = indicatorDiagram(m, position, m.indicator);
        ThrottledIndicatorResult t;
        if (atSpeed) t = throttledIndicatorDiagram(m, position, m.indicator, speedRpm);
        for (bool front : {true, false}) {
            const IndicatorCard& card = front ? r.front : r.rear;
            const ThrottledEnd& throttled = front ? t.front : t.rear;
            const std::vector<std::string> key = {CsvWriter::number(r.position),
                                                  std::string(positionTagText(r.tag)),
                                                  front ? "front" : "rear"};
            if (cards) {
                appendPoints("ideal", key, card);
                if (atSpeed) appendPoints("throttled", key, throttled.card);
                continue;
            }
            row = key;
            // A figure that cannot be had is left empty.
            for (double v :
                 {card.mep, card.work, card.cutOffPct, card.releasePressure, r.differencePct})
                row.push_back(CsvWriter::number(v));
            if (atSpeed)
                for (double v :
                     {speedRpm, throttled.card.mep, throttled.card.work, throttled.card.cutOffPct,
                      throttled.card.releasePressure, t.differencePct})
                    row.push_back(CsvWriter::number(v));
            csv.row(row);
        }
    }
    return csv.text();
}

int runIndicatorCommand(const std::vector<std::string>& args, std::size_t first, std::ostream& out,
                        std::ostream& err) {
    static constexpr OptionSpec kOptions[] = {
        {"--reverse-arm", OptionKind::Repeated},
        {"--file", OptionKind::Once},
        {"--card", OptionKind::Flag},
        {"--chest", OptionKind::Once},
        {"--back", OptionKind::Once},
        {"--n", OptionKind::Once},
        {"--clearance", OptionKind::Once},
        {"--clearance-front", OptionKind::Once},
        {"--clearance-rear", OptionKind::Once},
        {"--notch", OptionKind::Repeated},
        {"--speed", OptionKind::Once},
        {"--port-length", OptionKind::Once},
        {"--length-unit", OptionKind::Once},
        {"--pressure-unit", OptionKind::Once},
        {"--no-lift", OptionKind::Flag},
    };
    CommandOptions options;
    if (const auto done = readCommandOptions(args, first, kOptions, "indicator", kIndicatorUsage,
                                             options, out, err))
        return *done;
    IndicatorSettings settings;
    // Each number given replaces its default.
    for (const auto& [name, target] :
         {std::pair<std::string_view, double*>{"--chest", &settings.chestPressure},
          {"--back", &settings.backPressure},
          {"--n", &settings.polytropicIndex},
          {"--clearance", &settings.frontClearancePct},
          {"--clearance-front", &settings.frontClearancePct},
          {"--clearance-rear", &settings.rearClearancePct},
          {"--port-length", &settings.portLength}}) {
        if (!options.has(name)) continue;
        const std::string v = options.value(name);
        if (!parseNumber(v, *target)) {
            complain(err) << name << " takes a number, not \"" << v << "\"\n";
            return 2;
        }
    }
    const bool bothClearances = options.has("--clearance");
    const bool oneClearance = options.has("--clearance-front") || options.has("--clearance-rear");
    if (bothClearances) settings.rearClearancePct = settings.frontClearancePct;
    if (bothClearances && oneClearance) {
        complain(err) << "indicator: --clearance sets both ends; give it or --clearance-front "
                         "and --clearance-rear, not both\n";
        return 2;
    }
    if (!readUnits(options, settings, err)) return 2;
    settings.valveLifts = !options.has("--no-lift");
    double speed = 0;
    if (options.has("--speed") && (!parseNumber(options.value("--speed"), speed) ||
                                   !(speed >= kLeastCardSpeed) || speed > kMostCardSpeed)) {
        complain(err) << "indicator: --speed takes revolutions per minute from 0.001 to 100000, "
                         "not \""
                      << options.value("--speed") << "\"\n";
        return 2;
    }
    const bool speedOnly = options.has("--port-length") || options.has("--length-unit") ||
                           options.has("--pressure-unit") || options.has("--no-lift");
    if (speedOnly && !options.has("--speed")) {
        complain(err) << "indicator: --port-length, --length-unit, --pressure-unit and "
                         "--no-lift belong to the card at speed: give --speed as well\n";
        return 2;
    }
    if (const std::string problem = indicatorSettingsProblem(settings); !problem.empty()) {
        complain(err) << "indicator: " << problem << "\n";
        return 2;
    }
    Model m;
    if (const int status = loadDimensionSet(m, options.value("--file"), err)) return status;
    m.indicator = settings;
    std::vector<float> positions;
    if (const int status = resolvePositions(m, options.values("--reverse-arm"),
                                            options.values("--notch"), positions, err))
        return status;
    out << indicatorCsv(m, positions, options.has("--card"), speed);
    return 0;
}

}  // namespace tarvell
