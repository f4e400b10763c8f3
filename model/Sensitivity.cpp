// Sensitivity of the valve events to the dimensions (see Sensitivity.h).
#include "Sensitivity.h"

#include <algorithm>
#include <cmath>

#include "BalanceMeasure.h"

namespace tarvell {
namespace {

constexpr int kRockingAngleCode = 16;
constexpr double kLengthStep = 0.05;  // units
constexpr double kAngleStep = 0.5;    // degrees

double valueOf(const ValveEvent& e) {
    return e.occurs() ? static_cast<double>(e.value) : NAN;
}

std::array<double, 4> endValues(const EndEvents& end) {
    return {valueOf(end.cutOff), static_cast<double>(end.lead), valueOf(end.release),
            valueOf(end.compression)};
}

// The events at each position of the design with dimension `code` set to `value`, its mid gear
// and positions worked out again.
std::vector<QuantityValues> eventsWith(const Model& m, int code, double value,
                                       const std::vector<BalancePosition>& positions) {
    BalanceRequest request;
    request.vary = {{code, value, value}};
    const double values[] = {value};
    const Model design = balanceCandidate(m, request, values);
    std::vector<QuantityValues> out;
    for (float position : resolveBalancePositions(design, positions)) {
        QuantityValues v;
        v.front.fill(NAN);
        v.rear.fill(NAN);
        if (std::isfinite(position)) {
            const PositionEvents e = valveEvents(design, position);
            if (e.failedSolves == 0) {
                v.front = endValues(e.front);
                v.rear = endValues(e.rear);
            }
        }
        out.push_back(v);
    }
    return out;
}

}  // namespace

std::string_view eventQuantityName(EventQuantity quantity) {
    switch (quantity) {
        case EventQuantity::CutOff:
            return "cutoff";
        case EventQuantity::Lead:
            return "lead";
        case EventQuantity::Release:
            return "release";
        case EventQuantity::Compression:
            break;
    }
    return "compression";
}

std::vector<int> sensitivityCodes() {
    std::vector<int> codes;
    for (const DimensionInfo& d : allDimensions())
        if (varyCodeRefusal(d.code).empty()) codes.push_back(d.code);
    std::sort(codes.begin(), codes.end());
    return codes;
}

double sensitivityStep(int code) {
    return code == kRockingAngleCode ? kAngleStep : kLengthStep;
}

std::vector<SensitivityRow> dimensionSensitivity(const Model& m, int code,
                                                 const std::vector<BalancePosition>& positions,
                                                 double step) {
    const double value = dimensionValue(m, code);
    const std::vector<QuantityValues> up = eventsWith(m, code, value + step, positions);
    const std::vector<QuantityValues> down = eventsWith(m, code, value - step, positions);
    std::vector<SensitivityRow> rows;
    for (std::size_t p = 0; p < positions.size(); ++p) {
        for (std::size_t q = 0; q < kEventQuantities.size(); ++q) {
            const double f = (up[p].front[q] - down[p].front[q]) / (2 * step);
            const double r = (up[p].rear[q] - down[p].rear[q]) / (2 * step);
            rows.push_back({code, p, kEventQuantities[q], f, r, f - r});
        }
    }
    return rows;
}

SensitivityTable sensitivityTable(const Model& m, const std::vector<BalancePosition>& positions) {
    SensitivityTable table;
    table.positions = positions;
    table.resolved = resolveBalancePositions(m, positions);
    LinkageSolver solver(m);
    const int orientation = midGearOrientation(solver);
    for (float position : table.resolved) {
        table.tags.push_back(positionTag(m, position, orientation));
        QuantityValues v;
        v.front.fill(NAN);
        v.rear.fill(NAN);
        if (std::isfinite(position)) {
            const PositionEvents e = valveEvents(m, position);
            v.front = endValues(e.front);
            v.rear = endValues(e.rear);
        }
        table.nominal.push_back(v);
    }
    for (int code : sensitivityCodes())
        for (const SensitivityRow& row :
             dimensionSensitivity(m, code, positions, sensitivityStep(code)))
            table.rows.push_back(row);
    return table;
}

}  // namespace tarvell
