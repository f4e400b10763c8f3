// The reverse arm positions a command compares designs at, as its --reverse-arm words name
// them: fwd, rev, max-fwd, max-rev, mid, set or a number, each resolved afresh on every design.
#pragma once

#include <iosfwd>
#include <vector>

#include "BalanceRequest.h"
#include "CommandOptions.h"

namespace tarvell {

// The positions the --reverse-arm options of `options` name, repeats dropped; normal forward
// and reverse when there are none. False, after a complaint on `err`, for a word it does not
// know.
bool readComparedPositions(const CommandOptions& options, const Model& m,
                           std::vector<BalancePosition>& out, std::ostream& err);

}  // namespace tarvell
