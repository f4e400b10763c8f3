// What a balancing result means for the designer (see BalanceVerdict.h).
#include "BalanceVerdict.h"

#include <cmath>
#include <optional>
#include <tuple>

#include "Numbers.h"
#include "ValveEvents.h"

namespace tarvell {
namespace {

constexpr int kPercentDecimals = 2;
constexpr int kLengthDecimals = 4;

std::string length(double v) {
    return formatFixed(v, 0, kLengthDecimals);
}

// The events at `position`, or nothing where they would be made up (see trustedEvents).
std::optional<PositionEvents> soundEvents(const Model& m, float position) {
    if (!std::isfinite(position)) return std::nullopt;
    PositionEvents e = valveEvents(m, position);
    if (e.failedSolves > 0 || e.errorRaised) return std::nullopt;
    return e;
}

// What one end loses at one position.
void endCosts(std::vector<std::string>& out, const char* end, const std::string& where,
              const EndEvents& before, const EndEvents& after) {
    const std::string port = std::string("the ") + end + " port";
    if (before.admission.status != EventStatus::NeverOpens &&
        after.admission.status == EventStatus::NeverOpens) {
        out.push_back(port + " no longer opens to steam at " + where);
        return;
    }
    if (before.lead >= 0 && after.lead < 0)
        out.push_back(std::string("the ") + end + " lead at " + where + " turns negative, " +
                      length(before.lead) + " to " + length(after.lead));
}

void midGearCosts(std::vector<std::string>& out, const Model& before, const Model& after) {
    const MidGearSummary b = midGearSummary(before), a = midGearSummary(after);
    for (const auto& [end, was, is] : {std::tuple{"front", b.frontLead, a.frontLead},
                                       std::tuple{"rear", b.rearLead, a.rearLead}})
        if (was > 0 && !(is > 0))
            out.push_back(std::string("the ") + end +
                          " port no longer opens at mid gear (greatest opening " + length(was) +
                          " to " + length(is) + ")");
}

}  // namespace

std::vector<std::string> balanceNotes(const BalanceResult& result) {
    std::vector<std::string> out;
    if (result.targetCutOff) {
        const std::string target =
            "the target cut-off of " + formatFixed(*result.targetCutOff, 0, 1) + " %";
        if (!result.targetMeanAfter) {
            out.push_back(target +
                          " is not reached: the mean cut-off at normal forward "
                          "cannot be had");
        } else if (std::fabs(*result.targetMeanAfter - *result.targetCutOff) >
                   kTargetReachedWithin) {
            std::string note = target +
                               " is not reached within these ranges: the mean cut-off at "
                               "normal forward ends at " +
                               formatFixed(*result.targetMeanAfter, 0, kPercentDecimals) + " %";
            if (result.targetMeanBefore)
                note +=
                    " (" + formatFixed(*result.targetMeanBefore, 0, kPercentDecimals) + " before)";
            out.push_back(note);
        }
    }
    for (const DimensionChange& c : result.dimensions) {
        if (c.end == RangeEnd::Inside) continue;
        const DimensionInfo* d = findDimension(c.code);
        const bool upper = c.end == RangeEnd::Upper;
        out.push_back(std::to_string(c.code) + (d ? " " + std::string(d->caption) : "") +
                      " ends on the " + (upper ? "upper" : "lower") + " end of its range, " +
                      length(upper ? c.upper : c.lower) +
                      ": a wider range may let the search go further");
    }
    return out;
}

std::vector<std::string> balanceCosts(const Model& before, const Model& after,
                                      const std::vector<BalancePosition>& compared) {
    // The compared positions and the normal ones, each once.
    const std::vector<BalancePosition> normal = normalBalancePositions();
    std::vector<BalancePosition> positions;
    for (const std::vector<BalancePosition>* list : {&compared, &normal})
        for (const BalancePosition& p : *list) {
            bool seen = false;
            for (const BalancePosition& q : positions) seen = seen || p == q;
            if (!seen) positions.push_back(p);
        }
    const std::vector<float> was = resolveBalancePositions(before, positions);
    const std::vector<float> is = resolveBalancePositions(after, positions);
    std::vector<std::string> out;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const std::optional<PositionEvents> b = soundEvents(before, was[i]);
        const std::optional<PositionEvents> a = soundEvents(after, is[i]);
        if (!b || !a) continue;
        const std::string where = balancePositionName(positions[i]);
        endCosts(out, "front", where, b->front, a->front);
        endCosts(out, "rear", where, b->rear, a->rear);
    }
    midGearCosts(out, before, after);
    return out;
}

}  // namespace tarvell
