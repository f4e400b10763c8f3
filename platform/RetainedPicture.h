// A window's picture kept from frame to frame. Each new frame comes as its drawing operations;
// where they differ from the last frame's (an operation that moved, changed or went, and
// whatever is drawn over or under it there), the picture is cleared and drawn again, and only
// there may the window need repainting. A frame that equals the last one draws nothing.
//
// The frame is drawn again on a second image, its parts that changed copied to the one shown:
// every operation that touches a changed part is drawn whole, as on a white page, and nothing
// it draws elsewhere reaches the picture.
#pragma once

#include <QImage>
#include <QSize>

#include "DirtyBands.h"
#include "DrawingList.h"

namespace tarvell {

// The bands the picture is cleared and drawn again in: fine, so that a level rod marks a few
// rows rather than a band's worth above and below it.
inline constexpr int kPictureBandRows = 4;

class RetainedPicture {
  public:
    // A picture of `size` picture pixels at `ratio` image pixels to each; a change of either
    // makes it anew, and the next frame is drawn whole.
    void fit(QSize size, qreal ratio);
    // The next frame is drawn whole, whatever it holds.
    void invalidate() { whole_ = true; }

    // Takes the next frame (and leaves `frame` holding an older one, to be cleared and used
    // again). Returns where the picture's pixels may have changed (picture pixels): empty
    // when the frame equals the last one, and nothing was drawn.
    const DirtyBands& take(DrawingList& frame);

    const QImage& image() const { return shown_; }
    QSize size() const { return shown_.deviceIndependentSize().toSize(); }

  private:
    QImage shown_, spare_;
    DrawingList last_;
    DirtyBands changed_{kPictureBandRows, 12};  // where the last frame taken changed it
    bool whole_ = true;
};

}  // namespace tarvell
