// The indicator diagram's picture (see IndicatorDrawing.h).
#include "IndicatorDrawing.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "Numbers.h"
#include "ThrottledCard.h"

namespace tarvell {
namespace {

constexpr Rgb kGridColour{224, 224, 224};
constexpr double kHeadroom = 1.125;    // the scale reaches an eighth above chest pressure
constexpr double kHighestShown = 3.0;  // times the chest pressure
constexpr int kMostSteps = 7;          // labelled steps up the pressure scale
constexpr int kPlotHeight = kIndicatorPlotBottom - kIndicatorPlotTop;
constexpr int kTitleY = 73;  // the panels' titles
constexpr int kStrokeLabelY = kIndicatorPlotBottom + 3;
constexpr int kCaptionY = 312;
constexpr int kEntriesPerColumn = 5;
// The right edges of the legend's figures within a column.
constexpr int kTagX = 26, kPositionRight = 94, kFrontMepRight = 160, kRearMepRight = 222,
              kDifferenceRight = 308;
constexpr int kSettingsX = 488, kSettingsRight = 628;

struct Entry {
    int k = 0;
    IndicatorResult cards;
    ThrottledIndicatorResult atSpeed;  // worked out only when a speed is given
};

int panelLeft(CylinderEnd end) {
    return end == CylinderEnd::Front ? kIndicatorFrontLeft : kIndicatorRearLeft;
}

// Decimals that give a pressure of this size to about four figures.
int pressureDecimals(double magnitude) {
    if (magnitude >= 100) return 1;
    return magnitude >= 10 ? 2 : 3;
}

// Decimals of the scale's labels: none for whole steps.
int labelDecimals(double step) {
    if (step >= 1) return 0;
    return std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 1, 9);
}

std::string figure(double v, int decimals) {
    return std::isfinite(v) ? formatFixed(v, 1, decimals) : std::string("-");
}

void textRight(Canvas& c, int right, int y, const std::string& text) {
    c.textOut(right - c.textWidth(text), y, text);
}

void textCentred(Canvas& c, int centre, int y, const std::string& text) {
    c.textOut(centre - c.textWidth(text) / 2, y, text);
}

void line(Canvas& c, int x0, int y0, int x1, int y1) {
    c.moveTo(x0, y0);
    c.lineTo(x1, y1);
}

void drawPanels(Canvas& c, const IndicatorScale& scale) {
    const double eps = 1e-9 * scale.top;
    c.setPenColour(kGridColour);
    for (CylinderEnd end : {CylinderEnd::Front, CylinderEnd::Rear}) {
        const int left = panelLeft(end), right = left + kIndicatorPanelWidth;
        for (double pct : {0.25, 0.5, 0.75}) {
            const int x = indicatorStrokeX(end, pct);
            line(c, x, kIndicatorPlotTop, x, kIndicatorPlotBottom);
        }
        for (int k = 1; k * scale.step < scale.top - eps; ++k)
            line(c, left, scale.y(k * scale.step), right, scale.y(k * scale.step));
    }

    c.setPenColour(colours::black);
    const int decimals = labelDecimals(scale.step);
    for (int k = 0; k * scale.step <= scale.top + eps; ++k) {
        const int y = scale.y(k * scale.step);
        textRight(c, kIndicatorFrontLeft - 6, y - 6, formatFixed(k * scale.step, 1, decimals));
        for (CylinderEnd end : {CylinderEnd::Front, CylinderEnd::Rear})
            line(c, panelLeft(end) - 4, y, panelLeft(end), y);
    }
    for (CylinderEnd end : {CylinderEnd::Front, CylinderEnd::Rear}) {
        const int left = panelLeft(end), right = left + kIndicatorPanelWidth;
        c.polyline({{left, kIndicatorPlotTop},
                    {right, kIndicatorPlotTop},
                    {right, kIndicatorPlotBottom},
                    {left, kIndicatorPlotBottom},
                    {left, kIndicatorPlotTop}});
        for (int pct = 0; pct <= 100; pct += 25) {
            const int x = indicatorStrokeX(end, pct / 100.0);
            line(c, x, kIndicatorPlotBottom, x, kIndicatorPlotBottom + 3);
            textCentred(c, x, kStrokeLabelY, formatInt(pct, 1));
        }
        textCentred(c, left + kIndicatorPanelWidth / 2, kTitleY,
                    end == CylinderEnd::Front ? "Front End" : "Rear End");
    }
    c.textOut(4, kTitleY, "Pressure");
    textCentred(c, (kIndicatorFrontLeft + kIndicatorRearLeft + kIndicatorPanelWidth) / 2, kCaptionY,
                "Per Cent of Each End's Own Stroke, from Its Dead Centre");
}

// The chest and back pressure lines across both panels, each labelled at the right: the
// chest line above it, in the headroom the scale leaves; the back line below it where there
// is room, for the cards run above it.
void drawPressureLines(Canvas& c, const IndicatorScale& scale, const IndicatorSettings& s,
                       int decimals) {
    const FontSpec plain = c.font();
    c.setFont(FontSpec{plain.points, false, kIndicatorPressureLineColour});
    c.setPenColour(kIndicatorPressureLineColour);
    const int right = kIndicatorRearLeft + kIndicatorPanelWidth - 3;
    const int chestY = scale.y(s.chestPressure), backY = scale.y(s.backPressure);
    for (int y : {chestY, backY})
        for (CylinderEnd end : {CylinderEnd::Front, CylinderEnd::Rear})
            line(c, panelLeft(end) + 1, y, panelLeft(end) + kIndicatorPanelWidth - 1, y);
    textRight(c, right, chestY - 14, "Chest " + figure(s.chestPressure, decimals));
    const int backLabelY = backY + 16 < kIndicatorPlotBottom ? backY + 2 : backY - 14;
    textRight(c, right, backLabelY, "Back " + figure(s.backPressure, decimals));
    c.setFont(plain);
    c.setPenColour(colours::black);
}

void drawSettings(Canvas& c, const IndicatorSettings& s, int decimals, double speedRpm) {
    const auto row = [&c](int y, const char* name, const std::string& value) {
        c.textOut(kSettingsX, y, name);
        textRight(c, kSettingsRight, y, value);
    };
    row(2, "Chest pressure", figure(s.chestPressure, decimals));
    row(14, "Back pressure", figure(s.backPressure, decimals));
    row(26, "Index n", figure(s.polytropicIndex, 2));
    row(38, "Clearances %", figure(s.frontClearancePct, 1) + " / " + figure(s.rearClearancePct, 1));
    if (speedRpm > 0) {
        row(50, "Speed rpm", figure(speedRpm, speedRpm >= 100 ? 0 : 1));
        c.textOut(kSettingsX, 62, "Pale: idealised cards");
    }
}

// Draws a card as one closed line, cut off where it climbs above the panel.
void drawCard(Canvas& c, const IndicatorCard& card, CylinderEnd end, const IndicatorScale& scale) {
    const double top = kIndicatorPlotTop;
    bool havePrevious = false, penDown = false;
    double px = 0, py = 0;
    int lastX = 0, lastY = 0;
    auto lineTo = [&](double x, double y) {
        const int ix = pixel(x), iy = pixel(y);
        if (penDown && ix == lastX && iy == lastY) return;
        c.lineTo(ix, iy);
        lastX = ix, lastY = iy;
    };
    for (const CardPoint& p : card.points) {
        if (!std::isfinite(p.pressure) || !std::isfinite(p.stroke)) {
            havePrevious = penDown = false;
            continue;
        }
        const double x = panelLeft(end) + std::clamp(p.stroke, 0.0, 1.0) * kIndicatorPanelWidth;
        const double y = kIndicatorPlotBottom - p.pressure / scale.top * kPlotHeight;
        if (havePrevious && (py >= top || y >= top)) {
            double ax = px, ay = py, bx = x, by = y;
            if (ay < top) {
                ax = px + (top - py) / (y - py) * (x - px), ay = top;
                penDown = false;
            }
            if (by < top) bx = px + (top - py) / (y - py) * (x - px), by = top;
            if (!penDown) {
                lastX = pixel(ax), lastY = pixel(ay);
                c.moveTo(lastX, lastY);
            }
            penDown = true;
            lineTo(bx, by);
            penDown = by == y;
        } else {
            penDown = false;
        }
        havePrevious = true;
        px = x, py = y;
    }
}

void drawLegend(Canvas& c, const std::vector<Entry>& entries, int decimals, bool atSpeed) {
    const FontSpec plain = c.font();
    const int columns = entries.size() > static_cast<std::size_t>(kEntriesPerColumn) ? 2 : 1;
    for (int col = 0; col < columns; ++col) {
        const int x = 4 + col * kIndicatorLegendColumnWidth, y = kIndicatorLegendTop;
        c.textOut(x + 6, y, "No");
        c.textOut(x + kTagX, y, "Tag");
        textRight(c, x + kPositionRight, y, "Position");
        textRight(c, x + kFrontMepRight, y, atSpeed ? "Front id/spd" : "MEP Front");
        textRight(c, x + kRearMepRight, y, atSpeed ? "Rear id/spd" : "MEP Rear");
        textRight(c, x + kDifferenceRight, y, "F-R % of Mean");
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        const int x = 4 + static_cast<int>(i) / kEntriesPerColumn * kIndicatorLegendColumnWidth;
        const int y = kIndicatorLegendTop +
                      (static_cast<int>(i) % kEntriesPerColumn + 1) * kIndicatorLegendRow;
        c.setPen(entryColour(e.k), 2);
        line(c, x, y + 6, x + 10, y + 6);
        c.setPen(colours::black, 1);
        c.setFont(FontSpec{plain.points, true, entryColour(e.k)});
        c.textOut(x + 16, y, formatInt(e.k, 1));
        c.setFont(plain);
        c.textOut(x + kTagX, y, std::string(positionTagText(e.cards.tag)));
        textRight(c, x + kPositionRight, y, figure(e.cards.position, 3));
        if (atSpeed) {
            // Both MEPs in the room of one: a decimal fewer.
            const int d = std::max(decimals - 1, 1);
            textRight(c, x + kFrontMepRight, y,
                      figure(e.cards.front.mep, d) + "/" + figure(e.atSpeed.front.card.mep, d));
            textRight(c, x + kRearMepRight, y,
                      figure(e.cards.rear.mep, d) + "/" + figure(e.atSpeed.rear.card.mep, d));
            textRight(c, x + kDifferenceRight, y,
                      figure(e.cards.differencePct, 1) + "/" + figure(e.atSpeed.differencePct, 1));
            continue;
        }
        textRight(c, x + kFrontMepRight, y, figure(e.cards.front.mep, decimals));
        textRight(c, x + kRearMepRight, y, figure(e.cards.rear.mep, decimals));
        textRight(c, x + kDifferenceRight, y, figure(e.cards.differencePct, 1));
    }
}

}  // namespace

int IndicatorScale::y(double pressure) const {
    return pixel(kIndicatorPlotBottom - pressure / top * kPlotHeight);
}

IndicatorScale indicatorScale(double chest, double highest) {
    if (!(chest > 0) || !std::isfinite(chest)) chest = IndicatorSettings{}.chestPressure;
    double wanted = chest * kHeadroom;
    if (std::isfinite(highest)) wanted = std::max(wanted, std::min(highest, kHighestShown * chest));
    // The least step of 1, 2 or 5 times a power of ten that covers it in kMostSteps.
    const double least = wanted / kMostSteps;
    double step = std::pow(10.0, std::floor(std::log10(least)));
    for (double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * step >= least * (1 - 1e-12)) {
            step *= factor;
            break;
        }
    return {std::ceil(wanted / step - 1e-9) * step, step};
}

int indicatorStrokeX(CylinderEnd end, double strokeFraction) {
    return pixel(panelLeft(end) + strokeFraction * kIndicatorPanelWidth);
}

DiagramOutcome drawIndicatorDiagram(Canvas& c, const Model& live, double speedRpm) {
    const bool atSpeed = speedRpm > 0;
    const Model m = live;
    DiagramOutcome outcome;
    std::vector<Entry> entries;
    double highest = 0;
    for (int k = 1; k <= plottedCount(m); ++k) {
        const float p = m.reverseArmPositions[static_cast<std::size_t>(k)];
        Entry e{k, indicatorDiagram(m, p, m.indicator), {}};
        outcome.findings += e.cards.findings;
        if (atSpeed) {
            e.atSpeed = throttledIndicatorDiagram(m, p, m.indicator, speedRpm);
            outcome.findings += e.atSpeed.findings;
        }
        outcome.lastPlotted = p;
        for (const IndicatorCard* card : {&e.cards.front, &e.cards.rear})
            for (const CardPoint& point : card->points)
                if (std::isfinite(point.pressure)) highest = std::max(highest, point.pressure);
        entries.push_back(std::move(e));
    }
    const IndicatorSettings settings =
        entries.empty() ? usableIndicatorSettings(m.indicator) : entries.front().cards.settings;
    const IndicatorScale scale = indicatorScale(settings.chestPressure, highest);
    const int decimals = pressureDecimals(settings.chestPressure);

    c.setPen(colours::black, 1);
    drawSettings(c, settings, decimals, speedRpm);
    drawPanels(c, scale);
    drawPressureLines(c, scale, settings, decimals);
    for (const Entry& e : entries) {
        c.setPen(atSpeed ? faded(entryColour(e.k)) : entryColour(e.k), 1);
        drawCard(c, e.cards.front, CylinderEnd::Front, scale);
        drawCard(c, e.cards.rear, CylinderEnd::Rear, scale);
    }
    if (atSpeed)
        for (const Entry& e : entries) {
            c.setPen(entryColour(e.k), 1);
            drawCard(c, e.atSpeed.front.card, CylinderEnd::Front, scale);
            drawCard(c, e.atSpeed.rear.card, CylinderEnd::Rear, scale);
        }
    c.setPen(colours::black, 1);
    drawLegend(c, entries, decimals, atSpeed);
    return outcome;
}

}  // namespace tarvell
