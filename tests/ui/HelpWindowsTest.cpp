// The instruction and about windows: the instruction texts read once at start-up from the
// working directory, the message for a file that cannot be read, and the help menu.
#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <cerrno>
#include <cstring>

#include "Instruct.h"
#include "InstructionFile.h"
#include "TavSpIns.h"
#include "UiTestSupport.h"
#include "VGAboutBox.h"

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
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = inst().isVisible();
        EXPECT_EQ(inst().Memo1->toPlainText(), "First line\nSecond line\n");
        inst().close();
    });
    form().Instructions->trigger();
    EXPECT_TRUE(shown);

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

TEST_F(HelpWindowsTest, TheHelpMenuOpensEachWindowModally) {
    start();
    struct Case {
        QAction* command;
        QWidget* window;
        QString caption;
    };
    const Case cases[] = {
        {form().Instructions, &inst(), "Instructions"},
        {form().SpecInstr, &special(), "Tarvell Special Instructions"},
        {form().About1, program_->aboutBox, "About These Programs"},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(c.command->isEnabled());
        bool shown = false;
        QTimer::singleShot(0, [&] {
            shown = c.window->isVisible() && c.window->isModal();
            c.window->close();
        });
        c.command->trigger();
        EXPECT_TRUE(shown) << c.caption.toStdString();
        EXPECT_EQ(c.window->windowTitle(), c.caption);
    }
    EXPECT_EQ(inst().size(), QSize(427, 273));
    EXPECT_EQ(special().size(), QSize(427, 273));
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
    EXPECT_TRUE(about.Label[2]->text().contains("Version 2.6"));
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

}  // namespace
}  // namespace tarvell::test
