// Opening and saving dimension data files from the main window.
#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include "DataFile.h"
#include "DataFileCommands.h"
#include "DrawLines.h"
#include "NumberField.h"
#include "UiTestSupport.h"

using namespace tarvell;
using tarvell::test::ProgramTest;

namespace {

class DataFileCommandsTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(dir_.isValid());
        commands().showError = [this](const QString&, const QString& message) {
            errors_.push_back(message);
        };
    }
    DataFileCommands& commands() { return *program_->dataFile; }
    QString path(const QString& name) const { return dir_.filePath(name); }

    void saveAs(const QString& p) {
        commands().chooseSavePath = [p] { return p; };
        form().SaveAsDimensions->trigger();
    }
    void open(const QString& p) {
        commands().chooseOpenPath = [p] { return p; };
        form().OpenDimensions->trigger();
    }
    std::vector<unsigned char> snapshot() { return encodeDataFile(model()); }
    QByteArray fileBytes(const QString& p) {
        QFile f(p);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    void writeBytes(const QString& p, const QByteArray& bytes) {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir dir_;
    std::vector<QString> errors_;
};

}  // namespace

TEST_F(DataFileCommandsTest, ASavedDesignOpensAgainExactly) {
    model().frame.Stroke = 3.5f;
    model().pivots[16].x = 10.75f;
    model().view.presets[2] = View{30.0f, 120.0f, 280.0f};
    model().reverseArmPositions[5] = 10.25f;
    model().overlay[3].type = 1;
    model().overlay[3].p2x = 0.5f;
    form().FindRevArmCent->trigger();  // mid gear for the moved reverse arm pivot
    form().SBRevArm->setValue(500);
    saveAs(path("Loco.dtv"));
    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ(fileBytes(path("Loco.dtv")).size(), 1440);
    EXPECT_EQ(model().DataSetName, "Loco");
    const auto saved = snapshot();

    model().frame.Stroke = 9.0f;
    model().pivots[16].x = 1.0f;
    model().view.presets[2] = View{};
    model().overlay[3] = OverlayItem{};
    model().DataSetName = "Other";
    open(path("Loco.dtv"));
    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ(model().DataSetName, "Loco");
    EXPECT_EQ(model().frame.Stroke, 3.5f);
    EXPECT_EQ(model().pivots[16].x, 10.75f);
    EXPECT_EQ(model().overlay[3].type, 1);
    EXPECT_EQ(model().reverseArmPositions[5], 10.25f);
    // Every stored value comes back bit for bit, but for the reverse arm end's X, which
    // mid gear recomputes (record 13, field 2).
    auto reopened = snapshot();
    ASSERT_EQ(reopened.size(), saved.size());
    for (std::size_t i = 12 * 20 + 4; i < 12 * 20 + 8; ++i) reopened[i] = saved[i];
    for (std::size_t i = 0; i < saved.size(); ++i)
        EXPECT_EQ(reopened[i], saved[i]) << "record " << i / 20 + 1 << " field " << i % 20 / 4 + 1;
}

TEST_F(DataFileCommandsTest, OpeningSetsTheReverseArmBar) {
    model().frame.RevArmToCentMax = 1.2f;
    form().SBRevArm->setRange(-1200, 1200);
    form().SBRevArm->setValue(500);
    saveAs(path("Arm.dtv"));
    form().SBRevArm->setRange(-1500, 1500);
    form().SBRevArm->setValue(-300);
    model().frame.RevArmToCentMax = 1.5f;
    open(path("Arm.dtv"));
    EXPECT_EQ(form().SBRevArm->minimum(), -1200);
    EXPECT_EQ(form().SBRevArm->maximum(), 1200);
    EXPECT_EQ(form().SBRevArm->value(), 500);
    EXPECT_FLOAT_EQ(model().gear.ReverseArmPosition, model().ReverseArmCentre() + 0.5f);
    EXPECT_EQ(model().gear.direction, Direction::Fwd);
}

TEST_F(DataFileCommandsTest, ADamagedFileIsRefusedAndChangesNothing) {
    saveAs(path("Good.dtv"));
    const QByteArray good = fileBytes(path("Good.dtv"));
    model().frame.Stroke = 4.0f;
    model().DataSetName = "Work";
    const auto before = snapshot();

    struct Case {
        const char* name;
        QByteArray bytes;
        const char* words;
    };
    QByteArray nan = good;
    const unsigned char qnan[4] = {0x00, 0x00, 0xC0, 0x7F};
    nan.replace(20 * 3 + 8, 4, reinterpret_cast<const char*>(qnan), 4);
    const std::vector<Case> cases = {
        {"Short.dtv", good.left(18 * 20), "too short"},
        {"Half.dtv", good.left(18 * 20 + 10), "too short"},
        {"Forty.dtv", good.left(40 * 20), "damaged"},
        {"Empty.dtv", QByteArray(), "empty"},
        {"Nan.dtv", nan, "record 4"},
    };
    for (const Case& c : cases) {
        writeBytes(path(c.name), c.bytes);
        errors_.clear();
        open(path(c.name));
        ASSERT_EQ(errors_.size(), 1u) << c.name;
        EXPECT_TRUE(errors_[0].contains(c.name)) << errors_[0].toStdString();
        EXPECT_TRUE(errors_[0].contains(c.words)) << errors_[0].toStdString();
        EXPECT_EQ(snapshot(), before) << c.name;
        EXPECT_EQ(model().DataSetName, "Work");
    }
    errors_.clear();
    open(path("Missing.dtv"));
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(errors_[0].contains("cannot be opened"));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(DataFileCommandsTest, CancellingChangesNothing) {
    const auto before = snapshot();
    open(QString());
    saveAs(QString());
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ(model().DataSetName, "Nominal");
}

TEST_F(DataFileCommandsTest, AFailedSaveReportsAndKeepsTheName) {
    saveAs(dir_.filePath("no/such/folder/Loco.dtv"));
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(errors_[0].contains("Loco.dtv"));
    EXPECT_EQ(model().DataSetName, "Nominal");
    EXPECT_FALSE(QFile::exists(dir_.filePath("no/such/folder/Loco.dtv")));
}

TEST_F(DataFileCommandsTest, AFailedSaveLeavesTheOldFileIntact) {
    const QString folder = dir_.filePath("locked");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString target = folder + "/Old.dtv";
    writeBytes(target, "previous design");
    // A folder nobody may write to: permissions, and for a superuser the immutable flag.
    ::chmod(folder.toLocal8Bit().constData(), 0555);
    QProcess::execute("chattr", {"+i", folder});
    const bool locked = !QFile(folder + "/probe").open(QIODevice::WriteOnly);
    if (locked) {
        model().frame.Stroke = 5.0f;
        saveAs(target);
        EXPECT_EQ(errors_.size(), 1u);
        EXPECT_EQ(fileBytes(target), QByteArray("previous design"));
        EXPECT_EQ(model().DataSetName, "Nominal");
    }
    QProcess::execute("chattr", {"-i", folder});
    ::chmod(folder.toLocal8Bit().constData(), 0755);
    QFile::remove(folder + "/probe");
    if (!locked) GTEST_SKIP() << "no way to make a folder unwritable here";
}

TEST_F(DataFileCommandsTest, OpeningRefreshesTheOverlayTable) {
    model().overlay[6] = OverlayItem{1.5f, 2.0f, 3.0f, 4.0f, 0, 0, 0, 0, 0, 1, 0, 2, 8};
    model().currentOverlayItem = 7;
    saveAs(path("Lines.dtv"));
    model().overlay[6] = OverlayItem{};
    model().currentOverlayItem = 2;
    program_->drawLines->LinesDataClick();
    ASSERT_TRUE(program_->drawLines->rows[6].info[TDrawLines::TypeInfo]->text().isEmpty());
    open(path("Lines.dtv"));
    TDrawLines& lines = *program_->drawLines;
    EXPECT_EQ(model().currentOverlayItem, 7);
    EXPECT_TRUE(lines.rows[6].number->isChecked());
    EXPECT_FALSE(lines.rows[1].number->isChecked());
    EXPECT_FALSE(lines.rows[6].info[TDrawLines::TypeInfo]->text().isEmpty());
    EXPECT_EQ(lines.rows[6].field[TDrawLines::Pt1Horz]->text(), "1.500");
    EXPECT_EQ(lines.rows[6].field[TDrawLines::Pt1Vert]->text(), "2.000");

    // A cancelled open still brings the table up to date with the model.
    model().overlay[6].p1x = 5.0f;
    open(QString());
    EXPECT_EQ(lines.rows[6].field[TDrawLines::Pt1Horz]->text(), "5.000");
}
