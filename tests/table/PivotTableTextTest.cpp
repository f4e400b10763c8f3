// The pivot data table's text: headings, row count and angles, the columns of each slot, and
// the gear state around the sweep.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "PivotTableText.h"
#include "Vari.h"

using namespace tarvell;

namespace {

const PivotTableHeading kHeading{"Nominal", "08/12/2026", "14:05:09"};

Model started() {
    Model m;
    StartUp(m);
    return m;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

// Field positions of a data row: the angle in 7 characters, then per slot "   ", Y (7 wide
// for slot 1, 9 for the others), "  " and X (7 wide).
std::string yField(const std::string& row, int slot) {
    return slot == 0 ? row.substr(10, 7) : row.substr(26 + 21 * (slot - 1) + 3, 9);
}
std::string xField(const std::string& row, int slot) {
    return slot == 0 ? row.substr(19, 7) : row.substr(26 + 21 * (slot - 1) + 14, 7);
}

std::string fixed(const char* format, double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, format, v);
    return buf;
}

}  // namespace

TEST(PivotTableText, HeadingsOfTheDefaultSet) {
    Model m = started();
    const auto text = lines(buildPivotTable(m, kHeading));
    ASSERT_GE(text.size(), 4u);
    EXPECT_EQ(text[0], "Pivot Data   Nominal     08/12/2026   14:05:09");
    // Mid gear is at 10.533 and the default step 10.
    EXPECT_EQ(text[1], "       Reverse Arm 10.533      Step Angle 10.000");
    // The column titles: six numbered pivots over six Vert/Horz pairs.
    EXPECT_EQ(text[2].size(), 134u);
    EXPECT_EQ(text[3].size(), 125u);
    EXPECT_EQ(text[2].substr(0, 8), "  Driver");
    EXPECT_EQ(text[3].substr(0, 7), "  Angle");
    std::size_t at = 0;
    for (const char* title : {"No.1", "No.2", "No.3", "No.4", "No.5", "No.6"}) {
        at = text[2].find(title, at);
        EXPECT_NE(at, std::string::npos) << title;
    }
    int pairs = 0;
    for (std::size_t p = text[3].find("Vert   Horz"); p != std::string::npos;
         p = text[3].find("Vert   Horz", p + 1))
        ++pairs;
    EXPECT_EQ(pairs, 6);
}

TEST(PivotTableText, OneRowPerTenDegreesFromZeroTo360) {
    Model m = started();
    const std::string table = buildPivotTable(m, kHeading);
    ASSERT_EQ(table.back(), '\n');
    const auto text = lines(table);
    ASSERT_EQ(text.size(), 4u + 37u);
    for (int i = 0; i <= 36; ++i) {
        const std::string& row = text[4 + static_cast<std::size_t>(i)];
        EXPECT_EQ(row.size(), 7u + 19u + 5u * 21u);
        EXPECT_EQ(row.substr(0, 7), fixed("%7.2f", 10.0 * i));
    }
    EXPECT_EQ(text[4].substr(0, 7), "   0.00");
    EXPECT_EQ(text[40].substr(0, 7), " 360.00");
    // No slot chosen: every column lists the driver centre.
    for (int slot = 0; slot < 6; ++slot) {
        EXPECT_EQ(yField(text[13], slot), slot == 0 ? "  0.000" : "    0.000");
        EXPECT_EQ(xField(text[13], slot), "  0.000");
    }
}

TEST(PivotTableText, ColumnsFollowTheChosenPivots) {
    Model m = started();
    m.pivotDataSlots = {2, 0, 2, 0, 0, 18};
    m.gear.ReverseArmPosition = 11.2f;
    const auto text = lines(buildPivotTable(m, kHeading));
    ASSERT_EQ(text.size(), 41u);
    // The crank pin (radius 3.25 / 2) at 0 degrees is ahead of the driver centre, at 90
    // straight below it.
    EXPECT_EQ(yField(text[4], 0), "  0.000");
    EXPECT_EQ(xField(text[4], 0), "  1.625");
    EXPECT_EQ(yField(text[13], 0), " -1.625");
    EXPECT_EQ(xField(text[13], 0), "  0.000");
    EXPECT_EQ(yField(text[13], 2), "   -1.625");
    EXPECT_EQ(xField(text[13], 2), "  0.000");
    EXPECT_EQ(yField(text[13], 1), "    0.000");
    // The reverse arm end stands at the chosen position in every row.
    for (std::size_t i = 4; i < text.size(); ++i) EXPECT_EQ(xField(text[i], 5), " 11.200");
    EXPECT_EQ(text[1].substr(0, 25), "       Reverse Arm 11.200");
}

TEST(PivotTableText, SlotsOutsideThePivotRangeListPivotZero) {
    Model m = started();
    m.pivotDataSlots = {-1, 27, INT_MAX, INT_MIN, 26, 2};
    const auto text = lines(buildPivotTable(m, kHeading));
    ASSERT_EQ(text.size(), 41u);
    EXPECT_EQ(yField(text[13], 0), "  0.000");
    for (int slot = 1; slot < 5; ++slot) EXPECT_EQ(yField(text[13], slot), "    0.000");
    EXPECT_EQ(yField(text[13], 5), "   -1.625");
}

TEST(PivotTableText, GearStateIsRestored) {
    Model m = started();
    m.gear.DriverAngle = 123.456f;
    m.gear.ActiveStep = 5.0f;
    m.gear.StepAngle = 7.5f;
    const float position = m.gear.ReverseArmPosition;
    const auto text = lines(buildPivotTable(m, kHeading));
    EXPECT_EQ(m.gear.DriverAngle, 123.456f);
    EXPECT_EQ(m.gear.ActiveStep, 5.0f);
    EXPECT_EQ(m.gear.StepAngle, 7.5f);
    EXPECT_EQ(m.gear.ReverseArmPosition, position);
    EXPECT_EQ(text.size(), 4u + 49u);  // 0, 7.5, ..., 360
}

TEST(PivotTableText, RowCountFollowsTheSinglePrecisionTurn) {
    // The angle is accumulated in single precision, so at 0.01 it misses 360 exactly.
    int expected = 0;
    for (float a = 0; !(a > 360.0f); a = a + 0.01f) ++expected;
    Model m = started();
    m.gear.StepAngle = 0.01f;
    const auto text = lines(buildPivotTable(m, kHeading));
    EXPECT_EQ(static_cast<int>(text.size()) - 4, expected);
    EXPECT_EQ(text[5].substr(0, 7), "   0.01");

    // A step beyond the turn gives the row at 0 only; 360 gives 0 and 360.
    m.gear.StepAngle = 400;
    EXPECT_EQ(lines(buildPivotTable(m, kHeading)).size(), 5u);
    m.gear.StepAngle = 360;
    EXPECT_EQ(lines(buildPivotTable(m, kHeading)).size(), 6u);
}
