// The idealised indicator diagram of each cylinder end at one reverse arm position: the
// pressure in the end against the piston's place over a turn, as the port openings decide
// it, and the mean effective pressure (MEP) it gives. Each end holds chest pressure while
// its steam port is open, else back pressure while its exhaust port is open, else its steam
// is trapped and p * V^n stays as it was when the last port closed. Pressure changes at the
// events are instantaneous; there is no wire-drawing and no condensation. No Qt.
#pragma once

#include <limits>
#include <span>
#include <string_view>
#include <vector>

#include "IndicatorSettings.h"
#include "Sweep.h"
#include "ValveEvents.h"
#include "Vari.h"

namespace tarvell {

enum class CylinderEnd { Front, Rear };

// What feeds one end of the cylinder.
enum class CardPhase {
    Steam,    // the steam port is open: chest pressure
    Exhaust,  // only the exhaust port is open: back pressure
    Trapped,  // both ports shut: p * V^n constant
};

// The phase of an end with these openings: steam takes precedence over exhaust.
inline CardPhase cardPhase(float steamOpening, float exhaustOpening) {
    if (steamOpening > 0) return CardPhase::Steam;
    return exhaustOpening > 0 ? CardPhase::Exhaust : CardPhase::Trapped;
}

// "steam", "exhaust" or "trapped".
std::string_view cardPhaseText(CardPhase phase);

// One state of an end in running order: the driver angle, the piston's place s (0 at the
// front dead centre, 1 at the rear) and the phase that holds from here to the next state.
// A phase changes only at a state, so an event is a state of its own at its exact place.
struct CardState {
    double angle = 0;
    double s = 0;
    CardPhase phase = CardPhase::Trapped;
};

// One point of a card. `stroke` is the fraction of this end's own stroke done: s for the
// front end, 1 - s for the rear, so each end's volume is its clearance plus `stroke` (in
// units of the swept volume). `phase` is the phase the pressure belongs to: at an event the
// point before the change carries the old phase, the point after it the new.
struct CardPoint {
    double angle = 0;
    double s = 0;
    double stroke = 0;
    double pressure = 0;
    CardPhase phase = CardPhase::Trapped;
};

// Stands for a figure a card does not give.
inline constexpr double kNoFigure = std::numeric_limits<double>::quiet_NaN();

// The card of one end and what it gives.
struct IndicatorCard {
    // One turn in running order, closing on the place it started from. A pressure change at
    // an event is two points at the same place, the pressure before and after.
    std::vector<CardPoint> points;
    // The work of the end over a turn, the closed integral of p dV in running order, per
    // swept volume: in the pressure's unit, positive when the end drives the piston.
    double mep = kNoFigure;
    // Per cent of this end's stroke done when the first cut-off of the turn taken while the
    // end's volume grows happens; kNoFigure when the steam never closes so.
    double cutOffPct = kNoFigure;
    // The pressure just before the exhaust next opens after that cut-off (the terminal
    // pressure of the expansion); kNoFigure without a cut-off or a release.
    double releasePressure = kNoFigure;
    // mep times the swept volume: pressure unit times length unit cubed (indicatorDiagram
    // fills it; integrateCard leaves it kNoFigure).
    double work = kNoFigure;
};

// The card of one end over a turn given as its states in running order (`turn`, the last
// state running on to the first). The turn is run once to settle the trapped steam, then
// integrated exactly within each state's span: p dV at constant pressure, and
// K (V2^(1-n) - V1^(1-n)) / (1 - n), or K ln(V2 / V1) for n = 1, while trapped. The volume is
// clearance + stroke, with `clearance` a fraction of the swept volume; it must stay above 0
// while the steam is trapped. Pressures and n are taken from `settings` as they are (see
// usableIndicatorSettings); its clearances are not used.
IndicatorCard integrateCard(std::span<const CardState> turn, CylinderEnd end, double clearance,
                            const IndicatorSettings& settings);

// The front-minus-rear difference of two MEPs in per cent of their mean; kNoFigure when
// either is not finite or the mean is not above 0 (no share of work to compare then).
double mepDifferencePercent(double front, double rear);

// The volume one end sweeps per stroke: pi / 4 * CylinderBoreDia^2 * Stroke.
double sweptVolume(const Model& m);

struct IndicatorResult {
    float position = 0;
    PositionTag tag = PositionTag::Cen;
    bool forward = true;         // the turn was run with the driver angle increasing
    IndicatorSettings settings;  // as used (made usable)
    IndicatorCard front, rear;
    double differencePct = kNoFigure;  // mepDifferencePercent(front.mep, rear.mep)
    int solves = 0;                    // linkage solves taken
    SolverFindings findings;
};

// Samples per turn at which indicatorDiagram draws the cards.
inline constexpr int kIndicatorSamplesPerTurn = 360;

// The cards at reverse arm `position`, run the way its side runs (as valveEvents decides,
// the forward side from one solve at mid gear) from driver angle 0. Where each port edge
// opens and closes is found as the valve events find theirs (the sparse scan of the turn,
// each crossing bisected to 0.01 degree and placed between the solves either side of it),
// and each end's card is integrated exactly over those events and the dead centres: within
// a phase the work depends on the end volumes alone. The cards are drawn at `samplesPerTurn`
// places (kept from 36 to 360000), which need the piston's place only, and at the events.
// Settings are made usable first. Works on the model as given, which it leaves as it was.
// Takes about as many solves as valveEvents (some 45).
IndicatorResult indicatorDiagram(const Model& m, float position, const IndicatorSettings& settings,
                                 int samplesPerTurn = kIndicatorSamplesPerTurn);

}  // namespace tarvell
