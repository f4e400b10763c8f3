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

double leastSingularValue(const std::vector<std::vector<double>>& columns) {
    // The Gram matrix's eigenvalues by Jacobi rotations: a few sweeps settle a 4 x 4.
    const std::size_t n = columns.size();
    if (n == 0) return 0;
    std::array<std::array<double, 4>, 4> g{};
    for (std::size_t i = 0; i < n && i < 4; ++i)
        for (std::size_t j = 0; j < n && j < 4; ++j)
            for (std::size_t r = 0; r < columns[i].size() && r < columns[j].size(); ++r)
                g[i][j] += columns[i][r] * columns[j][r];
    const std::size_t size = std::min<std::size_t>(n, 4);
    for (int sweep = 0; sweep < 50; ++sweep) {
        double off = 0;
        for (std::size_t p = 0; p < size; ++p)
            for (std::size_t q = p + 1; q < size; ++q) off += g[p][q] * g[p][q];
        if (off < 1e-30) break;
        for (std::size_t p = 0; p < size; ++p)
            for (std::size_t q = p + 1; q < size; ++q) {
                if (g[p][q] == 0) continue;
                const double theta = 0.5 * std::atan2(2 * g[p][q], g[q][q] - g[p][p]);
                const double c = std::cos(theta), s = std::sin(theta);
                for (std::size_t k = 0; k < size; ++k) {
                    const double gkp = g[k][p], gkq = g[k][q];
                    g[k][p] = c * gkp - s * gkq;
                    g[k][q] = s * gkp + c * gkq;
                }
                for (std::size_t k = 0; k < size; ++k) {
                    const double gpk = g[p][k], gqk = g[q][k];
                    g[p][k] = c * gpk - s * gqk;
                    g[q][k] = s * gpk + c * gqk;
                }
            }
    }
    double least = g[0][0];
    for (std::size_t i = 1; i < size; ++i) least = std::min(least, g[i][i]);
    return std::sqrt(std::max(0.0, least));
}

std::vector<int> suggestVary(const Model& m, const SensitivityTable& table,
                             const std::vector<EventQuantity>& quantities, std::size_t most) {
    const BalanceScale scale = balanceScale(m);
    // One column per dimension: its effect on each difference over its default range.
    std::vector<int> codes;
    std::vector<std::vector<double>> columns;
    for (const SensitivityRow& row : table.rows) {
        bool wanted = false;
        for (EventQuantity q : quantities) wanted = wanted || q == row.quantity;
        if (!wanted) continue;
        if (codes.empty() || codes.back() != row.code) {
            codes.push_back(row.code);
            columns.emplace_back();
        }
        const BalanceVariable range = defaultBalanceVariable(row.code, dimensionValue(m, row.code));
        const double points = row.quantity == EventQuantity::Lead ? scale.leadPointsPerUnit : 1.0;
        const double effect = row.difference * 0.5 * (range.upper - range.lower) * points;
        columns.back().push_back(std::isfinite(effect) ? effect : 0.0);
    }
    if (columns.size() < 2) return codes;
    const std::size_t targets = columns.front().size();

    std::vector<std::size_t> chosen;
    double best = -1;
    for (std::size_t i = 0; i < columns.size(); ++i)
        for (std::size_t j = i + 1; j < columns.size(); ++j) {
            const double v = leastSingularValue({columns[i], columns[j]});
            if (v > best) best = v, chosen = {i, j};
        }
    while (chosen.size() < std::min(targets, most)) {
        std::size_t pick = columns.size();
        double pickValue = -1;
        for (std::size_t k = 0; k < columns.size(); ++k) {
            if (std::find(chosen.begin(), chosen.end(), k) != chosen.end()) continue;
            std::vector<std::vector<double>> set;
            for (std::size_t c : chosen) set.push_back(columns[c]);
            set.push_back(columns[k]);
            const double v = leastSingularValue(set);
            if (v > pickValue) pickValue = v, pick = k;
        }
        if (pick == columns.size()) break;
        chosen.push_back(pick);
    }
    std::vector<int> out;
    for (std::size_t c : chosen) out.push_back(codes[c]);
    return out;
}

}  // namespace tarvell
