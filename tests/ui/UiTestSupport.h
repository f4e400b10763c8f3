// Shared set-up of the window tests: a whole program with a recording sound, its rotation
// loop stopped so each test drives the ticks itself.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <memory>

#include "MainForm.h"
#include "Program.h"
#include "RecordingSound.h"

namespace tarvell::test {

class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto sound = std::make_unique<RecordingSound>();
        sound_ = sound.get();
        program_ = std::make_unique<Program>(std::move(sound), ProgramOptions{false});
        program_->createWindows();
        form().show();
    }

    TMainForm& form() { return *program_->mainForm; }
    Model& model() { return program_->model(); }
    RecordingSound& sound() { return *sound_; }
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i) form().Timer1Timer();
    }
    QRgb pixel(int x, int y) { return form().frameImage().pixel(x, y) & 0xFFFFFFu; }

    std::unique_ptr<Program> program_;
    RecordingSound* sound_ = nullptr;
};

}  // namespace tarvell::test
