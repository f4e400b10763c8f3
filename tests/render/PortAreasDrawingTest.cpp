// The Port Areas diagram against figures of the default gear: a steam port opens no wider
// than itself however far the valve runs past it, and at mid gear it opens by the lead alone.
#include <gtest/gtest.h>

#include <algorithm>

#include "Calc.h"
#include "DiagramParts.h"
#include "PortAreasDrawing.h"
#include "RecordedDrawing.h"
#include "RecordingCanvas.h"

using namespace tarvell;

namespace {

Model defaultGear() {
    Model m;
    StartUp(m);
    m.PositionCount = 3;  // the set's entries: mid gear, normal forward, normal reverse
    return m;
}

// The highest and lowest y of the entry's segments between two heights.
std::pair<int, int> extent(const test::Drawing& d, int k, int top, int bottom) {
    int least = 100000, most = -100000;
    for (const test::Segment& s : d.segments) {
        if (s.pen != entryColour(k)) continue;
        for (int y : {s.y0, s.y1})
            if (y >= top && y <= bottom) {
                least = std::min(least, y);
                most = std::max(most, y);
            }
    }
    return {least, most};
}

}  // namespace

TEST(PortAreasDrawing, OpeningsStopAtThePortAndMidGearOpensByTheLead) {
    const Model m = defaultGear();
    ASSERT_NEAR(m.reverseArmPositions[2], 11.633f, 0.001f);
    for (bool againstPiston : {false, true}) {
        RecordingCanvas c;
        drawPortAreasDiagram(c, m, againstPiston);
        const test::Drawing d(c);
        // Both ports are 0.25 wide and take 70 pixels: 280 to the unit.
        const int front = kAreasFrontZeroY, rear = kAreasRearZeroY;
        // Normal forward: the valve's edge runs 0.278 past the front port's edge, but the
        // port opens 0.25 and no more.
        EXPECT_EQ(extent(d, 2, front - 80, front).first, front - 70);
        EXPECT_EQ(extent(d, 2, rear - 80, rear).first, rear - 70);
        // Mid gear: the greatest opening is the lead, 0.0209 (5.9 pixels).
        EXPECT_EQ(extent(d, 1, front - 80, front).first, front - 6);
        // The exhaust passage goes down, never past the port's width.
        const auto exhaust = extent(d, 2, front + 1, front + 80);
        EXPECT_GT(exhaust.second, front + 30);
        EXPECT_LE(exhaust.second, front + 70);
        // Every curve lies across the plot's width (the legend's strokes apart, from 500).
        for (const test::Segment& s : d.segments)
            if (s.pen == entryColour(2) && std::min(s.x0, s.x1) < 500) {
                EXPECT_GE(std::min(s.x0, s.x1), kAreasLeft);
                EXPECT_LE(std::max(s.x0, s.x1), kAreasRight);
            }
        EXPECT_EQ(d.count(againstPiston ? "Piston, per cent of stroke from the front dead centre"
                                        : "Driver angle, degrees run from 0"),
                  1);
    }
}
