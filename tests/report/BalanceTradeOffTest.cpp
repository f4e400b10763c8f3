// The trade-off between even cut-offs and even leads at the running notch: weighting the lead
// lightly evens the cut-offs and leaves the leads apart, weighting it heavily the reverse, and
// the front keeps only the compromises no other beats on both counts.
#include <gtest/gtest.h>

#include "BalanceTradeOff.h"
#include "TestModel.h"

using namespace tarvell;

TEST(BalanceTradeOff, RunsFromEvenCutOffsToEvenLeads) {
    const Model start = test::startedModel();
    BalanceRequest r;
    for (int code : {11, 9})
        r.vary.push_back(defaultBalanceVariable(code, dimensionValue(start, code)));
    r.positions = {BalancePosition::notch(25, true), BalancePosition::notch(25, false)};
    const double weights[] = {0.02, 1, 50};
    const std::vector<TradeOffPoint> front = balanceTradeOff(start, r, weights);
    ASSERT_GE(front.size(), 2u);
    for (std::size_t i = 1; i < front.size(); ++i) {
        EXPECT_GT(front[i].cutOffSpread, front[i - 1].cutOffSpread);
        EXPECT_LT(front[i].leadSpread, front[i - 1].leadSpread);
    }
    // The default gear at 25 %: its cut-offs lie 4.07 % apart forward; the lead almost
    // ignored, the search evens them (as a cut-off balance alone does, to a few tenths) ...
    EXPECT_LT(front.front().cutOffSpread, 0.5);
    EXPECT_NEAR(front.front().leadWeight, 0.02, 1e-12);
    // ... the lead weighted heavily, the leads come within a thousandth and the cut-offs part.
    EXPECT_LT(front.back().leadSpread, 0.0015);
    EXPECT_GT(front.back().cutOffSpread, 1.0);
    for (const TradeOffPoint& p : front) {
        EXPECT_EQ(p.result.differences.size(), 4u);  // two notches, cut-off and lead at each
        EXPECT_NE(p.result.outcome, BalanceOutcome::Refused);
    }

    r.leadWeight = 0;
    EXPECT_EQ(checkBalanceRequest(start, r), "the weight of the lead must be a number above 0");
}
