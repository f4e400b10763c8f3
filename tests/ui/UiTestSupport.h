// Shared set-up of the window tests: a whole program with a recording sound, its rotation
// loop stopped so each test drives the ticks itself.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QStringList>
#include <functional>
#include <memory>

#include "DataFileCommands.h"
#include "MainForm.h"
#include "Program.h"
#include "RecordingSound.h"

namespace tarvell::test {

class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto sound = std::make_unique<RecordingSound>();
        sound_ = sound.get();
        ProgramOptions options;
        options.startTimer = false;
        options.showError = [this](const QString& text) { errorMessages_.append(text); };
        options.chooseExportPath = [this](const QString& suggested, const QString& suffix) {
            exportRequests_.append(suggested + " " + suffix);
            return exportPath_;
        };
        options.setUpPrinter = [this](QPrinter& printer) {
            return setUpPrinter_ ? setUpPrinter_(printer) : false;
        };
        program_ = std::make_unique<Program>(std::move(sound), options);
        program_->createWindows();
        // Questions about unsaved changes are answered by the test, never by a message box:
        // Discard unless a test says otherwise.
        program_->dataFile->askSaveChanges = [this](const QString& question) {
            saveQuestions_.append(question);
            return saveAnswer_;
        };
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
    QStringList errorMessages_;  // error messages the program showed, in order
    QStringList saveQuestions_;  // "Save changes to ...?" as asked, in order
    DataFileCommands::SaveChoice saveAnswer_ = DataFileCommands::SaveChoice::Discard;
    // Exports: the path the save dialog answers (empty: cancelled), the suggested names and
    // suffixes it was asked with, and how the print dialog sets the printer up (none: cancel).
    QString exportPath_;
    QStringList exportRequests_;
    std::function<bool(QPrinter&)> setUpPrinter_;
};

}  // namespace tarvell::test
