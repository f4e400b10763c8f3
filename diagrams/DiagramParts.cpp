// Shared diagram pieces (see DiagramParts.h).
#include "DiagramParts.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "Numbers.h"

namespace tarvell {
namespace {

constexpr double kMinScale = 0.1;
constexpr double kMaxScale = 100.0;  // one unit is then under 4 pixels: flat already
constexpr int kPixelReach = 100000;

}  // namespace

double diagramScale(float verticalScale) {
    const double s = verticalScale;
    if (!std::isfinite(s)) return 1.5;
    return std::clamp(s, kMinScale, kMaxScale);
}

int pixel(double v) {
    return std::clamp(roundToInt(v), -kPixelReach, kPixelReach);
}

int displacementY(double v, double scale) {
    return pixel(kZeroLineY - v * kPixelsPerUnit / scale);
}

std::string fixed(double v, int width, int decimals) {
    return formatFixed(v, width, decimals);
}

void drawLengthScale(Canvas& c, double scale) {
    const int g = roundToInt(4.0 * scale);
    const bool coarse = scale > 3.75;
    for (int h = -5 * g; h <= 5 * g; ++h) {
        if (coarse && h % 5 != 0) continue;
        const int y = roundToInt(h * 7.5 / scale + kZeroLineY);
        c.moveTo(39, y);
        c.lineTo(44, y);
    }
    for (int l = -g; l <= g; ++l) {
        if (coarse && l % 5 != 0) continue;
        const int y = roundToInt(l * 37.5 / scale + kZeroLineY);
        c.moveTo(36, y);
        c.lineTo(44, y);
        c.textOut(14, roundToInt(210 - l * 37.5 / scale), formatFixed(l * 0.1, 1, 1));
    }
}

void drawPortLines(Canvas& c, const PortLines& lines, double scale, const PortLabelPlaces& x) {
    auto line = [&](int y) {
        c.moveTo(15, y);
        c.lineTo(583, y);
    };
    const double k = kPixelsPerUnit / scale;
    c.setPenColour(colours::lime);
    const double fo = lines.FrontSteamPortOpen, fm = lines.FrontSteamPortMax,
                 fe = lines.FrontExhaustPortOpen;
    line(pixel(kZeroLineY - fo * k));
    c.textOut(x.frontSteamOpen, pixel(199 - fo * k), "Front Steam Port Open");
    line(pixel(kZeroLineY - fm * k));
    c.textOut(x.frontSteamMax, pixel(216 - fm * k), "Front Steam Port Max");
    line(pixel(kZeroLineY - fe * k));
    c.textOut(x.frontExhaustOpen, pixel(216 - fe * k), "Front Exhaust Port Open");
    // The rear quantities are magnitudes toward the rear: drawn below the zero line.
    c.setPenColour(colours::red);
    const double ro = lines.RearSteamPortOpen, rm = lines.RearSteamPortMax,
                 re = lines.RearExhaustPortOpen;
    line(pixel(kZeroLineY + ro * k));
    c.textOut(x.rearSteamOpen, pixel(ro * k + 216), "Rear Steam Port Open");
    line(pixel(kZeroLineY + rm * k));
    c.textOut(x.rearSteamMax, pixel(rm * k + 199), "Rear Steam Port Max");
    line(pixel(kZeroLineY + re * k));
    c.textOut(x.rearExhaustOpen, pixel(re * k + 199), "Rear Exhaust Port Open");
    c.setPenColour(colours::black);
}

Rgb entryColour(int k) {
    static constexpr std::array<Rgb, 9> kColours = {{
        {0, 0, 0},      // black
        {0, 0, 255},    // blue
        {192, 0, 0},    // dark red
        {0, 128, 0},    // green
        {255, 0, 255},  // fuchsia
        {0, 128, 128},  // teal
        {128, 128, 0},  // olive
        {255, 128, 0},  // orange
        {128, 0, 128},  // purple
    }};
    return kColours[static_cast<std::size_t>(std::clamp(k, 1, 9) - 1)];
}

void applyDiagramOutcome(Model& live, const DiagramOutcome& outcome) {
    applySolverFindings(live, outcome.findings);
    if (outcome.lastPlotted) live.lastPlottedPosition = *outcome.lastPlotted;
}

void settleOrientation(Model& m) {
    m.gear.ReverseArmPosition = m.ReverseArmCentre();
    m.gear.DriverAngle = 0;
    SolveLinkage(m);
}

std::array<PositionTag, 10> entryTags(const Model& m) {
    std::array<PositionTag, 10> tags{};
    for (std::size_t k = 1; k <= 9; ++k) tags[k] = positionTag(m, m.reverseArmPositions[k]);
    return tags;
}

int plottedCount(const Model& m) {
    return std::clamp(m.PositionCount, 0, 9);
}

void drawPositionLegend(Canvas& c, const Model& m) {
    const double fx = m.TextScaleX, fy = m.TextScaleY;
    auto sx = [fx](int x) { return roundToInt(x * fx); };
    c.textOut(sx(500), 0, "Reverse Arm Positions");
    const std::array<PositionTag, 10> tags = entryTags(m);
    const FontSpec plain = c.font();
    const Rgb pen = c.penColour();
    const int width = c.penWidth();
    for (int k = 1; k <= plottedCount(m); ++k) {
        const float p = m.reverseArmPositions[static_cast<std::size_t>(k)];
        const int y = roundToInt(k * fy * 12) + 12;
        c.setPen(entryColour(k), 2);
        c.moveTo(sx(500), y + 6);
        c.lineTo(sx(512), y + 6);
        FontSpec bold = plain;
        bold.bold = true;
        bold.colour = entryColour(k);
        c.setFont(bold);
        c.textOut(sx(517), y, formatInt(k, 1));
        c.setFont(plain);
        c.textOut(sx(533), y, std::string(positionTagText(tags[static_cast<std::size_t>(k)])));
        c.textOut(sx(580), y, formatFixed(p, 6, 3));
    }
    c.setPen(pen, width);
}

}  // namespace tarvell
