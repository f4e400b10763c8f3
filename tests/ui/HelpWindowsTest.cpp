// The instruction and about windows: the instruction texts read once at start-up from the
// working directory, the message for a file that cannot be read, and the help menu.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cerrno>
#include <cstring>

#include "Instruct.h"
#include "InstructionFile.h"
#include "TarvellVersion.h"
#include "TavFrame.h"
#include "TavSpIns.h"
#include "UiTestSupport.h"
#include "VGAboutBox.h"
#include "WindowPlacement.h"

namespace tarvell::test {
namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// A program started in a folder of the test's own, which holds the files each test puts
// there before start-up.
class HelpWindowsTest : public ProgramTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        saved_ = QDir::currentPath();
        QDir::setCurrent(folder_.path());
        QSettings().remove("help");  // no place remembered from another test
    }
    void TearDown() override { QDir::setCurrent(saved_); }
    void start() { ProgramTest::SetUp(); }
    QString path(const QString& name) const { return folder_.filePath(name); }
    TInst& inst() { return *program_->inst; }
    TTavSpInst& special() { return *program_->tavSpInst; }

    QTemporaryDir folder_;
    QString saved_;
};

QString missingReason() {
    return QString::fromLocal8Bit(std::strerror(ENOENT));
}

TEST_F(HelpWindowsTest, MissingFilesGiveOneMessageEachAndKeepMemo1) {
    writeFile(path("TavSpIns.doc"), "Special\n");
    start();
    ASSERT_EQ(errorMessages_.size(), 1);
    EXPECT_EQ(errorMessages_[0], "Error Loading instruct.doc: " + missingReason());
    EXPECT_EQ(inst().Memo1->toPlainText(), "Memo1");
    EXPECT_EQ(inst().Label1->text(), "Label1");
    EXPECT_EQ(special().Memo1->toPlainText(), "Special\n");
    EXPECT_EQ(special().Label1->text(), "TavSpIns.doc");

    // Both missing: one message for each, in the windows' creation order.
    program_.reset();
    errorMessages_.clear();
    QFile::remove(path("TavSpIns.doc"));
    start();
    ASSERT_EQ(errorMessages_.size(), 2);
    EXPECT_EQ(errorMessages_[0], "Error Loading instruct.doc: " + missingReason());
    EXPECT_EQ(errorMessages_[1], "Error Loading TavSpIns.doc: " + missingReason());
    EXPECT_EQ(special().Memo1->toPlainText(), "Memo1");
}

TEST_F(HelpWindowsTest, TheTextIsReadOnceAtStartUp) {
    writeFile(path("instruct.doc"), "First line\r\nSecond line\r\n");
    writeFile(path("TavSpIns.doc"), "Special\n");
    start();
    EXPECT_TRUE(errorMessages_.isEmpty());
    EXPECT_EQ(inst().Memo1->toPlainText(), "First line\nSecond line\n");
    EXPECT_EQ(inst().Label1->text(), "instruct.doc");
    EXPECT_TRUE(inst().Memo1->isReadOnly());
    EXPECT_EQ(inst().Memo1->toolTip(), "instruct.doc");
    EXPECT_EQ(special().Memo1->toolTip(), "TavSpIns.doc");

    // Changed while the program runs: the window still shows what was read at start-up.
    writeFile(path("instruct.doc"), "Changed\n");
    form().Instructions->trigger();
    EXPECT_TRUE(inst().isVisible());
    EXPECT_EQ(inst().Memo1->toPlainText(), "First line\nSecond line\n");
    inst().close();

    // The next start reads the new text.
    program_.reset();
    start();
    EXPECT_EQ(inst().Memo1->toPlainText(), "Changed\n");
}

TEST_F(HelpWindowsTest, FilesThatCannotBeShownAreRefusedWithAMessage) {
    QDir(folder_.path()).mkdir("instruct.doc");
    writeFile(path("TavSpIns.doc"), QByteArray(kMostInstructionBytes + 1, 'x'));
    start();
    ASSERT_EQ(errorMessages_.size(), 2);
    EXPECT_TRUE(errorMessages_[0].startsWith("Error Loading instruct.doc: "));
    EXPECT_GT(errorMessages_[0].size(), QString("Error Loading instruct.doc: ").size());
    EXPECT_TRUE(errorMessages_[1].startsWith("Error Loading TavSpIns.doc: "));
    EXPECT_EQ(inst().Memo1->toPlainText(), "Memo1");
    EXPECT_EQ(special().Memo1->toPlainText(), "Memo1");
}

// The instructions stay open beside the work: the command returns at once and the main
// window takes input; a second command brings the same window forward. The about box waits.
TEST_F(HelpWindowsTest, TheInstructionsOpenWithoutWaitingAndTheAboutBoxModally) {
    start();
    const std::pair<QAction*, InstructionWindow*> texts[] = {{form().Instructions, &inst()},
                                                             {form().SpecInstr, &special()}};
    for (const auto& [command, window] : texts) {
        EXPECT_TRUE(command->isEnabled());
        command->trigger();  // returns: no loop of its own runs
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(window->isModal());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        // It can be made larger and smaller.
        EXPECT_LT(window->minimumWidth(), window->maximumWidth());
        EXPECT_LT(window->minimumHeight(), window->maximumHeight());
        command->trigger();
        EXPECT_TRUE(window->isVisible());
    }
    // Both open at once.
    EXPECT_TRUE(inst().isVisible());
    EXPECT_EQ(inst().windowTitle(), "Instructions");
    EXPECT_EQ(special().windowTitle(), "Tarvell Special Instructions");
    inst().close();
    special().close();

    bool modal = false;
    QTimer::singleShot(0, [&] {
        modal = program_->aboutBox->isVisible() && program_->aboutBox->isModal();
        program_->aboutBox->close();
    });
    form().About1->trigger();
    EXPECT_TRUE(modal);
    EXPECT_EQ(program_->aboutBox->windowTitle(), "About These Programs");
}

TEST_F(HelpWindowsTest, TheAboutBoxHasEightLinesAndNoButtons) {
    start();
    TAboutBox& about = *program_->aboutBox;
    EXPECT_EQ(about.size(), QSize(340, 143));
    EXPECT_TRUE(about.findChildren<QAbstractButton*>().isEmpty());
    const QList<QLabel*> labels = about.findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 8);
    for (int i = 1; i <= 8; ++i) {
        const QLabel* label = about.Label[static_cast<std::size_t>(i)];
        EXPECT_FALSE(label->text().trimmed().isEmpty()) << i;
        // Each line is whole inside the window.
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), about.width()) << i;
    }
    EXPECT_TRUE(about.Label[2]->text().contains(QString("Version ") + kProgramVersion));
}

// The texts shipped with the program: plain ASCII, and no line wider than the window, so
// the memo never breaks a line of its own.
TEST_F(HelpWindowsTest, TheShippedTextsFitTheirWindows) {
    QDir::setCurrent(TARVELL_ASSETS_DIR);
    start();
    EXPECT_TRUE(errorMessages_.isEmpty()) << errorMessages_.join("; ").toStdString();
    for (InstructionWindow* w :
         {static_cast<InstructionWindow*>(&inst()), static_cast<InstructionWindow*>(&special())}) {
        w->show();  // lays the memo out
        const QString text = w->Memo1->toPlainText();
        EXPECT_GT(text.size(), 2000);
        const QFontMetrics metrics(w->Memo1->font());
        const int room = w->Memo1->viewport()->width() -
                         2 * static_cast<int>(w->Memo1->document()->documentMargin());
        int line = 0;
        for (const QString& l : text.split('\n')) {
            ++line;
            for (QChar c : l) EXPECT_LT(c.unicode(), 128) << "line " << line;
            EXPECT_LE(l.size(), 64) << "line " << line;
            EXPECT_LE(metrics.horizontalAdvance(l), room)
                << w->Memo1->toolTip().toStdString() << " line " << line;
        }
        w->close();
    }
}

// The window's size and place are kept between runs; one no longer on any screen is not.
TEST_F(HelpWindowsTest, TheWindowOpensWhereItWasLeft) {
    start();
    form().Instructions->trigger();
    const QRect left(40, 50, 500, 400);
    inst().setGeometry(left);
    inst().close();

    program_.reset();
    start();
    form().Instructions->trigger();
    EXPECT_EQ(inst().geometry(), left);
    inst().close();

    program_.reset();
    QSettings().setValue("help/TInst/geometry", QRect(9000, 9000, 500, 400));
    start();
    form().Instructions->trigger();
    EXPECT_TRUE(liesOnAScreen(inst().frameGeometry()));
}

// Right of the window worked in if there is room, else left of it (narrower if need be), else
// flush with the screen's side where it covers least of it. The screen's free area is
// 1366 x 728; the help window 440 x 620, no narrower than 340.
TEST(HelpPlacementTest, BesideTheMainWindow) {
    const QRect screen(0, 0, 1366, 728);
    const QSize help(440, 620);
    // A main window at the top left: right of it, 8 pixels off, level with its top.
    EXPECT_EQ(placeBeside(QRect(0, 0, 640, 420), help, 340, screen), QRect(648, 0, 440, 620));
    // In the middle (x 367-1000): 357 pixels right of it and 359 left; the left is taken,
    // that wide, and raised so the window's foot stays on the screen (728 - 620).
    EXPECT_EQ(placeBeside(QRect(367, 176, 634, 440), help, 340, screen), QRect(0, 108, 359, 620));
    // Too wide for either (x 100-1299): flush left covers 340 columns of it, flush right 374.
    EXPECT_EQ(placeBeside(QRect(100, 0, 1200, 700), help, 340, screen), QRect(0, 0, 440, 620));
}

// Ctrl+F goes to the find box; typing finds the first match; Enter and F3 go on, with Shift
// back, round the end of the text; every match is marked.
TEST_F(HelpWindowsTest, TheFindBoxFindsEveryMatchEitherWay) {
    // "valve" at 0, at 14 ("Valve one\n" is 10 characters, "The " 4 more) and at 38 (the
    // third line, 14 characters, begins at 24).
    writeFile(path("instruct.doc"), "Valve one\nThe valve two\nno match here\nVALVE three\n");
    start();
    InstructionWindow& w = inst();
    form().Instructions->trigger();
    QApplication::setActiveWindow(&w);
    QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(w.FindBox->hasFocus());

    const auto selected = [&w] { return w.Memo1->textCursor().selectionStart(); };
    QTest::keyClicks(w.FindBox, "valve");
    EXPECT_EQ(selected(), 0);
    EXPECT_EQ(w.Memo1->textCursor().selectedText(), "Valve");
    EXPECT_EQ(w.Memo1->extraSelections().size(), 3);
    EXPECT_EQ(w.FindNote->text(), "1 of 3");
    QTest::keyClick(w.FindBox, Qt::Key_Return);
    EXPECT_EQ(selected(), 14);
    QTest::keyClick(&w, Qt::Key_F3);
    EXPECT_EQ(selected(), 38);
    EXPECT_EQ(w.FindNote->text(), "3 of 3");
    QTest::keyClick(w.FindBox, Qt::Key_Enter);
    EXPECT_EQ(selected(), 0);
    EXPECT_EQ(w.FindNote->text(), "Wrapped, 1 of 3");
    QTest::keyClick(w.FindBox, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(selected(), 38);
    QTest::keyClick(&w, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(selected(), 14);
    w.FindPrevious->click();
    EXPECT_EQ(selected(), 0);
    w.FindNext->click();
    EXPECT_EQ(selected(), 14);
    // The match selected is marked apart from the others.
    int apart = 0;
    for (const QTextEdit::ExtraSelection& mark : w.Memo1->extraSelections())
        apart += mark.format.background() != w.Memo1->extraSelections()[0].format.background();
    EXPECT_EQ(apart, 1);

    w.FindBox->setText("steam");
    EXPECT_EQ(w.FindNote->text(), "Not found");
    EXPECT_FALSE(w.Memo1->textCursor().hasSelection());
    EXPECT_TRUE(w.Memo1->extraSelections().isEmpty());
    EXPECT_FALSE(w.findNext());
    w.FindBox->clear();
    EXPECT_TRUE(w.FindNote->text().isEmpty());
}

TEST_F(HelpWindowsTest, TheHelpStaysUsableBesideAnOpenDialog) {
    writeFile(path("instruct.doc"), "Set the stroke first.\nThen the valve.\n");
    start();
    InstructionWindow& help = inst();
    form().Instructions->trigger();
    QString found;
    QTimer::singleShot(0, program_->frameDi, [&] {
        // Keys reach the help through the window system, as a user's do; a window blocked by
        // the dialog would not take them.
        help.FindBox->setFocus();
        for (char c : std::string("valve")) QTest::keyClick(help.windowHandle(), c);
        found = help.FindNote->text();
        program_->frameDi->reject();
    });
    form().FrameDim->trigger();
    EXPECT_EQ(help.FindBox->text(), "valve");
    EXPECT_EQ(found, "1 of 1");
}

}  // namespace
}  // namespace tarvell::test
