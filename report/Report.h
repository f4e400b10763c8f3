// The command-line report: the gear's motion over one turn as CSV, for designers who want
// it in a spreadsheet. Built on the model only; every command writes its CSV through the one
// CsvWriter (numbers as CsvWriter::number gives them: %.9g with "." as the decimal point).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "Csv.h"
#include "Notch.h"
#include "Vari.h"

namespace tarvell {

// CSV of one turn at the model's current ReverseArmPosition: the header row, then one row
// per driver angle from 0 in `step` while not above 360.
std::string motionCsv(Model& m, float step);

// CSV of the valve events (ValveEvents.h) at each position: the header row, then a front and
// a rear row per position; an event that does not occur is left empty, and so are the
// openings of a port that never opens.
std::string eventsCsv(const Model& m, const std::vector<float>& positions);
// The same rows added to `csv`, as a section of a longer report.
void appendEventsCsv(CsvWriter& csv, const Model& m, const std::vector<float>& positions);

// CSV of the indicator diagram (Indicator.h) at each position with the model's indicator
// settings: the header row, then a front and a rear row per position giving the MEP and what
// follows from it; with `cards`, every point of each card instead. With `speedRpm` above 0
// each row goes on with the card at that speed (ThrottledCard.h), and its points follow.
std::string indicatorCsv(const Model& m, const std::vector<float>& positions, bool cards,
                         double speedRpm = 0);

// Runs the tool; returns the exit status (0 ok, 1 a file that cannot be read or written, 2 bad
// arguments).
int runReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The commands other than the default motion report; `first` indexes the first argument
// after the command's name.
int runCompareCommand(const std::vector<std::string>& args, std::size_t first, std::ostream& out,
                      std::ostream& err);
// CSV of two designs compared (see the compare command's help); `named` are reverse arm
// positions as --reverse-arm takes them, each resolved on each design, then `notches`, each
// found on each design (one neither reaches is left out; the command refuses it first).
std::string comparisonCsv(const Model& a, const Model& b, const std::vector<std::string>& named,
                          const std::vector<Notch>& notches = {});
int runEventsCommand(const std::vector<std::string>& args, std::size_t first, std::ostream& out,
                     std::ostream& err);
int runIndicatorCommand(const std::vector<std::string>& args, std::size_t first, std::ostream& out,
                        std::ostream& err);
int runTableCommand(const std::vector<std::string>& args, std::size_t first, std::ostream& out,
                    std::ostream& err);
int runCheckCommand(const std::vector<std::string>& args, std::size_t first, std::ostream& out,
                    std::ostream& err);
int runBalanceCommand(const std::vector<std::string>& args, std::size_t first, std::ostream& out,
                      std::ostream& err);
int runToleranceCommand(const std::vector<std::string>& args, std::size_t first, std::ostream& out,
                        std::ostream& err);
int runSensitivityCommand(const std::vector<std::string>& args, std::size_t first,
                          std::ostream& out, std::ostream& err);

}  // namespace tarvell
