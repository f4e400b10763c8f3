// Pieces the diagrams share, drawn through the Canvas only: the vertical length scale, the
// port lines, the legend of reverse arm positions and the colour of each entry; and what a
// diagram drawn on a copy of the model leaves for the live one.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "Calc.h"
#include "Canvas.h"
#include "Sweep.h"
#include "ValveEvents.h"

namespace tarvell {

// Another design drawn pale under a diagram's own, for a comparison of the two: its curves at
// the same reverse arm positions, and a legend naming it.
struct Underlay {
    const Model& design;
    std::string name;
};

// The pale colour an underlay is drawn in.
inline constexpr Rgb kUnderlayGrey{175, 175, 175};
// `colour` faded most of the way to white, for an underlay's coloured parts.
Rgb faded(Rgb colour);

// A diagram sweeps a copy of the model. What the live model keeps of it: the solver's
// findings, and the reverse arm position plotted last (the data file stores it).
struct DiagramOutcome {
    SolverFindings findings;
    std::optional<float> lastPlotted;
};
void applyDiagramOutcome(Model& live, const DiagramOutcome& outcome);

// The zero line of the length axis and the pixels per length unit at scale 1.
inline constexpr int kZeroLineY = 215;
inline constexpr double kPixelsPerUnit = 375.0;

// The diagrams' vertical scale kept to what they can draw: [0.1, 100], 1.5 when not a number.
double diagramScale(float verticalScale);

// A pixel coordinate kept within reach of the drawing surface, so wild dimensions draw off the
// picture instead of at coordinates the rasteriser cannot take.
int pixel(double v);

// The y of valve displacement v (toward the front upward).
int displacementY(double v, double scale);

// The ticks and labels of the length axis at x 14-44: every 0.02 units, labelled every 0.1
// (every 0.1 and 0.5 when the scale is above 3.75).
void drawLengthScale(Canvas& c, double scale);

// The six port lines across x 15-583, front in lime and rear in red, each with its label;
// `frontX`/`rearX` give the x of the labels in the order of the lines' labels.
struct PortLabelPlaces {
    int frontSteamOpen, frontSteamMax, frontExhaustOpen;
    int rearSteamOpen, rearSteamMax, rearExhaustOpen;
};
void drawPortLines(Canvas& c, const PortLines& lines, double scale, const PortLabelPlaces& x);
// The same lines with their labels in a column from x `left`, each beside its own line and
// none over another however close the lines lie.
void drawPortLinesApart(Canvas& c, const PortLines& lines, double scale, int left);

// The colour of entry k (1-9) of the reverse arm position set in the oval and steam diagrams.
Rgb entryColour(int k);

// One solve at mid gear, driver angle 0, for a diagram's working copy: the forward side of the
// position tags is read from the orientation it gives, and what it found (a failure, a raised
// guard) is marked on the copy.
void settleOrientation(Model& work);

// The tag of each entry 1-9 as the orientation stands now (element 0 unused).
std::array<PositionTag, 10> entryTags(const Model& m);

// The number of entries the diagrams draw: PositionCount kept within 0-9.
int plottedCount(const Model& m);

// The legend of the oval and steam diagrams at the top right: "Reverse Arm Positions" and,
// per entry, a stroke of its colour, its number, its tag and its position.
void drawPositionLegend(Canvas& c, const Model& m);

// Fixed-point text for a number (locale-independent).
std::string fixed(double v, int width, int decimals);

}  // namespace tarvell
