// The oval, steam and port events pictures (and all four under wild dimensions), read back from
// recordings: the loops meeting the port lines at the pistons' event positions, the steam bands'
// cut-offs, the port events graph's marks and modes, and the gear state left as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <numbers>
#include <random>

#include "DiagramParts.h"
#include "RecordedDrawing.h"
#include "OvalDrawing.h"
#include "PortDrawing.h"
#include "SineDrawing.h"
#include "SteamDrawing.h"
#include "ValveEvents.h"

using namespace tarvell;
using tarvell::test::crossingsOf;
using tarvell::test::Drawing;
using tarvell::test::Segment;

namespace {

Model started() {
    Model m;
    StartUp(m);
    m.PositionCount = 3;
    return m;
}

// Piston per cent of the front dead centre's stroke at a driver angle, from the crank and
// rod geometry: the crosshead's distance from its front dead centre over the stroke.
double pistonPercent(const Model& m, double angle) {
    const double t = angle * std::numbers::pi / 180.0;
    const double r = m.frame.Stroke / 2.0, l = m.frame.MainRodLength;
    const double x = r * std::cos(t) + std::sqrt(l * l - std::pow(r * std::sin(t), 2));
    return (r + l - x) / (2 * r) * 100.0;
}

// The loop of entry k: the k-th run of segments in one pen after the last text (the loops
// are drawn last, one after the other).
std::vector<Segment> loop(const Drawing& d, int k) {
    std::vector<std::vector<Segment>> runs;
    for (std::size_t i = 0; i < d.segments.size(); ++i) {
        if (d.textBeforeSegment[i] != d.texts.size()) continue;
        const Segment& s = d.segments[i];
        if (runs.empty() || runs.back().back().pen != s.pen) runs.emplace_back();
        runs.back().push_back(s);
    }
    return k <= static_cast<int>(runs.size()) ? runs[static_cast<std::size_t>(k) - 1]
                                              : std::vector<Segment>{};
}

}  // namespace

TEST(OvalDrawing, LoopsMeetThePortLinesAtTheEventsPistonPositions) {
    Model m = started();
    RecordingCanvas c;
    drawOvalDiagram(c, m);
    const Drawing d(c);
    for (int k = 1; k <= 3; ++k) {
        const float p = m.reverseArmPositions[static_cast<std::size_t>(k)];
        const PositionEvents e = valveEvents(m, p);
        const auto l = loop(d, k);
        ASSERT_GT(l.size(), 360u) << k;
        EXPECT_EQ(l.front().pen, entryColour(k));
        // Closed: it ends where it began.
        EXPECT_EQ(l.back().x1, l.front().x0);
        EXPECT_EQ(l.back().y1, l.front().y0);
        struct Line {
            int y;
            std::vector<const ValveEvent*> events;
        };
        // 0.21875 x 250 above and below the zero line; the exhaust lines on it.
        const Line lines[] = {
            {160, {&e.front.admission, &e.front.cutOff}},
            {270, {&e.rear.admission, &e.rear.cutOff}},
            {215, {&e.front.release, &e.front.compression, &e.rear.release, &e.rear.compression}}};
        for (const Line& line : lines) {
            const std::vector<double> found = crossingsOf(l, line.y - 0.5);
            std::vector<double> expected;
            for (const ValveEvent* ev : line.events) {
                ASSERT_TRUE(ev->occurs());
                // 0 % at x 580, 100 % at x 180.
                expected.push_back(580 - 4 * pistonPercent(m, ev->driverAngle));
                // The loop has a corner on the line there.
                const bool corner = std::any_of(l.begin(), l.end(), [&](const Segment& s) {
                    return std::abs(s.x1 - expected.back()) <= 1 && s.y1 == line.y;
                });
                EXPECT_TRUE(corner) << "entry " << k << " y " << line.y << " x " << expected.back();
            }
            // Nowhere else: whole-pixel heights can shift a crossing along a loop that meets
            // the line at a shallow angle by a few pixels, no more.
            for (double x : found) {
                const bool near = std::any_of(expected.begin(), expected.end(),
                                              [x](double f) { return std::fabs(f - x) <= 4.0; });
                EXPECT_TRUE(near) << "entry " << k << " y " << line.y << " crossing at " << x;
            }
        }
    }
    for (const char* text :
         {"Percent Piston Travel", "Forward End --->", "Reverse Arm Positions", "Center",
          "Units Travel", "Scale =", "Front Steam Port Open", "Front Steam Port Max",
          "Front Exhaust Port Open", "Rear Steam Port Open", "Rear Steam Port Max",
          "Rear Exhaust Port Open"})
        EXPECT_EQ(d.count(text), 1) << text;
}

TEST(OvalDrawing, LegendGivesEachEntrysPositionAndTag) {
    Model m = started();
    RecordingCanvas c;
    drawOvalDiagram(c, m);
    const Drawing d(c);
    std::vector<std::string> tags;
    for (const auto& t : d.textsAt(533)) tags.push_back(t.text);
    EXPECT_EQ(tags, (std::vector<std::string>{"Cen", "Fwd", "Rev"}));
    EXPECT_TRUE(d.find("11.633"));
    EXPECT_TRUE(d.find(" 9.433"));
    const auto number = d.find("2");
    ASSERT_TRUE(number);
    EXPECT_TRUE(number->bold);
    EXPECT_EQ(number->colour, entryColour(2));
}

TEST(SteamDrawing, CutOffBesideEachBand) {
    Model m = started();
    RecordingCanvas c;
    drawSteamDiagram(c, m);
    const Drawing d(c);
    std::vector<std::string> cutOffs;
    for (const auto& t : d.textsAt(556)) cutOffs.push_back(t.text);
    // Front then rear per entry: mid gear 6.023 and 5.940, normal forward 72.881 and
    // 83.913, normal reverse 66.874 and 74.260.
    EXPECT_EQ(cutOffs,
              (std::vector<std::string>{"%CutOff   6.0", "%CutOff   5.9", "%CutOff  72.9",
                                        "%CutOff  83.9", "%CutOff  66.9", "%CutOff  74.3"}));
    // The first row of the normal forward front band turns from red (admission) to fuchsia
    // (expansion) at 72.881 % of 400 pixels from x 150.
    const int top = steamBandTop(2, 0);
    int redEnd = -1;
    for (const Segment& s : d.segments)
        if (s.y0 == top && s.y1 == top && s.pen == colours::red) redEnd = std::max(redEnd, s.x1);
    EXPECT_NEAR(redEnd, 150 + 4 * 72.881 + 1, 1.0);
    EXPECT_TRUE(d.find("Reverse Arm Positions"));
}

TEST(PortDrawing, MarksAndModes) {
    Model m = started();
    auto drawnIn = [&](PortGraphMode mode) {
        RecordingCanvas c;
        drawPortDiagram(c, m, mode);
        return Drawing(c);
    };
    const Drawing forward = drawnIn(PortGraphMode::Forward);
    EXPECT_EQ(forward.count("Front Port"), 1);
    EXPECT_EQ(forward.count("Rear Port"), 1);
    EXPECT_EQ(forward.count("Normal"), 2);
    EXPECT_EQ(forward.count("Maximum"), 2);
    EXPECT_EQ(forward.count("Forward"), 1);
    EXPECT_EQ(forward.count("Reverse"), 0);
    // The marks: 1.1 and 1.5 of 1.5 across each 240-pixel panel.
    EXPECT_TRUE(forward.find("1.100"));
    EXPECT_TRUE(forward.find("1.500"));
    auto markXs = [](const Drawing& d) {
        std::vector<int> xs;
        for (const Segment& s : d.segments)
            if (s.pen == colours::gray && s.x0 == s.x1) xs.push_back(s.x0);
        return xs;
    };
    EXPECT_EQ(markXs(forward), (std::vector<int>{50 + 176, 50 + 240, 360 + 176, 360 + 240}));

    const Drawing reverse = drawnIn(PortGraphMode::Reverse);
    EXPECT_EQ(reverse.count("Reverse"), 1);
    EXPECT_EQ(reverse.count("Forward"), 0);
    const Drawing both = drawnIn(PortGraphMode::Both);
    EXPECT_EQ(both.count("Forward"), 1);
    EXPECT_EQ(both.count("Reverse"), 1);
    // Both: the forward curves as drawn alone, then the reverse ones over them in dashes
    // (more, shorter pieces than the solid reverse graph).
    auto coloured = [](const Drawing& d) {
        return std::count_if(d.segments.begin(), d.segments.end(), [](const Segment& s) {
            return s.pen == colours::red || s.pen == colours::blue || s.pen == colours::green;
        });
    };
    EXPECT_GT(coloured(both), coloured(forward) + coloured(reverse));
}

TEST(DiagramDrawings, LeaveTheGearStateAsTheyFoundIt) {
    Model m = started();
    m.gear.DriverAngle = 33.25f;
    m.gear.ReverseArmPosition = 9.75f;
    RecordingCanvas c;
    drawOvalDiagram(c, m);
    drawSteamDiagram(c, m);
    drawPortDiagram(c, m, PortGraphMode::Both);
    EXPECT_EQ(m.gear.DriverAngle, 33.25f);
    EXPECT_EQ(m.gear.ReverseArmPosition, 9.75f);
}

TEST(DiagramDrawings, WildDimensionsStillFinish) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> factor(-3.0f, 3.0f);
    const float special[] = {0.0f, 1e-30f, -1e30f, FLT_MAX, NAN, INFINITY};
    for (int trial = 0; trial < 6; ++trial) {
        Model m = started();
        for (const auto& d : allDimensions()) {
            if (rng() % 3 != 0) continue;
            float& v = dimensionRef(m, d);
            v = rng() % 5 == 0 ? special[rng() % std::size(special)] : v * factor(rng);
        }
        m.VerticalScale = trial % 2 ? 1e30f : 0.0f;
        m.gear.DriverAngle = 12.0f;
        m.gear.ReverseArmPosition = 10.0f;
        RecordingCanvas c;
        drawSineDiagram(c, m);
        drawOvalDiagram(c, m);
        drawSteamDiagram(c, m);
        drawPortDiagram(c, m, PortGraphMode::Both);
        EXPECT_EQ(m.gear.DriverAngle, 12.0f);
        EXPECT_EQ(m.gear.ReverseArmPosition, 10.0f);
        // Every coordinate stays within reach of a drawing surface.
        for (const Segment& s : Drawing(c).segments)
            for (int v : {s.x0, s.y0, s.x1, s.y1}) ASSERT_LE(std::abs(v), 100000);
    }
}
