// The reverse arm positions dialog: what its refresh shows and counts, the key filter, the
// limits on typed positions and scale, and which way of closing recounts the positions.
#include <QFocusEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "NumberField.h"
#include "SetReverArm.h"
#include "UiTestSupport.h"

using namespace tarvell;

namespace {

class SetRevArmTest : public test::ProgramTest {
  protected:
    TSetRevArm& dialog() { return *program_->setRevArm; }
    NumberField& box(int k) { return *dialog().Edit[static_cast<std::size_t>(k)]; }
    float entry(int k) { return model().reverseArmPositions[static_cast<std::size_t>(k)]; }

    // Opens the dialog the way the diagrams do (without blocking the test).
    void open() {
        dialog().show();
        QApplication::processEvents();
    }
    // Types into box k and leaves it, as a click elsewhere would.
    void type(int k, const QString& text) {
        box(k).setFocus();
        box(k).selectAll();
        QTest::keyClick(&box(k), Qt::Key_Backspace);
        QTest::keyClicks(&box(k), text);
        QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
        QApplication::sendEvent(&box(k), &out);
    }
};

}  // namespace

TEST_F(SetRevArmTest, FirstRefreshShowsTheDefaultSetAndCountsThree) {
    const float c = model().ReverseArmCentre();
    model().PositionCount = 1;
    open();
    EXPECT_EQ(model().PositionCount, 3);
    EXPECT_EQ(box(1).text(), "10.533");
    EXPECT_EQ(box(2).text(), "11.633");
    EXPECT_EQ(box(3).text(), "9.433");
    EXPECT_EQ(box(10).text(), "1.500");
    // The next free box is open for a fourth position; the rest are hidden.
    EXPECT_TRUE(box(4).isVisible());
    EXPECT_EQ(box(4).text(), "0.000");
    for (int k = 5; k <= 9; ++k) EXPECT_FALSE(box(k).isVisible()) << k;
    EXPECT_NEAR(entry(2), c + 1.1f, 1e-5);
    EXPECT_EQ(dialog().focusWidget(), static_cast<QWidget*>(dialog().Close1));
    dialog().Close1->click();
}

TEST_F(SetRevArmTest, ZeroEndsTheListAtTheNextRecount) {
    open();
    type(2, "0");
    EXPECT_EQ(entry(2), 0.0f);
    EXPECT_NE(entry(3), 0.0f);  // not until the recount
    dialog().Close1->click();
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(model().PositionCount, 1);
    for (int k = 3; k <= 9; ++k) EXPECT_EQ(entry(k), 0.0f) << k;
    EXPECT_TRUE(model().PositionsChanged);
}

TEST_F(SetRevArmTest, KeyFilterTakesOnePointAndOneMinus) {
    open();
    box(5).setVisible(true);
    box(5).clear();
    for (const char* key : {"2", ".", "5", ".", "1"}) QTest::keyClicks(&box(5), key);
    EXPECT_EQ(box(5).text(), "2.51");
    box(5).clear();
    QTest::keyClicks(&box(5), "-1a-x.5");
    EXPECT_EQ(box(5).text(), "-1.5");
    dialog().Close1->click();
}

TEST_F(SetRevArmTest, TypingInABoxOpensTheNextOne) {
    model().reverseArmPositions[2] = 0;  // count 1: box 3 hidden after the refresh
    open();
    ASSERT_FALSE(box(3).isVisible());
    QTest::keyClicks(&box(2), "x");  // refused, and still opens the next box
    EXPECT_EQ(box(2).text(), "0.000");
    EXPECT_TRUE(box(3).isVisible());
    QTest::keyClicks(&box(9), "1");  // the last box has no next one
    dialog().Close1->click();
}

TEST_F(SetRevArmTest, PositionsAreKeptWithinTheReverseArmsTravel) {
    const float c = model().ReverseArmCentre();
    open();
    type(2, "20");
    EXPECT_FLOAT_EQ(entry(2), c + 1.5f);
    type(3, "1");
    EXPECT_FLOAT_EQ(entry(3), c - 1.5f);
    type(4, "10.9");
    EXPECT_FLOAT_EQ(entry(4), 10.9f);
    // The first entry is never empty: 0 becomes 0.001, then the lower limit.
    type(1, "0");
    EXPECT_FLOAT_EQ(entry(1), c - 1.5f);
    dialog().Close1->click();
    EXPECT_EQ(model().PositionCount, 4);
}

TEST_F(SetRevArmTest, VerticalScaleHasAFloorAndACeiling) {
    open();
    type(10, "0.05");
    EXPECT_FLOAT_EQ(model().VerticalScale, 0.1f);
    type(10, "");
    EXPECT_FLOAT_EQ(model().VerticalScale, 0.1f);
    type(10, "2.5");
    EXPECT_FLOAT_EQ(model().VerticalScale, 2.5f);
    type(10, "1000000");
    EXPECT_FLOAT_EQ(model().VerticalScale, 100.0f);
    dialog().Close1->click();
}

TEST_F(SetRevArmTest, CloseBoxDoesNotRecount) {
    open();
    type(4, "10.9");
    dialog().close();  // the window's close box
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_TRUE(model().PositionsChanged);
    EXPECT_EQ(model().PositionCount, 3);  // the new entry is not drawn yet
    EXPECT_FLOAT_EQ(entry(4), 10.9f);
    open();  // the next opening's refresh counts it
    EXPECT_EQ(model().PositionCount, 4);
    dialog().Close1->click();
}

TEST_F(SetRevArmTest, ATypedValueIsTakenWhenCloseIsClicked) {
    open();
    box(2).setFocus();
    box(2).selectAll();
    QTest::keyClick(&box(2), Qt::Key_Backspace);
    QTest::keyClicks(&box(2), "11");
    ASSERT_EQ(dialog().focusWidget(), static_cast<QWidget*>(&box(2)));
    dialog().Close1->click();
    EXPECT_FLOAT_EQ(entry(2), 11.0f);
    EXPECT_EQ(model().PositionCount, 3);
}

TEST_F(SetRevArmTest, ABoxLeftWithoutAnEditKeepsItsExactValue) {
    Model& m = model();
    m.VerticalScale = 1.2345f;
    const auto before = m.reverseArmPositions;
    open();
    for (int k : {1, 2, 3, 10}) {
        box(k).setFocus();
        QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
        QApplication::sendEvent(&box(k), &out);
    }
    dialog().Close1->click();
    // Mid gear is not a round number: its three-decimal text would lie off the centre.
    EXPECT_EQ(entry(1), m.ReverseArmCentre());
    EXPECT_NE(box(1).text().toFloat(), m.ReverseArmCentre());
    for (int k = 1; k <= 9; ++k) EXPECT_EQ(entry(k), before[static_cast<std::size_t>(k)]) << k;
    EXPECT_EQ(m.VerticalScale, 1.2345f);
}

TEST_F(SetRevArmTest, EscAndTheCloseBoxKeepWhatIsBeingTyped) {
    for (const bool escape : {true, false}) {
        open();
        const int k = escape ? 4 : 5;
        box(k).setVisible(true);
        box(k).setFocus();
        box(k).selectAll();
        QTest::keyClick(&box(k), Qt::Key_Backspace);
        QTest::keyClicks(&box(k), "10.9");
        if (escape)
            QTest::keyClick(&box(k), Qt::Key_Escape);
        else
            dialog().close();
        EXPECT_FALSE(dialog().isVisible());
        EXPECT_FLOAT_EQ(entry(k), 10.9f) << (escape ? "Esc" : "close box");
    }
}
