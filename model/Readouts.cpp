// The cut-off read-outs (see Readouts.h).
#include "Readouts.h"

#include "Numbers.h"
#include "Piston.h"
#include "Vari.h"

namespace tarvell {
namespace {

// Piston travel (0 to kFullTravel) at which an opening going from `before` > 0 to `after` <= 0
// closed.
float closingTravel(float before, float after, float travelBefore, float travelAfter) {
    const double t = static_cast<double>(before) / (static_cast<double>(before) - after);
    return toSingle(travelBefore + t * (static_cast<double>(travelAfter) - travelBefore));
}

void countDown(std::string& text, int& frames) {
    if (frames > 0 && --frames == 0) text.clear();
}

}  // namespace

void clearCutoffReadouts(Model& m) {
    m.cutoff = CutoffReadouts{};
}

void updateCutoffReadouts(Model& m) {
    CutoffReadouts& c = m.cutoff;
    const Openings& o = m.openings;
    const int keep = roundToInt(400.0 / (static_cast<double>(m.gear.ActiveStep) + 0.1));
    if (c.havePrevious) {
        if (c.previousFront > 0 && !(o.FrontSteamOpening > 0)) {
            const float cut = closingTravel(c.previousFront, o.FrontSteamOpening, c.previousTravel,
                                            o.PistonTravel);
            c.front = formatFixed(endStrokePercent(cut, true), 4, 1);
            c.frontFrames = keep;
        } else {
            countDown(c.front, c.frontFrames);
        }
        if (c.previousRear > 0 && !(o.RearSteamOpening > 0)) {
            const float cut =
                closingTravel(c.previousRear, o.RearSteamOpening, c.previousTravel, o.PistonTravel);
            c.rear = formatFixed(endStrokePercent(cut, false), 4, 1);
            c.rearFrames = keep;
        } else {
            countDown(c.rear, c.rearFrames);
        }
    }
    c.havePrevious = true;
    c.previousFront = o.FrontSteamOpening;
    c.previousRear = o.RearSteamOpening;
    c.previousTravel = o.PistonTravel;
}

}  // namespace tarvell
