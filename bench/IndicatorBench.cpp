// Indicator diagram timings: the two cards of one reverse arm position (normal forward), as
// the indicator window and each row of the valve events table take them.
#include <benchmark/benchmark.h>

#include "Indicator.h"

using namespace tarvell;

namespace {

void BM_IndicatorOnePosition(benchmark::State& state) {
    Model m;
    StartUp(m);
    const float position = m.reverseArmPositions[2];
    int solves = 0;
    for (auto _ : state) {
        const IndicatorResult r = indicatorDiagram(m, position, m.indicator);
        benchmark::DoNotOptimize(r.front.mep);
        solves = r.solves;
    }
    state.counters["solves"] = solves;
}
BENCHMARK(BM_IndicatorOnePosition)->Unit(benchmark::kMicrosecond);

}  // namespace
