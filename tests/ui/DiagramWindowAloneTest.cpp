// A diagram window built on its own, as any window can be: a program context, the positions
// dialog and the window, with no main window and no other window. It pauses its context's
// rotation timer while shown, draws from the model without moving the live gear, and its
// dynamic-variable switch reaches whoever listens to the context.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTimer>

#include "Calc.h"
#include "DiagramTestSupport.h"
#include "ProgramContext.h"
#include "RecordingSound.h"
#include "SetReverArm.h"
#include "Sine.h"

using namespace tarvell;

TEST(DiagramWindowAlone, OpensDrawsAndPausesTheRotationOfItsContext) {
    ProgramContext context(std::make_unique<RecordingSound>(), ProgramOptions{});
    Model& m = context.model();
    StartUp(m);
    m.gear.DriverAngle = 40;
    SolveLinkage(m);
    const float x4 = m.pivots[4].x, y9 = m.pivots[9].y;
    QTimer rotation;
    rotation.start(60000);
    context.setRotationTimer(&rotation);
    QSignalSpy shown(&context, &ProgramContext::dynamicVariablesShownChanged);

    TSetRevArm positions(context);
    TSineDia sine(context, positions);
    bool ran = false;
    test::runModal(
        sine, positions, [&] { sine.showModal(); },
        [&] {
            ran = true;
            EXPECT_FALSE(rotation.isActive());
            // The set's three curves were drawn from a copy: the live pivots stand still.
            EXPECT_EQ(m.pivots[4].x, x4);
            EXPECT_EQ(m.pivots[9].y, y9);
            EXPECT_EQ(m.gear.DriverAngle, 40.0f);
            EXPECT_EQ(m.lastPlottedPosition, m.reverseArmPositions[3]);
            sine.DynVari->trigger();
            EXPECT_TRUE(m.DynamicVariablesShown);
        });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(rotation.isActive());  // running before, so running again after the close
    ASSERT_EQ(shown.count(), 1);
    EXPECT_TRUE(shown.first().first().toBool());
}
