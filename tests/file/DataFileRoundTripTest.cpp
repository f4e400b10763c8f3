// Saving and opening again gives back every stored value bit for bit, apart from what the
// opening recomputes (mid gear and the valve stem line).
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "DataFileBytes.h"

using namespace tarvell;
using namespace tarvell::test;

namespace {

// Every single-precision value the file stores, by name; listed here independently of the
// codec's record table. Pivot 18 X and reverse arm positions 1-3 are left out: opening
// recomputes them.
void forEachStoredFloat(Model& m, const std::function<void(const std::string&, float&)>& f) {
    for (const DimensionInfo& d : allDimensions())
        f("code " + std::to_string(d.code), dimensionRef(m, d));
    f("spare cylinder slot", m.cyl.SpareSlot());
    f("pivot 10 x", m.pivots[10].x);
    f("pivot 10 y", m.pivots[10].y);
    f("pivot 17 x", m.pivots[17].x);
    f("pivot 17 y", m.pivots[17].y);
    f("view scale", m.view.current.scale);
    f("view ox", m.view.current.ox);
    f("view oy", m.view.current.oy);
    f("graphic zoom", m.view.graphicZoom);
    f("reverse arm position", m.gear.ReverseArmPosition);
    f("last plotted", m.lastPlottedPosition);
    f("vertical scale", m.VerticalScale);
    for (std::size_t s = 0; s < m.view.presets.size(); ++s) {
        f("preset " + std::to_string(s) + " scale", m.view.presets[s].scale);
        f("preset " + std::to_string(s) + " ox", m.view.presets[s].ox);
        f("preset " + std::to_string(s) + " oy", m.view.presets[s].oy);
    }
    for (std::size_t k = 4; k <= 9; ++k)
        f("reverse arm position " + std::to_string(k), m.reverseArmPositions[k]);
    for (std::size_t i = 0; i < m.overlay.size(); ++i) {
        OverlayItem& o = m.overlay[i];
        const std::string item = "item " + std::to_string(i + 1) + " ";
        f(item + "p1x", o.p1x);
        f(item + "p1y", o.p1y);
        f(item + "p2x", o.p2x);
        f(item + "p2y", o.p2y);
        f(item + "ref1x", o.ref1x);
        f(item + "ref1y", o.ref1y);
        f(item + "ref2x", o.ref2x);
        f(item + "ref2y", o.ref2y);
    }
}

// A model with every stored value changed: distinct quarter steps (exact in single
// precision), the overlay numbers inside their ranges, and a consistent valve stem line.
Model everythingChanged() {
    Model m = startedModel();
    float next = 0.75f;
    forEachStoredFloat(m, [&](const std::string&, float& v) {
        v = next;
        next += 0.25f;
    });
    for (int i = 0; i < 20; ++i) {
        OverlayItem& o = m.overlay[static_cast<std::size_t>(i)];
        o.type = i % 3 - 1;
        o.colour = i % 7 - 1;
        o.refMode = i % 5 - 1;
        o.pivot1 = i + 1;
        o.pivot2 = 26 - i;
    }
    m.currentOverlayItem = 13;
    updateValveStemLine(m);
    return m;
}

}  // namespace

TEST(DataFileRoundTrip, EveryStoredValueComesBackBitForBit) {
    Model saved = everythingChanged();
    ASSERT_LT(saved.frame.LinkRockingAngleDeg, 360.0f);  // kept in range, as the program does
    const Bytes file = encodeDataFile(saved);

    Model opened = startedModel();
    ASSERT_EQ(openInto(opened, file), "");

    std::vector<std::pair<std::string, float>> expected;
    forEachStoredFloat(saved,
                       [&](const std::string& name, float& v) { expected.emplace_back(name, v); });
    std::size_t n = 0;
    forEachStoredFloat(opened, [&](const std::string& name, float& v) {
        EXPECT_EQ(bitsOf(v), bitsOf(expected[n].second)) << name;
        ++n;
    });
    EXPECT_EQ(n, expected.size());
    EXPECT_EQ(n, 49u + 1 + 4 + 7 + 21 + 6 + 160);
    for (std::size_t i = 0; i < 20; ++i) {
        EXPECT_EQ(opened.overlay[i].type, saved.overlay[i].type) << i;
        EXPECT_EQ(opened.overlay[i].colour, saved.overlay[i].colour) << i;
        EXPECT_EQ(opened.overlay[i].refMode, saved.overlay[i].refMode) << i;
        EXPECT_EQ(opened.overlay[i].pivot1, saved.overlay[i].pivot1) << i;
        EXPECT_EQ(opened.overlay[i].pivot2, saved.overlay[i].pivot2) << i;
    }
    EXPECT_EQ(opened.currentOverlayItem, 13);
    EXPECT_EQ(bitsOf(opened.pivots[4].y), bitsOf(saved.pivots[4].y));

    // Mid gear recomputed from the opened dimensions: positions 1-3 follow the centre.
    const float c = opened.ReverseArmCentre();
    EXPECT_EQ(opened.reverseArmPositions[1], c);
    EXPECT_EQ(opened.reverseArmPositions[2], c + saved.frame.RevArmToCentNorm);
    EXPECT_EQ(opened.reverseArmPositions[3], c - saved.frame.RevArmToCentNorm);
    EXPECT_EQ(opened.pivots[18].x, c);
}

TEST(DataFileRoundTrip, SavingTheOpenedSetGivesTheSameFile) {
    // Apart from the recomputed mid gear, the file of an opened set equals the original.
    const Bytes first = encodeDataFile(everythingChanged());
    Model opened = startedModel();
    ASSERT_EQ(openInto(opened, first), "");
    const Bytes second = encodeDataFile(opened);
    ASSERT_EQ(second.size(), first.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        const bool recomputed = (i >= offsetOf(13, 2) && i < offsetOf(13, 3)) ||  // pivot 18 X
                                (i >= offsetOf(18, 2) && i < offsetOf(18, 5));    // positions 1-3
        if (!recomputed) {
            EXPECT_EQ(first[i], second[i]) << "byte " << i;
        }
    }
}

TEST(DataFileRoundTrip, DefaultSetOpensUnchanged) {
    const Model fresh = startedModel();
    Model opened = startedModel();
    opened.DataSetName = "Other";
    ASSERT_EQ(openInto(opened, encodeDataFile(fresh)), "");
    EXPECT_EQ(encodeDataFile(opened), encodeDataFile(fresh));
    EXPECT_EQ(opened.DataSetName, "Other");  // the name is the caller's to set
}
