// The steam diagram's picture (see SteamDrawing.h).
#include "SteamDrawing.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "Calc.h"
#include "DiagramParts.h"
#include "Numbers.h"
#include "PortEventCurves.h"
#include "SteamColours.h"
#include "ValveEvents.h"
#include "ValveTurn.h"

namespace tarvell {
namespace {

void fillRows(Canvas& c, int x0, int x1, int top, int bottom) {
    if (x1 < x0) std::swap(x0, x1);
    for (int y = top; y < bottom; ++y) {
        c.moveTo(x0, y);
        c.lineTo(x1 + 1, y);
    }
}

// A band's coloured stretches; `inset` rows are left at its top and bottom (where an
// underlay shows), and `pale` fades the colours (the underlay itself).
void fillBand(Canvas& c, const std::vector<BandSegment>& segments, int top, int inset, bool pale) {
    const int middle = top + kSteamBandHeight / 2;
    for (const BandSegment& s : segments) {
        const Rgb colour = steamEventColour(s.event);
        c.setPenColour(pale ? faded(colour) : colour);
        fillRows(c, steamPercentX(s.from), steamPercentX(s.to),
                 s.outward ? top + inset : middle + 1,
                 s.outward ? middle + 1 : top + kSteamBandHeight - inset);
    }
}

void drawBand(Canvas& c, const std::vector<BandSegment>& segments, int top,
              const std::vector<BandSegment>* under = nullptr) {
    // With an underlay, the other design's band fills the whole height pale and this one's
    // stands on it, three rows short at the top and the bottom.
    if (under) fillBand(c, *under, top, 0, true);
    fillBand(c, segments, top, under ? 3 : 0, false);
    c.setPenColour(colours::black);
    c.polyline({{kSteamZeroX - 1, top - 1},
                {kSteamHundredX + 1, top - 1},
                {kSteamHundredX + 1, top + kSteamBandHeight},
                {kSteamZeroX - 1, top + kSteamBandHeight},
                {kSteamZeroX - 1, top - 1}});
}

void drawPercentAxis(Canvas& c) {
    for (int pct = 0; pct <= 100; pct += 10) {
        const int x = steamPercentX(pct);
        const std::string label = formatInt(pct, 1);
        c.textOut(x - 3 * static_cast<int>(label.size()), 74, label);
        c.moveTo(x, 87);
        c.lineTo(x, 90);
    }
}

void drawKey(Canvas& c, int y) {
    int x = 5;
    for (PortEvent e :
         {PortEvent::Admission, PortEvent::Expansion, PortEvent::Exhaust, PortEvent::Compression}) {
        c.setPenColour(steamEventColour(e));
        fillRows(c, x, x + 10, y + 2, y + 11);
        c.setPenColour(colours::black);
        const std::string name(portEventName(e));
        c.textOut(x + 14, y, name);
        x += 14 + c.textWidth(name) + 12;
    }
    c.textOut(x + 8, y, "Upper Half Outward Stroke, Lower Half Return");
}

}  // namespace

int steamPercentX(double percent) {
    return pixel(kSteamZeroX + percent * (kSteamHundredX - kSteamZeroX) / 100.0);
}

int steamBandTop(int k, int end) {
    return kSteamFirstBandY + (k - 1) * kSteamEntryPitch + end * (kSteamBandHeight + 1);
}

Rgb steamEventColour(PortEvent e) {
    return steamPhaseColour(e, colours::silver);
}

DiagramOutcome drawSteamDiagram(Canvas& c, const Model& live, const Underlay* under) {
    Model m = live;
    DiagramOutcome outcome;
    c.setPen(colours::black, 1);
    const FontSpec plain = c.font();

    settleOrientation(m);
    const std::array<PositionTag, 10> tags = entryTags(m);
    c.textOut(5, 74, "Reverse Arm Positions");
    drawPercentAxis(c);

    for (int k = 1; k <= plottedCount(m); ++k) {
        const float p = m.reverseArmPositions[static_cast<std::size_t>(k)];
        outcome.lastPlotted = p;
        const int front = steamBandTop(k, 0), rear = steamBandTop(k, 1);

        FontSpec bold = plain;
        bold.bold = true;
        bold.colour = entryColour(k);
        c.setFont(bold);
        c.textOut(5, front, formatInt(k, 1));
        c.setFont(plain);
        c.textOut(18, front, std::string(positionTagText(tags[static_cast<std::size_t>(k)])));
        c.textOut(42, front, formatFixed(p, 6, 3));
        c.textOut(108, front, "Front");
        c.textOut(108, rear, "Rear");

        const ValveTurn turn =
            sampleValveTurn(m, p, runsForward(tags[static_cast<std::size_t>(k)]));
        outcome.findings += {turn.failedSolves, turn.errorRaised};
        const SteamBands bands = steamBands(turn);
        std::optional<SteamBands> other;
        if (under)
            other = steamBands(
                sampleValveTurn(under->design, p, runsForward(tags[static_cast<std::size_t>(k)])));
        drawBand(c, bands.front, front, other ? &other->front : nullptr);
        drawBand(c, bands.rear, rear, other ? &other->rear : nullptr);

        const PositionEvents e = valveEvents(m, p);
        outcome.findings += e.findings();
        c.textOut(556, front, "%CutOff" + formatFixed(cutOffPercent(e.front.cutOff), 6, 1));
        c.textOut(556, rear, "%CutOff" + formatFixed(cutOffPercent(e.rear.cutOff), 6, 1));
        if (under) {
            const PositionEvents oe = valveEvents(under->design, p);
            c.textOut(604, front, formatFixed(cutOffPercent(oe.front.cutOff), 5, 1));
            c.textOut(604, rear, formatFixed(cutOffPercent(oe.rear.cutOff), 5, 1));
        }
    }
    drawKey(c, kSteamFirstBandY + 9 * kSteamEntryPitch + 2);
    if (under)
        c.textOut(5, kSteamFirstBandY + 9 * kSteamEntryPitch + 16,
                  "Pale edges and the cut-offs at the right: " + under->name);
    outcome.findings += findingsOf(m, m.solver.SolveStatus == 'E' ? 1 : 0);
    return outcome;
}

}  // namespace tarvell
