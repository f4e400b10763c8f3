// Diagram timings, drawing into the window's image as the windows do: the sine diagram with
// nine entries (603 solves and the drawing), the oval, steam and indicator diagrams with nine
// entries, and the port events diagram in each mode.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include "IndicatorDrawing.h"
#include "OvalDrawing.h"
#include "PortDrawing.h"
#include "QtCanvas.h"
#include "SineDrawing.h"
#include "SteamDrawing.h"

using namespace tarvell;

namespace {

// The default set with nine entries spread over the reverse arm's whole travel.
Model nineEntries() {
    Model m;
    StartUp(m);
    const float c = m.ReverseArmCentre(), reach = m.frame.RevArmToCentMax;
    for (int k = 1; k <= 9; ++k)
        m.reverseArmPositions[static_cast<std::size_t>(k)] =
            c - reach + 2.0f * reach * static_cast<float>(k - 1) / 8.0f;
    m.PositionCount = 9;
    return m;
}

template <class Draw>
void drawLoop(benchmark::State& state, Model& m, QSize size, Draw&& draw) {
    QImage image(size, QImage::Format_RGB32);
    for (auto _ : state) {
        QtCanvas canvas(image);
        canvas.refresh();
        canvas.setBrush(false, colours::white);
        draw(canvas, m);
    }
}

void BM_SineDiagramNineEntries(benchmark::State& state) {
    Model m = nineEntries();
    drawLoop(state, m, {632, 414}, [](Canvas& c, Model& mm) { drawSineDiagram(c, mm); });
}
BENCHMARK(BM_SineDiagramNineEntries)->Unit(benchmark::kMillisecond);

void BM_OvalDiagramNineEntries(benchmark::State& state) {
    Model m = nineEntries();
    drawLoop(state, m, {632, 426}, [](Canvas& c, Model& mm) { drawOvalDiagram(c, mm); });
}
BENCHMARK(BM_OvalDiagramNineEntries)->Unit(benchmark::kMillisecond);

void BM_SteamDiagramNineEntries(benchmark::State& state) {
    Model m = nineEntries();
    drawLoop(state, m, {632, 414}, [](Canvas& c, Model& mm) { drawSteamDiagram(c, mm); });
}
BENCHMARK(BM_SteamDiagramNineEntries)->Unit(benchmark::kMillisecond);

void BM_IndicatorDiagramNineEntries(benchmark::State& state) {
    Model m = nineEntries();
    drawLoop(state, m, {632, 414}, [](Canvas& c, Model& mm) { drawIndicatorDiagram(c, mm); });
}
BENCHMARK(BM_IndicatorDiagramNineEntries)->Unit(benchmark::kMillisecond);

void BM_PortDiagram(benchmark::State& state) {
    Model m;
    StartUp(m);
    const auto mode = static_cast<PortGraphMode>(state.range(0));
    drawLoop(state, m, {632, 414}, [mode](Canvas& c, Model& mm) { drawPortDiagram(c, mm, mode); });
    state.SetLabel(mode == PortGraphMode::Forward   ? "forward"
                   : mode == PortGraphMode::Reverse ? "reverse"
                                                    : "both");
}
BENCHMARK(BM_PortDiagram)
    ->Arg(static_cast<int>(PortGraphMode::Forward))
    ->Arg(static_cast<int>(PortGraphMode::Both))
    ->Unit(benchmark::kMillisecond);

}  // namespace
