// Whether a checked data set holds a design some real gear could have. The file format has
// no signature, and any 19 whole records of finite numbers decode, so a picture or a run of
// zeros given the ".dtv" name would open as a design; this refuses what no gear has. It is
// deliberately loose: anything a stored design may hold, odd as it is, still opens.
#pragma once

#include <string>

#include "DataFile.h"

namespace tarvell {

// Lengths (and positions) beyond this, in any unit, belong to no gear.
inline constexpr float kLargestLength = 1e6f;

// Empty when the design is plausible; otherwise why not, as one sentence for the user.
std::string implausibleDesignReason(const DataSet& set);

}  // namespace tarvell
