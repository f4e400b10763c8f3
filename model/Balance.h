// Balancing a design: a bounded derivative-free search over up to four dimensions that makes
// the chosen valve events come out the same at the front and the rear of the cylinder. It
// works on its own copies of the model and keeps no state between calls, so a dialog may run
// it on a worker thread and report its progress. No Qt.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "BalanceRequest.h"

namespace tarvell {

// Where a search has got to: reported after every design measured.
struct BalanceProgress {
    int evaluations = 0;         // designs measured so far, the starting one included
    int maxEvaluations = 0;      // the most it will measure
    double worstDifference = 0;  // of the best design so far, in points (see BalanceScale)
};

// How the caller follows and stops a search. Both may be left empty. The progress callback
// runs on the searching thread; the cancel flag is read before every design is measured.
struct BalanceControl {
    std::function<void(const BalanceProgress&)> onProgress;
    const std::atomic<bool>* cancel = nullptr;
};

enum class BalanceOutcome {
    Improved,     // the worst difference came down; `design` holds the new dimensions
    NotImproved,  // nothing the search measured was better; `design` is the design given
    Cancelled,    // stopped through the cancel flag; `design` is the design given
    Refused,      // the request cannot be searched (see `reason`); nothing was measured
};

struct DimensionChange {
    int code = 0;
    float before = 0, after = 0;
    double lower = 0, upper = 0;  // the range searched
};

// One compared difference, front minus rear, in its own unit (per cent of the stroke, length
// for lead, per cent of the mean MEP for MEP); empty where it cannot be had (an event that
// does not occur, say).
struct BalanceDifference {
    BalanceObjective objective = BalanceObjective::CutOff;
    BalancePosition position;
    float positionBefore = 0, positionAfter = 0;  // the reverse arm end's X on each design
    std::optional<double> before, after;
};

struct BalanceResult {
    BalanceOutcome outcome = BalanceOutcome::Refused;
    std::string reason;                          // why a request was refused
    std::vector<DimensionChange> dimensions;     // in the request's order
    std::vector<BalanceDifference> differences;  // position by position, objective by objective
    // The mean cut-off at normal forward, when a target was asked for.
    std::optional<double> targetMeanBefore, targetMeanAfter;
    int evaluations = 0;
    // The largest difference (or distance from the target) in points, before and after; the
    // starting design is measured as every other, with its mid gear recomputed.
    double worstBefore = 0, worstAfter = 0;
    // The balanced design, mid gear and normal positions recomputed; the design given,
    // untouched, unless the outcome is Improved.
    Model design;

    bool improved() const { return outcome == BalanceOutcome::Improved; }
};

// Searches the dimensions of request.vary within their ranges for the design whose chosen
// differences are smallest (least sum of squared points). The design given is only read.
BalanceResult balanceDesign(const Model& m, const BalanceRequest& request,
                            const BalanceControl& control = {});

// Default search size: 40 designs for each dimension varied, and 30 more.
int defaultBalanceEvaluations(std::size_t dimensions);

}  // namespace tarvell
