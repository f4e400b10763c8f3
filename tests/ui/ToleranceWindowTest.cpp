// The Tolerance window: a study run from the window on worker threads gives the report's
// figures, histograms drawn in the bars' blue with the nominal in red, the live design
// untouched; Cancel stops a long study and leaves no figures.
#include <QAction>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "NumberField.h"
#include "ToleranceWindow.h"
#include "UiTestSupport.h"

namespace tarvell::test {
namespace {

class ToleranceWindowTest : public ProgramTest {
  protected:
    TTolerance& window() { return *program_->tolerance; }
};

int countPixels(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour ? 1 : 0;
    return n;
}

TEST_F(ToleranceWindowTest, RunsAStudyAndDrawsItsHistograms) {
    const std::vector<float> before = [&] {
        std::vector<float> v;
        for (const DimensionInfo& d : allDimensions()) v.push_back(dimensionValue(model(), d.code));
        return v;
    }();
    bool seen = false;
    QTimer::singleShot(0, &window(), [&] {
        seen = true;
        window().Samples->setValue(300);
        window().Seed->setValue(4);
        window().RunButton->click();
        EXPECT_TRUE(window().running());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window().running(); }, 60000));
        ASSERT_TRUE(window().study());
        EXPECT_EQ(window().Progress->value(), 300);
        EXPECT_EQ(window().SpreadGrid->rowCount(), 18);
        // The same figures the model gives for these settings.
        ToleranceSettings s;
        s.samples = 300;
        s.seed = 4;
        const ToleranceStudy direct = toleranceStudy(model(), s);
        EXPECT_EQ(window().study()->rows[8].spread.median, direct.rows[8].spread.median);
        const QImage& picture = window().picture();
        EXPECT_GT(countPixels(picture, qRgb(70, 120, 190)), 500);  // the bars
        EXPECT_GT(countPixels(picture, qRgb(220, 0, 0)), 50);      // the nominal lines
        EXPECT_TRUE(window().SaveCsv->isEnabled());

        window().Samples->setValue(100000);
        window().RunButton->click();
        window().CancelRun->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window().running(); }, 60000));
        EXPECT_EQ(window().study()->samples, 300);  // the last finished study stays
        window().CloseButton->click();
    });
    form().Tolerance->trigger();
    EXPECT_TRUE(seen);
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(dimensionValue(model(), allDimensions()[i].code), before[i]);
}

}  // namespace
}  // namespace tarvell::test
