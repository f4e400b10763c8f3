// The trade-off between even cut-offs and even leads (see BalanceTradeOff.h).
#include "BalanceTradeOff.h"

#include <algorithm>
#include <cmath>

namespace tarvell {
namespace {

// The largest difference of one objective over the positions, or nothing when one is missing.
std::optional<double> spread(const BalanceResult& r, BalanceObjective objective) {
    double most = 0;
    for (const BalanceDifference& d : r.differences) {
        if (d.objective != objective) continue;
        if (!d.after || !std::isfinite(*d.after)) return std::nullopt;
        most = std::max(most, std::fabs(*d.after));
    }
    return most;
}

}  // namespace

std::vector<TradeOffPoint> balanceTradeOff(const Model& m, BalanceRequest request,
                                           std::span<const double> weights,
                                           const BalanceControl& control) {
    request.objectives = {BalanceObjective::CutOff, BalanceObjective::Lead};
    std::vector<TradeOffPoint> points;
    for (double weight : weights) {
        if (control.cancel && control.cancel->load()) break;
        request.leadWeight = weight;
        TradeOffPoint p;
        p.leadWeight = weight;
        p.result = balanceDesign(m, request, control);
        if (p.result.outcome == BalanceOutcome::Refused ||
            p.result.outcome == BalanceOutcome::Cancelled)
            continue;
        const std::optional<double> cutOff = spread(p.result, BalanceObjective::CutOff);
        const std::optional<double> lead = spread(p.result, BalanceObjective::Lead);
        if (!cutOff || !lead) continue;
        p.cutOffSpread = *cutOff;
        p.leadSpread = *lead;
        points.push_back(std::move(p));
    }
    // The front: by cut-off spread, each point kept only when its lead spread is below every
    // kept point's before it.
    std::sort(points.begin(), points.end(), [](const TradeOffPoint& a, const TradeOffPoint& b) {
        return a.cutOffSpread < b.cutOffSpread ||
               (a.cutOffSpread == b.cutOffSpread && a.leadSpread < b.leadSpread);
    });
    std::vector<TradeOffPoint> front;
    for (TradeOffPoint& p : points)
        if (front.empty() || p.leadSpread < front.back().leadSpread) front.push_back(std::move(p));
    return front;
}

}  // namespace tarvell
