// Shared diagram pieces (see DiagramParts.h).
#include "DiagramParts.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "Numbers.h"
#include "PortLabels.h"

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

namespace {

// The six lines in drawing order: front steam open, front steam max, front exhaust open, then
// the same at the rear. The rear quantities are magnitudes toward the rear, drawn below the
// zero line.
constexpr std::array<const char*, 6> kPortLabelTexts = {
    "Front Steam Port Open", "Front Steam Port Max", "Front Exhaust Port Open",
    "Rear Steam Port Open",  "Rear Steam Port Max",  "Rear Exhaust Port Open"};
// Which labels stand above their lines (the others below).
constexpr std::array<bool, 6> kLabelAbove = {true, false, false, false, true, true};

// Each line's distance below the zero line, in pixels.
std::array<double, 6> portLineDrops(const PortLines& lines, double scale) {
    const double k = kPixelsPerUnit / scale;
    return {-lines.FrontSteamPortOpen * k,   -lines.FrontSteamPortMax * k,
            -lines.FrontExhaustPortOpen * k, lines.RearSteamPortOpen * k,
            lines.RearSteamPortMax * k,      lines.RearExhaustPortOpen * k};
}

void drawLinesWithLabels(Canvas& c, const std::array<double, 6>& drops,
                         const std::array<LabelPlace, 6>& labels) {
    for (std::size_t i = 0; i < drops.size(); ++i) {
        if (i == 0) c.setPenColour(colours::lime);
        if (i == 3) c.setPenColour(colours::red);
        const int y = pixel(kZeroLineY + drops[i]);
        c.moveTo(15, y);
        c.lineTo(583, y);
        c.textOut(labels[i].x, labels[i].y, kPortLabelTexts[i]);
    }
    c.setPenColour(colours::black);
}

}  // namespace

void drawPortLines(Canvas& c, const PortLines& lines, double scale, const PortLabelPlaces& x) {
    const std::array<double, 6> drops = portLineDrops(lines, scale);
    const std::array<int, 6> xs = {x.frontSteamOpen, x.frontSteamMax, x.frontExhaustOpen,
                                   x.rearSteamOpen,  x.rearSteamMax,  x.rearExhaustOpen};
    std::array<LabelPlace, 6> labels{};
    for (std::size_t i = 0; i < drops.size(); ++i)
        labels[i] = {xs[i], pixel((kLabelAbove[i] ? 199 : 216) + drops[i])};
    drawLinesWithLabels(c, drops, labels);
}

void drawPortLinesApart(Canvas& c, const PortLines& lines, double scale, int left) {
    const std::array<double, 6> drops = portLineDrops(lines, scale);
    std::array<PortLabel, 6> labels{};
    for (std::size_t i = 0; i < drops.size(); ++i)
        labels[i] = {pixel(kZeroLineY + drops[i]), c.textWidth(kPortLabelTexts[i]), kLabelAbove[i]};
    drawLinesWithLabels(c, drops, placePortLabels(labels, left));
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
    LinkageSolver solver(m);
    m.orientationSign = midGearOrientation(solver);
    applySolverFindings(m, solver.findings());
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

Rgb faded(Rgb colour) {
    auto fade = [](std::uint8_t v) { return static_cast<std::uint8_t>(v + (255 - v) * 3 / 5); };
    return Rgb{fade(colour.r), fade(colour.g), fade(colour.b)};
}

}  // namespace tarvell
