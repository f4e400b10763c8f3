// What a balancing search's result means for the designer, in words shared by the Balance
// dialog and the report: whether a target cut-off was reached, which dimensions ended on an
// end of their ranges, and what the balanced design gives up that the old one had. No Qt.
#pragma once

#include <string>
#include <vector>

#include "Balance.h"

namespace tarvell {

// How near the mean cut-off must come to its target, in per cent of the stroke, for the
// target to count as reached.
inline constexpr double kTargetReachedWithin = 0.1;

// What a result says beyond its figures, one sentence each: a target cut-off not reached
// within the ranges, and each dimension that ended on an end of its range (widening that
// range may let the search go further).
std::vector<std::string> balanceNotes(const BalanceResult& result);

// What `after` gives up against `before`: a lead that goes negative, or a port that no longer
// opens, at each of `compared` and at normal forward and reverse (each resolved on each
// design), and a port that no longer opens at mid gear. One sentence each.
std::vector<std::string> balanceCosts(const Model& before, const Model& after,
                                      const std::vector<BalancePosition>& compared);

}  // namespace tarvell
