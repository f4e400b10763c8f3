// Port areas and the exhaust check (see PortAreas.h).
//
// Along the valve face, from the cylinder's centre: the exhaust port spans -h to h (h half its
// width), each bridge runs on from it, and each steam port from its bridge, the front ones
// toward +X. The valve, offset v, covers -Lr to +Lf about v on its outer edges and hollows out
// its cavity from v - Cr to v + Cf.
#include "PortAreas.h"

#include <algorithm>
#include <cmath>

#include "Numbers.h"
#include "Piston.h"
#include "SolveAt.h"

namespace tarvell {
namespace {

double within(double v, double most) {
    return std::clamp(v, 0.0, std::max(0.0, most));
}

}  // namespace

PortOpenings portOpeningsAt(const CylinderDimensions& c, double v) {
    const double e = c.ExhaustPortWidth(), h = e / 2.0;
    const double bf = c.BridgeWidthFront(), br = c.BridgeWidthRear();
    const double sf = c.SteamPortWidthFront(), sr = c.SteamPortWidthRear();
    PortOpenings out;
    out.front.steamEdge = h + bf + sf - (v + c.ValveLengthFrontHalf());
    out.front.exhaustEdge = v + c.ValveExhCavityFrontHalf() - (h + bf);
    out.rear.steamEdge = v - c.ValveLengthRearHalf() + (h + br + sr);
    out.rear.exhaustEdge = c.ValveExhCavityRearHalf() - v - (h + br);
    // The part of the exhaust port inside the cavity; whichever port exhausts, the cavity's
    // edge on its side stands past the exhaust port, so this is what the other edge leaves.
    const double left =
        std::min(h, v + c.ValveExhCavityFrontHalf()) - std::max(-h, v - c.ValveExhCavityRearHalf());
    for (bool front : {true, false}) {
        EndOpenings& end = front ? out.front : out.rear;
        const double width = front ? sf : sr;
        end.steam = within(end.steamEdge, width);
        end.exhaustPort = within(end.exhaustEdge, width);
        end.exhaustLeft = within(left, e);
        end.exhaustPassage = std::min(end.exhaustPort, end.exhaustLeft);
    }
    return out;
}

PortAreas portAreasAt(const CylinderDimensions& c, double v) {
    const PortOpenings o = portOpeningsAt(c, v);
    auto areas = [](const EndOpenings& e) {
        return EndAreas{toSingle(e.steam), toSingle(e.exhaustPort), toSingle(e.exhaustLeft),
                        toSingle(e.exhaustPassage)};
    };
    return {areas(o.front), areas(o.rear)};
}

PortAreaCurves portAreaCurves(const Model& m, float position, bool forward, double step) {
    if (!(step >= 0.01 && step <= 90.0)) step = 1.0;
    PortAreaCurves out;
    out.position = position;
    out.forward = forward;
    out.frontPortWidth = m.cyl.SteamPortWidthFront();
    out.rearPortWidth = m.cyl.SteamPortWidthRear();
    out.exhaustPortWidth = m.cyl.ExhaustPortWidth();
    LinkageSolver solver(m);
    const int count = static_cast<int>(std::ceil(360.0 / step - 1e-9));
    out.points.reserve(static_cast<std::size_t>(count) + 1);
    for (int i = 0; i <= count; ++i) {
        const double run = std::min(360.0, i * step);
        const LinkageSolution s = solver.solve(wrapDegrees(forward ? run : -run), position);
        const double offset =
            static_cast<double>(s.stemX()) + m.cyl.ValveStem() - m.cyl.CylCtrToDriverCtr();
        out.points.push_back({run, s.driverAngle,
                              static_cast<float>(travelPercent(s.openings.PistonTravel)),
                              portAreasAt(m.cyl, offset)});
    }
    out.findings = solver.findings();
    return out;
}

ExhaustChecks exhaustChecks(const Model& m, const PositionEvents& events) {
    const CylinderDimensions& c = m.cyl;
    const double h = c.ExhaustPortWidth() / 2.0;
    ExhaustChecks out;
    for (bool front : {true, false}) {
        const EndEvents& e = front ? events.front : events.rear;
        ExhaustCheck& check = front ? out.front : out.rear;
        const double width = front ? c.SteamPortWidthFront() : c.SteamPortWidthRear();
        // The valve where this end's exhaust opening is greatest.
        const double offset =
            front ? e.maxExhaustOpening + h + c.BridgeWidthFront() - c.ValveExhCavityFrontHalf()
                  : c.ValveExhCavityRearHalf() - h - c.BridgeWidthRear() - e.maxExhaustOpening;
        const EndAreas areas = front ? portAreasAt(c, offset).front : portAreasAt(c, offset).rear;
        check.exhausts = e.maxExhaustOpening > 0;
        check.greatestSteamPort = toSingle(within(e.maxSteamOpening, width));
        check.greatestExhaustPort = areas.exhaustPort;
        check.exhaustLeft = areas.exhaustLeft;
        check.leastExhaustPassage = areas.exhaustPassage;
        check.driverAngle = e.maxExhaustAngle;
        check.steamPortWidth = toSingle(width);
        check.belowSteamPort = check.exhausts && areas.exhaustLeft < check.steamPortWidth;
        check.shortfall = check.belowSteamPort ? check.steamPortWidth - areas.exhaustLeft : 0.0f;
    }
    return out;
}

}  // namespace tarvell
