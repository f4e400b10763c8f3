// Designs whose cylinder line passes through the axle keep every figure they gave before the
// dead centres were found from the piston's extremes: the events, leads, cards, curves, turns
// and read-outs of the default set and of two saved designs, written out to the last bit and
// compared with the figures recorded before that change (tests/model/data). Run with
// TARVELL_WRITE_FIGURES=1 to record them again, only when a change is meant to move them.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "Calc.h"
#include "DataFile.h"
#include "Indicator.h"
#include "Numbers.h"
#include "PortEventCurves.h"
#include "Readouts.h"
#include "TestModel.h"
#include "ValveEvents.h"
#include "ValveEventsTable.h"
#include "ValveTurn.h"

using namespace tarvell;

namespace {

const std::string kDataDir = TARVELL_TEST_DATA_DIR;

std::string hex(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%a", v);
    return buf;
}

// A running hash of many figures, for the long lists (card points, turns).
struct Hash {
    std::uint64_t h = 1469598103934665603ull;
    void add(double v) {
        const std::string s = hex(v);
        for (char c : s) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    std::string text() const {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
        return buf;
    }
};

Model designFrom(const std::string& name) {
    Model m = test::startedModel();
    if (name == "defaults") return m;
    std::ifstream in(kDataDir + "/" + name, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                           std::istreambuf_iterator<char>());
    const DecodedDataFile decoded = decodeDataFile(bytes);
    EXPECT_TRUE(decoded.dataSet) << name << ": " << decoded.reason;
    if (decoded.dataSet) applyDataSet(m, *decoded.dataSet);
    return m;
}

void event(std::ostream& out, const char* name, const ValveEvent& e) {
    out << ' ' << name << '=' << static_cast<int>(e.status) << ',' << hex(e.driverAngle) << ','
        << hex(e.value);
}

void end(std::ostream& out, const char* name, const EndEvents& e) {
    out << "  " << name;
    event(out, "adm", e.admission);
    event(out, "cut", e.cutOff);
    event(out, "rel", e.release);
    event(out, "com", e.compression);
    out << " lead=" << hex(e.lead) << " maxS=" << hex(e.maxSteamOpening)
        << " maxX=" << hex(e.maxExhaustOpening) << '\n';
}

void events(std::ostream& out, const PositionEvents& e) {
    out << " events pos=" << hex(e.position) << " tag=" << static_cast<int>(e.tag)
        << " fwd=" << e.forward << " travel=" << hex(e.valveTravel) << " failed=" << e.failedSolves
        << " err=" << e.errorRaised << " solves=" << e.solves << '\n';
    end(out, "front", e.front);
    end(out, "rear", e.rear);
}

void card(std::ostream& out, const char* name, const IndicatorCard& c) {
    Hash h;
    for (const CardPoint& p : c.points)
        for (double v : {p.angle, p.s, p.stroke, p.pressure, static_cast<double>(p.phase)})
            h.add(v);
    out << "  " << name << " mep=" << hex(c.mep) << " cut=" << hex(c.cutOffPct)
        << " relP=" << hex(c.releasePressure) << " work=" << hex(c.work)
        << " points=" << c.points.size() << ':' << h.text() << '\n';
}

// Every figure of one design, as text.
std::string figures(const std::string& name) {
    Model m = designFrom(name);
    std::ostringstream out;
    out << "design " << name << '\n';

    Hash travel;
    for (int a = 0; a < 720; ++a) travel.add(pistonTravelAt(m, a * 0.5));
    std::vector<float> travels(360);
    pistonTravelsOverTurn(m, false, travels);
    for (float t : travels) travel.add(t);
    out << " piston " << travel.text() << '\n';

    const std::array<float, 4> named = namedPositions(m, 1);
    std::vector<float> positions{m.ReverseArmCentre(), named[0], named[1], named[2], named[3]};
    positions.push_back(toSingle(0.5 * (static_cast<double>(named[0]) + m.ReverseArmCentre())));
    positions.push_back(toSingle(0.3 * (static_cast<double>(named[3]) - m.ReverseArmCentre()) +
                                 m.ReverseArmCentre()));
    for (float p : positions) {
        events(out, valveEvents(m, p));
        events(out, valveEventsRunning(m, p, false));
        const IndicatorResult r = indicatorDiagram(m, p, m.indicator);
        out << " indicator solves=" << r.solves << " diff=" << hex(r.differencePct) << '\n';
        card(out, "front", r.front);
        card(out, "rear", r.rear);
    }
    for (float p : {named[0], named[3]}) {
        const ValveTurn turn = sampleValveTurn(m, p, p == named[0]);
        Hash h;
        for (const TurnPoint& t : turn.points)
            for (double v :
                 {t.run, static_cast<double>(t.driverAngle), static_cast<double>(t.displacement),
                  static_cast<double>(t.pistonTravel), static_cast<double>(t.line)})
                h.add(v);
        const SteamBands bands = steamBands(turn);
        for (const auto* band : {&bands.front, &bands.rear})
            for (const BandSegment& b : *band)
                for (double v : {static_cast<double>(b.from), static_cast<double>(b.to),
                                 static_cast<double>(b.outward), static_cast<double>(b.event)})
                    h.add(v);
        out << " turn " << turn.points.size() << ':' << h.text() << '\n';
    }
    for (bool forwardSide : {true, false}) {
        Hash h;
        for (const PortEventPoint& p : portEventCurves(m, forwardSide, 20)) {
            h.add(p.position);
            for (const auto* e : {&p.front, &p.rear}) {
                h.add(e->cutOff);
                h.add(e->release.value_or(-1));
                h.add(e->compression.value_or(-1));
            }
        }
        out << " curves " << forwardSide << ' ' << h.text() << '\n';
    }
    const MidGearSummary mid = midGearSummary(m);
    out << " mid " << hex(mid.frontLead) << ' ' << hex(mid.rearLead) << ' ' << hex(mid.valveTravel)
        << '\n';

    // The main window's cut-off read-outs over a turn at normal forward, ten degrees a frame.
    Model live = m;
    live.gear.ReverseArmPosition = named[0];
    live.gear.ActiveStep = 10;
    std::string readouts;
    for (int a = 0; a <= 720; a += 10) {
        test::solveAt(live, static_cast<float>(a % 360));
        updateCutoffReadouts(live);
        readouts += live.cutoff.front + '/' + live.cutoff.rear + ' ';
    }
    out << " readouts " << readouts << '\n';
    out << valveEventsTabText(buildValveEventsTable(m), name, "today");
    return out.str();
}

}  // namespace

TEST(AxleLineFigures, EveryFigureAsRecorded) {
    std::string all;
    for (const char* name : {"defaults", "even-cutoffs.dtv", "long-stroke.dtv"})
        all += figures(name);
    const std::string path = kDataDir + "/axle-line-figures.txt";
    if (std::getenv("TARVELL_WRITE_FIGURES")) {
        std::ofstream(path, std::ios::binary) << all;
        GTEST_SKIP() << "recorded " << path;
    }
    std::ifstream in(path, std::ios::binary);
    const std::string recorded((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    ASSERT_FALSE(recorded.empty()) << path;
    // Line by line, so that a failure names the figure that moved.
    std::istringstream a(all), b(recorded);
    std::string got, want;
    int line = 0;
    while (std::getline(b, want)) {
        ++line;
        ASSERT_TRUE(std::getline(a, got)) << "line " << line << " missing: " << want;
        ASSERT_EQ(got, want) << "line " << line;
    }
    EXPECT_FALSE(std::getline(a, got)) << "more lines than recorded: " << got;
}
