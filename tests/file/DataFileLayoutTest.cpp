// Where each value sits in the file's bytes, checked against bytes worked out by hand.
#include <gtest/gtest.h>

#include "DataFileBytes.h"

using namespace tarvell;
using namespace tarvell::test;

namespace {

// The four bytes at `offset` of the file, for comparing with hand-built ones.
std::array<unsigned char, 4> at(const Bytes& file, std::size_t offset) {
    return {file[offset], file[offset + 1], file[offset + 2], file[offset + 3]};
}

using Four = std::array<unsigned char, 4>;

}  // namespace

TEST(DataFileLayout, DefaultSetIs72RecordsWithStrokeFirst) {
    const Bytes file = encodeDataFile(startedModel());
    ASSERT_EQ(file.size(), 1440u);
    // Stroke 3.25 = 1.625 * 2^1: sign 0, exponent 128, mantissa 0x500000 -> 0x40500000.
    EXPECT_EQ(at(file, 0), (Four{0x00, 0x00, 0x50, 0x40}));
    // Record 1 field 3 is the driver diameter, field 4 the main rod (14.75 = 0x416C0000).
    EXPECT_EQ(at(file, 12), (Four{0x00, 0x00, 0x6C, 0x41}));
    // Record 11 field 4: the valve stem line, 0 + 2.6875 = 0x402C0000.
    EXPECT_EQ(at(file, 10 * 20 + 12), (Four{0x00, 0x00, 0x2C, 0x40}));
    // Record 12: view scale 21 (0x41A80000), offset 100 (0x42C80000), G 7.5 (0x40F00000),
    // offset 300 (0x43960000).
    EXPECT_EQ(at(file, 11 * 20), (Four{0x00, 0x00, 0xA8, 0x41}));
    EXPECT_EQ(at(file, 11 * 20 + 4), (Four{0x00, 0x00, 0xC8, 0x42}));
    EXPECT_EQ(at(file, 11 * 20 + 8), (Four{0x00, 0x00, 0xF0, 0x40}));
    EXPECT_EQ(at(file, 11 * 20 + 12), (Four{0x00, 0x00, 0x96, 0x43}));
    // Record 52 field 1: item 1's type, unset: -1 = 0xBF800000.
    EXPECT_EQ(at(file, 51 * 20), (Four{0x00, 0x00, 0x80, 0xBF}));
    // Record 72: four zeros and current item 1 (0x3F800000).
    for (std::size_t i = 71 * 20; i < 71 * 20 + 16; ++i) EXPECT_EQ(file[i], 0) << i;
    EXPECT_EQ(at(file, 71 * 20 + 16), (Four{0x00, 0x00, 0x80, 0x3F}));
}

TEST(DataFileLayout, ChosenFieldsSitWhereTheRecordTableSays) {
    Model m = startedModel();
    m.gear.ReverseArmPosition = 11.5f;  // 0x41380000
    m.pivots[3].y = 0.75f;              // code 102: 0x3F400000
    m.cyl.SpareSlot() = -2.0f;          // 0xC0000000
    m.frame.RevArmToCentMax = 1.75f;    // code 28: 0x3FE00000
    m.view.presets[2].ox = 12.5f;       // preset value 7: 0x41480000
    m.view.presets[6].oy = 0.5f;        // preset value 20: 0x3F000000
    m.reverseArmPositions[9] = 4.0f;    // 0x40800000
    m.overlay[6].p2x = 2.5f;            // item 7, point 2 horizontal: 0x40200000
    m.overlay[19].pivot2 = 26;          // item 20, second pivot: 0x41D00000
    m.overlay[0].colour = 5;            // item 1, colour: 0x40A00000
    m.currentOverlayItem = 7;           // 0x40E00000
    m.VerticalScale = 3.0f;             // 0x40400000
    const Bytes file = encodeDataFile(m);

    EXPECT_EQ(at(file, 12 * 20 + 8), (Four{0x00, 0x00, 0x38, 0x41}));   // record 13 field 3
    EXPECT_EQ(at(file, 5 * 20 + 16), (Four{0x00, 0x00, 0x40, 0x3F}));   // record 6 field 5
    EXPECT_EQ(at(file, 6 * 20 + 12), (Four{0x00, 0x00, 0x00, 0xC0}));   // record 7 field 4
    EXPECT_EQ(at(file, 12 * 20), (Four{0x00, 0x00, 0xE0, 0x3F}));       // record 13 field 1
    EXPECT_EQ(at(file, 12 * 20 + 16), (Four{0x00, 0x00, 0x40, 0x40}));  // record 13 field 5
    // Preset values run slot 0 scale, ox, oy, slot 1 ...: value 7 is record 15 field 3,
    // value 20 record 18 field 1.
    EXPECT_EQ(at(file, 14 * 20 + 8), (Four{0x00, 0x00, 0x48, 0x41}));
    EXPECT_EQ(at(file, 17 * 20), (Four{0x00, 0x00, 0x00, 0x3F}));
    EXPECT_EQ(at(file, 18 * 20 + 16), (Four{0x00, 0x00, 0x80, 0x40}));  // record 19 field 5
    // Point 2 horizontal fills records 28-31; item 7 is the second of record 29.
    EXPECT_EQ(at(file, 28 * 20 + 4), (Four{0x00, 0x00, 0x20, 0x40}));
    // Second pivots fill records 68-71; item 20 is the last field of record 71.
    EXPECT_EQ(at(file, 70 * 20 + 16), (Four{0x00, 0x00, 0xD0, 0x41}));
    // Colours fill records 56-59; item 1 opens record 56.
    EXPECT_EQ(at(file, 55 * 20), (Four{0x00, 0x00, 0xA0, 0x40}));
    EXPECT_EQ(at(file, 71 * 20 + 16), (Four{0x00, 0x00, 0xE0, 0x40}));
}

TEST(DataFileLayout, HandBuiltFileOpensIntoTheNamedValues) {
    Bytes file = encodeDataFile(startedModel());
    putField(file, 1, 1, 4.0f);     // Stroke
    putField(file, 1, 2, 0.125f);   // code 8, read again in record 11 field 5
    putField(file, 11, 5, 0.375f);  // code 8 again: the later field wins
    putField(file, 11, 2, 0.25f);   // code 121, read again in record 11 field 3
    putField(file, 11, 3, 0.625f);
    putField(file, 5, 2, 7.0f);    // code 25: pivot 6 X
    putField(file, 5, 5, 6.5f);    // code 22: pivot 16 Y
    putField(file, 12, 5, 0.75f);  // code 27
    putField(file, 13, 4, 9.75f);  // last plotted position
    putField(file, 14, 4, 30.0f);  // preset value 3: slot 1's scale
    putField(file, 18, 2, 1.0f);   // reverse arm position 1 (mid gear replaces it)
    putField(file, 18, 5, 8.5f);   // reverse arm position 4
    putField(file, 24, 3, -3.5f);  // item 3, point 1 vertical
    putField(file, 64, 1, 16.0f);  // item 1, first pivot
    Model m = startedModel();
    ASSERT_EQ(openInto(m, file), "");
    EXPECT_EQ(m.frame.Stroke, 4.0f);
    EXPECT_EQ(m.frame.FulcrumLeverBackSet, 0.375f);
    EXPECT_EQ(m.cyl.ValveExhCavityFrontHalf(), 0.625f);
    EXPECT_EQ(m.pivots[6].x, 7.0f);
    EXPECT_EQ(m.pivots[16].y, 6.5f);
    EXPECT_EQ(m.frame.RevArmToCentNorm, 0.75f);
    EXPECT_EQ(m.lastPlottedPosition, 9.75f);
    EXPECT_EQ(m.view.presets[1].scale, 30.0f);
    EXPECT_EQ(m.reverseArmPositions[1], m.ReverseArmCentre());
    EXPECT_EQ(m.reverseArmPositions[4], 8.5f);
    EXPECT_EQ(m.overlay[2].p1y, -3.5f);
    EXPECT_EQ(m.overlay[0].pivot1, 16);
}
