// The valve events table (see ValveEventsTable.h).
#include "ValveEventsTable.h"

#include <cmath>
#include <optional>

#include "Csv.h"
#include "DieSlip.h"
#include "Numbers.h"
#include "SolveAt.h"
#include "Sweep.h"

namespace tarvell {
namespace {

constexpr int kDegreeDecimals = 2;
constexpr int kLengthDecimals = 3;
constexpr int kPercentDecimals = 1;
constexpr int kPressureDecimals = 2;

std::string number(double v, int decimals, std::string_view missing) {
    if (!std::isfinite(v)) return std::string(missing);
    return formatFixed(v, 0, decimals);
}

std::string event(const ValveEvent& e, int decimals, std::string_view missing) {
    return e.occurs() ? number(e.value, decimals, missing) : std::string(missing);
}

// The cells of one end (kEventsEndColumns of them). A port that never opens (or has no
// width) has no openings to show.
void appendEnd(std::vector<std::string>& cells, const EndEvents& end, const ExhaustCheck& exhaust,
               float portWidth, std::string_view missing) {
    const std::optional<PortOpening> steam = steamPortOpening(end, portWidth);
    const bool exhausts = exhaustPortOpening(end, portWidth).has_value();
    cells.push_back(event(end.admission, kDegreeDecimals, missing));
    cells.push_back(number(end.lead, kLengthDecimals, missing));
    cells.push_back(steam ? number(steam->open, kLengthDecimals, missing) : std::string(missing));
    cells.push_back(steam ? number(100.0 * steam->open / portWidth, kPercentDecimals, missing)
                          : std::string(missing));
    cells.push_back(steam ? number(steam->overTravel, kLengthDecimals, missing)
                          : std::string(missing));
    cells.push_back(event(end.cutOff, kPercentDecimals, missing));
    cells.push_back(event(end.release, kPercentDecimals, missing));
    cells.push_back(event(end.compression, kPercentDecimals, missing));
    cells.push_back(exhausts ? number(exhaust.greatestExhaustPort, kLengthDecimals, missing)
                             : std::string(missing));
    cells.push_back(exhausts ? number(exhaust.leastExhaustPassage, kLengthDecimals, missing)
                             : std::string(missing));
}

// What one edge of one end does when its events do not all occur; empty when they do.
std::string steamNote(const EndEvents& end) {
    const EventStatus opens = end.admission.status, closes = end.cutOff.status;
    if (opens == EventStatus::NeverOpens) return "steam never opens";
    if (opens == EventStatus::AlwaysOpen) return "steam open all turn";
    if (opens == EventStatus::OpenThroughDeadCentre || closes == EventStatus::OpenThroughDeadCentre)
        return "steam open through dead centre";
    if (closes == EventStatus::OutsideStroke) return "steam shut before its stroke";
    return {};
}

std::string exhaustNote(const EndEvents& end) {
    const EventStatus opens = end.release.status, closes = end.compression.status;
    if (opens == EventStatus::NeverOpens) return "exhaust never opens";
    if (opens == EventStatus::AlwaysOpen) return "exhaust open all turn";
    if (opens == EventStatus::OpenThroughDeadCentre || closes == EventStatus::OpenThroughDeadCentre)
        return "exhaust open through dead centre";
    if (opens == EventStatus::OutsideStroke) return "release after its stroke";
    if (closes == EventStatus::OutsideStroke) return "compression outside return stroke";
    return {};
}

const std::vector<std::string>& columnNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        for (const EventsColumn& c : valveEventsColumns()) out.emplace_back(c.name);
        return out;
    }();
    return names;
}

std::string tabLine(const std::vector<std::string>& cells) {
    std::string out;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out += '\t';
        // A tab or line break inside a cell would split it; none is expected, but a data set
        // name is the user's own text.
        for (char c : cells[i]) out += (c == '\t' || c == '\n' || c == '\r') ? ' ' : c;
    }
    return out + '\n';
}

}  // namespace

std::array<float, 4> namedPositions(const Model& m) {
    return namedPositions(m, m.orientationSign);
}

std::array<float, 4> namedPositions(const Model& m, int orientationSign) {
    const double c = m.ReverseArmCentre();
    const double norm = m.frame.RevArmToCentNorm, max = m.frame.RevArmToCentMax;
    const double side = isForwardPositive(m, orientationSign) ? 1.0 : -1.0;
    return {toSingle(c + side * norm), toSingle(c - side * norm), toSingle(c + side * max),
            toSingle(c - side * max)};
}

int setEntryCount(const Model& m) {
    int count = 0;
    while (count < 9 && m.reverseArmPositions[static_cast<std::size_t>(count) + 1] != 0.0f) ++count;
    return count;
}

ValveEventsTable buildValveEventsTable(const Model& m) {
    // The forward side comes from the orientation of a solve at mid gear.
    LinkageSolver solver(m);
    const std::array<float, 4> named = namedPositions(m, midGearOrientation(solver));

    ValveEventsTable table;
    // A guard the orientation solve raised shows; whether it failed does not count.
    table.findings = {0, solver.findings().errorRaised};
    table.frontPortWidth = m.cyl.SteamPortWidthFront();
    table.rearPortWidth = m.cyl.SteamPortWidthRear();
    auto add = [&](std::string entry, float position) {
        // The default set holds the normal positions too; each is worked out once.
        for (const EventsTableRow& done : table.rows)
            if (done.events.position == position) {
                EventsTableRow again = done;
                again.entry = std::move(entry);
                table.rows.push_back(std::move(again));
                return;
            }
        const IndicatorResult cards = indicatorDiagram(m, position, m.indicator);
        const DieSlip slip = dieSlip(m, position);
        PositionEvents events = valveEvents(m, position);
        const ExhaustChecks exhaust = exhaustChecks(m, events);
        table.rows.push_back({std::move(entry), std::move(events), cards.front.mep, cards.rear.mep,
                              slip.found ? slip.slip() : kNoFigure, exhaust});
        table.findings += table.rows.back().events.findings();
        table.findings += cards.findings;
    };
    for (int k = 1; k <= setEntryCount(m); ++k)
        add("Set " + formatInt(k, 1), m.reverseArmPositions[static_cast<std::size_t>(k)]);
    add("Normal fwd", named[0]);
    add("Normal rev", named[1]);
    add("Max fwd", named[2]);
    add("Max rev", named[3]);
    table.midGear = midGearSummary(m);

    return table;
}

const std::vector<EventsColumn>& valveEventsColumns() {
    static const std::vector<EventsColumn> columns = {
        {"Entry", "Entry"},
        {"Position", "Position"},
        {"Tag", "Tag"},
        {"Front\nAdmit deg", "Front admission deg before dead centre"},
        {"Front\nLead at DC", "Front lead at dead centre"},
        {"Front\nPort open", "Front max port opening"},
        {"Front\nOpen % port", "Front max port opening % of port"},
        {"Front\nOver-travel", "Front valve over-travel beyond port"},
        {"Front\nCut-off %", "Front cut-off %"},
        {"Front\nRelease %", "Front release %"},
        {"Front\nCompr %", "Front compression % of return"},
        {"Front\nExh port", "Front max exhaust port opening"},
        {"Front\nExh passage", "Front least exhaust passage"},
        {"Rear\nAdmit deg", "Rear admission deg before dead centre"},
        {"Rear\nLead at DC", "Rear lead at dead centre"},
        {"Rear\nPort open", "Rear max port opening"},
        {"Rear\nOpen % port", "Rear max port opening % of port"},
        {"Rear\nOver-travel", "Rear valve over-travel beyond port"},
        {"Rear\nCut-off %", "Rear cut-off %"},
        {"Rear\nRelease %", "Rear release %"},
        {"Rear\nCompr %", "Rear compression % of return"},
        {"Rear\nExh port", "Rear max exhaust port opening"},
        {"Rear\nExh passage", "Rear least exhaust passage"},
        {"Lead at DC\nF - R", "Lead at dead centre front - rear"},
        {"Cut-off %\nF - R", "Cut-off % front - rear"},
        {"Front\nMEP", "Front MEP"},
        {"Rear\nMEP", "Rear MEP"},
        {"MEP F - R\n% of mean", "MEP front - rear % of mean"},
        {"Die\nslip", "Die slip"},
        {"Note", "Note"},
    };
    return columns;
}

std::vector<std::string> valveEventsRowCells(const ValveEventsTable& table,
                                             const EventsTableRow& row, std::string_view missing) {
    const PositionEvents& e = row.events;
    std::vector<std::string> cells;
    cells.reserve(valveEventsColumns().size());
    cells.push_back(row.entry);
    cells.push_back(number(e.position, kLengthDecimals, missing));
    cells.emplace_back(positionTagText(e.tag));
    appendEnd(cells, e.front, row.exhaust.front, table.frontPortWidth, missing);
    appendEnd(cells, e.rear, row.exhaust.rear, table.rearPortWidth, missing);
    cells.push_back(
        number(static_cast<double>(e.front.lead) - e.rear.lead, kLengthDecimals, missing));
    cells.push_back(e.front.cutOff.occurs() && e.rear.cutOff.occurs()
                        ? number(static_cast<double>(e.front.cutOff.value) - e.rear.cutOff.value,
                                 kPercentDecimals, missing)
                        : std::string(missing));
    cells.push_back(number(row.frontMep, kPressureDecimals, missing));
    cells.push_back(number(row.rearMep, kPressureDecimals, missing));
    cells.push_back(
        number(mepDifferencePercent(row.frontMep, row.rearMep), kPercentDecimals, missing));
    cells.push_back(number(row.dieSlip, kLengthDecimals, missing));
    cells.push_back(valveEventsNote(e));
    return cells;
}

std::string valveEventsNote(const PositionEvents& events) {
    std::string note;
    auto add = [&note](std::string_view end, const std::string& what) {
        if (what.empty()) return;
        if (!note.empty()) note += "; ";
        note += std::string(end) + " " + what;
    };
    add("Front", steamNote(events.front));
    add("Front", exhaustNote(events.front));
    add("Rear", steamNote(events.rear));
    add("Rear", exhaustNote(events.rear));
    if (events.failedSolves > 0) {
        if (!note.empty()) note += "; ";
        note += "linkage did not solve at " + formatInt(events.failedSolves, 1) + " angles";
    }
    return note;
}

std::vector<std::array<std::string, 3>> midGearCells(const MidGearSummary& g) {
    auto len = [](float v) { return number(v, kLengthDecimals, ""); };
    return {
        {"Mid gear", "Front", "Rear"},
        {"Steam lap", len(g.frontLap), len(g.rearLap)},
        {"Exhaust clearance", len(g.frontExhaustClearance), len(g.rearExhaustClearance)},
        {"Max steam opening", len(g.frontLead), len(g.rearLead)},
        {"Valve travel", len(g.valveTravel), ""},
    };
}

std::string valveEventsTabText(const ValveEventsTable& table, std::string_view dataSetName,
                               std::string_view date) {
    std::string out =
        tabLine({"Valve events, data set " + std::string(dataSetName) + ", " + std::string(date)});
    out += tabLine(columnNames());
    for (const EventsTableRow& row : table.rows)
        out += tabLine(valveEventsRowCells(table, row, ""));
    out += '\n';
    for (const auto& cells : midGearCells(table.midGear))
        out += tabLine({cells[0], cells[1], cells[2]});
    return out;
}

std::string valveEventsCsv(const ValveEventsTable& table, std::string_view dataSetName,
                           std::string_view date) {
    CsvWriter csv("Valve events", dataSetName, date);
    csv.header(columnNames());
    for (const EventsTableRow& row : table.rows) csv.row(valveEventsRowCells(table, row, ""));
    csv.row({});  // an empty line between the table and the mid-gear block
    for (const auto& cells : midGearCells(table.midGear)) csv.row({cells[0], cells[1], cells[2]});
    return csv.text();
}

}  // namespace tarvell
