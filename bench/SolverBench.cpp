// Solver timings: one solve at the default set, a full turn at each of the three standard
// reverse arm positions, and the 603 solves of a nine-curve sine diagram.
#include <benchmark/benchmark.h>

#include "Calc.h"

using namespace tarvell;

namespace {

Model started() {
    Model m;
    StartUp(m);
    return m;
}

// One solve per iteration, stepping 1 degree per solve through a full turn.
void BM_SolveLinkageFullTurn(benchmark::State& state) {
    Model m = started();
    m.gear.ReverseArmPosition = m.reverseArmPositions[static_cast<std::size_t>(state.range(0))];
    int angle = 0;
    for (auto _ : state) {
        m.gear.DriverAngle = static_cast<float>(angle);
        SolveLinkage(m);
        benchmark::DoNotOptimize(m.pivots[4].x);
        angle = angle == 359 ? 0 : angle + 1;
    }
    state.SetLabel(state.range(0) == 1 ? "mid" : state.range(0) == 2 ? "fwd" : "rev");
}
BENCHMARK(BM_SolveLinkageFullTurn)->Arg(1)->Arg(2)->Arg(3);

// The sine diagram's load: 9 positions x 67 samples = 603 solves.
void BM_SineDiagramSweep603(benchmark::State& state) {
    Model m = started();
    const float c = m.ReverseArmCentre();
    for (auto _ : state) {
        for (int k = 0; k < 9; ++k) {
            m.gear.ReverseArmPosition = c - 1.5f + 3.0f * static_cast<float>(k) / 8.0f;
            for (int j = 7; j <= 73; ++j) {
                float a = static_cast<float>(8 * j + 272);
                while (a > 360) a -= 360;
                m.gear.DriverAngle = a;
                SolveLinkage(m);
                benchmark::DoNotOptimize(m.limits.ValveOffset);
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * 603);
}
BENCHMARK(BM_SineDiagramSweep603);

}  // namespace
