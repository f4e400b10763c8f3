// The indicator diagram's picture: for each entry of the reverse arm position set, the
// idealised card of the front end in the left panel and of the rear end in the right, on one
// pressure scale against the per cent of each end's own stroke, with the chest and back
// pressure lines, the settings used, and a legend of each entry's MEPs and their difference.
#pragma once

#include "Canvas.h"
#include "DiagramParts.h"
#include "Indicator.h"

namespace tarvell {

// The two panels: the pressure scale runs up from the bottom edge, the stroke from 0 at a
// panel's left edge to 100 per cent at its right.
inline constexpr int kIndicatorPlotTop = 92;
inline constexpr int kIndicatorPlotBottom = 296;
inline constexpr int kIndicatorPanelWidth = 276;
inline constexpr int kIndicatorFrontLeft = 46;
inline constexpr int kIndicatorRearLeft = 344;
// The legend: a heading row, then a row per entry, five entries to a column.
inline constexpr int kIndicatorLegendTop = 328;
inline constexpr int kIndicatorLegendRow = 12;
inline constexpr int kIndicatorLegendColumnWidth = 316;
// The chest and back pressure lines.
inline constexpr Rgb kIndicatorPressureLineColour = colours::gray;

// The pressure scale of the panels: from 0 at the bottom to `top`, labelled every `step`.
struct IndicatorScale {
    double top = 1;
    double step = 1;
    // The y of a pressure; above the top it lies above the panels.
    int y(double pressure) const;
};

// A scale of whole steps of 1, 2 or 5 times a power of ten (seven or fewer) reaching at least
// an eighth above the chest pressure and up to the highest pressure of the cards, though
// never above three times the chest pressure: a card climbing higher (compression into a
// small clearance) is cut off at the top.
IndicatorScale indicatorScale(double chestPressure, double highestPressure);

// The x of a point `strokeFraction` (0-1) through an end's own stroke, in that end's panel.
int indicatorStrokeX(CylinderEnd end, double strokeFraction);

// Draws the picture without clearing first (the shared read-outs are the window's): the
// cards at each entry's position, worked out with the model's indicator settings on a copy
// of the model. With `speedRpm` above 0 the cards at that driver speed (ThrottledCard.h) are
// drawn over the idealised ones, which go pale, and the legend gives both MEPs of each end,
// idealised / at speed.
DiagramOutcome drawIndicatorDiagram(Canvas& c, const Model& m, double speedRpm = 0);

}  // namespace tarvell
