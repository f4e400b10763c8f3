// Pivot data table timing: the whole text at the finest step, 0.01 degree (35,996 rows), as
// the window builds it each time it opens.
#include <benchmark/benchmark.h>

#include "PivotTableText.h"

using namespace tarvell;

namespace {

void BM_PivotTableFinestStep(benchmark::State& state) {
    Model m;
    StartUp(m);
    m.gear.StepAngle = 0.01f;
    m.pivotDataSlots = {2, 3, 4, 8, 14, 18};
    const PivotTableHeading heading{"Nominal", "2026-01-01", "12:00:00"};
    for (auto _ : state) {
        const std::string text = buildPivotTable(m, heading);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_PivotTableFinestStep)->Unit(benchmark::kMillisecond);

}  // namespace
