// The sine diagram's picture (see SineDrawing.h).
#include "SineDrawing.h"

#include <string>

#include "Calc.h"
#include "DiagramParts.h"
#include "LapTable.h"
#include "Numbers.h"
#include "ValveEvents.h"

namespace tarvell {
namespace {

// Rulers at every 32 pixels, ticked every 10 degrees with a long tick every 90.
void drawRulers(Canvas& c) {
    for (int i = 1; i <= 9; ++i) {
        const int d = 32 * i;
        for (int j = 6; j <= 58; ++j) {
            c.moveTo(10 * j, d + 53);
            c.lineTo(10 * j, d + 57);
        }
        for (int x = 90; x <= 540; x += 90) {
            c.moveTo(x, d + 50);
            c.lineTo(x, d + 60);
        }
    }
}

void drawAxisTexts(Canvas& c, double scale) {
    c.textOut(86, 353, "0");
    c.textOut(173, 353, "90");
    c.textOut(260, 353, "180");
    c.textOut(350, 353, "270");
    c.textOut(446, 353, "0");
    c.textOut(533, 353, "90");
    c.textOut(86, 367, "Driver Clockwise Rotation --->");
    c.textOut(9, 46, "Front");
    c.textOut(9, 374, "Rear");
    c.textOut(9, 32, "Units Travel");
    c.textOut(9, 18, "Scale =");
    c.textOut(50, 18, formatFixed(scale, 3, 1));
}

void drawLapTable(Canvas& c, const Model& m, float leastX, float greatestX) {
    c.textOut(595, 153, "Lead");
    c.textOut(595, 182, "Lap");
    c.textOut(595, 211, "ExCl");
    c.textOut(595, 253, "Lap");
    c.textOut(595, 282, "Lead");
    const LapTableValues v = lapTable(m, leastX, greatestX);
    c.textOut(592, 166, formatFixed(v.frontLead, 6, 3));
    c.textOut(592, 195, formatFixed(v.frontLap, 6, 3));
    c.textOut(592, 224, formatFixed(v.frontExhaustClearance, 6, 3));
    c.textOut(592, 237, formatFixed(v.rearExhaustClearance, 6, 3));
    c.textOut(592, 266, formatFixed(v.rearLap, 6, 3));
    c.textOut(592, 295, formatFixed(v.rearLead, 6, 3));
}

// One entry's curve: the valve's displacement from driver angle 16 to 584 (wrapped into a
// turn) in steps of 8 degrees, a line from each point to the next.
template <typename AtPoint>
void sweepCurve(Model& m, double scale, AtPoint&& atPoint) {
    int previousY = 0;
    for (int j = 7; j <= 73; ++j) {
        float angle = static_cast<float>(8 * j + 272);
        while (angle > 360.0f) angle -= 360.0f;
        m.gear.DriverAngle = angle;
        SolveLinkage(m);
        const int y = displacementY(ValveDisplacement(m), scale);
        atPoint(j, previousY, y);
        previousY = y;
    }
}

// The other design's curves at this design's positions, pale, and a legend naming it.
void drawUnderlay(Canvas& c, const Model& m, const Underlay& under, double scale) {
    Model other = under.design;
    c.setPenColour(kUnderlayGrey);
    for (int k = 1; k <= plottedCount(m); ++k) {
        other.gear.ReverseArmPosition = m.reverseArmPositions[static_cast<std::size_t>(k)];
        sweepCurve(other, scale, [&c](int j, int previousY, int y) {
            if (j == 7) return;
            c.moveTo(8 * j - 6, previousY);
            c.lineTo(8 * j + 2, y);
        });
    }
    c.moveTo(200, 7);
    c.lineTo(220, 7);
    c.setPenColour(colours::black);
    c.textOut(224, 0, "compared with " + under.name);
}

}  // namespace

DiagramOutcome drawSineDiagram(Canvas& c, const Model& live, const Underlay* under) {
    Model m = live;
    DiagramOutcome outcome;
    const double scale = diagramScale(m.VerticalScale);
    const double fx = m.TextScaleX, fy = m.TextScaleY;
    auto sx = [fx](int x) { return roundToInt(x * fx); };

    c.setPen(colours::black, 1);
    drawRulers(c);
    drawAxisTexts(c, scale);
    drawLengthScale(c, scale);

    const float centre = m.ReverseArmCentre();
    c.textOut(sx(500), 0, "Reverse Arm Positions");
    c.textOut(sx(520), 13, "Center");
    c.textOut(sx(580), 13, formatFixed(centre, 6, 3));

    // The lines of the current cylinder dimensions (a dimension changed since the last
    // solve moves them at once).
    ComputeValveLimits(m);
    drawPortLines(c, portLines(m), scale, {60, 60, 230, 230, 230, 60});

    if (under) drawUnderlay(c, m, *under, scale);
    const FontSpec plain = c.font();
    for (int k = 1; k <= plottedCount(m); ++k) {
        const float p = m.reverseArmPositions[static_cast<std::size_t>(k)];
        m.gear.ReverseArmPosition = p;
        outcome.lastPlotted = p;

        const int row = roundToInt(k * fy * 12) + 12;
        c.textOut(sx(545), row, formatInt(k, 5));
        c.textOut(sx(580), row, formatFixed(p, 6, 3));
        c.textOut(sx(533), row, std::string(positionTagText(positionTag(m, p))));

        const bool midGear = centre - 0.05f < p && p < centre + 0.05f;
        float leastX = 1000, greatestX = 0;
        sweepCurve(m, scale, [&](int j, int previousY, int y) {
            if (midGear) {
                const float x = m.pivots[4].x;
                if (x < leastX) leastX = x;
                if (x > greatestX) greatestX = x;
            }
            if (j == 7) return;
            if (j == 8) {
                FontSpec bold = plain;
                bold.bold = true;
                c.setFont(bold);
                c.textOut(45, previousY, formatInt(k, 2));
                c.setFont(plain);
            }
            c.moveTo(8 * j - 6, previousY);
            c.lineTo(8 * j + 2, y);
        });
        if (midGear) drawLapTable(c, m, leastX, greatestX);
    }
    outcome.findings = findingsOf(m, m.solver.SolveStatus == 'E' ? 1 : 0);
    return outcome;
}

}  // namespace tarvell
