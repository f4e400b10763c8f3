// The valve events table: the events of every entry of the reverse arm position set and of
// the normal and maximum positions either side of mid gear, one row per position with the
// front and rear ends side by side, and the mid-gear block below. Gives the cell texts the
// window shows and the tab-separated and CSV texts it copies and saves. No Qt.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "Indicator.h"
#include "PortAreas.h"
#include "ValveEvents.h"

namespace tarvell {

struct EventsTableRow {
    std::string entry;  // "Set 1" ... "Set 9", "Normal fwd", "Normal rev", "Max fwd", "Max rev"
    PositionEvents events;
    // The MEP of each end's indicator card at the position (kNoFigure when it has none).
    double frontMep = kNoFigure, rearMep = kNoFigure;
    // How far the die slides in the link over the turn (kNoFigure when no solve succeeded).
    double dieSlip = kNoFigure;
    // Each end's exhaust where the valve runs furthest toward it: the port's greatest opening
    // to exhaust and the narrowest passage the cavity's far edge leaves.
    ExhaustChecks exhaust;
};

struct ValveEventsTable {
    std::vector<EventsTableRow> rows;
    MidGearSummary midGear;
    float frontPortWidth = 0, rearPortWidth = 0;  // the steam ports, for the "% of port" columns
    SolverFindings findings;                      // of every solve the table took
};

// The four named positions, in the order normal forward, normal reverse, maximum forward,
// maximum reverse: ReverseArmCentre plus or minus RevArmToCentNorm and RevArmToCentMax, the
// forward ones on the side isForwardPositive gives. Needs the orientation sign of a solve at
// mid gear (buildValveEventsTable makes one).
std::array<float, 4> namedPositions(const Model& m);
// The same with the orientation sign of a solve at mid gear given (midGearOrientation).
std::array<float, 4> namedPositions(const Model& m, int orientationSign);

// How many entries the reverse arm position set holds as its dialog lists them: entry 1 and
// each after it up to the first zero (at most 9). PositionCount says the same only once the
// dialog has counted; at start-up it is 1 while the set holds mid gear and both normals.
int setEntryCount(const Model& m);

// Works out the whole table: the set's entries (setEntryCount), then the four named
// positions, then the mid-gear summary; each row's MEPs come from the indicator diagram with
// the model's indicator settings. A position met twice is worked out once. Works on a copy
// of the model.
ValveEventsTable buildValveEventsTable(const Model& m);

// One column of the events table: its heading in the window (two lines) and its name in the
// copied and saved texts (one line).
struct EventsColumn {
    std::string_view heading;
    std::string_view name;
};

// Entry, position and tag lead every row and stay in view while the rest scrolls; then come
// the front end's columns and the rear end's, this many each.
inline constexpr int kEventsKeyColumns = 3;
inline constexpr int kEventsEndColumns = 10;
const std::vector<EventsColumn>& valveEventsColumns();

// The texts of one row, one per column: degrees with 2 decimals, lengths with 3, per cents
// with 1, pressures with 2. Each end's greatest steam opening is split into the port's own
// opening (at most its width) and the valve's over-travel beyond it; its exhaust shows the port's
// greatest opening to exhaust (at most its width) and the least exhaust passage (where the
// cavity's far edge leaves less of the exhaust port). `missing` stands for an event
// that does not occur (and for a greatest opening of a port that never opens, an MEP that cannot be
// had and a difference of MEPs whose mean is not above 0); the last column is the row's note.
std::vector<std::string> valveEventsRowCells(const ValveEventsTable& table,
                                             const EventsTableRow& row, std::string_view missing);

// Why events of a row are missing, e.g. "Front steam never opens; Rear exhaust open through
// dead centre"; empty when every event occurs.
std::string valveEventsNote(const PositionEvents& events);

// The mid-gear block as rows of {what, front, rear}: a heading row, then steam lap, exhaust
// clearance, the greatest steam opening over the mid-gear turn (the sine diagram's "Lead";
// the rows' lead is the opening at dead centre), and the valve travel (in the front column,
// the rear one empty).
std::vector<std::array<std::string, 3>> midGearCells(const MidGearSummary& midGear);

// The table as tab-separated text for a spreadsheet: a title line naming the data set and
// the date, the header row, the rows (an event that does not occur left empty), an empty
// line and the mid-gear block. Lines end with "\n".
std::string valveEventsTabText(const ValveEventsTable& table, std::string_view dataSetName,
                               std::string_view date);

// The same as CSV: the comment line, the header row, the rows, an empty line and the
// mid-gear block.
std::string valveEventsCsv(const ValveEventsTable& table, std::string_view dataSetName,
                           std::string_view date);

}  // namespace tarvell
