// Sensitivity of the events to the dimensions: against difference quotients of the ordinary
// events of designs built by hand with two steps, zero for a dimension that moves nothing,
// and the report command's rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "Calc.h"
#include "ReportRun.h"
#include "Sensitivity.h"
#include "TestModel.h"

using namespace tarvell;

namespace {

// Front-minus-rear cut-off at normal forward of the default gear with dimension `code` at
// `value`: mid gear worked out again, normal forward RevArmToCentNorm on its plus side.
double forwardCutOffDifference(int code, double value) {
    Model m = test::startedModel();
    setDimensionValue(m, code, static_cast<float>(value));
    CalcMidGear(m);
    const PositionEvents e = valveEvents(m, m.ReverseArmCentre() + m.frame.RevArmToCentNorm);
    return static_cast<double>(e.front.cutOff.value) - e.rear.cutOff.value;
}

double quotient(int code, double step) {
    const double v = dimensionValue(test::startedModel(), code);
    return (forwardCutOffDifference(code, v + step) - forwardCutOffDifference(code, v - step)) /
           (2 * step);
}

}  // namespace

TEST(Sensitivity, AgreesWithDifferenceQuotientsOfTheEvents) {
    const Model m = test::startedModel();
    const std::vector<BalancePosition> fwd = {
        BalancePosition::named(BalancePosition::Kind::NormalForward)};
    // The fulcrum lever's lower arm (9) and the valve rod (11) both move the valve hard.
    for (int code : {9, 11}) {
        const double wide = quotient(code, 0.05), narrow = quotient(code, 0.025);
        EXPECT_NEAR(wide, narrow, 0.005 * std::fabs(narrow)) << code;
        const std::vector<SensitivityRow> rows =
            dimensionSensitivity(m, code, fwd, sensitivityStep(code));
        ASSERT_EQ(rows.size(), 4u);
        EXPECT_EQ(rows[0].quantity, EventQuantity::CutOff);
        EXPECT_NEAR(rows[0].difference, wide, 1e-6 * std::fabs(wide)) << code;
        EXPECT_GT(std::fabs(wide), 100.0) << code;  // per cent of stroke per unit
    }
}

TEST(Sensitivity, ADimensionThatMovesNothingHasNoEffect) {
    const Model m = test::startedModel();
    // The driver's diameter only draws the wheel.
    for (const SensitivityRow& row : dimensionSensitivity(m, 1, normalBalancePositions(), 0.05)) {
        EXPECT_EQ(row.front, 0.0);
        EXPECT_EQ(row.rear, 0.0);
        EXPECT_EQ(row.difference, 0.0);
    }
    const std::vector<int> codes = sensitivityCodes();
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 1), 0);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 27), 0);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 11), 1);
}

TEST(ReportSensitivity, PrintsEveryCodeAtEachPositionInCodeOrder) {
    const test::ReportRun all = test::runReportTool({"sensitivity"});
    ASSERT_EQ(all.status, 0) << all.err;
    const auto rows = test::textLines(all.out);
    ASSERT_EQ(rows.size(), 1 + sensitivityCodes().size() * 2 * 4);
    EXPECT_EQ(rows[0], "code,dimension,position,tag,quantity,front,rear,difference");
    EXPECT_EQ(test::csvFields(rows[1])[1], "Stroke");
    EXPECT_EQ(test::csvFields(rows[1])[3], "Fwd");
    EXPECT_EQ(test::csvFields(rows[5])[3], "Rev");
    int last = 0;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const int code = std::stoi(test::csvFields(rows[i])[0]);
        EXPECT_GE(code, last);
        last = code;
    }
    const test::ReportRun rev = test::runReportTool({"sensitivity", "--reverse-arm", "rev"});
    EXPECT_EQ(test::textLines(rev.out).size(), 1 + sensitivityCodes().size() * 4);
    EXPECT_EQ(test::runReportTool({"sensitivity", "--reverse-arm", "sideways"}).status, 2);
}
