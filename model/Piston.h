// The piston's place as the model keeps it: travel from 0 at the front dead centre to
// kFullTravel at the rear, whatever the stroke, and the per cents of the stroke quoted from it.
// No Qt.
#pragma once

namespace tarvell {

inline constexpr double kFullTravel = 640.0;

// Per cent of the stroke from the front dead centre (100 / 640 is exact in binary).
inline double travelPercent(double travel) {
    return travel * (100.0 / kFullTravel);
}

// Per cent of the stroke done from one end's dead centre: the front end's stroke runs out as
// the travel grows, the rear end's as it falls.
inline double endStrokePercent(double travel, bool frontEnd) {
    const double fromFront = travelPercent(travel);
    return frontEnd ? fromFront : 100.0 - fromFront;
}

// The piston's place as a fraction of the stroke from the front dead centre.
inline double travelFraction(double travel) {
    return travel * (1.0 / kFullTravel);
}

}  // namespace tarvell
