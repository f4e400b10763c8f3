// Refusing data sets no real gear has (see DesignCheck.h).
#include "DesignCheck.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "Calc.h"
#include "Data.h"
#include "DataFileLayout.h"
#include "Numbers.h"
#include "SolveAt.h"

namespace tarvell {
namespace {

constexpr int kLinkRockingAngleCode = 16;  // the one angle among the dimensions
// A reverse arm further from mid gear than this many maximum travels (or units, when the
// travel is small) is not a position of the gear at all.
constexpr float kTravelsBeyond = 100;
constexpr float kDegreesBetweenChecks = 30;

// The largest a field may hold, or none for a field that holds no length. A pivot worked out
// from the dimensions may lie further out than any one length (a lever's end beyond a fulcrum
// far out) and is worked out afresh on opening anyway; a reverse arm position is the arm's centre,
// itself a sum of lengths, plus a travel, so a design as large as allowed may put it beyond one
// length.
std::optional<float> largestOf(const FieldSlot& slot) {
    constexpr float kLargestPosition = 10 * kLargestLength;
    switch (slot.kind) {
        case FieldKind::Dimension:
            if (slot.index == kLinkRockingAngleCode) return std::nullopt;
            return kLargestLength;
        case FieldKind::PivotX:
        case FieldKind::PivotY:
            if (Pivot::workedOut(slot.index)) return std::nullopt;
            return kLargestLength;
        case FieldKind::ReverseArmPosition:
        case FieldKind::LastPlotted:
        case FieldKind::ArmPosition:
            return kLargestPosition;
        default:
            return std::nullopt;
    }
}

std::string shortNumber(float v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", static_cast<double>(v));
    return text;
}

bool finite(const LinkageSolution& s) {
    for (const Pivot& p : s.pivots.p)
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
    const Openings& o = s.openings;
    for (float v : {o.PistonTravel, o.FrontSteamOpening, o.FrontExhaustOpening, o.RearSteamOpening,
                    o.RearExhaustOpening, s.limits.ValveOffset})
        if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace

std::string implausibleDesignReason(const DataSet& set) {
    const auto& layout = dataFileLayout();
    const int used = set.hasOverlay() ? kFieldCount : kBaseRecordCount * kFieldsPerRecord;
    bool anyDimension = false;
    for (int i = 0; i < used; ++i) {
        const auto n = static_cast<std::size_t>(i);
        const FieldSlot& slot = layout[n];
        if (!fieldIsRead(slot)) continue;
        const float v = set.fields[n];
        if (slot.kind == FieldKind::Dimension && v != 0) anyDimension = true;
        if (const std::optional<float> largest = largestOf(slot);
            largest && std::fabs(v) > *largest)
            return "it does not hold a design: " + describeField(slot) + " is " + shortNumber(v) +
                   ", beyond any gear's size.";
    }
    if (!anyDimension) return "it does not hold a design: every dimension in it is zero.";

    Model m;
    StartUp(m);
    applyDataSet(m, set);
    const float centre = m.ReverseArmCentre();
    const float travel = std::fmax(std::fabs(m.frame.RevArmToCentMax), 1.0f);
    const float position = m.gear.ReverseArmPosition;
    if (std::fabs(position - centre) > kTravelsBeyond * travel)
        return "it does not hold a design: its reverse arm position " +
               formatFixed(position, 0, 3) + " lies far outside the arm's travel about " +
               formatFixed(centre, 0, 3) + ".";
    for (float angle = 0; angle < 360; angle += kDegreesBetweenChecks) {
        if (!finite(solveLinkageAt(m, angle, position)))
            return "its dimensions give no gear: the linkage cannot be solved at driver angle " +
                   formatFixed(angle, 0, 0) + ".";
    }
    return {};
}

}  // namespace tarvell
