// Where a picture was drawn, kept as a few spans of columns in each band of rows: the main
// window's next frame clears only there (everything else is still white) and repaints only
// there and where it draws anew, instead of the whole picture on every tick. Lines and
// ellipses mark only the columns they cross in each band, so a long slanting rod marks a
// narrow strip, not its whole bounding box.
#pragma once

#include <QPoint>
#include <QRect>
#include <QRegion>
#include <vector>

namespace tarvell {

class DirtyBands {
  public:
    // `bandRows` rows to a band; spans closer than `joinGap` columns join. Fine bands clear
    // little; coarse ones make few rectangles to repaint.
    explicit DirtyBands(int bandRows = 8, int joinGap = 12) : rows_(bandRows), gap_(joinGap) {}

    void clear() { bands_.clear(); }
    bool empty() const { return bands_.empty(); }

    // Marks a rectangle, a line from a to b, or an ellipse's outline in the rectangle, each
    // widened by `margin` pixels all round (picture pixels).
    void addRect(const QRect& r);
    void addLine(QPoint a, QPoint b, int margin);
    void addEllipse(const QRect& box, int margin);

    // The marked parts, one rectangle per span.
    QRegion region() const;
    // The same parts in coarser bands: a little more area in far fewer rectangles.
    DirtyBands coarsened(int bandRows, int joinGap) const;
    template <class Visit>
    void forEachRect(Visit&& visit) const {
        for (std::size_t band = 0; band < bands_.size(); ++band)
            for (const Span& s : bands_[band])
                visit(QRect(QPoint(s.first, static_cast<int>(band) * rows_),
                            QPoint(s.last, static_cast<int>(band + 1) * rows_ - 1)));
    }

  private:
    struct Span {
        int first, last;
    };
    void addSpan(int band, int first, int last);

    int band(int y) const { return y / rows_; }

    int rows_, gap_;
    std::vector<std::vector<Span>> bands_;  // per band: disjoint spans, in order
};

}  // namespace tarvell
