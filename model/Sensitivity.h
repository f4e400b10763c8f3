// Which dimension matters: how much each valve event moves per unit change of each dimension
// that moves the valve or the piston, at chosen reverse arm positions. Each changed design has
// its mid gear and its named positions worked out again, as Balance does, so a figure tells
// what a designer would see after changing the dimension and closing the dialog. No Qt.
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "BalanceRequest.h"
#include "ValveEvents.h"

namespace tarvell {

// The events a sensitivity is taken of.
enum class EventQuantity { CutOff, Lead, Release, Compression };
inline constexpr std::array<EventQuantity, 4> kEventQuantities = {
    EventQuantity::CutOff, EventQuantity::Lead, EventQuantity::Release, EventQuantity::Compression};

// "cutoff", "lead", "release" or "compression".
std::string_view eventQuantityName(EventQuantity quantity);

// The dimension codes that move the valve or the piston, in ascending order: those Balance
// may vary (see varyCodeRefusal).
std::vector<int> sensitivityCodes();

// The change made either side of a dimension's value for its central difference: 0.05 units
// for a length, 0.5 degree for the link's rocking angle. The solver's valve-rod search places
// the valve only to about 0.0001 and the events are bisected to 0.01 degree, so a cut-off
// carries a ripple of about 0.005 per cent whatever the step: a step much smaller lets that
// ripple into the quotient, one much larger lets in the events' curvature. This one keeps the
// larger figures to within a per cent or so of what half the step gives.
double sensitivityStep(int code);

// The events of one design at one position, NaN where an event does not occur.
struct QuantityValues {
    std::array<double, 4> front{}, rear{};  // by kEventQuantities' order
};

// One row: the change of an event per unit of the dimension (per degree for an angle), at
// each end and of the front-minus-rear difference; NaN where the event cannot be had on
// either side of the dimension's value.
struct SensitivityRow {
    int code = 0;
    std::size_t position = 0;  // index into the positions compared
    EventQuantity quantity = EventQuantity::CutOff;
    double front = 0, rear = 0, difference = 0;
};

struct SensitivityTable {
    std::vector<BalancePosition> positions;
    std::vector<float> resolved;  // where each stands on the design given
    std::vector<PositionTag> tags;
    std::vector<QuantityValues> nominal;  // the design's own events at each
    // Code by code (sensitivityCodes' order), then position by position, then quantity by
    // quantity.
    std::vector<SensitivityRow> rows;
};

// The rows of one dimension, changed by `step` either side of its value.
std::vector<SensitivityRow> dimensionSensitivity(const Model& m, int code,
                                                 const std::vector<BalancePosition>& positions,
                                                 double step);

// The whole table over sensitivityCodes() with sensitivityStep. Works on copies: `m` is only
// read.
SensitivityTable sensitivityTable(const Model& m, const std::vector<BalancePosition>& positions);

// The dimensions that best control the front-minus-rear differences of `quantities` at the
// table's positions together: each dimension's column of effects taken over its default Balance
// range (defaultBalanceVariable) and a lead in points as Balance counts it, the pair whose
// columns are furthest from moving the differences alike (the greatest least singular value),
// then, while there are more differences than dimensions and fewer than `most`, the dimension
// that raises that value most. Two dimensions that move every difference the same way cannot
// even out two of them, however large their effects. Empty when the table has no finite rows.
std::vector<int> suggestVary(const Model& m, const SensitivityTable& table,
                             const std::vector<EventQuantity>& quantities,
                             std::size_t most = kMaxBalanceVariables);

// The least singular value of a matrix of `rows` rows and up to four columns, held column by
// column (columns[c][r]).
double leastSingularValue(const std::vector<std::vector<double>>& columns);

}  // namespace tarvell
