// The dimension table: one complete, consistent description of the 49 dimensions.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "Data.h"

using namespace tarvell;

TEST(DimensionTable, HoldsEveryCodeOnceAndNoCode26) {
    std::set<int> codes;
    for (const auto& d : allDimensions()) EXPECT_TRUE(codes.insert(d.code).second) << d.code;
    EXPECT_EQ(allDimensions().size(), 49u);
    EXPECT_EQ(frameDimensionTable().size(), 27u);
    EXPECT_EQ(cylinderDimensionTable().size(), 22u);
    for (int c = 1; c <= 28; ++c) EXPECT_EQ(codes.count(c), c == 26 ? 0u : 1u) << c;
    for (int c = 101; c <= 122; ++c) EXPECT_EQ(codes.count(c), 1u) << c;
    EXPECT_EQ(findDimension(26), nullptr);
    EXPECT_EQ(findDimension(0), nullptr);
    EXPECT_EQ(findDimension(123), nullptr);
}

TEST(DimensionTable, NamesAndDialogRowsAsTheUserSeesThem) {
    EXPECT_EQ(findDimension(4)->shortName, "Motion Con Rod Total Len");
    EXPECT_EQ(findDimension(4)->caption, "Motion Con Rod Length");
    EXPECT_EQ(findDimension(16)->caption, "Link Rocking Angle  Deg");
    EXPECT_EQ(findDimension(110)->shortName, "Exhaust Port  Width");
    EXPECT_EQ(findDimension(102)->shortName, "Cyl CL above Driver ctr");
    EXPECT_EQ(findDimension(27)->shortName, "");
    // A ditto label: quote, 11 spaces, quote, then the run of spaces and the word.
    EXPECT_EQ(findDimension(6)->dialogLabel, "\"           \"            Horz");
    EXPECT_EQ(findDimension(23)->dialogLabel, "\"           \"             Horz");
    EXPECT_EQ(findDimension(106)->dialogLabel2, "(Piston Rod)");
    EXPECT_EQ(findDimension(122)->dialogLabel2, "  (Valve Stem)");
    // Two decimals only for the link radius and the reverse arm vertical.
    for (const auto& d : allDimensions())
        EXPECT_EQ(d.decimals, (d.code == 14 || d.code == 18) ? 2 : 3) << d.code;
    EXPECT_FALSE(findDimension(27)->gray);
    EXPECT_FALSE(findDimension(28)->gray);
    EXPECT_TRUE(findDimension(25)->gray);
}

TEST(DimensionTable, CylinderSlotsAreTheDataFileOrder) {
    EXPECT_EQ(findDimension(101)->index, 0);
    EXPECT_EQ(findDimension(105)->index, 4);
    EXPECT_EQ(findDimension(112)->index, 18);
    EXPECT_EQ(findDimension(114)->index, 19);
    EXPECT_EQ(findDimension(119)->index, 20);
    EXPECT_EQ(findDimension(121)->index, 21);
    EXPECT_EQ(findDimension(122)->index, 17);
    EXPECT_EQ(findDimension(102)->store, DimensionStore::PivotY);
    EXPECT_EQ(findDimension(102)->index, 3);
    std::set<int> slots;
    for (const auto& d : cylinderDimensionTable())
        if (d.store == DimensionStore::Cylinder) slots.insert(d.index);
    EXPECT_EQ(slots.size(), 21u);
    EXPECT_EQ(slots.count(3), 0u);  // slot 3 is the spare
}
