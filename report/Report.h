// The command-line report: the motion of the gear over one turn as CSV, for designers who
// want it in a spreadsheet. Built on the model only.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "Vari.h"

namespace tarvell {

// A reverse arm position as given on the command line: a number, or mid, fwd or rev.
// Returns false for anything else.
bool resolveReverseArm(const Model& m, std::string_view text, float& position);

// CSV of one turn at the model's current ReverseArmPosition: the header row, then one row
// per driver angle from 0 in `step` while not above 360.
std::string motionCsv(Model& m, float step);

// A number in the report's CSV form: %.9g with "." as the decimal point.
std::string csvNumber(double v);

// Runs the tool; returns the exit status (0 ok, 1 unusable input file, 2 bad arguments).
int runReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tarvell
