// Notches by cut-off: a driver sets the gear by the share of the stroke it takes steam for, not
// by where the reverse arm stands. A notch is a mean cut-off (the front and rear ends' averaged)
// and a direction, "25 % fwd"; this finds the reverse arm position that gives it, and the table
// of events at a list of notches either way. No Qt.
#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

#include "ValveEvents.h"

namespace tarvell {

struct Notch {
    double cutOff = 25;  // mean cut-off, per cent of the stroke
    bool forward = true;
    bool operator==(const Notch&) const = default;
};

// "25 % fwd", "12.5 % rev": the cut-off as short as it reads exactly (to 0.01).
std::string notchName(const Notch& notch);

// The mean of the two ends' cut-offs at a position, each as the share of its stroke that takes
// steam (cutOffPercent: 0 for a port that admits nothing in its stroke, 100 for one still open
// at its end), so that it runs on without a gap from mid gear to full gear.
double meanCutOff(const PositionEvents& events);

// Where the search stops: the position to within this of the reverse arm's travel, or the mean
// cut-off to within kNotchCutOffTolerance of the one asked for. The events place their
// crossings to 0.01 degree, which leaves a ripple of a hundredth of a per cent or so in the
// mean cut-off: the notch is met that closely.
inline constexpr double kNotchPositionTolerance = 1e-5;
inline constexpr double kNotchCutOffTolerance = 0.005;  // per cent

struct NotchPosition {
    Notch notch;
    bool found = false;
    // Why not, when not found: "25 % fwd is out of reach: forward the gear gives mean cut-offs
    // from 5.98 % at mid gear to 78.39 % at its maximum travel".
    std::string reason;
    float position = 0;     // the reverse arm end's X
    float distance = 0;     // from mid gear, toward the notch's side
    double meanCutOff = 0;  // what the position gives
    PositionEvents events;  // there, the driver running the notch's way
    // The mean cut-offs the gear gives that way at mid gear and at its maximum travel: what a
    // notch may ask for lies between them.
    double midGearCutOff = 0, maximumCutOff = 0;
    int eventSets = 0;        // valve events worked out by the search (the range's two included)
    SolverFindings findings;  // of every solve the search took
};

// The reverse arm position from mid gear toward the notch's side (the forward side as
// isForwardPositive reads it from a solve at mid gear, as the events window and Balance do), up
// to RevArmToCentMax, whose mean cut-off is the notch's, the driver running the notch's way.
// Found by Brent's method on the mean cut-off of the valve events. A cut-off outside the range
// from mid gear to the maximum travel, or not a number, is refused and the range named. Works
// on copies of the model.
NotchPosition findNotch(const Model& m, const Notch& notch);

// The cut-offs the "By notch" table lists unless told otherwise.
inline constexpr std::array<double, 6> kDefaultNotchCutOffs = {75, 50, 40, 30, 25, 15};

struct NotchTable {
    // For each cut-off in the order given, its forward then its reverse notch.
    std::vector<NotchPosition> rows;
    SolverFindings findings;  // of every solve the table took
};

// The notches of every cut-off either way. The searches of one side share what they have
// worked out, so each starts within the narrowest bracket the others left.
NotchTable buildNotchTable(const Model& m, std::span<const double> cutOffs = kDefaultNotchCutOffs);

}  // namespace tarvell
