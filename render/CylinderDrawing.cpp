// The cylinder section (see CylinderDrawing.h).
#include "CylinderDrawing.h"

#include <initializer_list>

#include "Canvas.h"
#include "View.h"

namespace tarvell {
namespace {

void path(Canvas& c, std::initializer_list<ScreenPoint> points) {
    PolylinePen pen(c);
    for (const ScreenPoint& p : points) pen.to(p.x, p.y);
}

}  // namespace

CylinderOutline computeCylinderOutline(const Model& m, const View& v) {
    const CylinderDimensions& c = m.cyl;
    auto at = [&v](double x, double y) { return ScreenPoint{screenX(v, x), screenY(v, y)}; };
    const double xc = c.CylCtrToDriverCtr();
    const double yc = m.pivots[3].y;
    const double rb = c.CylinderBoreDia() / 2.0;
    const double halfLength = c.CylinderBoreLength() / 2.0;
    const double face = yc + c.ValveSurfaceToCylCl();  // the port face the valve slides on
    const double chamberTop = face + c.ValveChamberHeight();
    const double halfChamber = c.ValveChamberLength() / 2.0;
    const double h = c.ExhaustPortWidth() / 2.0;
    const double bridgeRear = h + c.BridgeWidthRear();
    const double bridgeFront = h + c.BridgeWidthFront();
    const double steamRear = bridgeRear + c.SteamPortWidthRear();
    const double steamFront = bridgeFront + c.SteamPortWidthFront();
    const double knee = (yc + rb + face) / 2.0;  // where the passages turn toward the bore ends
    const double rearEnd = xc - halfLength, frontEnd = xc + halfLength;
    const double mouth = c.CylSteamPortWidth();

    CylinderOutline o;
    o.cylinder = {at(xc - halfChamber, chamberTop),
                  at(xc - halfChamber, face),
                  at(xc - steamRear, face),
                  at(rearEnd, knee),
                  at(rearEnd, yc + rb),
                  at(rearEnd, yc - rb),
                  at(frontEnd, yc - rb),
                  at(frontEnd, yc + rb),
                  at(frontEnd, knee),
                  at(xc + steamFront, face),
                  at(xc + halfChamber, face),
                  at(xc + halfChamber, chamberTop)};
    o.port = {at(xc - h, face),
              at(xc - bridgeRear, face),
              at(rearEnd + mouth, knee),
              at(rearEnd + mouth, yc + rb),
              at(frontEnd - mouth, yc + rb),
              at(frontEnd - mouth, knee),
              at(xc + bridgeFront, face),
              at(xc + h, face)};
    o.exhaustBottom = {at(xc - h, knee), at(xc + h, knee)};

    // Piston: its centre PistonCtrToCrosshead ahead of the crosshead, as high as the bore.
    const double xp = static_cast<double>(m.pivots[3].x) + c.PistonCtrToCrosshead();
    const double pw = c.PistonWidth() / 2.0;
    o.piston = {at(xp - pw, yc + rb), at(xp - pw, yc - rb), at(xp + pw, yc - rb),
                at(xp + pw, yc + rb)};
    o.crosshead = ScreenPoint{m.pivots[3].sx, m.pivots[3].sy};
    o.pistonRodEnd = at(xp - pw, yc);

    // Valve: its centre ValveStem beyond the stem end, sitting on the port face.
    const double xv = static_cast<double>(m.pivots[4].x) + c.ValveStem();
    const double top = face + c.ValveHeight();
    const double cavityTop = face + c.ValveHeight() / 2.0;
    o.valve = {at(xv - c.ValveLengthRearHalf(), face),
               at(xv + c.ValveLengthFrontHalf(), face),
               at(xv + c.ValveLengthFrontHalf(), top),
               at(xv + c.ValveExhCavityFrontHalf(), face),
               at(xv + c.ValveExhCavityFrontHalf(), cavityTop),
               at(xv - c.ValveExhCavityRearHalf(), cavityTop),
               at(xv - c.ValveExhCavityRearHalf(), face),
               at(xv - c.ValveLengthRearHalf(), top)};
    o.stemJoint = ScreenPoint{m.pivots[4].sx, m.pivots[4].sy};
    o.valveStemEnd = at(xv - c.ValveLengthRearHalf(), m.pivots[4].y);
    return o;
}

void drawCylinder(Canvas& canvas, const CylinderOutline& o) {
    const auto& cv = o.cylinder;
    const auto& pv = o.port;
    canvas.setPenColour(colours::gray);
    // Outer wall: chamber, rear passage, bore, front passage, back to the chamber.
    path(canvas, {cv[1], cv[0], cv[11], cv[10], cv[9], cv[8], cv[7], cv[6], cv[5], cv[4], cv[3],
                  cv[2], cv[1]});
    // Inner walls of the steam passages and the exhaust port.
    path(canvas, {pv[1], pv[2], pv[3]});
    path(canvas, {pv[6], pv[5], pv[4]});
    path(canvas, {pv[0], o.exhaustBottom[0], o.exhaustBottom[1], pv[7]});
    // The bore's top between the passage mouths.
    path(canvas, {pv[3], pv[4]});

    canvas.setPenColour(colours::black);
    path(canvas, {o.crosshead, o.pistonRodEnd});
    path(canvas, {o.stemJoint, o.valveStemEnd});
    const auto& p = o.piston;
    path(canvas, {p[0], p[1], p[2], p[3], p[0]});
    const auto& v = o.valve;
    path(canvas, {v[0], v[6], v[5], v[4], v[3], v[1], v[2], v[7], v[0]});
}

}  // namespace tarvell
