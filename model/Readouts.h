// The cut-off read-outs of the main window: the piston travel per cent at which each
// port's steam opening last closed, found between two frames and kept for a while.
#pragma once

#include <string>

namespace tarvell {

struct Model;

struct CutoffReadouts {
    std::string front;    // "FrontCO% " value, width 4 with 1 decimal; empty when cleared
    std::string rear;     // "RearCO% " value, measured from the rear dead centre
    int frontFrames = 0;  // frames the value is still shown
    int rearFrames = 0;
    bool havePrevious = false;
    float previousFront = 0, previousRear = 0, previousTravel = 0;
};

// Clears both read-outs (the reverse arm or a dimension changed).
void clearCutoffReadouts(Model& m);

// After each tick's openings: detects a steam opening that turned from positive to not
// positive since the previous frame, interpolates the piston travel linearly between the
// two frames, and counts down how long each value stays.
void updateCutoffReadouts(Model& m);

}  // namespace tarvell
