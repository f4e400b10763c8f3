// Pivot data table window timing: what opening the window costs at the finest step, 0.01
// degree: the sweep and its text (as in PivotTableBench) plus handing the text to the memo,
// and, separately, the first paint of the window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <memory>

#include "DatTable.h"
#include "MainForm.h"
#include "Program.h"
#include "RecordingSound.h"

using namespace tarvell;

namespace {

std::unique_ptr<Program> finestStepProgram() {
    ProgramOptions options;
    options.startTimer = false;
    options.showError = [](const QString&) {};  // the instruction texts are not needed here
    auto program = std::make_unique<Program>(std::make_unique<RecordingSound>(), options);
    program->createWindows();
    program->model().gear.StepAngle = 0.01f;
    program->model().pivotDataSlots = {2, 3, 4, 8, 14, 18};
    return program;
}

void BM_DataTableWindowFinestStep(benchmark::State& state) {
    auto program = finestStepProgram();
    TDataTable& table = *program->dataTable;
    for (auto _ : state) {
        table.FormActivate();
        benchmark::DoNotOptimize(table.DataMemo->blockCount());
    }
}
BENCHMARK(BM_DataTableWindowFinestStep)->Unit(benchmark::kMillisecond);

// Opening as the user does: the table built, the window shown and painted once.
void BM_DataTableWindowOpenAndPaint(benchmark::State& state) {
    auto program = finestStepProgram();
    TDataTable& table = *program->dataTable;
    for (auto _ : state) {
        table.show();
        table.repaint();
        QApplication::processEvents();
        state.PauseTiming();
        table.close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DataTableWindowOpenAndPaint)->Unit(benchmark::kMillisecond);

}  // namespace
