// An animated WebP made frame by frame: lossless, looping for ever, every frame shown for the
// same time. libwebp's animation encoder keeps only what changed from one frame to the next.
#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <memory>

class QImage;

namespace tarvell {

class WebpAnimation {
  public:
    // Frames of `size` pixels, each shown for `frameMilliseconds`.
    WebpAnimation(QSize size, int frameMilliseconds);
    ~WebpAnimation();
    WebpAnimation(const WebpAnimation&) = delete;
    WebpAnimation& operator=(const WebpAnimation&) = delete;

    // Adds the next frame (scaled to the animation's size if it differs). False, with the
    // reason in error(), when the encoder refused it; nothing more is taken after that.
    bool add(const QImage& frame);
    // The finished file's bytes, or empty (with the reason in error()).
    QByteArray finish();

    int frames() const { return frames_; }
    const QString& error() const { return error_; }

  private:
    struct Encoder;
    std::unique_ptr<Encoder> encoder_;
    QSize size_;
    int frameMilliseconds_;
    int frames_ = 0;
    QString error_;
};

}  // namespace tarvell
