// Never losing a design: the "*" of unsaved changes, the question before closing, opening or
// resetting loses them (Save, Discard, Cancel, and a save that fails), the recovery file after
// a run that did not end cleanly, the recent files, the shortcuts and the status line that
// says why an action was refused.
#include <sys/resource.h>
#include <sys/stat.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProcess>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "DimensionDialogSupport.h"
#include "DrawLines.h"
#include "DynamicVariables.h"
#include "ModalDialog.h"
#include "RecentFiles.h"
#include "RecoveryKeeper.h"

using namespace tarvell;
using Choice = DataFileCommands::SaveChoice;

namespace {

class UnsavedChanges : public test::DimensionDialogTest {
  protected:
    void SetUp() override {
        DimensionDialogTest::SetUp();
        errorMessages_.clear();  // the instruction texts are not beside the tests
        ASSERT_TRUE(dir_.isValid());
        removeRecoveryFiles();
        files().showError = [this](const QString&, const QString& m) { errors_.append(m); };
    }
    void TearDown() override { removeRecoveryFiles(); }
    // The recovery files and any set aside, in the tests' own data folder.
    static void removeRecoveryFiles() {
        const QDir folder(RecoveryKeeper::recoveryFolder());
        // The lock files stay: they belong to the copies running in the test.
        for (const QString& f :
             folder.entryList({"recovery*.tvr", "recovery*.damaged"}, QDir::Files | QDir::System))
            QFile::remove(folder.filePath(f));
    }
    QString recoveryFile() const { return program_->recovery->recoveryPath(); }
    DataFileCommands& files() { return *program_->dataFile; }
    QString path(const QString& name) const { return dir_.filePath(name); }
    void saveAs(const QString& p) {
        files().chooseSavePath = [p] { return p; };
        form().SaveAsDimensions->trigger();
    }
    // A change as the frame dialog's Stroke field makes it, typed in: with an undo entry.
    void changeStroke(const char* text) {
        model().undoPending = true;
        if (StoreDimensionField(model(), 2, text)) program_->context().setUndoButtonsEnabled(true);
    }
    // A new run of the program, with its messages recorded instead of shown.
    std::unique_ptr<Program> restart() {
        ProgramOptions options;
        options.startTimer = false;
        options.showError = [this](const QString& m) { restartMessages_.append(m); };
        auto p = std::make_unique<Program>(std::make_unique<RecordingSound>(), options);
        p->createWindows();
        return p;
    }
    bool marked() {
        tick();
        return form().windowTitle().contains("*" + QString::fromStdString(model().DataSetName));
    }

    QTemporaryDir dir_;
    QStringList errors_;
    QStringList restartMessages_;
};

}  // namespace

TEST_F(UnsavedChanges, TheTitleMarksAChangeUntilItIsSavedOrUndone) {
    model().UndoEnabled = true;
    EXPECT_FALSE(marked());
    changeStroke("3.5");
    EXPECT_TRUE(marked());
    EXPECT_TRUE(form().windowTitle().startsWith("Tarvell Outside Admission            *Nominal"));
    form().UndoLastChange->trigger();  // Ctrl+Z
    EXPECT_EQ(model().frame.Stroke, 3.25f);
    EXPECT_FALSE(marked());
    changeStroke("3.5");
    saveAs(path("Loco.dtv"));
    EXPECT_FALSE(marked());
    EXPECT_TRUE(form().windowTitle().contains("Loco"));
    // Turning the gear, looking at forward or reverse gear, panning and zooming change nothing
    // of the design, though the file keeps where the arm and the view stood.
    tick(5);
    form().FwdClick();
    form().RevClick();
    form().SBRevArm->setValue(form().SBRevArm->value() + 7);
    form().SBZoom->setValue(form().SBZoom->value() + 3);
    EXPECT_FALSE(marked());
    changeStroke("3.25");
    EXPECT_TRUE(marked());
    changeStroke("3.5");
    // A file whose reverse arm stands between two steps of its scroll bar opens unchanged.
    model().gear.ReverseArmPosition += 0.00037f;
    saveAs(path("Between.dtv"));
    files().chooseOpenPath = [this] { return path("Between.dtv"); };
    form().OpenDimensions->trigger();
    EXPECT_FALSE(marked());
}

TEST_F(UnsavedChanges, ClosingAsksOnlyWhenSomethingWouldBeLost) {
    form().close();
    EXPECT_TRUE(saveQuestions_.isEmpty());
    EXPECT_FALSE(form().isVisible());

    form().show();
    changeStroke("3.5");
    saveAnswer_ = Choice::Cancel;
    form().close();
    EXPECT_TRUE(form().isVisible());
    ASSERT_EQ(saveQuestions_.size(), 1);
    EXPECT_EQ(saveQuestions_[0], "Save changes to Nominal?");

    // Save with no file of its own asks where; cancelling that keeps the program up.
    saveAnswer_ = Choice::Save;
    files().chooseSavePath = [] { return QString(); };
    form().close();
    EXPECT_TRUE(form().isVisible());
    // A save that fails keeps it up too, and says why.
    files().chooseSavePath = [this] { return path("no/such/folder/x.dtv"); };
    form().close();
    EXPECT_TRUE(form().isVisible());
    EXPECT_EQ(errors_.size(), 1);
    // A save that works lets it go, with the design in the file.
    files().chooseSavePath = [this] { return path("Kept.dtv"); };
    form().close();
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(QFile(path("Kept.dtv")).size(), 1440);

    form().show();
    changeStroke("3.75");
    saveAnswer_ = Choice::Discard;
    form().close();
    EXPECT_FALSE(form().isVisible());
}

TEST_F(UnsavedChanges, OpeningAndResettingAskFirst) {
    saveAs(path("A.dtv"));
    changeStroke("3.5");
    bool chosen = false;
    files().chooseOpenPath = [&] {
        chosen = true;
        return path("A.dtv");
    };
    saveAnswer_ = Choice::Cancel;
    form().OpenDimensions->trigger();
    EXPECT_FALSE(chosen);
    EXPECT_EQ(model().frame.Stroke, 3.5f);
    form().ResetAll->trigger();
    EXPECT_EQ(model().frame.Stroke, 3.5f);
    EXPECT_EQ(saveQuestions_.size(), 2);
    EXPECT_EQ(saveQuestions_[1], "Save changes to A?");

    // Save writes to the design's own file, then the open goes on.
    saveAnswer_ = Choice::Save;
    form().OpenDimensions->trigger();
    EXPECT_TRUE(chosen);
    EXPECT_EQ(model().frame.Stroke, 3.5f);  // A.dtv now holds the change

    // Reset all with Discard gives the defaults as a new, unchanged design.
    changeStroke("3.75");
    saveAnswer_ = Choice::Discard;
    form().ResetAll->trigger();
    EXPECT_EQ(model().frame.Stroke, 3.25f);
    EXPECT_EQ(model().DataSetName, "Nominal");
    EXPECT_FALSE(marked());
    EXPECT_TRUE(files().currentPath().isEmpty());
}

TEST_F(UnsavedChanges, ADimensionDialogResetAsksAndTheAnswerHolds) {
    changeStroke("3.5");
    saveAnswer_ = Choice::Cancel;
    QTest::mouseClick(frameDi().ResetFrame, Qt::LeftButton);
    EXPECT_EQ(model().frame.Stroke, 3.5f);
    ASSERT_EQ(saveQuestions_.size(), 1);
    saveAnswer_ = Choice::Discard;
    QTest::mouseClick(frameDi().ResetFrame, Qt::LeftButton);
    EXPECT_EQ(model().frame.Stroke, 3.25f);
    EXPECT_EQ(model().undoCount, 0);  // the whole reset, the click's part too
    // Nothing left to lose: the next reset asks nothing.
    QTest::mouseClick(frameDi().ResetFrame, Qt::LeftButton);
    EXPECT_EQ(saveQuestions_.size(), 2);
}

TEST_F(UnsavedChanges, ARunThatDiedOffersItsDesignBack) {
    changeStroke("3.5");
    model().DataSetName = "Loco";
    program_->recovery->check();
    ASSERT_TRUE(QFile::exists(recoveryFile()));

    // The program is killed: nothing removes the file. The next run offers it.
    program_->recovery->abandon();
    std::unique_ptr<Program> next = restart();
    QString asked;
    next->recovery->askRestore = [&](const QString& q) {
        asked = q;
        return true;
    };
    next->startUp({});
    EXPECT_TRUE(asked.contains("\"Loco\""));
    EXPECT_EQ(next->model().frame.Stroke, 3.5f);
    EXPECT_EQ(next->model().DataSetName, "Loco");
    EXPECT_TRUE(next->context().designModified());  // still to be saved

    // Declined, it goes for good.
    next->recovery->check();
    next->recovery->abandon();
    next.reset();
    next = restart();
    next->recovery->askRestore = [](const QString&) { return false; };
    next->startUp({});
    EXPECT_EQ(next->model().frame.Stroke, 3.25f);
    EXPECT_TRUE(QDir(RecoveryKeeper::recoveryFolder()).entryList({"*.tvr"}).isEmpty());
}

TEST_F(UnsavedChanges, EachRunningCopyKeepsItsOwnRecoveryFile) {
    changeStroke("3.5");
    program_->recovery->check();
    std::unique_ptr<Program> second = restart();
    second->model().undoPending = true;
    StoreDimensionField(second->model(), 2, "4.5");
    second->recovery->check();
    ASSERT_NE(second->recovery->recoveryPath(), recoveryFile());
    ASSERT_TRUE(QFile::exists(second->recovery->recoveryPath()));

    // A copy that is still running is never offered, and its file is never removed by
    // another that quits cleanly.
    std::unique_ptr<Program> third = restart();
    int offered = 0;
    third->recovery->askRestore = [&](const QString&) { return ++offered, false; };
    third->startUp({});
    EXPECT_EQ(offered, 0);
    third.reset();
    second->recovery->discard();
    EXPECT_TRUE(QFile::exists(recoveryFile()));

    // Both copies killed: every design left is offered, one per start.
    second->model().undoPending = true;
    StoreDimensionField(second->model(), 2, "4.5");
    second->recovery->check();
    second->recovery->abandon();
    program_->recovery->abandon();
    QList<float> restored;
    for (int start = 0; start < 2; ++start) {
        std::unique_ptr<Program> next = restart();
        next->recovery->askRestore = [](const QString&) { return true; };
        next->startUp({});
        restored << next->model().frame.Stroke;
        if (start == 0) {
            EXPECT_TRUE(next->mainForm->statusBar()->currentMessage().contains(
                "offered at the next start"));
        }
        next->recovery->discard();  // this one saves and quits cleanly
    }
    std::sort(restored.begin(), restored.end());
    EXPECT_EQ(restored, (QList<float>{3.5f, 4.5f}));
}

TEST_F(UnsavedChanges, AFullDiskSaveSaysSoAndKeepsTheMarkTheRecoveryFileAndTheOldFile) {
    saveAs(path("Loco.dtv"));
    QFile saved(path("Loco.dtv"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray before = saved.readAll();
    saved.close();
    changeStroke("3.5");
    program_->recovery->check();
    ASSERT_TRUE(QFile::exists(recoveryFile()));
    {
        // Files of at most 1,024 bytes: the data file's 1,440 do not fit, as on a full disk.
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit limit = old;
        limit.rlim_cur = 1024;
        setrlimit(RLIMIT_FSIZE, &limit);
        form().SaveDimensions->trigger();
        setrlimit(RLIMIT_FSIZE, &old);
    }
    ASSERT_EQ(errors_.size(), 1);
    EXPECT_TRUE(errors_[0].contains("saving failed")) << errors_[0].toStdString();
    EXPECT_TRUE(marked());
    program_->recovery->check();
    EXPECT_TRUE(QFile::exists(recoveryFile()));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), before);
}

TEST_F(UnsavedChanges, ARecoveryFileThatCannotBeReadIsSetAsideNotLoaded) {
    const QDir folder(RecoveryKeeper::recoveryFolder());
    const QString damaged = folder.filePath("recovery-30.tvr");
    QFile f(damaged);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("TARVELL RECOVERY 1\nname Loco\npath \ntime 2026-12-08 10:00:00\n\nshort");
    f.close();
    // A pipe in a recovery file's place: opening it would wait for a writer for ever.
    const QString pipe = folder.filePath("recovery-31.tvr");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    bool asked = false;
    program_->recovery->askRestore = [&](const QString&) { return asked = true; };
    program_->startUp({});
    EXPECT_FALSE(asked);
    EXPECT_EQ(model().frame.Stroke, 3.25f);
    ASSERT_EQ(errorMessages_.size(), 2);
    const QString messages = errorMessages_.join('\n');
    EXPECT_TRUE(messages.contains("cut short: it holds 5 of its 1440 bytes"))
        << messages.toStdString();
    EXPECT_TRUE(messages.contains("not an ordinary file")) << messages.toStdString();
    EXPECT_FALSE(QFile::exists(damaged));
    EXPECT_FALSE(QFileInfo::exists(pipe));
    EXPECT_EQ(folder.entryList({"recovery-3?.tvr.*.damaged"}, QDir::Files | QDir::System).size(),
              2);
}

TEST_F(UnsavedChanges, AReadOnlyDataFolderIsSaidOnceAndNothingIsClaimedSetAside) {
    const QString folder = RecoveryKeeper::recoveryFolder();
    const QString damaged = QDir(folder).filePath("recovery.tvr");
    QFile f(damaged);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a recovery file");
    f.close();
    program_->recovery->abandon();
    // A folder nobody may write to: permissions, and for a superuser the immutable flag; made
    // writable again however the test ends.
    ::chmod(QFile::encodeName(folder).constData(), 0555);
    QProcess::execute("chattr", {"+i", folder});
    const std::shared_ptr<void> unlock(nullptr, [&](void*) {
        QProcess::execute("chattr", {"-i", folder});
        ::chmod(QFile::encodeName(folder).constData(), 0755);
        QFile::remove(folder + "/probe");
    });
    if (QFile(folder + "/probe").open(QIODevice::WriteOnly))
        GTEST_SKIP() << "no way to make a folder unwritable here";
    std::unique_ptr<Program> next = restart();
    next->startUp({});
    const QStringList setAside = restartMessages_.filter("earlier run");
    ASSERT_EQ(setAside.size(), 1);
    EXPECT_TRUE(setAside[0].contains("could not be set aside")) << setAside[0].toStdString();
    EXPECT_TRUE(QFile::exists(damaged));
    next->model().undoPending = true;
    StoreDimensionField(next->model(), 2, "3.5");
    for (int watch = 0; watch < 3; ++watch) next->recovery->check();
    EXPECT_TRUE(next->mainForm->statusBar()->currentMessage().startsWith(
        "unsaved changes are not protected: "));
}

TEST_F(UnsavedChanges, OnlyAHandedOverFileOfTheProgramsOwnIsTakenAndRemoved) {
    saveAs(path("Loco.dtv"));
    changeStroke("3.5");
    // A design named by mistake where a handed-over file belongs stays where it is.
    EXPECT_FALSE(program_->recovery->takeCarryOver(path("Loco.dtv")).isEmpty());
    EXPECT_TRUE(QFile::exists(path("Loco.dtv")));
    QString carried;
    ASSERT_TRUE(program_->recovery->writeCarryOver(carried).isEmpty());
    std::unique_ptr<Program> next = restart();
    EXPECT_TRUE(next->recovery->takeCarryOver(carried).isEmpty());
    EXPECT_EQ(next->model().frame.Stroke, 3.5f);
    EXPECT_FALSE(QFile::exists(carried));
}

TEST_F(UnsavedChanges, ASecondFileArgumentIsNamedNotDropped) {
    model().frame.Stroke = 3.5f;
    saveAs(path("One.dtv"));
    model().frame.Stroke = 4.0f;
    saveAs(path("Other.dtv"));
    files().openFromCommandLine({path("One.dtv"), path("Two.dtv")});
    EXPECT_EQ(model().frame.Stroke, 3.5f);
    EXPECT_TRUE(form().statusBar()->currentMessage().contains("Two.dtv\" was not opened"));
}

TEST_F(UnsavedChanges, RecentFilesKeepTheNewestAndDropOneThatIsGone) {
    saveAs(path("One.dtv"));
    saveAs(path("Two.dtv"));
    const QStringList recent = files().recentFiles().files();
    ASSERT_GE(recent.size(), 2);
    EXPECT_TRUE(recent[0].endsWith("Two.dtv"));
    EXPECT_TRUE(recent[1].endsWith("One.dtv"));
    form().RecentFiles->aboutToShow();
    ASSERT_GE(form().RecentFiles->actions().size(), 2);
    EXPECT_EQ(form().RecentFiles->actions()[1]->text(), "&2 One.dtv");

    QFile::remove(path("One.dtv"));
    form().RecentFiles->actions()[1]->trigger();
    ASSERT_EQ(errors_.size(), 1);
    EXPECT_TRUE(errors_[0].contains("no longer there"));
    EXPECT_FALSE(files().recentFiles().files().join('|').contains("One.dtv"));
    EXPECT_EQ(model().DataSetName, "Two");
}

TEST_F(UnsavedChanges, ShortcutsStandBesideTheAccessKeys) {
    EXPECT_EQ(form().OpenDimensions->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(form().SaveDimensions->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(form().SaveAsDimensions->shortcut(), QKeySequence("Ctrl+Shift+S"));
    EXPECT_EQ(form().UndoLastChange->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(form().Exit1->shortcut(), QKeySequence("Ctrl+Q"));
    EXPECT_EQ(form().Instructions->shortcut(), QKeySequence("F1"));
    // Space stops and runs the driver while the drawing has the focus.
    QWidget* drawing = form().client();
    drawing->setFocus();
    ASSERT_TRUE(form().running());
    QTest::keyClick(drawing, Qt::Key_Space);
    EXPECT_FALSE(form().running());
    QTest::keyClick(drawing, Qt::Key_Space);
    EXPECT_TRUE(form().running());
    // Ctrl+S without a file of its own asks where.
    bool asked = false;
    files().chooseSavePath = [&] {
        asked = true;
        return QString();
    };
    form().SaveDimensions->trigger();
    EXPECT_TRUE(asked);
}

TEST_F(UnsavedChanges, ARefusedActionSaysWhyInTheStatusLine) {
    form().DrawLines1->setEnabled(true);
    form().DrawLines1->trigger();  // both reference points still at 0,0
    EXPECT_EQ(sound().beeps, 1);
    EXPECT_TRUE(form().statusBar()->currentMessage().contains("reference points"));

    form().RefPoints->trigger();
    ASSERT_TRUE(form().running());
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(300, 200), QPointF(300, 200),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form().client(), &press);
    EXPECT_EQ(sound().beeps, 2);
    EXPECT_TRUE(form().statusBar()->currentMessage().startsWith("Stop the motion first"));
}

TEST_F(UnsavedChanges, RecentFilesComeAliveWithTheFirstSave) {
    ASSERT_TRUE(files().recentFiles().files().isEmpty());
    EXPECT_FALSE(form().RecentFiles->isEnabled());
    saveAs(path("First.dtv"));
    EXPECT_TRUE(form().RecentFiles->isEnabled());
    ASSERT_EQ(form().RecentFiles->actions().size(), 1);
    EXPECT_EQ(form().RecentFiles->actions()[0]->text(), "&1 First.dtv");
}

TEST_F(UnsavedChanges, TheQuestionBelongsToTheWindowThatAsksAndEachAnswerHasItsKey) {
    changeStroke("3.5");
    files().askSaveChanges = [this](const QString& q) { return files().askUser(q); };
    QStringList buttons;
    QWidget* parent = nullptr;
    // Asked from the frame dialog's Reset: the question stands over the dialog, not the main
    // window, so the dialog does not vanish behind it.
    QTimer::singleShot(0, &frameDi(), [&] {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            parent = box->parentWidget();
            for (QAbstractButton* b : box->buttons()) buttons << b->text();
            box->button(QMessageBox::Cancel)->click();
        });
        frameDi().ResetFrame->click();
        frameDi().reject();
    });
    execModal(frameDi(), &form());
    EXPECT_EQ(parent, &frameDi());
    EXPECT_TRUE(buttons.contains("&Discard"));
    EXPECT_TRUE(buttons.contains("&Save"));
    EXPECT_EQ(model().frame.Stroke, 3.5f);
}
