// The oval diagram's picture (see OvalDrawing.h).
#include "OvalDrawing.h"

#include <array>
#include <string>

#include "Calc.h"
#include "DiagramParts.h"
#include "Numbers.h"
#include "Piston.h"
#include "ValveEvents.h"
#include "ValveTurn.h"

namespace tarvell {
namespace {

constexpr int kAxisY = 372;

void drawPistonAxis(Canvas& c) {
    c.moveTo(kOvalRearX, kAxisY);
    c.lineTo(kOvalFrontX + 1, kAxisY);
    for (int pct = 0; pct <= 100; pct += 10) {
        const int x = ovalPistonX(pct);
        c.moveTo(x, kAxisY);
        c.lineTo(x, kAxisY + 5);
        const std::string label = formatInt(pct, 1);
        c.textOut(x - 3 * static_cast<int>(label.size()), kAxisY + 7, label);
    }
    c.textOut(300, 394, "Percent Piston Travel");
    c.textOut(470, 394, "Forward End --->");
}

}  // namespace

int ovalPistonX(double percent) {
    return pixel(kOvalFrontX - percent * (kOvalFrontX - kOvalRearX) / 100.0);
}

DiagramOutcome drawOvalDiagram(Canvas& c, const Model& live) {
    Model m = live;
    DiagramOutcome outcome;
    const double scale = diagramScale(m.VerticalScale);
    c.setPen(colours::black, 1);

    c.textOut(9, 32, "Units Travel");
    c.textOut(9, 18, "Scale =");
    c.textOut(50, 18, formatFixed(scale, 3, 1));
    drawLengthScale(c, scale);
    drawPistonAxis(c);

    // The valve central, under the port lines (the exhaust lines lie on it when the cavity
    // has no lap).
    c.setPenColour(colours::gray);
    c.moveTo(15, kZeroLineY);
    c.lineTo(583, kZeroLineY);
    c.setPenColour(colours::black);
    c.textOut(586, kZeroLineY - 7, "Center");

    ComputeValveLimits(m);
    drawPortLinesApart(c, portLines(m), scale, 48);

    settleOrientation(m);
    drawPositionLegend(c, m);
    const std::array<PositionTag, 10> tags = entryTags(m);

    for (int k = 1; k <= plottedCount(m); ++k) {
        const float p = m.reverseArmPositions[static_cast<std::size_t>(k)];
        outcome.lastPlotted = p;
        const ValveTurn turn =
            sampleValveTurn(m, p, runsForward(tags[static_cast<std::size_t>(k)]));
        outcome.findings += {turn.failedSolves, turn.errorRaised};
        c.setPen(entryColour(k), 1);
        PolylinePen pen(c);
        for (const TurnPoint& t : turn.points)
            pen.to(ovalPistonX(travelPercent(t.pistonTravel)),
                   displacementY(t.displacement, scale));
    }
    c.setPen(colours::black, 1);
    outcome.findings += findingsOf(m, m.solver.SolveStatus == 'E' ? 1 : 0);
    return outcome;
}

}  // namespace tarvell
