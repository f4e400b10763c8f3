// Balancing at a running notch: the notch's position is found afresh on every design the
// search measures, so the balanced design gives the notch's cut-off at its own notch position
// and its cut-offs are more even there than the starting design's at its own.
#include <gtest/gtest.h>

#include <cmath>

#include "Balance.h"
#include "Notch.h"
#include "TestModel.h"

using namespace tarvell;

namespace {

// Front minus rear cut-off at the design's own notch, mid gear recomputed.
double cutOffDifferenceAtNotch(Model m, const Notch& notch, float* position = nullptr) {
    CalcMidGear(m);
    const NotchPosition n = findNotch(m, notch);
    EXPECT_TRUE(n.found) << n.reason;
    if (position) *position = n.position;
    return static_cast<double>(n.events.front.cutOff.value) - n.events.rear.cutOff.value;
}

}  // namespace

TEST(BalanceAtANotch, EvensTheCutOffsWhereTheGearRuns) {
    const Model start = test::startedModel();
    BalanceRequest r;
    for (int code : {11, 9})
        r.vary.push_back(defaultBalanceVariable(code, dimensionValue(start, code)));
    r.positions = {BalancePosition::notch(25, true), BalancePosition::notch(25, false)};
    EXPECT_EQ(balancePositionName(r.positions[0]), "25 % fwd");
    EXPECT_EQ(balancePositionName(r.positions[1]), "25 % rev");
    ASSERT_EQ(checkBalanceRequest(start, r), "");

    const BalanceResult result = balanceDesign(start, r);
    ASSERT_TRUE(result.improved()) << result.reason;
    ASSERT_EQ(result.differences.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const BalanceDifference& d = result.differences[i];
        const Notch notch{25, i == 0};
        float before = 0, after = 0;
        const double differenceBefore = cutOffDifferenceAtNotch(start, notch, &before);
        const double differenceAfter = cutOffDifferenceAtNotch(result.design, notch, &after);
        // Each design compared at its own notch position, which moved with the design.
        EXPECT_EQ(d.positionBefore, before);
        EXPECT_EQ(d.positionAfter, after);
        EXPECT_NE(before, after);
        ASSERT_TRUE(d.before && d.after);
        EXPECT_NEAR(*d.before, differenceBefore, 1e-6);
        EXPECT_NEAR(*d.after, differenceAfter, 1e-6);
    }
    EXPECT_LT(result.worstAfter, result.worstBefore);
    EXPECT_LT(std::fabs(*result.differences[0].after), std::fabs(*result.differences[0].before));
}

TEST(BalanceAtANotch, RefusesACutOffOutsideTheStroke) {
    const Model start = test::startedModel();
    BalanceRequest r;
    r.vary.push_back(defaultBalanceVariable(11, dimensionValue(start, 11)));
    for (float cutOff : {0.0f, 100.0f, NAN}) {
        r.positions = {BalancePosition::notch(cutOff, true)};
        EXPECT_EQ(checkBalanceRequest(start, r),
                  "the cut-off of a notch must lie between 0 and 100 per cent");
    }
}
