// The frame's read-outs (see FrameReadouts.h).
#include "FrameReadouts.h"

#include <cmath>
#include <string>
#include <utility>

#include "Canvas.h"
#include "Numbers.h"
#include "Piston.h"
#include "Vari.h"

namespace tarvell {
namespace {

// Text at a position given for the normal font, scaled as the large-font mode asks.
class ScaledText {
  public:
    ScaledText(Canvas& canvas, const Model& m)
        : canvas_(canvas), fx_(m.TextScaleX), fy_(m.TextScaleY) {}
    void operator()(int x, int y, const std::string& s) {
        canvas_.textOut(roundToInt(x * fx_), roundToInt(y * fy_), s);
    }

  private:
    Canvas& canvas_;
    double fx_, fy_;
};

// The expansion link's angle from pivot 9 to the arc centre 21, in degrees.
double linkAngle(const PivotSet& p) {
    const double dx = static_cast<double>(p[21].x) - p[9].x;
    const double dy = static_cast<double>(p[21].y) - p[9].y;
    return std::atan(dy / (std::fabs(dx) < 1e-9 ? 1e-9 : dx)) * 180.0 / kPi;
}

}  // namespace

void drawViewBarLabels(Canvas& canvas, const Model& m) {
    ScaledText text(canvas, m);
    text(546, 27, "Pan Vert");
    text(546, 51, "Pan Horz");
    text(546, 75, "Zoom");
}

void drawGearReadouts(Canvas& canvas, const Model& m, float shownAngle) {
    ScaledText text(canvas, m);
    text(460, 25, "Rev Arm " + formatFixed(m.gear.ReverseArmPosition, 6, 3) + "  ");
    text(460, 39, "Driv Ang " + formatFixed(shownAngle, 6, 2) + "  ");
    text(460, 53, "Step Ang" + formatFixed(m.gear.StepAngle, 6, 2) + "  ");
    text(8, 27, "Piston % " + formatFixed(travelPercent(m.openings.PistonTravel), 6, 2) + "  ");
    text(126, 27, "ExpLkAng" + formatFixed(linkAngle(m.pivots), 7, 2) + "  ");
    const Openings& o = m.openings;
    const std::pair<const char*, float> valve[] = {{"ValveCen", m.limits.ValveOffset},
                                                   {"ValveFSt", o.FrontSteamOpening},
                                                   {"ValveFEx", o.FrontExhaustOpening},
                                                   {"ValveRSt", o.RearSteamOpening},
                                                   {"ValveREx", o.RearExhaustOpening}};
    int y = 140;
    for (const auto& [label, value] : valve) {
        text(545, y, label + formatFixed(value, 7, 3) + "  ");
        y += 12;
    }
}

void drawCutoffReadouts(Canvas& canvas, const Model& m) {
    // Shown while the driver steps by less than a quarter turn, as the last turn found them.
    if (!(m.gear.ActiveStep > 0 && m.gear.ActiveStep < 23)) return;
    ScaledText text(canvas, m);
    text(8, 40, "FrontCO% " + m.cutoff.front);
    text(8, 53, "RearCO% " + m.cutoff.rear);
}

}  // namespace tarvell
