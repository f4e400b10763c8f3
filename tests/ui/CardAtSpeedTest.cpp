// The card at speed in the indicator window: the speed, port length, units and valve lift
// set in the settings dialog and kept, the throttled cards drawn over the idealised ones gone
// pale, and both MEPs in the legend.
#include <QCheckBox>
#include <QComboBox>
#include <QSettings>
#include <QTimer>

#include "DiagramTestSupport.h"
#include "IndicatorDrawing.h"
#include "IndicatorSettingsDialog.h"
#include "IndicatorSettingsStore.h"
#include "IndicatorWindow.h"
#include "NumberField.h"
#include "RecordingCanvas.h"
#include "UiTestSupport.h"

namespace tarvell::test {
namespace {

class CardAtSpeedTest : public ProgramTest {
  protected:
    void TearDown() override { QSettings().remove("indicator"); }
    TIndicatorDia& window() { return *program_->indicatorDia; }
    TIndicatorSettings& dialog() { return *window().SettingsDialog; }
};

int segmentsOf(const Drawing& d, Rgb pen) {
    int n = 0;
    for (const Segment& s : d.segments) n += s.pen == pen;
    return n;
}

}  // namespace

TEST_F(CardAtSpeedTest, TheSpeedAndItsSettingsAreCheckedAndKept) {
    dialog().fillFields();
    EXPECT_EQ(dialog().SpeedEdit->text(), "0");  // idealised cards alone to begin with
    EXPECT_EQ(dialog().PortLengthEdit->text(), "1.5");
    for (const char* bad : {"-5", "200000", "fast"}) {
        errorMessages_.clear();
        dialog().SpeedEdit->setText(bad);
        dialog().OKBtn->click();
        EXPECT_EQ(errorMessages_.size(), 1) << bad;
        EXPECT_EQ(loadCardSpeed(), 0) << bad;
    }
    dialog().SpeedEdit->setText("300");
    dialog().PortLengthEdit->setText("40");
    dialog().LengthUnitBox->setCurrentText("mm");
    dialog().PressureUnitBox->setCurrentText("bar");
    dialog().ChestEdit->setText("8");
    dialog().BackEdit->setText("1.1");
    dialog().ValveLiftsBox->setChecked(false);
    errorMessages_.clear();
    dialog().OKBtn->click();
    EXPECT_TRUE(errorMessages_.isEmpty()) << errorMessages_.join("|").toStdString();

    program_.reset();
    SetUp();
    EXPECT_EQ(loadCardSpeed(), 300);
    const IndicatorSettings& s = model().indicator;
    EXPECT_EQ(s.portLength, 40);
    EXPECT_EQ(s.lengthUnit, LengthUnit::Millimetre);
    EXPECT_EQ(s.pressureUnit, PressureUnit::Bar);
    EXPECT_FALSE(s.valveLifts);
}

TEST_F(CardAtSpeedTest, TheWindowDrawsBothCardsAndBothMeps) {
    saveCardSpeed(300);
    model().PositionCount = 2;
    runModal(
        window(), *program_->setRevArm, [this] { form().Indicator->trigger(); },
        [&] {
            RecordingCanvas c;
            window().drawPicture(c);
            const Drawing d(c);
            for (int k = 1; k <= 2; ++k) {
                // Each entry's throttled cards in its colour, the idealised ones pale.
                EXPECT_GT(segmentsOf(d, entryColour(k)), 40) << k;
                EXPECT_GT(segmentsOf(d, faded(entryColour(k))), 40) << k;
            }
            EXPECT_TRUE(d.find("Front id/spd"));
            EXPECT_TRUE(d.find("300"));  // the speed among the settings
        });
}

}  // namespace tarvell::test
