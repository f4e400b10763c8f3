// Notch timings: one running notch found from scratch (25 % forward, its range included), and
// the "By notch" table of the default cut-offs either way (12 notches).
#include <benchmark/benchmark.h>

#include "Notch.h"

using namespace tarvell;

namespace {

void BM_NotchOnePosition(benchmark::State& state) {
    Model m;
    StartUp(m);
    int eventSets = 0;
    for (auto _ : state) {
        const NotchPosition n = findNotch(m, {25, true});
        benchmark::DoNotOptimize(n.position);
        eventSets = n.eventSets;
    }
    state.counters["event_sets"] = eventSets;
}
BENCHMARK(BM_NotchOnePosition)->Unit(benchmark::kMicrosecond);

void BM_NotchTable(benchmark::State& state) {
    Model m;
    StartUp(m);
    int eventSets = 0;
    for (auto _ : state) {
        const NotchTable t = buildNotchTable(m);
        benchmark::DoNotOptimize(t.rows.data());
        eventSets = t.rows[t.rows.size() - 2].eventSets + t.rows.back().eventSets;
    }
    state.counters["event_sets"] = eventSets;
}
BENCHMARK(BM_NotchTable)->Unit(benchmark::kMillisecond);

}  // namespace
