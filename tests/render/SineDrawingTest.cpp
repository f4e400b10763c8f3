// The sine diagram's picture, read back from a recording: the curves and their labels, the
// lap table of the mid-gear entry, the length scale at two scales, the port lines and where
// the curves cross them, and the gear state left as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "RecordedDrawing.h"
#include "SineDrawing.h"
#include "ValveEvents.h"

using namespace tarvell;
using tarvell::test::crossingsOf;
using tarvell::test::Drawing;
using tarvell::test::Segment;

namespace {

Model started() {
    Model m;
    StartUp(m);
    m.PositionCount = 3;  // as the positions dialog counts the default set
    return m;
}

Drawing drawn(Model& m) {
    RecordingCanvas c;
    drawSineDiagram(c, m);
    return Drawing(c);
}

// The segments of curve k: those drawn after its bold label at x 45 up to the next text
// that is not part of the curve (the next label or the lap table).
std::vector<Segment> curve(const Drawing& d, int k) {
    std::size_t label = 0;
    for (; label < d.texts.size(); ++label)
        if (d.texts[label].x == 45 && d.texts[label].bold && std::stoi(d.texts[label].text) == k)
            break;
    std::vector<Segment> out;
    for (std::size_t i = 0; i < d.segments.size(); ++i)
        if (d.textBeforeSegment[i] == label + 1) out.push_back(d.segments[i]);
    return out;
}

// The tags of the legend rows (x 533, above the angle labels).
std::vector<tarvell::test::DrawnText> legendTags(const Drawing& d) {
    std::vector<tarvell::test::DrawnText> out;
    for (const auto& t : d.textsAt(533))
        if (t.y < 150) out.push_back(t);
    return out;
}

}  // namespace

TEST(SineDrawing, DefaultSetDrawsThreeLabelledCurvesAndOneLapTable) {
    Model m = started();
    const Drawing d = drawn(m);
    // Labels 1, 2, 3 at x 45 in bold, each followed by 66 segments from x 58 to x 586.
    std::vector<std::string> labels;
    for (const auto& t : d.textsAt(45)) {
        EXPECT_TRUE(t.bold);
        labels.push_back(t.text);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{" 1", " 2", " 3"}));
    for (int k = 1; k <= 3; ++k) {
        const auto c = curve(d, k);
        ASSERT_EQ(c.size(), 66u) << k;
        EXPECT_EQ(c.front().x0, 58);
        EXPECT_EQ(c.front().x1, 66);
        EXPECT_EQ(c.back().x1, 586);
        for (std::size_t i = 1; i < c.size(); ++i) EXPECT_EQ(c[i].y0, c[i - 1].y1);
    }
    // One lap table (two "Lead" captions), for the centre entry only.
    EXPECT_EQ(d.count("Lead"), 2);
    EXPECT_EQ(d.count("Lap"), 2);
    EXPECT_EQ(d.count("ExCl"), 1);
    // Legend rows at y 24, 36, 48: number, position and tag.
    const auto tags = legendTags(d);
    ASSERT_EQ(tags.size(), 3u);
    EXPECT_EQ(tags[0].text, "Cen");
    EXPECT_EQ(tags[1].text, "Fwd");
    EXPECT_EQ(tags[2].text, "Rev");
    EXPECT_EQ(tags[0].y, 24);
    EXPECT_EQ(tags[2].y, 48);
    EXPECT_TRUE(d.find("    1"));
    EXPECT_EQ(d.find("    1")->x, 545);
}

TEST(SineDrawing, LapTableShowsEachPortsOwnLead) {
    Model m = started();
    const Drawing d = drawn(m);
    auto valueAt = [&](int y) {
        for (const auto& t : d.textsAt(592))
            if (t.y == y) return std::stod(t.text);
        ADD_FAILURE() << "no value at y " << y;
        return 0.0;
    };
    // Laps 1 - (0.28125 + 0.25 + 0.25), clearances 0.5313 - 0.53125, leads about 0.021 (the
    // refined mid-gear leads are 0.0209 at either end; the 8-degree samples come close).
    EXPECT_NEAR(valueAt(195), 0.21875, 0.0006);
    EXPECT_NEAR(valueAt(266), 0.21875, 0.0006);
    EXPECT_NEAR(valueAt(224), 0.0, 0.0006);
    EXPECT_NEAR(valueAt(237), 0.0, 0.0006);
    EXPECT_NEAR(valueAt(166), 0.0209, 0.0015);
    EXPECT_NEAR(valueAt(295), 0.0209, 0.0015);

    // A front half longer by 0.05 takes 0.05 off the front lead only.
    m.cyl.ValveLengthFrontHalf() = 1.05f;
    const Drawing e = drawn(m);
    auto valueIn = [&](const Drawing& dr, int y) {
        for (const auto& t : dr.textsAt(592))
            if (t.y == y) return std::stod(t.text);
        return 99.0;
    };
    EXPECT_NEAR(valueIn(e, 166), valueAt(166) - 0.05, 0.0011);
    EXPECT_NEAR(valueIn(e, 295), valueAt(295), 0.0006);
    EXPECT_NEAR(valueIn(e, 195), 0.26875, 0.0006);
}

TEST(SineDrawing, NearTheCentreIsMidGearButNotTaggedCen) {
    Model m = started();
    m.reverseArmPositions[2] = m.ReverseArmCentre() + 0.04f;
    m.reverseArmPositions[3] = m.ReverseArmCentre() - 0.06f;
    const Drawing d = drawn(m);
    EXPECT_EQ(d.count("Lead"), 4);  // entries 1 and 2 give tables, entry 3 is too far out
    const auto tags = legendTags(d);
    ASSERT_EQ(tags.size(), 3u);
    EXPECT_EQ(tags[1].text, "Fwd");
    EXPECT_EQ(tags[2].text, "Rev");
}

TEST(SineDrawing, LengthScaleLabels) {
    Model m = started();
    auto labels = [&](float scale) {
        m.VerticalScale = scale;
        std::vector<std::string> out;
        for (const auto& t : drawn(m).textsAt(14)) out.push_back(t.text);
        return out;
    };
    EXPECT_EQ(labels(1.5f),
              (std::vector<std::string>{"-0.6", "-0.5", "-0.4", "-0.3", "-0.2", "-0.1", "0.0",
                                        "0.1", "0.2", "0.3", "0.4", "0.5", "0.6"}));
    EXPECT_EQ(labels(4.0f),
              (std::vector<std::string>{"-1.5", "-1.0", "-0.5", "0.0", "0.5", "1.0", "1.5"}));
    // At 1.5 the label 0.6 stands 0.6 x 250 = 150 pixels above 210; at 4, 1.5 stands
    // 1.5 x 93.75 = 140.6 above it.
    m.VerticalScale = 1.5f;
    EXPECT_EQ(drawn(m).find("0.6")->y, 60);
    m.VerticalScale = 4.0f;
    EXPECT_EQ(drawn(m).find("1.5")->y, 69);
    EXPECT_EQ(drawn(m).find("Scale =")->y, 18);
    EXPECT_TRUE(drawn(m).find(" 4.0") || drawn(m).find("4.0"));
}

TEST(SineDrawing, PortLinesStandAtTheirDisplacements) {
    Model m = started();
    const Drawing d = drawn(m);
    // Lime across x 15-583: the steam lines 0.21875 x 250 above the zero line, the full-open
    // lines 0.46875 x 250 above, exhaust about on it; red ones the same distances below.
    std::multiset<int> lime, red;
    for (const Segment& s : d.segments) {
        if (s.x0 != 15 || s.x1 != 583 || s.y0 != s.y1) continue;
        if (s.pen == colours::lime) lime.insert(s.y0);
        if (s.pen == colours::red) red.insert(s.y0);
    }
    EXPECT_EQ(lime, (std::multiset<int>{98, 160, 215}));
    EXPECT_EQ(red, (std::multiset<int>{215, 270, 332}));
    EXPECT_EQ(d.find("Front Steam Port Open")->y, 144);
    EXPECT_EQ(d.find("Rear Steam Port Max")->y, 316);
    EXPECT_EQ(d.find("Rear Steam Port Open")->x, 230);
}

TEST(SineDrawing, CurvesCrossThePortLinesWhereThePortsOpenAndClose) {
    Model m = started();
    const Drawing d = drawn(m);
    for (int k = 1; k <= 3; ++k) {
        const PositionEvents e = valveEvents(m, m.reverseArmPositions[static_cast<std::size_t>(k)]);
        // The x of each event angle within the diagram's 328 to 496 degrees.
        auto xsOf = [](std::initializer_list<const ValveEvent*> events) {
            std::vector<double> xs;
            for (const ValveEvent* ev : events) {
                EXPECT_TRUE(ev->occurs());
                for (double a :
                     {ev->driverAngle - 360.0, double(ev->driverAngle), ev->driverAngle + 360.0})
                    if (a >= -32 && a <= 496) xs.push_back(90 + a);
            }
            std::sort(xs.begin(), xs.end());
            return xs;
        };
        struct Line {
            double y;
            std::vector<double> expected;
        };
        const Line lines[] = {
            {160, xsOf({&e.front.admission, &e.front.cutOff})},
            {270, xsOf({&e.rear.admission, &e.rear.cutOff})},
            {215,
             xsOf({&e.front.release, &e.front.compression, &e.rear.release, &e.rear.compression})},
        };
        // 8-degree chords and whole-pixel heights put a crossing within 3 degrees (the mid
        // gear curve, which only just clears the steam lines, crosses them at a shallow slope).
        constexpr double kCrossingTolerance = 3.0;
        const auto c = curve(d, k);
        for (const Line& line : lines) {
            std::vector<double> found = crossingsOf(c, line.y);
            std::sort(found.begin(), found.end());
            for (double x : line.expected) {
                const auto near = std::find_if(found.begin(), found.end(), [x](double f) {
                    return std::fabs(f - x) < kCrossingTolerance;
                });
                EXPECT_NE(near, found.end())
                    << "entry " << k << " line y " << line.y << " expected x " << x;
            }
            for (double x : found) {
                const auto near =
                    std::find_if(line.expected.begin(), line.expected.end(),
                                 [x](double f) { return std::fabs(f - x) < kCrossingTolerance; });
                EXPECT_NE(near, line.expected.end())
                    << "entry " << k << " line y " << line.y << " crossing at x " << x;
            }
        }
    }
}

TEST(SineDrawing, LeavesTheLiveModelAloneAndReportsThePlottedPosition) {
    Model m = started();
    m.gear.DriverAngle = 212.5f;
    m.gear.ReverseArmPosition = 11.0f;
    SolveLinkage(m);
    ComputePistonAndOpenings(m);
    const PivotSet pivots = m.pivots;
    const float valve = m.limits.ValveOffset, piston = m.openings.PistonTravel;
    RecordingCanvas c;
    const DiagramOutcome outcome = drawSineDiagram(c, m);
    EXPECT_EQ(m.gear.DriverAngle, 212.5f);
    EXPECT_EQ(m.gear.ReverseArmPosition, 11.0f);
    for (int n = 0; n < PivotSet::kCount; ++n) {
        EXPECT_EQ(m.pivots[n].x, pivots[n].x) << n;
        EXPECT_EQ(m.pivots[n].y, pivots[n].y) << n;
    }
    EXPECT_EQ(m.limits.ValveOffset, valve);
    EXPECT_EQ(m.openings.PistonTravel, piston);
    EXPECT_EQ(m.lastPlottedPosition, 0.0f);  // the window applies the outcome
    ASSERT_TRUE(outcome.lastPlotted.has_value());
    applyDiagramOutcome(m, outcome);
    EXPECT_EQ(m.lastPlottedPosition, m.reverseArmPositions[3]);
}

TEST(SineDrawing, WildScaleAndCountStayBounded) {
    Model m = started();
    for (float scale : {1e30f, -5.0f, 0.0f, NAN}) {
        m.VerticalScale = scale;
        m.PositionCount = 1000;
        m.reverseArmPositions[4] = 0;
        RecordingCanvas c;
        drawSineDiagram(c, m);
        EXPECT_LT(c.calls.size(), 200000u);
    }
}
