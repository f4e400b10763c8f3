// Measuring one design for a balancing search: the design built from chosen dimension values
// (mid gear and the normal and maximum positions recomputed, as closing the frame dialog
// does), the front-minus-rear differences it shows at each compared position, and the one
// number the search makes small. No Qt.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "BalanceRequest.h"

namespace tarvell {

// `base` with each varied dimension set to its value (in request.vary's order), the rocking
// angle brought into [0, 360), then mid gear recomputed and the cut-off read-outs cleared.
Model balanceCandidate(const Model& base, const BalanceRequest& request,
                       std::span<const double> values);

// How differences of unlike events are brought to one scale ("points"): per cents of the
// stroke, and MEP differences in per cent of the mean MEP, count as they are; a lead
// difference counts in per cent of the mean steam port width of the starting design, so a
// lead 4 % of the port apart weighs like cut-offs 4 % of the stroke apart, whatever the
// units the design is drawn in. A die slip counts in per cent of the starting design's
// stroke.
struct BalanceScale {
    double leadPointsPerUnit = 1;
    double dieSlipPointsPerUnit = 1;
    double points(BalanceObjective objective, double difference) const;
};
BalanceScale balanceScale(const Model& start);

// What a missing difference counts as: an event that does not occur, a port that never
// opens, a position whose valve-rod search failed or whose linkage cannot close (a solver
// guard raised the error). Large against any real difference but finite, so the search's
// models of the objective stay usable.
inline constexpr double kMissingPoints = 100.0;

// The leads (steam openings at the dead centres) of the two ends at one position.
struct BalanceLeads {
    float front = 0, rear = 0;
};

struct DesignMeasure {
    // Each compared position resolved on this design, in request.positions' order.
    std::vector<float> positions;
    // The leads at each of them, empty where the events cannot be had.
    std::vector<std::optional<BalanceLeads>> leads;
    // Front minus rear, position by position and within a position objective by objective
    // (index position * objectives + objective), in the event's own unit (per cent of the
    // stroke, length for lead, per cent of the mean MEP for MEP); empty when the difference
    // cannot be had. The die slip objective holds each position's die slip (a length), of
    // which only the greatest counts toward the objective, once.
    std::vector<std::optional<double>> differences;
    // The mean of the front and rear cut-offs at normal forward, when a target is set.
    std::optional<double> targetMean;
    double objective = 0;  // sum of the squared points of every term, missing ones included
    double worst = 0;      // the largest term in points
};

// Where each of `positions` stands on `design` (its own mid gear, normal and maximum
// positions, forward on the side a solve at mid gear gives); NaN for a set entry it lacks.
std::vector<float> resolveBalancePositions(const Model& design,
                                           const std::vector<BalancePosition>& positions);

// Measures `design` (as balanceCandidate gives it). Works on copies: `design` is only read.
DesignMeasure measureDesign(const Model& design, const BalanceRequest& request,
                            const BalanceScale& scale);

}  // namespace tarvell
