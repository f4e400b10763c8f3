// Valve events (see ValveEvents.h).
//
// The turn is taken through the sparse degree scan (DegreeScan.h), which sees each port edge
// as a scan of the turn at every whole degree would, solving only about the crossings and the
// valve's extremes. Each port edge is looked at in "running offset" t: degrees from its end's
// dead centre in the order the driver runs, so that forward and reverse running are one
// calculation. The open runs of the edge are found among its points, the run that belongs to
// the dead centre is chosen, and its two crossings are bisected to 0.01 degree.
#include "ValveEvents.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "Calc.h"
#include "DegreeScan.h"
#include "Numbers.h"
#include "Piston.h"
#include "Sweep.h"

namespace tarvell {
namespace {

using namespace scan;

// The run of open points that belongs to `anchor` (a running offset): the run containing
// it, else the first after it, else the last before it. Indices -1 when nothing is open.
struct Run {
    int first = -1, last = -1;
};

Run chooseRun(const EdgeView& v, double anchor) {
    Run containing, after, before;
    for (int i = 0; i < v.count;) {
        if (!(v.p[at(i)].open > 0)) {
            ++i;
            continue;
        }
        int j = i;
        while (j + 1 < v.count && v.p[at(j + 1)].open > 0) ++j;
        if (v.p[at(i)].t <= anchor && anchor <= v.p[at(j)].t)
            containing = {i, j};
        else if (v.p[at(i)].t > anchor && after.first < 0)
            after = {i, j};
        else if (v.p[at(j)].t < anchor)
            before = {i, j};
        i = j + 1;
    }
    if (containing.first >= 0) return containing;
    return after.first >= 0 ? after : before;
}

// The opening and closing crossings of one edge around `anchor`: whether each occurs within
// the window, and where. Not `sound` when the view proved wrong about a bracket.
struct Crossings {
    EventStatus opens = EventStatus::NeverOpens, closes = EventStatus::NeverOpens;
    double tOpens = 0, tCloses = 0;
    float greatest = 0;
    bool sound = true;
};

Crossings findCrossings(Sampler& s, Turn& turn, const EdgeView& v, Edge e, double anchor) {
    Crossings c;
    int open = 0;
    c.greatest = v.p[0].open;
    for (int i = 0; i < v.count; ++i) {
        if (v.p[at(i)].open > 0) ++open;
        if (v.p[at(i)].solved && v.p[at(i)].open > c.greatest) c.greatest = v.p[at(i)].open;
    }
    if (open == 0) return c;
    if (open == v.count) {
        c.opens = c.closes = EventStatus::AlwaysOpen;
        return c;
    }
    const Run run = chooseRun(v, anchor);
    if (run.first == 0) {
        c.opens = EventStatus::OpenThroughDeadCentre;
    } else {
        c.opens = EventStatus::Found;
        const auto t = refineCrossing(s, turn, v, e, v.p[at(run.first - 1)], v.p[at(run.first)]);
        c.tOpens = t.value_or(0);
        c.sound = t.has_value();
    }
    if (run.last == v.count - 1) {
        c.closes = EventStatus::OpenThroughDeadCentre;
    } else {
        c.closes = EventStatus::Found;
        const auto t = refineCrossing(s, turn, v, e, v.p[at(run.last + 1)], v.p[at(run.last)]);
        c.tCloses = t.value_or(0);
        c.sound = c.sound && t.has_value();
    }
    return c;
}

// The edge's view and its crossings about `anchor`. A view that proves wrong is built again
// (the curve's margin has widened by then), and at the third time without the curve.
Crossings edgeCrossings(Sampler& s, Turn& turn, Edge e, int deadCentre, int direction, int t0,
                        double anchor, EdgeView& v) {
    for (int attempt = 0;; ++attempt) {
        if (attempt == 2) turn.distrustCurve();
        viewEdge(s, turn, e, deadCentre, direction, t0, v);
        const Crossings c = findCrossings(s, turn, v, e, anchor);
        if (c.sound || attempt == 2) return c;
    }
}

ValveEvent percentEvent(Sampler& s, const EdgeView& v, EventStatus status, double t, bool frontEnd,
                        bool returnStroke) {
    ValveEvent ev;
    ev.status = status;
    if (status != EventStatus::Found) return ev;
    ev.driverAngle = static_cast<float>(v.angleOf(t));
    // Per cent of the stroke that starts at this end's dead centre, or of the return stroke
    // (the piston's travel is measured between the true dead centres).
    ev.value = static_cast<float>(
        endStrokePercent(s.pistonTravelAt(ev.driverAngle), frontEnd != returnStroke));
    return ev;
}

// How far a true dead centre stands from the half turn it is near, in the order the driver runs
// (0 on the axle line).
double runningOffset(double deadCentre, double nominal, int direction) {
    double d = deadCentre - nominal;
    if (d > 180) d -= 360;
    if (d <= -180) d += 360;
    return direction * d;
}

// The events of one end. Each edge is looked at over the half turns from the driver angles 0
// and 180; when the cylinder line stands off the axle the dead centres are a few degrees from
// those, and the events are placed and told from the true ones (`here` and `there`, running
// offsets of this end's and the other end's dead centre from those angles).
EndEvents endEvents(Sampler& s, Turn& turn, bool frontEnd, int direction,
                    const DeadCentres& deadCentres) {
    EndEvents out;
    const int deadCentre = frontEnd ? 0 : 180;
    const double trueHere = frontEnd ? deadCentres.front : deadCentres.rear;
    const double trueThere = frontEnd ? deadCentres.rear : deadCentres.front;
    const double here = runningOffset(trueHere, deadCentre, direction);
    const double there = runningOffset(trueThere, 180 - deadCentre, direction);
    const Edge steamEdge = frontEnd ? FrontSteam : RearSteam;
    const Edge exhaustEdge = frontEnd ? FrontExhaust : RearExhaust;
    out.deadCentre = static_cast<float>(trueHere);
    // The stem's least X opens the front port to steam and the rear one to exhaust.
    const double leastX = turn.turning[at(turn.least)].angle;
    const double greatestX = turn.turning[at(turn.greatest)].angle;
    out.maxSteamAngle = static_cast<float>(frontEnd ? leastX : greatestX);
    out.maxExhaustAngle = static_cast<float>(frontEnd ? greatestX : leastX);
    out.lead = deadCentres.onAxleLine ? turn.sampleAt(deadCentre).at.open[steamEdge]
                                      : s.pointAt(trueHere).at.open[steamEdge];

    // Steam: the window runs from the other dead centre through this one (t = 0) and on to
    // the other again; admission belongs before this end's dead centre, cut-off to the stroke
    // after it.
    EdgeView steam;
    const Crossings sc =
        edgeCrossings(s, turn, steamEdge, deadCentre, direction, -180, here, steam);
    out.maxSteamOpening = sc.greatest;
    out.admission.status = sc.opens;
    if (sc.opens == EventStatus::Found) {
        out.admission.driverAngle = static_cast<float>(steam.angleOf(sc.tOpens));
        out.admission.value = static_cast<float>(here == 0 ? -sc.tOpens : here - sc.tOpens);
    }
    EventStatus cutOff = sc.closes;
    if (cutOff == EventStatus::Found && sc.tCloses <= here) cutOff = EventStatus::OutsideStroke;
    out.cutOff = percentEvent(s, steam, cutOff, sc.tCloses, frontEnd, false);

    // Exhaust: the window runs from this dead centre (t = 0) through the other (t = 180);
    // release belongs to this end's stroke, compression to the return stroke.
    const double otherDeadCentre = 180.0 + there;
    EdgeView exhaust;
    const Crossings ec =
        edgeCrossings(s, turn, exhaustEdge, deadCentre, direction, 0, otherDeadCentre, exhaust);
    out.maxExhaustOpening = ec.greatest;
    EventStatus release = ec.opens;
    if (release == EventStatus::Found && ec.tOpens >= otherDeadCentre)
        release = EventStatus::OutsideStroke;
    out.release = percentEvent(s, exhaust, release, ec.tOpens, frontEnd, false);
    EventStatus compression = ec.closes;
    if (compression == EventStatus::Found && ec.tCloses <= otherDeadCentre)
        compression = EventStatus::OutsideStroke;
    out.compression = percentEvent(s, exhaust, compression, ec.tCloses, frontEnd, true);
    return out;
}

}  // namespace

std::string_view positionTagText(PositionTag tag) {
    switch (tag) {
        case PositionTag::Fwd:
            return "Fwd";
        case PositionTag::Rev:
            return "Rev";
        case PositionTag::Cen:
            break;
    }
    return "Cen";
}

bool isForwardPositive(const Model& m, int orientationSign) {
    const float arm = m.frame.LiftingArmLength;
    return (arm > 0 && orientationSign > 0) || (arm < 0 && orientationSign < 0);
}

bool isForwardPositive(const Model& m) {
    return isForwardPositive(m, m.orientationSign);
}

PositionTag positionTag(const Model& m, float position, int orientationSign) {
    const float centre = m.ReverseArmCentre();
    if (position == centre) return PositionTag::Cen;
    const bool forward =
        isForwardPositive(m, orientationSign) ? position > centre : position < centre;
    return forward ? PositionTag::Fwd : PositionTag::Rev;
}

PositionTag positionTag(const Model& m, float position) {
    return positionTag(m, position, m.orientationSign);
}

int midGearOrientation(LinkageSolver& solver) {
    return solver.solve(0, solver.model().ReverseArmCentre()).orientationSign;
}

std::string_view eventStatusText(EventStatus status) {
    switch (status) {
        case EventStatus::Found:
            return "found";
        case EventStatus::NeverOpens:
            return "never opens";
        case EventStatus::AlwaysOpen:
            return "always open";
        case EventStatus::OpenThroughDeadCentre:
            return "open through dead centre";
        case EventStatus::OutsideStroke:
            break;
    }
    return "outside the stroke";
}

namespace {

// The events at `position`, running as the position's side says or as `forced` says.
PositionEvents eventsAt(const Model& m, float position, const bool* forced) {
    LinkageSolver solver(m);
    PositionEvents out;
    out.position = position;
    out.tag = positionTag(m, position, midGearOrientation(solver));
    out.forward = forced ? *forced : runsForward(out.tag);

    // Every solve also tries the piston's guards; the samples include 90 degrees, where the
    // crank stands furthest off the line and they bind hardest, so what a solve at every
    // degree would have raised is raised.
    Sampler s(solver, position);
    Turn turn = sampleTurn(s);
    out.valveTravel = toSingle(static_cast<double>(turn.turning[at(turn.greatest)].stemX) -
                               turn.turning[at(turn.least)].stemX);

    const int direction = out.forward ? 1 : -1;
    out.front = endEvents(s, turn, true, direction, solver.deadCentres());
    out.rear = endEvents(s, turn, false, direction, solver.deadCentres());
    out.failedSolves = solver.findings().failedSolves;
    out.errorRaised = solver.findings().errorRaised;
    out.solves = solver.solves();
    return out;
}

}  // namespace

PortOpening portOpening(float maxSteamOpening, float portWidth) {
    PortOpening out;
    out.open = std::min(maxSteamOpening, portWidth);
    out.overTravel = maxSteamOpening - out.open;
    return out;
}

std::optional<PortOpening> steamPortOpening(const EndEvents& end, float portWidth) {
    if (end.admission.status == EventStatus::NeverOpens || !(portWidth > 0) ||
        !(end.maxSteamOpening > 0))
        return std::nullopt;
    return portOpening(end.maxSteamOpening, portWidth);
}

std::optional<PortOpening> exhaustPortOpening(const EndEvents& end, float portWidth) {
    if (end.release.status == EventStatus::NeverOpens || !(portWidth > 0) ||
        !(end.maxExhaustOpening > 0))
        return std::nullopt;
    return portOpening(end.maxExhaustOpening, portWidth);
}

PositionEvents valveEvents(const Model& m, float position) {
    return eventsAt(m, position, nullptr);
}

PositionEvents valveEventsRunning(const Model& m, float position, bool forward) {
    return eventsAt(m, position, &forward);
}

MidGearSummary midGearSummary(const Model& m) {
    const CylinderDimensions& c = m.cyl;
    const double h = c.ExhaustPortWidth() / 2.0;
    MidGearSummary out;
    out.frontLap =
        toSingle(c.ValveLengthFrontHalf() - (h + c.BridgeWidthFront() + c.SteamPortWidthFront()));
    out.rearLap =
        toSingle(c.ValveLengthRearHalf() - (h + c.BridgeWidthRear() + c.SteamPortWidthRear()));
    out.frontExhaustClearance = toSingle(c.ValveExhCavityFrontHalf() - (h + c.BridgeWidthFront()));
    out.rearExhaustClearance = toSingle(c.ValveExhCavityRearHalf() - (h + c.BridgeWidthRear()));
    const PositionEvents mid = valveEvents(m, m.ReverseArmCentre());
    out.frontLead = mid.front.maxSteamOpening;
    out.rearLead = mid.rear.maxSteamOpening;
    out.valveTravel = mid.valveTravel;
    return out;
}

}  // namespace tarvell
