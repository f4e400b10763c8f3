// A data file named on the command line is opened at start-up.
#include <QFile>
#include <QTemporaryDir>

#include "DataFile.h"
#include "DataFileCommands.h"
#include "UiTestSupport.h"

using namespace tarvell;

namespace {

class StartupFileTest : public test::ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(dir_.isValid());
        program_->dataFile->showError = [this](const QString&, const QString& message) {
            errors_.push_back(message);
        };
    }
    QTemporaryDir dir_;
    std::vector<QString> errors_;
};

}  // namespace

TEST_F(StartupFileTest, ALoneFileArgumentOpensThatDesign) {
    // A design with a longer stroke, saved by another copy of the program.
    Model other;
    StartUp(other);
    other.frame.Stroke = 3.75f;
    other.cyl.ValveStem() = 6.0f;
    const auto bytes = encodeDataFile(other);
    const QString path = dir_.filePath("Mogul.dtv");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    f.close();

    program_->dataFile->openFromCommandLine({path});
    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ(model().frame.Stroke, 3.75f);
    EXPECT_EQ(model().cyl.ValveStem(), 6.0f);
    EXPECT_EQ(model().DataSetName, "Mogul");
    tick();
    EXPECT_TRUE(form().windowTitle().contains("Mogul"));
}

TEST_F(StartupFileTest, WithoutAUsableFileTheDefaultsStay) {
    program_->dataFile->openFromCommandLine({});
    EXPECT_TRUE(errors_.empty());
    program_->dataFile->openFromCommandLine({dir_.filePath("missing.dtv")});
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(errors_[0].contains("missing.dtv"));
    EXPECT_EQ(model().frame.Stroke, 3.25f);
    EXPECT_EQ(model().DataSetName, "Nominal");
}
