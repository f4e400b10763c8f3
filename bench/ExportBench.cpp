// The exports a user waits for: one turn of the main drawing as an animated WebP (36 frames
// at 10 degrees, drawn and encoded) and the design sheet (the events table, the mechanism and
// three diagrams into a PDF), both of the default set with the window shown.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <memory>

#include "DesignExports.h"
#include "MainForm.h"
#include "Program.h"
#include "RecordingSound.h"

using namespace tarvell;

namespace {

std::unique_ptr<Program> shownProgram() {
    ProgramOptions options;
    options.startTimer = false;
    options.showError = [](const QString&) {};
    auto program = std::make_unique<Program>(std::make_unique<RecordingSound>(), options);
    program->createWindows();
    program->mainForm->show();
    QCoreApplication::processEvents();
    program->mainForm->Timer1Timer();
    return program;
}

void BM_AnimationOneTurn(benchmark::State& state) {
    const auto program = shownProgram();
    const float position = program->model().gear.ReverseArmPosition;
    qsizetype bytes = 0;
    for (auto _ : state) bytes = program->exports->animationWebp(position, 10).bytes.size();
    state.counters["kB"] = static_cast<double>(bytes) / 1000.0;
}
BENCHMARK(BM_AnimationOneTurn)->Unit(benchmark::kMillisecond);

void BM_DesignSheet(benchmark::State& state) {
    const auto program = shownProgram();
    qsizetype bytes = 0;
    for (auto _ : state) bytes = program->exports->sheetPdf().size();
    state.counters["kB"] = static_cast<double>(bytes) / 1000.0;
}
BENCHMARK(BM_DesignSheet)->Unit(benchmark::kMillisecond);

}  // namespace
