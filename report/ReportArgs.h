// What the report tool's commands share once their options are read: numbers, the step,
// reverse arm positions, and the dimension set to report on.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "Notch.h"
#include "Vari.h"

namespace tarvell {

// A finite decimal number filling the whole text.
bool parseNumber(std::string_view text, double& value);

// A driver step in degrees, 0.01 to 360.
bool parseStep(std::string_view text, double& step, std::ostream& err);

// A reverse arm position: a number, or mid, fwd or rev (mid gear and the normal positions
// of the model's dimension set, forward on the side the valve events window takes it: as
// LiftingArmLength and a solve at mid gear give it). Returns false for anything else.
bool resolveReverseArm(const Model& m, std::string_view text, float& position);

// The positions named by --reverse-arm words (mid, fwd and rev when there are none), each as
// resolveReverseArm gives it; a position beyond the maximum travel is still taken, with a
// warning on `err`. False, after saying which word is bad, for a word that names none.
bool resolveReverseArms(const Model& m, std::vector<std::string> named,
                        std::vector<float>& positions, std::ostream& err);

// A --notch word: a mean cut-off in per cent, alone ("25") or followed by the direction
// ("25fwd", "25rev"). Alone it names both directions (forward first) when `bothWays`, else the
// forward one. Adds the notches to `notches`; false for anything else.
bool parseNotchWord(std::string_view text, bool bothWays, std::vector<Notch>& notches);

// The reverse arm positions of `notches`, each found on `m` (see findNotch) and added to
// `positions`. Returns 0, or 2 after saying on `err` which notch the gear cannot reach and the
// cut-offs it can.
int resolveNotches(const Model& m, const std::vector<Notch>& notches, std::vector<float>& positions,
                   std::ostream& err);

// The --notch words of a command read by parseNotchWord; false after saying which is bad.
bool readNotchWords(const std::vector<std::string>& words, bool bothWays,
                    std::vector<Notch>& notches, std::ostream& err);

// The positions a command that takes several is run at: those of the --reverse-arm words (see
// resolveReverseArms), then those of the --notch words, each cut-off's forward then reverse
// notch; mid, fwd and rev when neither is given. Returns 0, or 2 after saying why not.
int resolvePositions(const Model& m, const std::vector<std::string>& reverseArms,
                     const std::vector<std::string>& notchWords, std::vector<float>& positions,
                     std::ostream& err);

// Says on `err` that `position` lies beyond the reverse arm's maximum travel either side of
// mid gear, when it does: the gear cannot reach it, though the linkage still solves there.
void warnBeyondMaximumTravel(const Model& m, float position, std::ostream& err);

// The dimension set to report on: the defaults, or the data file `file` when it is not
// empty, opened as the program opens one (mid gear recomputed). Returns 0, or 1 with the
// reason on `err` when the file cannot be used.
int loadDimensionSet(Model& m, const std::string& file, std::ostream& err);

// The dimension set (as loadDimensionSet) with the reverse arm put at `reverseArm` (as
// resolveReverseArm, warning of a position beyond the maximum travel). Returns 0, 1 for an
// unusable file or 2 for a bad position, with the reason on `err`.
int loadWithReverseArm(Model& m, const std::string& file, std::string_view reverseArm,
                       std::ostream& err);

// The same for a command run at one position given either by --reverse-arm (default mid) or
// by --notch (one word, alone the forward notch): both given is a bad argument (2).
int loadWithPosition(Model& m, const std::string& file, const std::string* reverseArm,
                     const std::string* notchWord, std::ostream& err);

}  // namespace tarvell
