// The steam display: random pixels filling each cylinder end in the colour of its phase,
// with a density that follows the port openings, the phase labels, and the exhaust beat.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "SteamColours.h"
#include "Vari.h"

namespace tarvell {

class Canvas;
struct CylinderOutline;
struct Model;

class SteamDisplay {
  public:
    // One frame: updates each end's intensity, scatters its pixels and writes the phase labels
    // when `labels` is on. Returns the exhaust beats to play, as volumes (both channels): one
    // for each end that starts to exhaust (none during a graphic-position display).
    std::vector<std::uint32_t> draw(Canvas& canvas, const Model& m, const CylinderOutline& o,
                                    bool labels, bool highlightActive);
    // A frame with the display off: only the exhaust-beat memory follows the openings, so
    // the first frame after the display is turned on beats only on a real change.
    void followExhaust(const Model& m);
    // The last frame's pixels and labels again (for an export), changing nothing.
    void drawStill(Canvas& canvas, const Model& m, const CylinderOutline& o, bool labels) const;

    // Volume for an exhaust beat of the given intensity (both channels).
    static std::uint32_t exhaustVolume(float intensity);

  private:
    struct End {
        float intensity = 25;
        float previousExhaust = 0;
        bool seen = false;
    };
    void updateEnd(End& end, float steamOpening, float exhaustOpening, float step);
    // Remembers an end's exhaust opening; true when it has just turned from negative to
    // positive.
    static bool exhaustStarts(End& end, float exhaustOpening);
    void scatter(Canvas& canvas, const Model& m, const CylinderOutline& o,
                 std::minstd_rand& random) const;
    static void drawLabels(Canvas& canvas, const Model& m, const CylinderOutline& o);

    End front_, rear_;
    std::minstd_rand random_{12345};
    std::minstd_rand lastFrame_ = random_;  // the generator as the last frame's pixels began
};

}  // namespace tarvell
