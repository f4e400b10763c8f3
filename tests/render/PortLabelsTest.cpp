// The oval diagram's port line labels: each beside its own line, none over another.
#include <gtest/gtest.h>

#include "PortLabels.h"

using namespace tarvell;

namespace {

bool overlap(LabelPlace a, int aw, LabelPlace b, int bw) {
    return a.x < b.x + bw && b.x < a.x + aw && a.y < b.y + kPortLabelHeight &&
           b.y < a.y + kPortLabelHeight;
}

void expectApart(const std::array<PortLabel, 6>& labels, const std::array<LabelPlace, 6>& at) {
    for (std::size_t i = 0; i < 6; ++i)
        for (std::size_t j = i + 1; j < 6; ++j)
            EXPECT_FALSE(overlap(at[i], labels[i].width, at[j], labels[j].width)) << i << " " << j;
}

}  // namespace

TEST(PortLabelsTest, LinesFarApartKeepEveryLabelOnItsOwnSide) {
    const std::array<PortLabel, 6> labels = {{{100, 120, true},
                                              {60, 115, false},
                                              {180, 130, false},
                                              {250, 120, false},
                                              {330, 115, true},
                                              {220, 125, true}}};
    const auto at = placePortLabels(labels, 48);
    EXPECT_EQ(at[0].y, 84);  // 16 above its line
    EXPECT_EQ(at[1].y, 61);  // 1 below
    EXPECT_EQ(at[4].y, 314);
    for (const LabelPlace& p : at) EXPECT_EQ(p.x, 48);
    expectApart(labels, at);
}

TEST(PortLabelsTest, CloseLinesTakeTheirFreeSidesThenASecondColumn) {
    // Lines 20 pixels apart, as at a large vertical scale: the second label turns to the
    // other side of its line.
    std::array<PortLabel, 6> labels = {{{222, 120, true},
                                        {199, 115, false},
                                        {243, 130, false},
                                        {264, 120, false},
                                        {287, 115, true},
                                        {243, 125, true}}};
    auto at = placePortLabels(labels, 48);
    EXPECT_EQ(at[1].y, 183);  // above its line, clear of the first label (206-219)
    expectApart(labels, at);
    // Without exhaust clearance both exhaust lines lie on the zero line, and with every line
    // on it the labels still never overprint.
    for (PortLabel& l : labels) l.lineY = 215;
    at = placePortLabels(labels, 48);
    EXPECT_EQ(at[0].x, 48);
    EXPECT_EQ(at[2].x, 48 + 130 + 10);  // both sides of the first column taken
    expectApart(labels, at);
}
