// Comparing the working design with another: from the File menu and the valve events window,
// with another design's file or the design as last saved; the events side by side with the
// dimensions that differ, the sine diagram's other curves pale underneath, and everything as
// before once the comparison stops. A file that cannot be used is refused with its reason.
#include <unistd.h>
#include <QAction>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>

#include "DataFileCommands.h"
#include "EventsComparisonView.h"
#include "KeyColumnsTable.h"
#include "MainForm.h"
#include "Sine.h"
#include "UiTestSupport.h"
#include "ValveEventsWindow.h"

using namespace tarvell;

namespace {

class ComparisonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ProgramOptions options;
        options.startTimer = false;
        options.showError = [this](const QString& text) { errors_.append(text); };
        program_ = std::make_unique<Program>(std::make_unique<RecordingSound>(), options);
        program_->createWindows();
        form().show();
        errors_.clear();  // what the start said (no instruction texts here) is not ours
        ASSERT_TRUE(folder_.isValid());
    }

    TMainForm& form() { return *program_->mainForm; }
    Model& model() { return program_->model(); }
    TValveEvents& events() { return *program_->valveEvents; }
    EventsComparisonView& view() { return *events().Comparison; }
    QString path(const char* name) const { return folder_.filePath(name); }
    void choose(const QString& p) {
        program_->dataFile->chooseOpenPath = [p] { return p; };
    }

    QStringList column(QTableWidget* t, int c) {
        QStringList out;
        for (int r = 0; r < t->rowCount(); ++r) out << t->item(r, c)->text();
        return out;
    }
    // The "This - Other" columns of every row.
    QStringList differences() {
        QStringList out;
        for (int c = 0; c < view().ComparisonGrid->columnCount(); ++c)
            if (view().ComparisonGrid->horizontalHeaderItem(c)->text() == "This - Other")
                out << column(view().ComparisonGrid, c);
        return out;
    }

    std::unique_ptr<Program> program_;
    QStringList errors_;
    QTemporaryDir folder_;
};

}  // namespace

TEST_F(ComparisonTest, TheDesignAsSavedComparesEqualAndAChangeShowsWhereItDiffers) {
    // Not saved yet: nothing to compare with, and the user is told so.
    form().CompareWithSaved->trigger();
    ASSERT_EQ(errors_.size(), 1) << errors_.join("\n").toStdString();
    EXPECT_TRUE(errors_[0].contains("has not been saved yet")) << errors_[0].toStdString();
    EXPECT_FALSE(form().StopComparing->isEnabled());

    ASSERT_EQ(program_->dataFile->saveFile(path("gear.dtv")), "");
    const QImage plain = program_->sineDia->pictureImage();
    form().CompareWithSaved->trigger();
    EXPECT_TRUE(form().StopComparing->isEnabled());
    events().show();
    EXPECT_TRUE(view().isVisible());
    EXPECT_TRUE(view().Heading->text().contains("no dimension differs"));
    EXPECT_FALSE(view().DifferingGrid->isVisible());
    // Five rows of the table, two ends each, four quantities: every difference nothing.
    const QStringList same = differences();
    EXPECT_EQ(same.size(), 4 * 2 * events().table().rows.size());
    for (const QString& d : same) EXPECT_TRUE(d == "-" || d.toDouble() == 0.0) << d.toStdString();
    // The same design underneath draws nothing new but its legend.
    EXPECT_NE(program_->sineDia->pictureImage(), plain);

    // Codes 11 and 9 changed: both listed with this design's and the saved values, and the
    // figures differ by what each design gives on its own.
    const float code11 = dimensionValue(model(), 11), code9 = dimensionValue(model(), 9);
    setDimensionValue(model(), 11, code11 + 0.25f);
    setDimensionValue(model(), 9, code9 - 0.125f);
    form().CompareWithSaved->trigger();
    ASSERT_TRUE(view().DifferingGrid->isVisible());
    EXPECT_EQ(column(view().DifferingGrid, 0), QStringList({"9", "11"}));
    EXPECT_EQ(view().DifferingGrid->item(0, 3)->text().toFloat(), code9);
    EXPECT_EQ(view().DifferingGrid->item(1, 2)->text().toFloat(), code11 + 0.25f);
    EXPECT_TRUE(view().Heading->text().contains("2 dimensions differ"));
    bool anyDiffers = false;
    for (const QString& d : differences()) anyDiffers |= d != "-" && d.toDouble() != 0.0;
    EXPECT_TRUE(anyDiffers);

    // Stopping returns every window to its own picture.
    setDimensionValue(model(), 11, code11);
    setDimensionValue(model(), 9, code9);
    form().StopComparing->trigger();
    EXPECT_FALSE(view().isVisible());
    EXPECT_TRUE(events().EventsGrid->isVisible());
    EXPECT_EQ(program_->sineDia->pictureImage(), plain);
    EXPECT_FALSE(form().StopComparing->isEnabled());
    events().close();
    EXPECT_EQ(errors_.size(), 1);
}

TEST_F(ComparisonTest, AnotherDesignsFileIsReadOnlyWhenItIsADesign) {
    ASSERT_EQ(program_->dataFile->saveFile(path("gear.dtv")), "");
    const std::string fifo = path("pipe.dtv").toStdString();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    QFile damaged(path("short.dtv"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(100, '\1'));
    damaged.close();
    ASSERT_TRUE(QDir(folder_.path()).mkdir("folder.dtv"));
    for (const char* bad : {"pipe.dtv", "short.dtv", "missing.dtv", "folder.dtv"}) {
        choose(path(bad));
        form().CompareWithFile->trigger();
        EXPECT_FALSE(form().StopComparing->isEnabled()) << bad;
    }
    EXPECT_EQ(errors_.size(), 4);

    // The working design has changed since: compared with the file, the change shows, and
    // the working design itself is not touched by reading the other.
    const float code11 = dimensionValue(model(), 11);
    setDimensionValue(model(), 11, code11 + 0.5f);
    choose(path("gear.dtv"));
    form().CompareWithFile->trigger();
    EXPECT_EQ(dimensionValue(model(), 11), code11 + 0.5f);
    events().show();
    ASSERT_TRUE(view().isVisible());
    EXPECT_EQ(column(view().DifferingGrid, 0), QStringList({"11"}));
    EXPECT_TRUE(view().Heading->text().contains("gear.dtv"));
    events().close();
}
