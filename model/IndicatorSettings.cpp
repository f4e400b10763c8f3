// The indicator diagram's settings (see IndicatorSettings.h).
#include "IndicatorSettings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

namespace tarvell {
namespace {

// A value as a sentence names it: "115", "0.05", "1e+12".
std::string text(double v) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 6);
    return std::string(buf, res.ptr);
}

bool within(double v, double least, double most) {
    return v >= least && v <= most;  // false for NaN
}

bool known(LengthUnit unit) {
    return unit == LengthUnit::Inch || unit == LengthUnit::Millimetre;
}

bool known(PressureUnit unit) {
    return unit == PressureUnit::Psi || unit == PressureUnit::Bar ||
           unit == PressureUnit::Kilopascal;
}

}  // namespace

std::string_view lengthUnitName(LengthUnit unit) {
    return unit == LengthUnit::Millimetre ? "mm" : "in";
}

std::string_view pressureUnitName(PressureUnit unit) {
    switch (unit) {
        case PressureUnit::Bar:
            return "bar";
        case PressureUnit::Kilopascal:
            return "kPa";
        case PressureUnit::Psi:
            break;
    }
    return "psi";
}

double metresPer(LengthUnit unit) {
    return unit == LengthUnit::Millimetre ? 0.001 : 0.0254;
}

double pascalsPer(PressureUnit unit) {
    switch (unit) {
        case PressureUnit::Bar:
            return 1e5;
        case PressureUnit::Kilopascal:
            return 1e3;
        case PressureUnit::Psi:
            break;
    }
    return 0.45359237 * 9.80665 / (0.0254 * 0.0254);  // a pound-force on a square inch
}

std::string indicatorSettingsProblem(const IndicatorSettings& s) {
    const double chest = s.chestPressure, back = s.backPressure, n = s.polytropicIndex;
    if (!std::isfinite(chest)) return "the chest pressure is not a number";
    if (!(chest > 0)) return "the chest pressure " + text(chest) + " is not above 0";
    if (chest > kMaxIndicatorPressure)
        return "the chest pressure " + text(chest) + " is above " + text(kMaxIndicatorPressure);
    if (!std::isfinite(back)) return "the back pressure is not a number";
    if (back < 0) return "the back pressure " + text(back) + " is below 0";
    if (!(back < chest))
        return "the back pressure " + text(back) + " is not below the chest pressure " +
               text(chest);
    if (!within(n, kMinPolytropicIndex, kMaxPolytropicIndex))
        return "the index n " + text(n) + " lies outside 1.0 to 1.4";
    for (const auto& [end, pct] :
         {std::pair{"front", s.frontClearancePct}, std::pair{"rear", s.rearClearancePct}})
        if (!within(pct, kMinClearancePct, kMaxClearancePct))
            return std::string("the ") + end + " clearance " + text(pct) +
                   " lies outside 0.1 to 100 per cent";
    if (!std::isfinite(s.portLength)) return "the port length is not a number";
    if (!(s.portLength > 0 && s.portLength <= kMaxPortLength))
        return "the port length " + text(s.portLength) + " lies outside 0 to " +
               text(kMaxPortLength);
    if (!known(s.lengthUnit)) return "the unit of length is none of inches and millimetres";
    if (!known(s.pressureUnit)) return "the unit of pressure is none of psi, bar and kPa";
    return {};
}

IndicatorSettings usableIndicatorSettings(IndicatorSettings s) {
    const IndicatorSettings defaults;
    auto finiteOr = [](double& v, double fallback) {
        if (!std::isfinite(v)) v = fallback;
    };
    finiteOr(s.chestPressure, defaults.chestPressure);
    finiteOr(s.backPressure, defaults.backPressure);
    finiteOr(s.polytropicIndex, defaults.polytropicIndex);
    finiteOr(s.frontClearancePct, defaults.frontClearancePct);
    finiteOr(s.rearClearancePct, defaults.rearClearancePct);
    s.polytropicIndex = std::clamp(s.polytropicIndex, kMinPolytropicIndex, kMaxPolytropicIndex);
    s.frontClearancePct = std::clamp(s.frontClearancePct, kMinClearancePct, kMaxClearancePct);
    s.rearClearancePct = std::clamp(s.rearClearancePct, kMinClearancePct, kMaxClearancePct);
    s.chestPressure = std::min(s.chestPressure, kMaxIndicatorPressure);
    s.backPressure = std::max(s.backPressure, 0.0);
    if (!(s.chestPressure > 0) || !(s.backPressure < s.chestPressure)) {
        s.chestPressure = defaults.chestPressure;
        s.backPressure = defaults.backPressure;
    }
    if (!(s.portLength > 0)) s.portLength = defaults.portLength;  // NaN too
    s.portLength = std::min(s.portLength, kMaxPortLength);
    if (!known(s.lengthUnit)) s.lengthUnit = defaults.lengthUnit;
    if (!known(s.pressureUnit)) s.pressureUnit = defaults.pressureUnit;
    return s;
}

}  // namespace tarvell
