// The cylinder section around the crosshead line: the gray outline of the bore, the steam
// and exhaust passages and the valve chamber, and in black the piston rod, piston, valve
// stem and slide valve. The numbered vertices are what the graphic-position display of
// the cylinder dimensions joins.
#pragma once

#include <array>

namespace tarvell {

class Canvas;
struct Model;
struct View;

struct ScreenPoint {
    int x = 0, y = 0;
};

struct CylinderOutline {
    // 0 chamber rear top, 1 chamber rear at the port face, 2 rear steam port's outer edge,
    // 3 rear passage knee, 4 bore rear top, 5 bore rear bottom, 6 bore front bottom,
    // 7 bore front top, 8 front passage knee, 9 front steam port's outer edge, 10 chamber
    // front at the port face, 11 chamber front top.
    std::array<ScreenPoint, 12> cylinder;
    // 0 exhaust port rear edge, 1 rear bridge's rear edge, 2 rear passage inner knee,
    // 3 rear passage mouth in the bore, 4 front passage mouth, 5 front inner knee,
    // 6 front bridge's front edge, 7 exhaust port front edge (all passage walls), and the
    // exhaust passage's two lower corners.
    std::array<ScreenPoint, 8> port;
    std::array<ScreenPoint, 2> exhaustBottom;
    // 0 rear top, 1 rear bottom, 2 front bottom, 3 front top.
    std::array<ScreenPoint, 4> piston;
    // 0 rear bottom, 1 front bottom, 2 front top, 3 cavity front bottom, 4 cavity front top,
    // 5 cavity rear top, 6 cavity rear bottom, 7 rear top.
    std::array<ScreenPoint, 8> valve;
    ScreenPoint crosshead;     // pivot 3: the piston rod's outer end
    ScreenPoint pistonRodEnd;  // where the rod meets the piston's rear face
    ScreenPoint stemJoint;     // pivot 4: the valve stem's outer end
    ScreenPoint valveStemEnd;  // where the stem meets the valve's rear edge
};

// The outline's screen points for the current solve and view.
CylinderOutline computeCylinderOutline(const Model& m, const View& v);

// Gray outline, then the black moving parts.
void drawCylinder(Canvas& canvas, const CylinderOutline& o);

}  // namespace tarvell
