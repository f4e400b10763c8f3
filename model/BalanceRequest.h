// What a balancing search is asked to do: which dimensions it may change and how far, which
// front-minus-rear differences it should make small, and at which reverse arm positions.
// Also which dimensions make sense to vary at all. No Qt.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Vari.h"

namespace tarvell {

// What is compared between the front and the rear of the cylinder: a valve event, or the
// mean effective pressure of each end's indicator card (worked out with the design's own
// indicator settings). The die slip is no comparison: the greatest die slip of the compared
// positions is made small. Every switch over this enum names each one.
enum class BalanceObjective { CutOff, Lead, Release, Compression, Mep, DieSlip };

inline constexpr std::array<BalanceObjective, 6> kBalanceObjectives = {
    BalanceObjective::CutOff,      BalanceObjective::Lead, BalanceObjective::Release,
    BalanceObjective::Compression, BalanceObjective::Mep,  BalanceObjective::DieSlip};

// True for the objectives that compare the front with the rear (all but the die slip).
inline bool isFrontMinusRear(BalanceObjective objective) {
    return objective != BalanceObjective::DieSlip;
}

// "cut-off", "lead", "release", "compression", "MEP" or "die slip".
std::string_view balanceObjectiveName(BalanceObjective objective);

// True for the events quoted in per cent of the stroke. Lead and die slip are lengths; the MEP
// difference is in per cent of the mean of the two MEPs (mepDifferencePercent).
bool isPercentOfStroke(BalanceObjective objective);

// A reverse arm position at which events are compared. The named ones are taken from each
// design in turn (its own mid gear and travel), a set entry from the design's position set,
// a running notch found afresh on each design (the position that gives its mean cut-off, see
// Notch.h), and a fixed one stays where it is whatever the design.
struct BalancePosition {
    enum class Kind {
        MidGear,
        NormalForward,
        NormalReverse,
        MaxForward,
        MaxReverse,
        SetEntry,
        Fixed,
        Notch
    };
    Kind kind = Kind::NormalForward;
    int entry = 0;        // SetEntry: 1-9
    float value = 0;      // Fixed: the reverse arm end's X; Notch: the mean cut-off, per cent
    bool forward = true;  // Notch: forward or reverse

    static BalancePosition named(Kind k) { return {k, 0, 0, true}; }
    static BalancePosition setEntry(int n) { return {Kind::SetEntry, n, 0, true}; }
    static BalancePosition fixed(float x) { return {Kind::Fixed, 0, x, true}; }
    static BalancePosition notch(float cutOff, bool forward) {
        return {Kind::Notch, 0, cutOff, forward};
    }
    bool operator==(const BalancePosition&) const = default;
};

// "normal fwd", "normal rev", "max fwd", "max rev", "mid gear", "set 4", "25 % fwd" (a notch),
// or the number.
std::string balancePositionName(const BalancePosition& position);

// Normal forward and reverse: the default.
std::vector<BalancePosition> normalBalancePositions();
// Maximum forward and reverse.
std::vector<BalancePosition> maximumBalancePositions();
// The entries of the design's reverse arm position set (setEntryCount of them).
std::vector<BalancePosition> setBalancePositions(const Model& m);

// The groups of positions a user picks from, as the Balance dialog offers them; the report's
// --reverse-arm words name the same positions (fwd, rev, set, max-fwd, max-rev).
enum class BalancePositionGroup { Normal, NormalForward, NormalReverse, Set, Maximum };
std::vector<BalancePosition> balancePositions(BalancePositionGroup group, const Model& m);

// One dimension the search may change, within [lower, upper].
struct BalanceVariable {
    int code = 0;
    double lower = 0, upper = 0;
};

inline constexpr std::size_t kMaxBalanceVariables = 4;

// Why a dimension code cannot be varied, or empty when it can. Refused: codes that name no
// dimension, the reverse arm's travel (27, 28: it places the positions being compared), and
// dimensions that do not move the valve events (the driver's and the fulcrum's diameters,
// the cylinder bore, piston and valve chamber sizes, which only the drawing uses).
std::string varyCodeRefusal(int code);

// The range a dimension is varied over unless the user says otherwise: its value plus or
// minus 5 per cent, and at least 0.05; the link's rocking angle (16) plus or minus 5 degrees.
BalanceVariable defaultBalanceVariable(int code, double value);

struct BalanceRequest {
    std::vector<BalanceVariable> vary;  // 1 to kMaxBalanceVariables distinct codes
    std::vector<BalanceObjective> objectives{BalanceObjective::CutOff};
    std::vector<BalancePosition> positions = normalBalancePositions();
    // When set, the mean of the front and rear cut-offs at normal forward is drawn to this
    // per cent as well.
    std::optional<double> targetCutOff;
    // Designs the search may measure, the starting one included; 0 for a number that suits
    // the count of dimensions.
    int maxEvaluations = 0;
    // How much a lead difference counts against the others, its points multiplied by this: a
    // sweep of it traces what evening the cut-offs costs in lead (BalanceTradeOff.h).
    double leadWeight = 1;
};

// Empty when `request` can be searched from design `m`, else the reason: a refused or
// repeated code, too many or no dimensions, a range that is empty, not finite or leaves out
// the dimension's present value, nothing to compare, a set entry the set does not hold, a
// target cut-off or a notch's cut-off outside 0-100 per cent.
std::string checkBalanceRequest(const Model& m, const BalanceRequest& request);

}  // namespace tarvell
