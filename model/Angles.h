// Angles as the model takes them: pi, degrees to radians, and driver angles brought into one
// turn. No Qt.
#pragma once

#include <cmath>
#include <numbers>

namespace tarvell {

inline constexpr double kPi = std::numbers::pi;
inline constexpr double kRadiansPerDegree = kPi / 180.0;

inline double radians(double degrees) {
    return degrees * kPi / 180.0;
}

// An angle in degrees brought into [0, 360); NaN and infinities give NaN. Within a turn
// either side of [0, 360) a turn is added or taken off at once, which is what fmod and then
// adding a turn to a negative remainder give; -0 comes back as 0.
inline double wrapDegrees(double a) {
    if (a >= 360.0 && a < 720.0) {
        a -= 360.0;
    } else if (a < 0.0 && a >= -360.0) {
        a += 360.0;
    } else if (!(a >= 0.0 && a < 360.0)) {
        a = std::fmod(a, 360.0);
        if (a < 0) a += 360.0;
    }
    return a >= 360.0 ? 0.0 : a + 0.0;
}

// The same in single precision, for an angle the user keeps (the link's rocking angle): a
// value that is not finite gives 0, and a hair below a whole turn, which rounds up to 360 in
// single precision, gives 0 as well.
float wrapAngle360(float deg);

}  // namespace tarvell
