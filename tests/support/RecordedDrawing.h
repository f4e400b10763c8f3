// Reading a recorded drawing back: its texts with their fonts, and its line segments with
// their pens, for the tests of what a drawing draws.
#pragma once

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "RecordingCanvas.h"

namespace tarvell::test {

struct DrawnText {
    int x = 0, y = 0;
    std::string text;
    bool bold = false;
    Rgb colour;
};

struct Segment {
    int x0, y0, x1, y1;
    Rgb pen;
};

// The texts and line segments of a recording, with the font and pen each was drawn in.
struct Drawing {
    std::vector<DrawnText> texts;
    std::vector<Segment> segments;
    std::vector<std::size_t> textBeforeSegment;  // for each segment, how many texts precede it

    explicit Drawing(const RecordingCanvas& c) {
        bool bold = false;
        Rgb font, pen;
        int cx = 0, cy = 0;
        for (const std::string& call : c.calls) {
            std::istringstream in(call);
            std::string op;
            in >> op;
            if (op == "font") {
                int points;
                std::string rest;
                in >> points >> rest;
                bold = rest == "bold";
                std::string rgb = bold ? "" : rest;
                if (bold) in >> rgb;
                font = parseRgb(rgb);
            } else if (op == "pen") {
                std::string rgb;
                in >> rgb;
                pen = parseRgb(rgb);
            } else if (op == "moveTo") {
                in >> cx >> cy;
            } else if (op == "lineTo") {
                int x, y;
                in >> x >> y;
                segments.push_back({cx, cy, x, y, pen});
                textBeforeSegment.push_back(texts.size());
                cx = x, cy = y;
            } else if (op == "text") {
                DrawnText t;
                in >> t.x >> t.y;
                in.get();
                std::getline(in, t.text);
                t.bold = bold;
                t.colour = font;
                texts.push_back(t);
            }
        }
    }

    std::vector<DrawnText> textsAt(int x) const {
        std::vector<DrawnText> out;
        for (const DrawnText& t : texts)
            if (t.x == x) out.push_back(t);
        return out;
    }
    int count(const std::string& text) const {
        int n = 0;
        for (const DrawnText& t : texts) n += t.text == text;
        return n;
    }
    std::optional<DrawnText> find(const std::string& text) const {
        for (const DrawnText& t : texts)
            if (t.text == text) return t;
        return std::nullopt;
    }

    static Rgb parseRgb(const std::string& s) {
        int r = 0, g = 0, b = 0;
        char comma;
        std::istringstream in(s);
        in >> r >> comma >> g >> comma >> b;
        return Rgb{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                   static_cast<std::uint8_t>(b)};
    }
};

// Where a polyline crosses the horizontal line y (interpolated x of each straddling segment).
inline std::vector<double> crossingsOf(const std::vector<Segment>& polyline, double y) {
    std::vector<double> xs;
    for (const Segment& s : polyline) {
        const double a = s.y0 - y, b = s.y1 - y;
        if ((a < 0 && b >= 0) || (a >= 0 && b < 0))
            xs.push_back(s.x0 + (y - s.y0) / static_cast<double>(s.y1 - s.y0) * (s.x1 - s.x0));
    }
    return xs;
}

}  // namespace tarvell::test
