// Helpers of the diagram window tests: running a modal diagram window while a test looks at
// it, and reading a recorded drawing back (RecordedDrawing.h).
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "DiagramWindow.h"
#include "RecordedDrawing.h"
#include "SetReverArm.h"

namespace tarvell::test {

// Opens a diagram window with `open` (which shows it modally), closes the reverse arm
// positions dialog its opening shows, runs `during` once the diagram is drawn and then
// closes the window. Gives up after a few seconds rather than hang a test.
inline void runModal(DiagramWindow& window, TSetRevArm& positions,
                     const std::function<void()>& open, const std::function<void()>& during) {
    QTimer poll;
    int ticks = 0;
    bool done = false;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (++ticks > 1000) {  // 5 s
            ADD_FAILURE() << "the window did not open";
            positions.close();
            window.close();
            poll.stop();
            return;
        }
        if (positions.isVisible()) {
            positions.Close1->click();
            return;
        }
        if (!done && window.isVisible() && !window.activationPending()) {
            done = true;
            during();
            window.close();
            poll.stop();
        }
    });
    poll.start(5);
    open();
    poll.stop();
    EXPECT_TRUE(done);
}

}  // namespace tarvell::test
