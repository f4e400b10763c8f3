// The animated WebP writer (see WebpAnimation.h).
#include "WebpAnimation.h"

#include <webp/encode.h>
#include <webp/mux.h>
#include <QImage>

namespace tarvell {

struct WebpAnimation::Encoder {
    WebPAnimEncoder* encoder = nullptr;
    WebPConfig config{};
    ~Encoder() {
        if (encoder) WebPAnimEncoderDelete(encoder);
    }
};

WebpAnimation::WebpAnimation(QSize size, int frameMilliseconds)
    : encoder_(std::make_unique<Encoder>()), size_(size), frameMilliseconds_(frameMilliseconds) {
    WebPAnimEncoderOptions options;
    if (size.isEmpty() || !WebPAnimEncoderOptionsInit(&options) ||
        !WebPConfigInit(&encoder_->config)) {
        error_ = "the WebP encoder could not be set up";
        return;
    }
    options.anim_params.loop_count = 0;  // for ever
    options.anim_params.bgcolor = 0xffffffff;
    // Every frame a key frame would make the file many times larger; the encoder picks.
    options.allow_mixed = 0;
    encoder_->config.lossless = 1;
    // The drawings are line work on white: the fastest lossless method packs them within a
    // few per cent of the slowest, in a fraction of the time.
    encoder_->config.method = 1;
    encoder_->config.quality = 50;
    encoder_->encoder = WebPAnimEncoderNew(size.width(), size.height(), &options);
    if (!encoder_->encoder) error_ = "the WebP encoder could not be set up";
}

WebpAnimation::~WebpAnimation() = default;

bool WebpAnimation::add(const QImage& frame) {
    if (!error_.isEmpty()) return false;
    QImage rgba = frame.size() == size_ ? frame : frame.scaled(size_);
    rgba = rgba.convertToFormat(QImage::Format_RGBA8888);
    WebPPicture picture;
    if (!WebPPictureInit(&picture)) {
        error_ = "the WebP encoder could not take a frame";
        return false;
    }
    picture.use_argb = 1;
    picture.width = size_.width();
    picture.height = size_.height();
    const bool imported =
        WebPPictureImportRGBA(&picture, rgba.constBits(), static_cast<int>(rgba.bytesPerLine()));
    const bool added =
        imported && WebPAnimEncoderAdd(encoder_->encoder, &picture, frames_ * frameMilliseconds_,
                                       &encoder_->config);
    if (!added)
        error_ = QString("the WebP encoder refused frame %1 (%2)")
                     .arg(frames_ + 1)
                     .arg(QString::fromUtf8(WebPAnimEncoderGetError(encoder_->encoder)));
    WebPPictureFree(&picture);
    if (added) ++frames_;
    return added;
}

QByteArray WebpAnimation::finish() {
    if (!error_.isEmpty()) return {};
    if (frames_ == 0) {
        error_ = "an animation needs at least one frame";
        return {};
    }
    // The last frame's time ends the animation.
    WebPAnimEncoderAdd(encoder_->encoder, nullptr, frames_ * frameMilliseconds_, nullptr);
    WebPData data;
    WebPDataInit(&data);
    QByteArray bytes;
    if (WebPAnimEncoderAssemble(encoder_->encoder, &data))
        bytes = QByteArray(reinterpret_cast<const char*>(data.bytes),
                           static_cast<qsizetype>(data.size));
    else
        error_ = "the WebP encoder could not assemble the animation (" +
                 QString::fromUtf8(WebPAnimEncoderGetError(encoder_->encoder)) + ")";
    WebPDataClear(&data);
    return bytes;
}

}  // namespace tarvell
