// Design insight timings: the sensitivity table (every dimension that moves the events, normal
// forward and reverse), the die slip of one position and a tolerance study.
#include <benchmark/benchmark.h>

#include "DieSlip.h"
#include "Sensitivity.h"
#include "Tolerance.h"

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

// 2,000 samples at normal forward and reverse on 1, 2, ... threads (the argument).
void BM_ToleranceStudy(benchmark::State& state) {
    const Model m = startedModel();
    ToleranceSettings settings;
    settings.threads = static_cast<int>(state.range(0));
    int samples = 0;
    for (auto _ : state) {
        const ToleranceStudy study = toleranceStudy(m, settings);
        samples = study.samples;
        benchmark::DoNotOptimize(samples);
    }
    state.counters["samples"] = samples;
}
BENCHMARK(BM_ToleranceStudy)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
