// One tick of the rotation loop: solve, openings, screen coordinates, the full frame into
// the 1280 x 1024 image (with and without the steam display). The window's own repaint is
// timed as well, with the window shown (on the off-screen platform unless QT_QPA_PLATFORM
// says otherwise): running, and standing still with nothing changed.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QPushButton>
#include <memory>

#include "MainForm.h"
#include "Program.h"
#include "RecordingSound.h"

using namespace tarvell;

namespace {

std::unique_ptr<Program> makeProgram() {
    ProgramOptions options;
    options.startTimer = false;
    options.showError = [](const QString&) {};  // the instruction texts are not needed here
    auto program = std::make_unique<Program>(std::make_unique<RecordingSound>(), options);
    program->createWindows();
    return program;
}

void BM_MainWindowTick(benchmark::State& state) {
    const auto program = makeProgram();
    TMainForm& form = *program->mainForm;
    if (state.range(0)) form.SetSteam->trigger();
    for (auto _ : state) form.Timer1Timer();
    state.SetLabel(state.range(0) ? "steam display on" : "steam display off");
}
BENCHMARK(BM_MainWindowTick)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A tick and the repaint it asks for, as the event loop would run them.
void BM_MainWindowTickShown(benchmark::State& state) {
    const auto program = makeProgram();
    TMainForm& form = *program->mainForm;
    form.show();
    QCoreApplication::processEvents();
    const bool running = state.range(0) != 0;
    if (!running) form.Run->click();
    form.Timer1Timer();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        form.Timer1Timer();
        QCoreApplication::processEvents();
    }
    state.SetLabel(running ? "running" : "standing still");
}
BENCHMARK(BM_MainWindowTickShown)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
