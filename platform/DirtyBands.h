// Where a picture was drawn, kept as a few spans of columns in each band of rows: the main
// window's picture is cleared, drawn again and repainted only there. Lines mark only the
// columns they cross in each band, so a long slanting rod marks a narrow strip, not its
// whole bounding box. Every coordinate is held to a safe range before any integer
// arithmetic, so a point at the far end of the int range marks nothing amiss.
#pragma once

#include <QPoint>
#include <QRect>
#include <QRegion>
#include <vector>

namespace tarvell {

// What receives the spans a drawing touches: band by band, columns first to last
// (inclusive), in bands of rows() rows.
class SpanSink {
  public:
    explicit SpanSink(int bandRows) : rows_(bandRows < 1 ? 1 : bandRows) {}
    int rows() const { return rows_; }
    virtual void span(int band, int first, int last) = 0;
    // True when it needs no more spans (it knows what it wanted to).
    virtual bool satisfied() const { return false; }

    // A rectangle (inclusive corners, any order) and a segment widened by `margin` pixels
    // all round, in picture pixels.
    void markRect(double left, double top, double right, double bottom);
    void markSegment(double x0, double y0, double x1, double y1, double margin);

  protected:
    ~SpanSink() = default;

  private:
    int rows_;
};

class DirtyBands : public SpanSink {
  public:
    // `bandRows` rows to a band; spans closer than `joinGap` columns join. Fine bands clear
    // and repaint little; coarse ones make few rectangles.
    explicit DirtyBands(int bandRows = 8, int joinGap = 12) : SpanSink(bandRows), gap_(joinGap) {}

    // Empty again, its storage kept for the next frame.
    void clear() {
        for (auto& spans : bands_) spans.clear();
        spans_ = 0;
    }
    bool empty() const { return spans_ == 0; }

    void span(int band, int first, int last) override;
    void addRect(const QRect& r);

    // Whether a span of a band meets a marked one.
    bool meets(int band, int first, int last) const;

    // The marked parts, one rectangle per span; with `joinGap`, spans of a band closer than
    // that are one rectangle: a little more area in fewer rectangles.
    QRegion region(int joinGap = 0) const;
    template <class Visit>
    void forEachRect(Visit&& visit) const {
        for (std::size_t band = 0; band < bands_.size(); ++band)
            for (const Span& s : bands_[band])
                visit(QRect(QPoint(s.first, static_cast<int>(band) * rows()),
                            QPoint(s.last, static_cast<int>(band + 1) * rows() - 1)));
    }

  private:
    struct Span {
        int first, last;
    };

    int gap_;
    std::vector<std::vector<Span>> bands_;  // per band: disjoint spans, in order
    std::size_t spans_ = 0;
};

// Says whether anything marked on it meets what `bands` hold.
class OverlapTest : public SpanSink {
  public:
    explicit OverlapTest(const DirtyBands& bands) : SpanSink(bands.rows()), bands_(bands) {}
    void span(int band, int first, int last) override {
        if (!hit_ && bands_.meets(band, first, last)) hit_ = true;
    }
    bool satisfied() const override { return hit_; }
    bool hit() const { return hit_; }
    void reset() { hit_ = false; }

  private:
    const DirtyBands& bands_;
    bool hit_ = false;
};

}  // namespace tarvell
