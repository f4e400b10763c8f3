// Where the oval diagram writes the names of its six port lines: each beside its own line,
// above or below it, and never over another. Lines close together (a large vertical scale,
// no exhaust clearance) put their labels on their free sides, then in a second column, and
// only then nudge a label up or down until it finds room.
#pragma once

#include <array>

namespace tarvell {

struct PortLabel {
    int lineY;   // the line the label names
    int width;   // of its text, in pixels
    bool above;  // the side it takes when the other labels leave it free
};

struct LabelPlace {
    int x, y;  // top-left corner of the text
};

inline constexpr int kPortLabelHeight = 14;  // a text cell of the diagrams' 8-point font

// `left` is the first column's x; a second column stands right of the widest label.
std::array<LabelPlace, 6> placePortLabels(const std::array<PortLabel, 6>& labels, int left);

}  // namespace tarvell
