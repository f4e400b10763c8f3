// The indicator card at speed: each end of the cylinder a volume of steam filled and emptied
// through its port openings in real time, so that a narrow opening throttles the admission
// and the exhaust (wire-drawing) and the card grows thinner as the engine runs faster. The
// idealised card (Indicator.h) is its limit as the speed tends to zero. At a long cut-off and
// a modest speed this card may show more work than the idealised one, which drops to back
// pressure the instant the exhaust opens: here the steam blows down over some degrees and
// goes on pushing the piston to the dead centre (the card's toe). No Qt.
//
// The steam is an ideal gas of kSteamGamma; the chest's steam is dry saturated at chest
// pressure. Each port is an orifice of kPortDischargeCoefficient times its open area (its
// opening as PortAreas.h gives it, times the ports' length across the valve face), the flow
// through it compressible and choked below the critical pressure ratio. The walls exchange heat
// with the steam so that steam shut in follows the settings' p V^n, as on the idealised card.
// When the steam in an end rises above chest pressure (steam shut in and compressed, as a
// rule) the valve lifts off its face and lets it back to the chest (unless the settings say it
// does not): the end's pressure never passes the chest's. The turn is integrated with
// Boost.Odeint's Rosenbrock method (the flows through wide ports are stiff at low speeds) from
// the exhaust's steam, turn after turn until a turn ends where it began.
#pragma once

#include <string>

#include "Indicator.h"

namespace tarvell {

inline constexpr double kSteamGamma = 1.3;          // superheated steam's ratio of heats
inline constexpr double kSteamGasConstant = 461.5;  // J / (kg K)
inline constexpr double kPortDischargeCoefficient = 0.8;

// The saturation temperature of water in kelvin at a pressure in pascals (the IAPWS-IF97
// backward equation), the pressure held to 611.213 Pa - 22.064 MPa.
double saturationTemperature(double pascals);

// Speeds outside this range are refused.
inline constexpr double kLeastCardSpeed = 1e-3, kMostCardSpeed = 1e5;  // rpm

// What one end's card at speed gives besides the card itself.
struct ThrottledEnd {
    // The card (pressure in the settings' unit against the piston's place) in running order,
    // closing where it started, with its MEP, its work, the first cut-off while the volume
    // grows and the pressure when the exhaust next opens, over the last (settled) turn.
    IndicatorCard card;
    // Steam over that turn, kg: what came in (through the steam port and back through the
    // exhaust), what went out (to the exhaust and back to the chest), and of that what left
    // past the lifted valve.
    double steamIn = 0, steamOut = 0, lifted = 0;
    double leastPressure = 0, greatestPressure = 0;  // over that turn, in the settings' unit
};

struct ThrottledIndicatorResult {
    std::string problem;  // why no card was worked out (a speed out of range); else empty
    float position = 0;
    PositionTag tag = PositionTag::Cen;
    bool forward = true;
    IndicatorSettings settings;  // as used (made usable)
    double speedRpm = 0;
    double chestTemperature = 0;  // K
    ThrottledEnd front, rear;
    double differencePct = kNoFigure;  // mepDifferencePercent(front, rear)
    int turns = 0;                     // turns run, the last one settled unless `settled` is false
    bool settled = false;
    int solves = 0;
    SolverFindings findings;
};

// Turns run at most before giving up on settling.
inline constexpr int kMostCardTurns = 40;

// The cards at speed at reverse arm `position`, run the way its side runs (as the idealised
// card is), the driver turning at `speedRpm`. The valve is solved at every degree of the turn
// and taken between by a cubic through those; each port edge's opening and closing is found on
// that and integrated up to exactly. The cards are drawn at `samplesPerTurn` places (36 to
// 3600) and at the events. Settings are made usable first. Works on the model as given, which
// it leaves as it was.
ThrottledIndicatorResult throttledIndicatorDiagram(const Model& m, float position,
                                                   const IndicatorSettings& settings,
                                                   double speedRpm,
                                                   int samplesPerTurn = kIndicatorSamplesPerTurn);

}  // namespace tarvell
