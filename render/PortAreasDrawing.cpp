// The Port Areas diagram's picture (see PortAreasDrawing.h).
#include "PortAreasDrawing.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "Numbers.h"
#include "PortAreas.h"

namespace tarvell {
namespace {

constexpr Rgb kWidthLine{150, 150, 150};
constexpr int kMostPixelsPerUnit = 2000;  // a port of almost no width is not blown up beyond

struct Axes {
    bool againstPiston;
    double pixelsPerUnit;
    int x(double driverAngleRun, double pistonPercent) const {
        const double share = againstPiston ? pistonPercent / 100.0 : driverAngleRun / 360.0;
        return pixel(kAreasLeft + share * (kAreasRight - kAreasLeft));
    }
    int y(int zeroY, double opening, bool up) const {
        return pixel(zeroY + (up ? -1.0 : 1.0) * opening * pixelsPerUnit);
    }
};

// One end's frame: its zero line, the grid across the turn or the stroke, and its steam port's
// width above and below.
void drawEndFrame(Canvas& c, const Axes& a, int zeroY, const char* name, double portWidth) {
    c.setPen(colours::silver, 1);
    for (int i = 0; i <= 4; ++i) {
        const int x = kAreasLeft + i * (kAreasRight - kAreasLeft) / 4;
        c.moveTo(x, zeroY - kAreasHalfHeight);
        c.lineTo(x, zeroY + kAreasHalfHeight);
    }
    c.setPen(colours::black, 1);
    c.moveTo(kAreasLeft, zeroY);
    c.lineTo(kAreasRight, zeroY);
    c.textOut(4, zeroY - kAreasHalfHeight, name);
    c.textOut(4, zeroY - 24, "steam");
    c.textOut(4, zeroY + 10, "exhaust");
    c.setPen(kWidthLine, 1);
    for (bool up : {true, false}) {
        const int y = a.y(zeroY, portWidth, up);
        for (int x = kAreasLeft; x < kAreasRight; x += 8) {  // dashed
            c.moveTo(x, y);
            c.lineTo(x + 4, y);
        }
        // Inside the plot's right end, off the line (the legend of positions stands beyond it).
        const std::string label = "port " + formatFixed(portWidth, 0, 3);
        c.textOut(kAreasRight - 2 - c.textWidth(label), up ? y - 14 : y + 2, label);
    }
    c.setPen(colours::black, 1);
}

void drawBottomAxis(Canvas& c, bool againstPiston, int y) {
    for (int i = 0; i <= 4; ++i) {
        const int x = kAreasLeft + i * (kAreasRight - kAreasLeft) / 4;
        const std::string label = againstPiston ? formatInt(25 * i, 0) : formatInt(90 * i, 0);
        c.textOut(x - c.textWidth(label) / 2, y, label);
    }
    c.textOut(kAreasLeft, y + 13,
              againstPiston ? "Piston, per cent of stroke from the front dead centre"
                            : "Driver angle, degrees run from 0");
}

// One entry's curves: each end's steam opening up and exhaust passage down, a line from each
// point to the next. Against the piston a turn draws each curve along the stroke and back.
void drawEntry(Canvas& c, const Axes& a, const PortAreaCurves& curves, Rgb colour) {
    c.setPen(colour, 1);
    struct Curve {
        int zeroY;
        bool front, up;
    };
    for (const Curve& k : {Curve{kAreasFrontZeroY, true, true},
                           {kAreasFrontZeroY, true, false},
                           {kAreasRearZeroY, false, true},
                           {kAreasRearZeroY, false, false}}) {
        PolylinePen pen(c);
        for (const PortAreaPoint& p : curves.points) {
            const EndAreas& end = k.front ? p.areas.front : p.areas.rear;
            pen.to(a.x(p.run, p.pistonPercent),
                   a.y(k.zeroY, k.up ? end.steam : end.exhaustPassage, k.up));
        }
    }
    c.setPen(colours::black, 1);
}

}  // namespace

DiagramOutcome drawPortAreasDiagram(Canvas& c, const Model& live, bool againstPiston) {
    Model m = live;
    DiagramOutcome outcome;
    settleOrientation(m);
    const std::array<PositionTag, 10> tags = entryTags(m);
    const double widest = std::max(m.cyl.SteamPortWidthFront(), m.cyl.SteamPortWidthRear());
    const Axes a{againstPiston, widest > 0 ? std::min(70.0 / widest, double{kMostPixelsPerUnit})
                                           : double{kMostPixelsPerUnit}};

    c.setPen(colours::black, 1);
    c.textOut(kAreasLeft, 0, "Port openings: steam up, exhaust passage down");
    drawEndFrame(c, a, kAreasFrontZeroY, "Front end", m.cyl.SteamPortWidthFront());
    drawEndFrame(c, a, kAreasRearZeroY, "Rear end", m.cyl.SteamPortWidthRear());
    drawBottomAxis(c, againstPiston, kAreasRearZeroY + kAreasHalfHeight + 4);
    drawPositionLegend(c, m);

    for (int k = 1; k <= plottedCount(m); ++k) {
        const float p = m.reverseArmPositions[static_cast<std::size_t>(k)];
        const bool forward = runsForward(tags[static_cast<std::size_t>(k)]);
        const PortAreaCurves curves = portAreaCurves(m, p, forward, 2.0);
        outcome.findings += curves.findings;
        outcome.lastPlotted = p;
        drawEntry(c, a, curves, entryColour(k));
    }
    return outcome;
}

}  // namespace tarvell
