// One tick of the rotation loop: solve, openings, screen coordinates, the full frame into
// the 1280 x 1024 image (with and without the steam display).
#include <benchmark/benchmark.h>

#include <memory>

#include "MainForm.h"
#include "Program.h"
#include "RecordingSound.h"

using namespace tarvell;

namespace {

void BM_MainWindowTick(benchmark::State& state) {
    ProgramOptions options;
    options.startTimer = false;
    options.showError = [](const QString&) {};  // the instruction texts are not needed here
    Program program(std::make_unique<RecordingSound>(), options);
    program.createWindows();
    TMainForm& form = *program.mainForm;
    if (state.range(0)) form.SetSteam->trigger();
    for (auto _ : state) form.Timer1Timer();
    state.SetLabel(state.range(0) ? "steam display on" : "steam display off");
}
BENCHMARK(BM_MainWindowTick)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
