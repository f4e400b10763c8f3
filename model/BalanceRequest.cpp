// What a balancing search is asked to do (see BalanceRequest.h).
#include "BalanceRequest.h"

#include <algorithm>
#include <cmath>

#include "Csv.h"
#include "Notch.h"
#include "ValveEventsTable.h"

namespace tarvell {
namespace {

// Dimensions the solver and the port openings never read: changing them redraws the engine
// but leaves every valve event where it was, so a search over them could only stand still.
constexpr int kDrawingOnlyCodes[] = {1, 10, 103, 104, 105, 106, 107, 108, 115, 116, 117};

constexpr double kDefaultShare = 0.05;     // of the dimension's value, either way
constexpr double kLeastHalfRange = 0.05;   // units
constexpr double kRockingHalfRange = 5.0;  // degrees
constexpr int kRockingAngleCode = 16;

std::string codeText(int code) {
    const DimensionInfo* d = findDimension(code);
    std::string text = "code " + std::to_string(code);
    if (d) text += " (" + std::string(d->field) + ")";
    return text;
}

}  // namespace

std::string_view balanceObjectiveName(BalanceObjective objective) {
    switch (objective) {
        case BalanceObjective::CutOff:
            return "cut-off";
        case BalanceObjective::Lead:
            return "lead";
        case BalanceObjective::Release:
            return "release";
        case BalanceObjective::Compression:
            return "compression";
        case BalanceObjective::DieSlip:
            return "die slip";
        case BalanceObjective::Mep:
            break;
    }
    return "MEP";
}

bool isPercentOfStroke(BalanceObjective objective) {
    return objective != BalanceObjective::Lead && objective != BalanceObjective::Mep &&
           objective != BalanceObjective::DieSlip;
}

std::string balancePositionName(const BalancePosition& position) {
    using Kind = BalancePosition::Kind;
    switch (position.kind) {
        case Kind::MidGear:
            return "mid gear";
        case Kind::NormalForward:
            return "normal fwd";
        case Kind::NormalReverse:
            return "normal rev";
        case Kind::MaxForward:
            return "max fwd";
        case Kind::MaxReverse:
            return "max rev";
        case Kind::SetEntry:
            return "set " + std::to_string(position.entry);
        case Kind::Notch:
            return notchName({position.value, position.forward});
        case Kind::Fixed:
            break;
    }
    return CsvWriter::number(position.value);
}

std::vector<BalancePosition> normalBalancePositions() {
    return {BalancePosition::named(BalancePosition::Kind::NormalForward),
            BalancePosition::named(BalancePosition::Kind::NormalReverse)};
}

std::vector<BalancePosition> maximumBalancePositions() {
    return {BalancePosition::named(BalancePosition::Kind::MaxForward),
            BalancePosition::named(BalancePosition::Kind::MaxReverse)};
}

std::vector<BalancePosition> setBalancePositions(const Model& m) {
    std::vector<BalancePosition> out;
    for (int n = 1; n <= setEntryCount(m); ++n) out.push_back(BalancePosition::setEntry(n));
    return out;
}

std::vector<BalancePosition> balancePositions(BalancePositionGroup group, const Model& m) {
    using Kind = BalancePosition::Kind;
    switch (group) {
        case BalancePositionGroup::Normal:
            return normalBalancePositions();
        case BalancePositionGroup::NormalForward:
            return {BalancePosition::named(Kind::NormalForward)};
        case BalancePositionGroup::NormalReverse:
            return {BalancePosition::named(Kind::NormalReverse)};
        case BalancePositionGroup::Set:
            return setBalancePositions(m);
        case BalancePositionGroup::Maximum:
            break;
    }
    return maximumBalancePositions();
}

std::string varyCodeRefusal(int code) {
    if (!findDimension(code)) return "code " + std::to_string(code) + " names no dimension";
    if (code == 27 || code == 28)
        return codeText(code) +
               " sets the reverse arm's travel, which places the positions being compared";
    if (std::find(std::begin(kDrawingOnlyCodes), std::end(kDrawingOnlyCodes), code) !=
        std::end(kDrawingOnlyCodes))
        return codeText(code) + " does not move the valve events";
    return {};
}

BalanceVariable defaultBalanceVariable(int code, double value) {
    const double half = code == kRockingAngleCode
                            ? kRockingHalfRange
                            : std::max(kDefaultShare * std::fabs(value), kLeastHalfRange);
    return {code, value - half, value + half};
}

std::string checkBalanceRequest(const Model& m, const BalanceRequest& request) {
    if (request.vary.empty()) return "no dimension to vary";
    if (request.vary.size() > kMaxBalanceVariables)
        return "at most " + std::to_string(kMaxBalanceVariables) + " dimensions may be varied";
    for (std::size_t i = 0; i < request.vary.size(); ++i) {
        const BalanceVariable& v = request.vary[i];
        if (std::string refusal = varyCodeRefusal(v.code); !refusal.empty()) return refusal;
        for (std::size_t j = 0; j < i; ++j)
            if (request.vary[j].code == v.code) return codeText(v.code) + " is named twice";
        const double value = dimensionValue(m, v.code);
        if (!std::isfinite(v.lower) || !std::isfinite(v.upper) || !(v.lower < v.upper))
            return "the range of " + codeText(v.code) + " is empty or not a number";
        if (!(v.lower <= value && value <= v.upper))
            return "the range of " + codeText(v.code) + " leaves out its present value " +
                   CsvWriter::number(value);
    }
    if (request.objectives.empty() && !request.targetCutOff) return "nothing to make equal";
    if (!request.objectives.empty() && request.positions.empty())
        return "no reverse arm position to compare at";
    for (const BalancePosition& p : request.positions) {
        if (p.kind == BalancePosition::Kind::SetEntry &&
            (p.entry < 1 || p.entry > 9 ||
             m.reverseArmPositions[static_cast<std::size_t>(p.entry)] == 0.0f))
            return "the reverse arm position set holds no entry " + std::to_string(p.entry);
        if (p.kind == BalancePosition::Kind::Fixed && !std::isfinite(p.value))
            return "a reverse arm position is not a number";
        if (p.kind == BalancePosition::Kind::Notch && !(p.value > 0 && p.value < 100))
            return "the cut-off of a notch must lie between 0 and 100 per cent";
    }
    if (request.targetCutOff && !(*request.targetCutOff > 0 && *request.targetCutOff < 100))
        return "the target cut-off must lie between 0 and 100 per cent";
    if (request.maxEvaluations < 0) return "the number of evaluations cannot be negative";
    if (!(request.leadWeight > 0 && request.leadWeight < 1e6))
        return "the weight of the lead must be a number above 0";
    return {};
}

}  // namespace tarvell
