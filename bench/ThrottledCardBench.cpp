// The card at speed: both ends' cards at 200 revolutions per minute, at normal forward and at
// mid gear (which settles more slowly), from the valve's solves to the settled turn.
#include <benchmark/benchmark.h>

#include "ThrottledCard.h"

using namespace tarvell;

namespace {

void BM_ThrottledCard200Rpm(benchmark::State& state) {
    Model m;
    StartUp(m);
    const float position = state.range(0) == 0 ? m.reverseArmPositions[2] : m.ReverseArmCentre();
    int turns = 0;
    for (auto _ : state) {
        const ThrottledIndicatorResult r = throttledIndicatorDiagram(m, position, m.indicator, 200);
        benchmark::DoNotOptimize(r.front.card.mep);
        turns = r.turns;
    }
    state.counters["turns"] = turns;
}
BENCHMARK(BM_ThrottledCard200Rpm)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
