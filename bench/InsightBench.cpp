// Design insight timings: the sensitivity table (every dimension that moves the events, normal
// forward and reverse) and the die slip of one position.
#include <benchmark/benchmark.h>

#include "DieSlip.h"
#include "Sensitivity.h"

using namespace tarvell;

namespace {

Model startedModel() {
    Model m;
    StartUp(m);
    return m;
}

void BM_SensitivityTable(benchmark::State& state) {
    const Model m = startedModel();
    const std::vector<BalancePosition> positions = normalBalancePositions();
    std::size_t rows = 0;
    for (auto _ : state) {
        const SensitivityTable table = sensitivityTable(m, positions);
        rows = table.rows.size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_SensitivityTable)->Unit(benchmark::kMillisecond);

void BM_DieSlip(benchmark::State& state) {
    const Model m = startedModel();
    int solves = 0;
    for (auto _ : state) {
        const DieSlip slip = dieSlip(m, m.reverseArmPositions[3]);
        solves = slip.solves;
        benchmark::DoNotOptimize(solves);
    }
    state.counters["solves"] = solves;
}
BENCHMARK(BM_DieSlip)->Unit(benchmark::kMicrosecond);

}  // namespace
