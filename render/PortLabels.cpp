// The port line labels' places (see PortLabels.h).
#include "PortLabels.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace tarvell {
namespace {

constexpr int kColumnGap = 10;
// Above a line the text ends 3 pixels over it; below, it starts 1 pixel under it.
constexpr int kAboveOffset = -16;
constexpr int kBelowOffset = 1;

struct Box {
    int left, top, right, bottom;  // right and bottom exclusive
};

Box boxAt(int x, int y, int width) {
    return {x, y, x + width, y + kPortLabelHeight};
}

bool overlaps(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool isFree(const Box& box, const std::vector<Box>& taken) {
    return std::none_of(taken.begin(), taken.end(), [&](const Box& t) { return overlaps(box, t); });
}

}  // namespace

std::array<LabelPlace, 6> placePortLabels(const std::array<PortLabel, 6>& labels, int left) {
    int widest = 0;
    for (const PortLabel& l : labels) widest = std::max(widest, l.width);
    const int columns[] = {left, left + widest + kColumnGap};

    std::array<LabelPlace, 6> places{};
    std::vector<Box> taken;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const PortLabel& l = labels[i];
        const int preferred = l.lineY + (l.above ? kAboveOffset : kBelowOffset);
        const int other = l.lineY + (l.above ? kBelowOffset : kAboveOffset);
        bool placed = false;
        for (int x : columns) {
            for (int y : {preferred, other}) {
                if (isFree(boxAt(x, y, l.width), taken)) {
                    places[i] = {x, y};
                    placed = true;
                    break;
                }
            }
            if (placed) break;
        }
        // Every side taken: the nearest free height in the first column, away from its line
        // in its own direction first. Each step clears at least one pixel of the finite
        // set of boxes, so the search ends.
        for (int step = 1; !placed; ++step) {
            const int direction = l.above ? -1 : 1;
            for (int y : {preferred + direction * step, preferred - direction * step}) {
                if (isFree(boxAt(left, y, l.width), taken)) {
                    places[i] = {left, y};
                    placed = true;
                    break;
                }
            }
        }
        taken.push_back(boxAt(places[i].x, places[i].y, l.width));
    }
    return places;
}

}  // namespace tarvell
