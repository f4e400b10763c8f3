// The port events diagram's picture (see PortDrawing.h).
#include "PortDrawing.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "DiagramParts.h"
#include "Numbers.h"
#include "PortEventCurves.h"

namespace tarvell {
namespace {

constexpr Rgb kCutOffColour = colours::red;         // the end of admission
constexpr Rgb kReleaseColour = colours::blue;       // the start of exhaust
constexpr Rgb kCompressionColour = colours::green;  // the start of compression
constexpr int kDash = 5, kGap = 3;

// Draws a polyline solid or dashed, keeping the dash pattern running along it.
class Stroke {
  public:
    Stroke(Canvas& c, bool dashed) : c_(c), dashed_(dashed) {}

    void point(int x, int y) {
        if (has_) segment(x_, y_, x, y);
        x_ = x, y_ = y, has_ = true;
    }
    void lift() { has_ = false; }

  private:
    void segment(int x0, int y0, int x1, int y1) {
        if (!dashed_) {
            c_.moveTo(x0, y0);
            c_.lineTo(x1, y1);
            return;
        }
        const double length = std::hypot(x1 - x0, y1 - y0);
        double done = 0;
        while (done < length) {
            const int period = kDash + kGap;
            const double inPeriod = std::fmod(phase_, period);
            const bool on = inPeriod < kDash;
            const double run = std::min(length - done, (on ? kDash : period) - inPeriod);
            if (on) {
                const double a = done / length, b = (done + run) / length;
                c_.moveTo(pixel(x0 + (x1 - x0) * a), pixel(y0 + (y1 - y0) * a));
                c_.lineTo(pixel(x0 + (x1 - x0) * b), pixel(y0 + (y1 - y0) * b));
            }
            done += run;
            phase_ += run;
        }
    }

    Canvas& c_;
    bool dashed_;
    double phase_ = 0;
    int x_ = 0, y_ = 0;
    bool has_ = false;
};

double reachOf(const Model& m) {
    const double r = std::fabs(static_cast<double>(m.frame.RevArmToCentMax));
    return std::isfinite(r) && r > 1e-6 ? r : 1e-6;
}

void drawPanel(Canvas& c, const Model& m, int panel) {
    const int left = kPortPanelLeft[panel], right = left + kPortPanelWidth;
    const double reach = reachOf(m);
    c.setPen(colours::black, 1);
    c.polyline({{left, kPortPanelTop}, {left, kPortPanelBottom}, {right + 1, kPortPanelBottom}});
    for (int pct = 0; pct <= 100; pct += 10) {
        const int y = portPercentY(pct);
        c.moveTo(left - 4, y);
        c.lineTo(left, y);
        if (pct % 20 == 0) {
            const std::string label = formatInt(pct, 3);
            c.textOut(left - 26, y - 6, label);
        }
    }
    c.textOut(left + kPortPanelWidth / 2 - 25, 78, panel == 0 ? "Front Port" : "Rear Port");
    c.textOut(left - 36, 78, "% Stroke");

    // Marks at the normal and the greatest travel.
    struct Mark {
        double distance;
        const char* text;
    };
    const double normal = std::fabs(static_cast<double>(m.frame.RevArmToCentNorm));
    for (const Mark& mark : {Mark{normal, "Normal"}, Mark{reach, "Maximum"}}) {
        const int x = portDistanceX(panel, mark.distance, reach);
        c.setPenColour(colours::gray);
        c.moveTo(x, kPortPanelTop);
        c.lineTo(x, kPortPanelBottom);
        c.setPenColour(colours::black);
        c.moveTo(x, kPortPanelBottom);
        c.lineTo(x, kPortPanelBottom + 4);
        const std::string text = mark.text;
        c.textOut(x - 3 * static_cast<int>(text.size()), kPortPanelBottom + 5, text);
        c.textOut(x - 15, kPortPanelBottom + 18, formatFixed(mark.distance, 5, 3));
    }
    c.moveTo(left, kPortPanelBottom);
    c.lineTo(left, kPortPanelBottom + 4);
    c.textOut(left - 15, kPortPanelBottom + 18, formatFixed(0.0, 5, 3));
    c.textOut(left + 50, kPortPanelBottom + 30, "Reverse Arm from Center");
}

void drawCurves(Canvas& c, const Model& m, const std::vector<PortEventPoint>& points, bool dashed) {
    const double reach = reachOf(m);
    using End = PortEventPoint::End;
    struct Curve {
        Rgb colour;
        std::optional<float> (*value)(const End&);
    };
    const Curve curves[] = {
        {kCutOffColour, [](const End& e) { return std::optional<float>(e.cutOff); }},
        {kReleaseColour, [](const End& e) { return e.release; }},
        {kCompressionColour, [](const End& e) { return e.compression; }},
    };
    for (int panel = 0; panel < 2; ++panel) {
        for (const Curve& curve : curves) {
            c.setPen(curve.colour, 1);
            Stroke stroke(c, dashed);
            for (const PortEventPoint& p : points) {
                const std::optional<float> v = curve.value(panel == 0 ? p.front : p.rear);
                if (!v) {
                    stroke.lift();  // the event does not happen in its stroke here
                    continue;
                }
                stroke.point(portDistanceX(panel, p.distance, reach), portPercentY(*v));
            }
        }
    }
    c.setPen(colours::black, 1);
}

void drawLegend(Canvas& c, PortGraphMode mode) {
    const int y = 399;
    int x = 10;
    auto sample = [&](Rgb colour, bool dashed, const std::string& text) {
        c.setPen(colour, 1);
        Stroke s(c, dashed);
        s.point(x, y + 6);
        s.point(x + 20, y + 6);
        c.setPen(colours::black, 1);
        c.textOut(x + 24, y, text);
        x += 24 + c.textWidth(text) + 14;
    };
    sample(kCutOffColour, false, "Cut-Off");
    sample(kReleaseColour, false, "Release");
    sample(kCompressionColour, false, "Compression");
    x += 20;
    if (mode != PortGraphMode::Reverse) sample(colours::black, false, "Forward");
    if (mode != PortGraphMode::Forward)
        sample(colours::black, mode == PortGraphMode::Both, "Reverse");
}

}  // namespace

int portPercentY(double percent) {
    return pixel(kPortPanelBottom - percent * (kPortPanelBottom - kPortPanelTop) / 100.0);
}

int portDistanceX(int panel, double distance, double reach) {
    return pixel(kPortPanelLeft[panel] + distance * kPortPanelWidth / reach);
}

DiagramOutcome drawPortDiagram(Canvas& c, const Model& m, PortGraphMode mode) {
    DiagramOutcome outcome;
    drawPanel(c, m, 0);
    drawPanel(c, m, 1);
    if (mode != PortGraphMode::Reverse)
        drawCurves(c, m, portEventCurves(m, true, kPortIntervals, &outcome.findings), false);
    if (mode != PortGraphMode::Forward)
        drawCurves(c, m, portEventCurves(m, false, kPortIntervals, &outcome.findings),
                   mode == PortGraphMode::Both);
    drawLegend(c, mode);
    return outcome;
}

}  // namespace tarvell
