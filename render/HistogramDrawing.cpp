// Histograms of a tolerance study (see HistogramDrawing.h).
#include "HistogramDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tarvell {
namespace {

constexpr Rgb kBar{70, 120, 190};
constexpr Rgb kNominal{220, 0, 0};
constexpr int kMargin = 10, kTitleHeight = 18, kLabelHeight = 16;

std::string figure(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", v);
    return text;
}

}  // namespace

std::vector<int> histogramCounts(const std::vector<double>& values, int bins, double& least,
                                 double& greatest) {
    std::vector<int> counts(static_cast<std::size_t>(std::max(1, bins)), 0);
    least = INFINITY, greatest = -INFINITY;
    for (double v : values)
        if (!std::isnan(v)) least = std::min(least, v), greatest = std::max(greatest, v);
    if (!(least <= greatest)) return counts;
    const double span = greatest - least;
    for (double v : values) {
        if (std::isnan(v)) continue;
        int bin = span > 0 ? static_cast<int>((v - least) / span * bins) : bins / 2;
        bin = std::clamp(bin, 0, bins - 1);
        ++counts[static_cast<std::size_t>(bin)];
    }
    return counts;
}

void drawHistograms(Canvas& canvas, int width, int height,
                    const std::vector<HistogramPanel>& panels) {
    canvas.refresh();
    if (panels.empty()) return;
    const int count = static_cast<int>(panels.size());
    const int panelWidth = (width - kMargin) / count - kMargin;
    const int top = kMargin + kTitleHeight, bottom = height - kMargin - 2 * kLabelHeight;
    if (panelWidth < 20 || bottom - top < 20) return;
    canvas.setBrush(true);
    canvas.setFont({9, false, colours::black});
    for (int p = 0; p < count; ++p) {
        const HistogramPanel& panel = panels[static_cast<std::size_t>(p)];
        const int left = kMargin + p * (panelWidth + kMargin), right = left + panelWidth;
        canvas.textOut(left, kMargin, panel.title);
        canvas.setPen(colours::gray, 1);
        canvas.polyline({{left, top}, {left, bottom}, {right, bottom}});
        double least = 0, greatest = 0;
        const std::vector<int> counts =
            histogramCounts(panel.values, kHistogramBins, least, greatest);
        const int most = *std::max_element(counts.begin(), counts.end());
        if (most == 0) {
            canvas.textOut(left + 4, top + 4, "no samples");
            continue;
        }
        // Bars as columns of vertical lines, a pixel apart from their neighbours.
        canvas.setPen(kBar, 1);
        const double binWidth = static_cast<double>(panelWidth - 2) / kHistogramBins;
        for (int b = 0; b < kHistogramBins; ++b) {
            const int c = counts[static_cast<std::size_t>(b)];
            if (c == 0) continue;
            const int x0 = left + 1 + static_cast<int>(std::lround(b * binWidth));
            const int x1 = left + 1 + static_cast<int>(std::lround((b + 1) * binWidth)) - 1;
            const int y = bottom - static_cast<int>(
                                       std::lround(static_cast<double>(c) / most * (bottom - top)));
            for (int x = x0; x < std::max(x0 + 1, x1); ++x) {
                canvas.moveTo(x, bottom - 1);
                canvas.lineTo(x, y);
            }
        }
        if (greatest > least && std::isfinite(panel.nominal)) {
            const int x = left + 1 +
                          static_cast<int>(std::lround((panel.nominal - least) /
                                                       (greatest - least) * (panelWidth - 2)));
            canvas.setPen(kNominal, 2);
            canvas.moveTo(std::clamp(x, left, right), top);
            canvas.lineTo(std::clamp(x, left, right), bottom);
        }
        canvas.setFont({9, false, colours::black});
        canvas.textOut(left, bottom + 2, figure(least));
        const std::string high = figure(greatest);
        canvas.textOut(right - canvas.textWidth(high), bottom + 2, high);
        canvas.setFont({9, false, kNominal});
        const std::string nominal = "nominal " + figure(panel.nominal);
        canvas.textOut(left + (panelWidth - canvas.textWidth(nominal)) / 2,
                       bottom + 2 + kLabelHeight, nominal);
        canvas.setFont({9, false, colours::black});
    }
}

}  // namespace tarvell
