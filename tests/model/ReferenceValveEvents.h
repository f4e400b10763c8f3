// The valve events worked out from the solver's openings alone, to hold the program's events
// to: the turn scanned finely, every run of each port edge read off the scan, each event where
// the scan sees its edge change. Nothing is shared with the program's events but the solver.
#pragma once

#include <array>
#include <vector>

#include "SolveAt.h"
#include "ValveEvents.h"

namespace tarvell::test {

// One event as the scan sees it.
struct ReferenceEvent {
    EventStatus status = EventStatus::NeverOpens;
    double angle = 0;  // driver angle of the change, midway between the scan's two points
    double value = 0;  // degrees before dead centre (admission) or per cent of the stroke
    // The driver angles, in running order, between which the opening stays within `near` of
    // zero about the change: where the solver's ripple leaves the change undecided.
    double bandFrom = 0, bandTo = 0;
};

struct ReferenceEnd {
    ReferenceEvent admission, cutOff, release, compression;
    float lead = 0;
    float maxSteamOpening = 0, maxExhaustOpening = 0;
    // The least of each opening over the turn (the most the edge is lapped).
    float minSteamOpening = 0, minExhaustOpening = 0;
};

struct ReferenceEvents {
    bool forward = true;
    PositionTag tag = PositionTag::Cen;
    ReferenceEnd front, rear;
    float valveTravel = 0;
    int failedSolves = 0;
    bool errorRaised = false;
};

// The openings over one turn at one reverse arm position: a solve every `step` degrees from 0
// (a divisor of 1), and with `step` 1 more solves between whole degrees where an edge changes
// (halving to 0.01 degree) and about the valve's extremes (every 0.05 degree within a degree).
class ReferenceScan {
  public:
    ReferenceScan(const Model& m, float position, double step);

    // The events running forward or in reverse; `near` sets the undecided bands.
    ReferenceEvents events(bool forward, double near) const;
    // The events running the way the position's side runs.
    ReferenceEvents events(double near) const;
    // Per cent of the stroke at a driver angle: of the stroke that starts at that end's dead
    // centre, or of the return stroke.
    double percentAt(double angle, bool frontEnd, bool returnStroke) const;

  private:
    struct Sample {
        double angle;
        std::array<float, kEdges> open;
        float stemX;
        float travel;
    };
    void add(double angle);
    ReferenceEnd end(bool frontEnd, bool forward, double near) const;

    const Model& m_;
    float position_;
    std::vector<Sample> samples_;  // in order of angle, [0, 360)
    int orientation_ = 1;
    int failed_ = 0;
    bool errorRaised_ = false;
};

}  // namespace tarvell::test
