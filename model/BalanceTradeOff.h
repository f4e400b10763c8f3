// What evening the cut-offs costs in lead: balancing for cut-off and lead together with the
// lead weighted less or more traces the compromises between the two, from even cut-offs with
// uneven leads to even leads with uneven cut-offs. The best of them (none beaten on both
// counts by another) make the trade-off front a designer picks from. No Qt.
#pragma once

#include <span>
#include <vector>

#include "Balance.h"

namespace tarvell {

struct TradeOffPoint {
    double leadWeight = 1;
    BalanceResult result;
    // Over the compared positions of the balanced design, the largest front-minus-rear
    // difference: of cut-off in per cent of the stroke, of lead in length.
    double cutOffSpread = 0, leadSpread = 0;
};

// The lead weights a trade-off sweeps unless told otherwise: from almost ignoring the lead to
// almost ignoring the cut-off.
inline constexpr double kTradeOffWeights[] = {0.05, 0.15, 0.3, 0.5, 0.8, 1.3, 2.5, 6};

// Balances `m` as `request` asks (its objectives made cut-off and lead) once for each weight,
// each search from `m` itself, and returns the front: the points no other point beats on both
// spreads, by cut-off spread from the least. Searches that cannot be had (refused, cancelled,
// a difference missing) are left out. Works on copies of the model.
std::vector<TradeOffPoint> balanceTradeOff(const Model& m, BalanceRequest request,
                                           std::span<const double> weights = kTradeOffWeights,
                                           const BalanceControl& control = {});

}  // namespace tarvell
