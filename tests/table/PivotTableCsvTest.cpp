// The pivot data table as CSV: the comment line, the header naming each slot's pivot, and
// rows holding the numbers the table's text shows, with the gear state put back.
#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <string>
#include <vector>

#include "PivotTableCsv.h"
#include "PivotTableText.h"
#include "Vari.h"

using namespace tarvell;

namespace {

Model started() {
    Model m;
    StartUp(m);
    return m;
}

std::vector<std::string> split(const std::string& text, char by) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string piece; std::getline(in, piece, by);) out.push_back(piece);
    return out;
}

std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> out;
    std::istringstream in(line);
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

}  // namespace

TEST(PivotTableCsv, CommentAndHeaderNameTheSetAndEachSlotsPivot) {
    Model m = started();
    m.pivotDataSlots = {2, 0, 8, 14, 18, 21};
    m.gear.ReverseArmPosition = 11.2f;
    m.gear.StepAngle = 90;
    const auto lines = split(buildPivotTableCsv(m, "Big Boy, rebuilt", "2026-01-02 03:04"), '\n');
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0],
              "# Pivot data table (reverse arm 11.200; step angle 90.000), data set Big Boy, "
              "rebuilt, 2026-01-02 03:04");
    EXPECT_EQ(lines[1],
              "angle,no1_pivot2_vert,no1_pivot2_horz,no2_pivot0_vert,no2_pivot0_horz,"
              "no3_pivot8_vert,no3_pivot8_horz,no4_pivot14_vert,no4_pivot14_horz,"
              "no5_pivot18_vert,no5_pivot18_horz,no6_pivot21_vert,no6_pivot21_horz");
    // Slots outside the pivot range list pivot 0, as the table does.
    m.pivotDataSlots = {-1, 27, INT_MAX, INT_MIN, 26, 2};
    EXPECT_EQ(pivotTableCsvHeader(m)[1], "no1_pivot0_vert");
    EXPECT_EQ(pivotTableCsvHeader(m)[7], "no4_pivot0_vert");
    EXPECT_EQ(pivotTableCsvHeader(m)[9], "no5_pivot26_vert");
    EXPECT_EQ(pivotTableCsvHeader(m).size(), 13u);
}

TEST(PivotTableCsv, RowsHoldTheCrankPinWhereTheGeometryPutsIt) {
    Model m = started();
    m.pivotDataSlots = {2, 0, 0, 0, 0, 18};
    m.gear.ReverseArmPosition = 11.2f;
    m.gear.StepAngle = 90;
    const auto lines = split(buildPivotTableCsv(m, "Nominal", "2026-01-02"), '\n');
    // Angles 0, 90, 180, 270, 360.
    ASSERT_EQ(lines.size(), 2u + 5u);
    // The crank pin (radius 3.25 / 2) ahead of the driver centre at 0, below it at 90,
    // behind at 180, above at 270; the reverse arm end at the chosen position throughout.
    const char* crank[] = {"0.000,1.625", "-1.625,0.000", "0.000,-1.625", "1.625,0.000",
                           "0.000,1.625"};
    const char* angles[] = {"0.00", "90.00", "180.00", "270.00", "360.00"};
    for (std::size_t r = 0; r < 5; ++r) {
        const auto fields = split(lines[2 + r], ',');
        ASSERT_EQ(fields.size(), 13u) << r;
        EXPECT_EQ(fields[0], angles[r]);
        EXPECT_EQ(fields[1] + "," + fields[2], crank[r]) << r;
        EXPECT_EQ(fields[12], "11.200") << r;
    }
}

TEST(PivotTableCsv, EveryNumberIsTheTablesOwnAndTheGearIsPutBack) {
    Model m = started();
    m.pivotDataSlots = {2, 4, 8, 14, 18, 21};
    m.gear.StepAngle = 2.5f;
    m.gear.DriverAngle = 123.456f;
    m.gear.ActiveStep = 5.0f;
    const auto table = split(buildPivotTable(m, {"Nominal", "d", "t"}), '\n');
    const auto csv = split(buildPivotTableCsv(m, "Nominal", "d"), '\n');
    EXPECT_EQ(m.gear.DriverAngle, 123.456f);
    EXPECT_EQ(m.gear.ActiveStep, 5.0f);
    ASSERT_EQ(table.size() - 4, csv.size() - 2);  // 0 to 360 in 2.5: 145 rows
    EXPECT_EQ(csv.size() - 2, 145u);
    for (std::size_t r = 0; r + 4 < table.size(); ++r)
        EXPECT_EQ(split(csv[2 + r], ','), words(table[4 + r])) << r;
}
