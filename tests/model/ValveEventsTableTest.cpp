// The valve events table: which positions it lists, the cell texts of the default set, the
// notes and blanks of events that do not occur, and the copied and saved texts. The default
// set's figures come from the report tool's motion (openings and piston travel) at 0.01-degree
// steps, interpolated linearly where an opening changes sign; the laps and port widths from
// the cylinder dimensions (exhaust half 0.28125, bridges and steam ports 0.25, valve halves 1).
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "TestModel.h"
#include "ValveEventsTable.h"

using namespace tarvell;
using tarvell::test::startedModel;

namespace {

// The column of a heading's one-line name.
std::size_t column(std::string_view name) {
    const auto& columns = valveEventsColumns();
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i].name == name) return i;
    ADD_FAILURE() << "no column " << name;
    return 0;
}

std::vector<std::string> cellsOf(const ValveEventsTable& t, std::size_t row) {
    return valveEventsRowCells(t, t.rows.at(row), "-");
}

std::vector<std::string> split(const std::string& line, char sep) {
    std::vector<std::string> out(1);
    for (char c : line) {
        if (c == sep)
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

}  // namespace

TEST(ValveEventsTable, ListsTheSetThenTheNormalAndMaximumPositions) {
    Model m = startedModel();
    EXPECT_EQ(m.PositionCount, 1);  // not yet counted by the positions dialog
    EXPECT_EQ(setEntryCount(m), 3);
    m.gear.DriverAngle = 77.5f;
    m.gear.ReverseArmPosition = 10.75f;
    const ValveEventsTable t = buildValveEventsTable(m);
    EXPECT_EQ(m.gear.DriverAngle, 77.5f);
    EXPECT_EQ(m.gear.ReverseArmPosition, 10.75f);

    // Mid gear 10.533; normal travel 1.1 and maximum 1.5 either side, forward above.
    struct Expected {
        const char* entry;
        const char* position;
        const char* tag;
    };
    const Expected expected[] = {
        {"Set 1", "10.533", "Cen"},     {"Set 2", "11.633", "Fwd"},
        {"Set 3", "9.433", "Rev"},      {"Normal fwd", "11.633", "Fwd"},
        {"Normal rev", "9.433", "Rev"}, {"Max fwd", "12.033", "Fwd"},
        {"Max rev", "9.033", "Rev"},
    };
    ASSERT_EQ(t.rows.size(), std::size(expected));
    for (std::size_t i = 0; i < t.rows.size(); ++i) {
        const auto cells = cellsOf(t, i);
        ASSERT_EQ(cells.size(), valveEventsColumns().size());
        EXPECT_EQ(cells[0], expected[i].entry);
        EXPECT_EQ(cells[1], expected[i].position);
        EXPECT_EQ(cells[2], expected[i].tag);
    }
    // The set's normals are the named ones to the bit.
    EXPECT_EQ(t.rows[3].events.position, m.reverseArmPositions[2]);
    EXPECT_EQ(t.rows[4].events.position, m.reverseArmPositions[3]);

    // A longer set: entries up to the first zero.
    m.reverseArmPositions[4] = 11.0f;
    m.reverseArmPositions[5] = 0.0f;
    m.reverseArmPositions[6] = 12.0f;
    EXPECT_EQ(setEntryCount(m), 4);
    m.reverseArmPositions.fill(0);
    m.ReverseArmCentre() = 10.533f;
    EXPECT_EQ(setEntryCount(m), 0);
    for (std::size_t k = 1; k <= 9; ++k)
        m.reverseArmPositions[k] = 10.0f + 0.1f * static_cast<float>(k);
    EXPECT_EQ(setEntryCount(m), 9);
}

TEST(ValveEventsTable, NamedPositionsFollowTheForwardSide) {
    Model m = startedModel();
    const float c = m.ReverseArmCentre();
    m.orientationSign = 1;
    std::array<float, 4> p = namedPositions(m);
    EXPECT_FLOAT_EQ(p[0], c + 1.1f);
    EXPECT_FLOAT_EQ(p[1], c - 1.1f);
    EXPECT_FLOAT_EQ(p[2], c + 1.5f);
    EXPECT_FLOAT_EQ(p[3], c - 1.5f);
    m.orientationSign = -1;  // forward now lies below the centre
    p = namedPositions(m);
    EXPECT_FLOAT_EQ(p[0], c - 1.1f);
    EXPECT_FLOAT_EQ(p[1], c + 1.1f);
    EXPECT_FLOAT_EQ(p[2], c - 1.5f);
    EXPECT_FLOAT_EQ(p[3], c + 1.5f);
}

TEST(ValveEventsTable, CellsOfTheDefaultSet) {
    Model m = startedModel();
    const ValveEventsTable t = buildValveEventsTable(m);
    auto at = [&](std::size_t row, std::string_view name) { return cellsOf(t, row)[column(name)]; };
    // Angles are found to 0.01 degree, so their last digit is compared loosely.
    auto degrees = [&](std::size_t row, std::string_view name) {
        const std::string text = at(row, name);
        EXPECT_EQ(text.size() - text.find('.'), 3u) << text;  // two decimals
        return std::stod(text);
    };

    // Normal forward (row 4): the front port takes steam at 357.902 and closes at 114.312 with
    // the piston 72.878 % along; it exhausts from 91.181 % to 4.498 % of the return stroke
    // left (95.502 % done). The rear takes steam at 176.051, closes with 83.908 % of its
    // stroke done, releases at 95.497 % and compresses at 91.187 %.
    const std::size_t fwd = 3;
    EXPECT_NEAR(degrees(fwd, "Front admission deg before dead centre"), 2.098, 0.011);
    EXPECT_EQ(at(fwd, "Front cut-off %"), "72.9");
    EXPECT_EQ(at(fwd, "Front release %"), "91.2");
    EXPECT_EQ(at(fwd, "Front compression % of return"), "95.5");
    EXPECT_NEAR(degrees(fwd, "Rear admission deg before dead centre"), 3.949, 0.011);
    EXPECT_EQ(at(fwd, "Rear cut-off %"), "83.9");
    EXPECT_EQ(at(fwd, "Rear release %"), "95.5");
    EXPECT_EQ(at(fwd, "Rear compression % of return"), "91.2");
    // Leads 0.0201 and 0.0231; greatest openings 0.2781 and 0.2877 of ports 0.25 wide: each
    // port opens its whole width and the valve runs 0.0281 and 0.0377 past its far edge.
    EXPECT_EQ(at(fwd, "Front lead at dead centre"), "0.020");
    EXPECT_EQ(at(fwd, "Rear lead at dead centre"), "0.023");
    EXPECT_EQ(at(fwd, "Front max port opening"), "0.250");
    EXPECT_EQ(at(fwd, "Front max port opening % of port"), "100.0");
    EXPECT_EQ(at(fwd, "Front valve over-travel beyond port"), "0.028");
    EXPECT_EQ(at(fwd, "Rear max port opening"), "0.250");
    EXPECT_EQ(at(fwd, "Rear valve over-travel beyond port"), "0.038");
    // Normal reverse stops short of the far edges: 0.2011 of 0.25 is 80.4 %, no over-travel.
    EXPECT_EQ(at(4, "Front max port opening"), "0.201");
    EXPECT_EQ(at(4, "Front max port opening % of port"), "80.4");
    EXPECT_EQ(at(4, "Front valve over-travel beyond port"), "0.000");
    // The cavity uncovers the front port by 0.507, more than its 0.25: the port opens its
    // whole width to exhaust. At maximum forward the valve runs 0.682 toward the front
    // exhaust and the cavity's far edge leaves only 0.131 of the exhaust port, about half the
    // steam port: that is the narrowest way out.
    EXPECT_EQ(at(fwd, "Front max exhaust port opening"), "0.250");
    EXPECT_EQ(at(fwd, "Front least exhaust passage"), "0.250");
    EXPECT_EQ(at(5, "Front max exhaust port opening"), "0.250");
    EXPECT_EQ(at(5, "Front least exhaust passage"), "0.131");
    EXPECT_TRUE(t.rows[5].exhaust.front.belowSteamPort);
    EXPECT_FALSE(t.rows[fwd].exhaust.front.belowSteamPort);
    // Front less rear: 0.0201 - 0.0231 and 72.878 - 83.908.
    EXPECT_EQ(at(fwd, "Lead at dead centre front - rear"), "-0.003");
    EXPECT_EQ(at(fwd, "Cut-off % front - rear"), "-11.0");
    // The ideal cards of these events (see IndicatorTest): MEPs 88.91 and 94.08, the front
    // 5.7 % of their mean below the rear.
    EXPECT_NEAR(std::stod(at(fwd, "Front MEP")), 88.91, 0.011);
    EXPECT_NEAR(std::stod(at(fwd, "Rear MEP")), 94.08, 0.011);
    EXPECT_EQ(at(fwd, "MEP front - rear % of mean"), "-5.7");
    EXPECT_EQ(at(fwd, "Note"), "");

    // Normal reverse runs backward: the front port takes steam at 2.595 on the way down to 0
    // and closes at 253.344 (66.867 %); the rear closes with 74.259 % of its stroke done.
    const std::size_t rev = 4;
    EXPECT_EQ(at(rev, "Front cut-off %"), "66.9");
    EXPECT_EQ(at(rev, "Rear cut-off %"), "74.3");
    EXPECT_NEAR(degrees(rev, "Front admission deg before dead centre"), 2.595, 0.011);
    EXPECT_EQ(at(rev, "Cut-off % front - rear"), "-7.4");

    // Mid gear: the front port open from 344.159 to 6.023 %, the rear to 5.940 %.
    EXPECT_EQ(at(0, "Front cut-off %"), "6.0");
    EXPECT_EQ(at(0, "Rear cut-off %"), "5.9");
    EXPECT_NEAR(degrees(0, "Front admission deg before dead centre"), 15.841, 0.011);
    // The repeated positions give the same row.
    const auto set2 = cellsOf(t, 1), normalFwd = cellsOf(t, 3);
    EXPECT_EQ(std::vector<std::string>(set2.begin() + 1, set2.end()),
              std::vector<std::string>(normalFwd.begin() + 1, normalFwd.end()));

    // Laps 1 - (0.28125 + 0.25 + 0.25) = 0.21875, clearances 0.5313 - 0.53125, leads about
    // 0.0209, travel lap and lead twice over: 0.479.
    const auto mid = midGearCells(t.midGear);
    ASSERT_EQ(mid.size(), 5u);
    EXPECT_EQ(mid[0], (std::array<std::string, 3>{"Mid gear", "Front", "Rear"}));
    EXPECT_EQ(mid[1], (std::array<std::string, 3>{"Steam lap", "0.219", "0.219"}));
    EXPECT_EQ(mid[2], (std::array<std::string, 3>{"Exhaust clearance", "0.000", "0.000"}));
    EXPECT_EQ(mid[3], (std::array<std::string, 3>{"Max steam opening", "0.021", "0.021"}));
    EXPECT_EQ(mid[4], (std::array<std::string, 3>{"Valve travel", "0.479", ""}));
}

TEST(ValveEventsTable, EventsThatDoNotOccur) {
    Model m = startedModel();
    // A front half of 2 laps the front port by 1.21875, more than the valve ever travels.
    m.cyl.ValveLengthFrontHalf() = 2.0f;
    ValveEventsTable t = buildValveEventsTable(m);
    auto at = [&](std::size_t row, std::string_view name) { return cellsOf(t, row)[column(name)]; };
    for (std::size_t row = 0; row < t.rows.size(); ++row) {
        EXPECT_EQ(at(row, "Front admission deg before dead centre"), "-");
        EXPECT_EQ(at(row, "Front cut-off %"), "-");
        EXPECT_EQ(at(row, "Front max port opening"), "-");
        EXPECT_EQ(at(row, "Front max port opening % of port"), "-");
        EXPECT_EQ(at(row, "Front valve over-travel beyond port"), "-");
        EXPECT_EQ(at(row, "Cut-off % front - rear"), "-");
        EXPECT_EQ(at(row, "Note"), "Front steam never opens");
        EXPECT_NE(at(row, "Rear cut-off %"), "-");
        EXPECT_NE(at(row, "Front release %"), "-");
    }
    // The lead still says how far the port stays lapped: 0.0201 - 1.
    EXPECT_EQ(at(3, "Front lead at dead centre"), "-0.980");
    // In the saved text the missing events are empty fields.
    EXPECT_EQ(valveEventsRowCells(t, t.rows[3], "")[column("Front cut-off %")], "");

    // A front half of 0.5 keeps the front port open from 307.79 degrees to past the rear dead
    // centre: admission occurs, cut-off does not.
    m = startedModel();
    m.cyl.ValveLengthFrontHalf() = 0.5f;
    t = buildValveEventsTable(m);
    EXPECT_EQ(at(3, "Front cut-off %"), "-");
    EXPECT_NEAR(std::stod(at(3, "Front admission deg before dead centre")), 360 - 307.79, 0.03);
    EXPECT_EQ(at(3, "Note"), "Front steam open through dead centre");

    // A rear port of no width has no share to give.
    m = startedModel();
    m.cyl.SteamPortWidthRear() = 0.0f;
    t = buildValveEventsTable(m);
    EXPECT_EQ(at(3, "Rear max port opening % of port"), "-");

    // A front port -0.01 wide: the valve's outer edge passes the port's (V falls to about
    // -0.497 at normal forward, past -0.47875), but a port of no width has nothing to open,
    // so it shows no openings, as the report leaves them empty.
    m = startedModel();
    m.cyl.SteamPortWidthFront() = -0.01f;
    t = buildValveEventsTable(m);
    EXPECT_NE(at(3, "Front admission deg before dead centre"), "-");
    for (std::string_view name : {"Front max port opening", "Front max port opening % of port",
                                  "Front valve over-travel beyond port",
                                  "Front max exhaust port opening", "Front least exhaust passage"})
        EXPECT_EQ(at(3, name), "-") << name;
    EXPECT_NE(at(3, "Rear max port opening"), "-");
}

TEST(ValveEventsTable, NotesNameEachEndAndEdge) {
    PositionEvents e;
    for (EndEvents* end : {&e.front, &e.rear})
        for (ValveEvent* v : {&end->admission, &end->cutOff, &end->release, &end->compression})
            v->status = EventStatus::Found;
    EXPECT_EQ(valveEventsNote(e), "");
    e.rear.release.status = e.rear.compression.status = EventStatus::AlwaysOpen;
    e.front.cutOff.status = EventStatus::OutsideStroke;
    EXPECT_EQ(valveEventsNote(e), "Front steam shut before its stroke; Rear exhaust open all turn");
    e.front.cutOff.status = EventStatus::Found;
    e.rear.release.status = e.rear.compression.status = EventStatus::Found;
    e.rear.compression.status = EventStatus::OpenThroughDeadCentre;
    e.failedSolves = 3;
    EXPECT_EQ(valveEventsNote(e),
              "Rear exhaust open through dead centre; linkage did not solve at 3 angles");
}

TEST(ValveEventsTable, CsvAndTabTextGiveTheWindowsNumbers) {
    Model m = startedModel();
    m.cyl.ValveLengthFrontHalf() = 2.0f;  // some events missing
    const ValveEventsTable t = buildValveEventsTable(m);

    const auto csv = lines(valveEventsCsv(t, "Loco 7", "2026-03-01"));
    ASSERT_GE(csv.size(), 2 + t.rows.size() + 1 + 5);
    EXPECT_EQ(csv[0], "# Valve events, data set Loco 7, 2026-03-01");
    const auto header = split(csv[1], ',');
    ASSERT_EQ(header.size(), valveEventsColumns().size());
    EXPECT_EQ(header[0], "Entry");
    EXPECT_EQ(header[8], "Front cut-off %");
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        // The window's texts, "-" read as an empty field; the notes hold no comma.
        std::vector<std::string> shown = cellsOf(t, r);
        for (std::string& s : shown)
            if (s == "-") s.clear();
        EXPECT_EQ(split(csv[2 + r], ','), shown) << r;
    }
    std::size_t blank = 2 + t.rows.size();
    EXPECT_EQ(csv[blank], "");
    EXPECT_EQ(csv[blank + 1], "Mid gear,Front,Rear");
    EXPECT_EQ(csv[blank + 2], "Steam lap,1.219,0.219");  // 2 - (0.28125 + 0.25 + 0.25)
    EXPECT_EQ(csv[blank + 5], "Valve travel,0.479,");

    const auto tab = lines(valveEventsTabText(t, "Loco\t7", "2026-03-01"));
    EXPECT_EQ(tab[0], "Valve events, data set Loco 7, 2026-03-01");
    EXPECT_EQ(split(tab[1], '\t'), header);
    for (std::size_t r = 0; r < t.rows.size(); ++r)
        EXPECT_EQ(split(tab[2 + r], '\t'), split(csv[2 + r], ',')) << r;
    EXPECT_EQ(tab[blank], "");
    EXPECT_EQ(tab[blank + 3], "Exhaust clearance\t0.000\t0.000");
}

TEST(ValveEventsTable, WildDimensionsGiveATableAndRestoreTheGear) {
    for (const float v : {0.0f, -5.0f, 1e30f, NAN}) {
        Model m = startedModel();
        m.frame.RevArmToCentMax = v;
        m.cyl.SteamPortWidthFront() = v;
        m.gear.DriverAngle = 33.0f;
        const float position = m.gear.ReverseArmPosition;
        const ValveEventsTable t = buildValveEventsTable(m);
        EXPECT_EQ(t.rows.size(), 7u);
        for (const EventsTableRow& row : t.rows)
            EXPECT_EQ(valveEventsRowCells(t, row, "-").size(), valveEventsColumns().size());
        EXPECT_EQ(m.gear.DriverAngle, 33.0f);
        EXPECT_EQ(m.gear.ReverseArmPosition, position);
    }
}
