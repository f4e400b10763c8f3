// The settings of the idealised indicator diagram: the pressures the ports admit and exhaust
// at, the index of the trapped steam's expansion and compression, and each end's clearance.
// Part of the program-wide state, never of the data file. No Qt.
#pragma once

#include <string>

namespace tarvell {

struct IndicatorSettings {
    double chestPressure = 115;      // absolute, in any one pressure unit
    double backPressure = 15;        // absolute, in the same unit
    double polytropicIndex = 1.0;    // n of p * V^n = constant while the steam is trapped
    double frontClearancePct = 8.0;  // clearance volume, per cent of the swept volume
    double rearClearancePct = 8.0;
    bool operator==(const IndicatorSettings&) const = default;
};

// What the settings may hold. The clearance has a floor because compression into no volume
// at all would need an infinite pressure; the pressure ceiling only keeps the arithmetic
// finite, whatever the unit.
inline constexpr double kMinPolytropicIndex = 1.0;
inline constexpr double kMaxPolytropicIndex = 1.4;
inline constexpr double kMinClearancePct = 0.1;
inline constexpr double kMaxClearancePct = 100.0;
inline constexpr double kMaxIndicatorPressure = 1e9;

// Why the settings cannot be used, as a sentence naming the value ("the back pressure 120
// is not below the chest pressure 115"); empty when they can. Usable settings have every
// value finite, 0 < chest <= kMaxIndicatorPressure, 0 <= back < chest, n from 1.0 to 1.4
// and each clearance from 0.1 to 100 per cent.
std::string indicatorSettingsProblem(const IndicatorSettings& s);

// The settings made usable, for an analysis that must run whatever it is handed: a value
// that is not finite takes its default; n and the clearances are brought to their nearest
// bound; a chest pressure above the ceiling comes down to it and a negative back pressure up
// to 0; when the chest pressure is still not above 0 or the back pressure not below it, both
// take their defaults. Usable settings come back unchanged.
IndicatorSettings usableIndicatorSettings(IndicatorSettings s);

}  // namespace tarvell
