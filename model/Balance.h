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

#include "BalanceMeasure.h"
#include "BalanceRequest.h"

namespace tarvell {

// Where a search has got to: reported after every design measured.
struct BalanceProgress {
    int evaluations = 0;         // designs measured so far, the starting one included
    int maxEvaluations = 0;      // the most it will measure
    double sumOfSquares = 0;     // what the search makes small, of the best design so far
    double worstDifference = 0;  // of the same design, in points (see BalanceScale)
};

// How the caller follows and stops a search. Both may be left empty. The progress callback
// runs on the searching thread; the cancel flag is read before every design is measured.
struct BalanceControl {
    std::function<void(const BalanceProgress&)> onProgress;
    const std::atomic<bool>* cancel = nullptr;
};

// A search is judged by what it makes small: the sum of the squared points of every term.
enum class BalanceOutcome {
    Improved,     // the sum of squares came down; `design` holds the new dimensions
    NotImproved,  // nothing the search measured had a smaller sum; `design` is the design given
    Cancelled,    // stopped through the cancel flag; `design` is the design given
    Refused,      // the request cannot be searched (see `reason`); nothing was measured
};

// Where a varied dimension ended within its range: a search that stops on an end of the
// range might have gone further had the range been wider.
enum class RangeEnd { Inside, Lower, Upper };

struct DimensionChange {
    int code = 0;
    float before = 0, after = 0;
    double lower = 0, upper = 0;  // the range searched
    RangeEnd end = RangeEnd::Inside;
};

// One compared difference, front minus rear, in its own unit (per cent of the stroke, length
// for lead, per cent of the mean MEP for MEP); empty where it cannot be had (an event that
// does not occur, say).
struct BalanceDifference {
    BalanceObjective objective = BalanceObjective::CutOff;
    BalancePosition position;
    float positionBefore = 0, positionAfter = 0;  // the reverse arm end's X on each design
    std::optional<double> before, after;
    // The leads at the position on each design, beside the difference they may pay for.
    std::optional<BalanceLeads> leadsBefore, leadsAfter;
};

struct BalanceResult {
    BalanceOutcome outcome = BalanceOutcome::Refused;
    std::string reason;                          // why a request was refused
    std::vector<DimensionChange> dimensions;     // in the request's order
    std::vector<BalanceDifference> differences;  // position by position, objective by objective
    // The target asked for, and the mean cut-off at normal forward on each design.
    std::optional<double> targetCutOff, targetMeanBefore, targetMeanAfter;
    int evaluations = 0;
    // The sum of the squared points of every term, which the search makes small, and the
    // largest term (a difference, or the distance from the target) in points, before and
    // after; the starting design is measured as every other, with its mid gear recomputed.
    double sumBefore = 0, sumAfter = 0;
    double worstBefore = 0, worstAfter = 0;
    // What the balanced design gives up that the design given had (balanceCosts); empty
    // unless the outcome is Improved.
    std::vector<std::string> costs;
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
