// Histograms of a tolerance study's figures, side by side: one panel per figure with its
// samples counted in bins, the nominal figure marked in red and the range written under it.
// Drawn through Canvas only. No Qt.
#pragma once

#include <string>
#include <vector>

#include "Canvas.h"

namespace tarvell {

struct HistogramPanel {
    std::string title;  // "Front cut-off %"
    std::vector<double> values;
    double nominal = 0;
};

inline constexpr int kHistogramBins = 30;

// The counts of `values` in `bins` equal bins from their least to their greatest (all in the
// middle bin when they are all equal); NaNs are left out.
std::vector<int> histogramCounts(const std::vector<double>& values, int bins, double& least,
                                 double& greatest);

// Clears the canvas and draws the panels across `width` x `height` pixels.
void drawHistograms(Canvas& canvas, int width, int height,
                    const std::vector<HistogramPanel>& panels);

}  // namespace tarvell
