// The settings of the indicator diagrams: the pressures the ports admit and exhaust at, the
// index of the trapped steam's expansion and compression, and each end's clearance; for the
// card at speed also the ports' length across the valve face, the units the design's lengths
// and these pressures are in, and whether the valve lifts off its face. Part of the
// program-wide state, never of the data file. No Qt.
#pragma once

#include <string>
#include <string_view>

namespace tarvell {

// The unit the design's dimensions are drawn in, and the unit of the pressures: the idealised
// card needs neither, the card at speed both (steam flows through real areas in real time).
enum class LengthUnit { Inch, Millimetre };
enum class PressureUnit { Psi, Bar, Kilopascal };

// "in" or "mm"; "psi", "bar" or "kPa".
std::string_view lengthUnitName(LengthUnit unit);
std::string_view pressureUnitName(PressureUnit unit);
double metresPer(LengthUnit unit);
double pascalsPer(PressureUnit unit);

struct IndicatorSettings {
    double chestPressure = 115;      // absolute, in pressureUnit
    double backPressure = 15;        // absolute, in the same unit
    double polytropicIndex = 1.0;    // n of p * V^n = constant while the steam is trapped
    double frontClearancePct = 8.0;  // clearance volume, per cent of the swept volume
    double rearClearancePct = 8.0;
    // The card at speed: each port's opening times this is the area steam flows through.
    double portLength = 1.5;  // in lengthUnit
    LengthUnit lengthUnit = LengthUnit::Inch;
    PressureUnit pressureUnit = PressureUnit::Psi;
    // The slide valve lifts off its face, letting steam back to the chest, when the steam
    // trapped in an end rises above chest pressure; off, the trapped steam is held at any
    // pressure (as the idealised card holds it).
    bool valveLifts = true;
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

inline constexpr double kMaxPortLength = 1e6;

// Why the settings cannot be used, as a sentence naming the value ("the back pressure 120
// is not below the chest pressure 115"); empty when they can. Usable settings have every
// value finite, 0 < chest <= kMaxIndicatorPressure, 0 <= back < chest, n from 1.0 to 1.4,
// each clearance from 0.1 to 100 per cent, 0 < port length <= kMaxPortLength and units that
// are among theirs.
std::string indicatorSettingsProblem(const IndicatorSettings& s);

// The settings made usable, for an analysis that must run whatever it is handed: a value
// that is not finite takes its default; n and the clearances are brought to their nearest
// bound; a chest pressure above the ceiling comes down to it and a negative back pressure up
// to 0; when the chest pressure is still not above 0 or the back pressure not below it, both
// take their defaults; a port length not above 0 takes its default, one above the most comes
// down to it; a unit that is none of its kind takes its default. Usable settings come back
// unchanged.
IndicatorSettings usableIndicatorSettings(IndicatorSettings s);

}  // namespace tarvell
