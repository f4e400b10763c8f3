// Every drawing of the program, for the default design and for an odd one, as the recording
// canvas's list of drawing commands, compared line by line with its reference text in
// tests/render/reference/. After an intended change, scripts/update-reference-drawings.sh writes
// the references anew, and their diff is reviewed like code.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "Calc.h"
#include "CylinderDrawing.h"
#include "FrameReadouts.h"
#include "IndicatorDrawing.h"
#include "MechanismDrawing.h"
#include "OvalDrawing.h"
#include "PortAreasDrawing.h"
#include "PortDrawing.h"
#include "RecordingCanvas.h"
#include "SineDrawing.h"
#include "SteamDisplay.h"
#include "SteamDrawing.h"
#include "View.h"

using namespace tarvell;

namespace {

// The default design, or one whose ends differ: a longer stroke and main rod, the cylinder
// line above the axle, a wider front port with more lap, the link's rocking arm a degree on.
Model design(bool odd) {
    Model m;
    StartUp(m);
    if (odd) {
        m.frame.Stroke = 3.5f;
        m.frame.MainRodLength = 15.5f;
        m.frame.LinkRockingAngleDeg += 1.0f;
        m.cyl.SteamPortWidthFront() = 0.3125f;
        m.cyl.ValveLengthFrontHalf() += 0.05f;
        setDimensionValue(m, 102, 0.5f);
        CalcMidGear(m);
    }
    m.gear.ReverseArmPosition = m.reverseArmPositions[2];  // normal forward
    m.gear.DriverAngle = 40;
    SolveLinkage(m);
    ComputePistonAndOpenings(m);
    ScreenTransform(m);
    return m;
}

struct Drawing {
    const char* name;
    std::function<void(Canvas&, const Model&)> draw;
};

const std::vector<Drawing>& drawings() {
    static const std::vector<Drawing> all = {
        {"mechanism",
         [](Canvas& c, const Model& m) {
             drawCircles(c, m, m.gear.DriverAngle);
             drawCylinder(c, computeCylinderOutline(m, m.view.current));
             drawFixedMarksAndLinkArc(c, m);
             drawLinks(c, m);
         }},
        {"readouts",
         [](Canvas& c, const Model& m) {
             drawViewBarLabels(c, m);
             drawGearReadouts(c, m, m.gear.DriverAngle);
             drawCutoffReadouts(c, m);
         }},
        {"steam-display",
         [](Canvas& c, const Model& m) {
             SteamDisplay steam;
             steam.draw(c, m, computeCylinderOutline(m, m.view.current), true, false);
         }},
        {"sine", [](Canvas& c, const Model& m) { drawSineDiagram(c, m); }},
        {"oval", [](Canvas& c, const Model& m) { drawOvalDiagram(c, m); }},
        {"steam", [](Canvas& c, const Model& m) { drawSteamDiagram(c, m); }},
        {"port-both",
         [](Canvas& c, const Model& m) { drawPortDiagram(c, m, PortGraphMode::Both); }},
        {"indicator", [](Canvas& c, const Model& m) { drawIndicatorDiagram(c, m); }},
        {"port-areas", [](Canvas& c, const Model& m) { drawPortAreasDiagram(c, m, false); }},
        {"port-areas-piston", [](Canvas& c, const Model& m) { drawPortAreasDiagram(c, m, true); }},
        // Compared with the other design of the two, drawn pale under this one.
        {"sine-compared",
         [](Canvas& c, const Model& m) {
             const Model other = design(m.frame.Stroke == 3.25f);
             const Underlay under{other, "the other design"};
             drawSineDiagram(c, m, &under);
         }},
        {"steam-compared",
         [](Canvas& c, const Model& m) {
             const Model other = design(m.frame.Stroke == 3.25f);
             const Underlay under{other, "the other design"};
             drawSteamDiagram(c, m, &under);
         }},
    };
    return all;
}

std::filesystem::path referenceFile(const std::string& name) {
    return std::filesystem::path(TARVELL_REFERENCE_DIR) / (name + ".txt");
}

std::vector<std::string> readLines(const std::filesystem::path& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class ReferenceDrawings : public ::testing::TestWithParam<std::tuple<std::size_t, bool>> {};

}  // namespace

TEST_P(ReferenceDrawings, MatchTheirReferenceExactly) {
    const auto [index, odd] = GetParam();
    const Drawing& drawing = drawings()[index];
    const std::string name = std::string(drawing.name) + (odd ? "-odd" : "-default");
    RecordingCanvas canvas;
    drawing.draw(canvas, design(odd));
    const std::filesystem::path file = referenceFile(name);
    if (std::getenv("TARVELL_UPDATE_REFERENCES")) {
        std::ofstream out(file);
        for (const std::string& call : canvas.calls) out << call << '\n';
        GTEST_SKIP() << "wrote " << file;
    }
    const std::vector<std::string> expected = readLines(file);
    ASSERT_FALSE(expected.empty())
        << file << " is missing: run scripts/update-reference-drawings.sh";
    const std::size_t common = std::min(expected.size(), canvas.calls.size());
    for (std::size_t i = 0; i < common; ++i)
        ASSERT_EQ(canvas.calls[i], expected[i]) << name << ", command " << i + 1;
    EXPECT_EQ(canvas.calls.size(), expected.size()) << name;
}

INSTANTIATE_TEST_SUITE_P(EveryDrawing, ReferenceDrawings,
                         ::testing::Combine(::testing::Range<std::size_t>(0, 10),
                                            ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<std::size_t, bool>>& param) {
                             std::string name = drawings()[std::get<0>(param.param)].name;
                             for (char& ch : name)
                                 if (ch == '-') ch = '_';
                             return name + (std::get<1>(param.param) ? "_odd" : "_default");
                         });
