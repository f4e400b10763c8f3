// Valve-event timings: the events of one reverse arm position (normal forward), and of nine
// positions spread over the reverse arm's range, as a diagram or the events window asks. The
// "solves" counter is the solver runs per position, to set against BM_SolveLinkageFullTurn.
#include <benchmark/benchmark.h>

#include "ValveEvents.h"

using namespace tarvell;

namespace {

void BM_ValveEventsOnePosition(benchmark::State& state) {
    Model m;
    StartUp(m);
    const float position = m.reverseArmPositions[2];
    int solves = 0;
    for (auto _ : state) {
        const PositionEvents e = valveEvents(m, position);
        benchmark::DoNotOptimize(e.front.cutOff.value);
        solves = e.solves;
    }
    state.counters["solves"] = solves;
}
BENCHMARK(BM_ValveEventsOnePosition)->Unit(benchmark::kMicrosecond);

void BM_ValveEventsNinePositions(benchmark::State& state) {
    Model m;
    StartUp(m);
    const float c = m.ReverseArmCentre();
    const float reach = m.frame.RevArmToCentMax;
    int solves = 0;
    for (auto _ : state) {
        solves = 0;
        for (int k = 0; k < 9; ++k) {
            const float position = c - reach + 2.0f * reach * static_cast<float>(k) / 8.0f;
            const PositionEvents e = valveEvents(m, position);
            benchmark::DoNotOptimize(e.rear.cutOff.value);
            solves += e.solves;
        }
    }
    state.counters["solves"] = solves / 9.0;
}
BENCHMARK(BM_ValveEventsNinePositions)->Unit(benchmark::kMillisecond);

}  // namespace
