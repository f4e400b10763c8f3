// The steam display (see SteamDisplay.h).
#include "SteamDisplay.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "Canvas.h"
#include "CylinderDrawing.h"
#include "Numbers.h"
#include "Vari.h"

namespace tarvell {

std::uint32_t SteamDisplay::exhaustVolume(float intensity) {
    if (intensity <= 100) return 0x07000700u;
    if (intensity <= 200) return 0x14001400u;
    if (intensity <= 400) return 0x28002800u;
    if (intensity <= 600) return 0x40004000u;
    if (intensity <= 800) return 0x50005000u;
    if (intensity <= 1000) return 0x60006000u;
    if (intensity <= 1200) return 0x70007000u;
    return 0x80008000u;
}

void SteamDisplay::updateEnd(End& end, float steamOpening, float exhaustOpening, float step) {
    if (steamOpening > 0) end.intensity += step * 50.0f * (steamOpening + 0.1f);
    if (exhaustOpening > 0) end.intensity -= step * 60.0f * exhaustOpening;
    end.intensity = std::clamp(end.intensity, 25.0f, 2000.0f);
}

std::vector<std::uint32_t> SteamDisplay::draw(Canvas& canvas, const Model& m,
                                              const CylinderOutline& o, bool labels,
                                              bool highlightActive) {
    const Openings& op = m.openings;
    const float step = m.gear.ActiveStep;
    updateEnd(rear_, op.RearSteamOpening, op.RearExhaustOpening, step);
    updateEnd(front_, op.FrontSteamOpening, op.FrontExhaustOpening, step);
    lastFrame_ = random_;
    scatter(canvas, m, o, random_);
    if (labels) drawLabels(canvas, m, o);

    // The exhaust beat: an end whose exhaust opening turns from negative to positive.
    std::vector<std::uint32_t> beats;
    auto beat = [&](End& end, float exhaust) {
        if (exhaustStarts(end, exhaust) && !highlightActive)
            beats.push_back(exhaustVolume(end.intensity));
    };
    beat(front_, op.FrontExhaustOpening);
    beat(rear_, op.RearExhaustOpening);
    return beats;
}

void SteamDisplay::followExhaust(const Model& m) {
    exhaustStarts(front_, m.openings.FrontExhaustOpening);
    exhaustStarts(rear_, m.openings.RearExhaustOpening);
}

bool SteamDisplay::exhaustStarts(End& end, float exhaustOpening) {
    const bool starts = end.seen && end.previousExhaust < 0 && exhaustOpening > 0;
    end.previousExhaust = exhaustOpening;
    end.seen = true;
    return starts;
}

void SteamDisplay::drawStill(Canvas& canvas, const Model& m, const CylinderOutline& o,
                             bool labels) const {
    std::minstd_rand random = lastFrame_;
    scatter(canvas, m, o, random);
    if (labels) drawLabels(canvas, m, o);
}

void SteamDisplay::scatter(Canvas& canvas, const Model& m, const CylinderOutline& o,
                           std::minstd_rand& random) const {
    // Each end's space: between the bore end and the piston face, the bore's height.
    const int top = o.cylinder[4].y, bottom = o.cylinder[5].y;
    struct Space {
        int left, right;
        const End* end;
        PortEvent event;
    };
    const Space spaces[] = {
        {o.cylinder[4].x, o.piston[0].x, &rear_, m.rearEvent.event},
        {o.piston[3].x, o.cylinder[7].x, &front_, m.frontEvent.event},
    };
    const double scale = m.view.current.scale;
    for (const Space& s : spaces) {
        if (s.event == PortEvent::None || s.right <= s.left || bottom <= top) continue;
        const int count = std::clamp(roundToInt(s.end->intensity * scale / 18.5), 0, 100000);
        std::uniform_int_distribution<int> xs(s.left + 1,
                                              s.right - 1 > s.left + 1 ? s.right - 1 : s.left + 1);
        std::uniform_int_distribution<int> ys(top + 1, bottom - 1 > top + 1 ? bottom - 1 : top + 1);
        const Rgb colour = steamPhaseColour(s.event);
        for (int i = 0; i < count; ++i) canvas.setPixel(xs(random), ys(random), colour);
    }
}

void SteamDisplay::drawLabels(Canvas& canvas, const Model& m, const CylinderOutline& o) {
    // Under the cylinder: the front end's phase, then the rear end's.
    const int bottom = o.cylinder[5].y;
    const FontSpec old = canvas.font();
    FontSpec f = old;
    f.colour = steamPhaseColour(m.frontEvent.event);
    canvas.setFont(f);
    const std::string_view front = portEventName(m.frontEvent.event);
    canvas.textOut(o.cylinder[6].x - canvas.textWidth(front), bottom + 3, front);
    f.colour = steamPhaseColour(m.rearEvent.event);
    canvas.setFont(f);
    canvas.textOut(o.cylinder[5].x, bottom + 15, portEventName(m.rearEvent.event));
    canvas.setFont(old);
}

}  // namespace tarvell
