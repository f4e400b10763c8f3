// Wave playback through Qt Multimedia (see QtSound.h).
#include "QtSound.h"

#include <QApplication>
#include <QSoundEffect>
#include <QUrl>
#include <algorithm>

#include "Assets.h"

namespace tarvell {

QtSound::QtSound() = default;

QtSound::~QtSound() {
    qDeleteAll(effects_);
}

QSoundEffect* QtSound::effectFor(const QString& name) {
    if (auto it = effects_.find(name); it != effects_.end()) return it.value();
    const QString path = locateAsset(name);
    if (path.isEmpty()) return nullptr;
    auto* effect = new QSoundEffect;
    effect->setSource(QUrl::fromLocalFile(path));
    effect->setVolume(volume_);
    effects_.insert(name, effect);
    return effect;
}

void QtSound::playFile(const std::string& name) {
    QSoundEffect* effect = effectFor(QString::fromStdString(name));
    if (!effect || effect->status() == QSoundEffect::Error) {
        beep();
        return;
    }
    for (QSoundEffect* other : std::as_const(effects_)) other->stop();
    effect->play();
}

void QtSound::setVolume(std::uint32_t value) {
    const auto left = static_cast<float>(value & 0xFFFFu);
    const auto right = static_cast<float>(value >> 16);
    volume_ = std::max(left, right) / 65535.0f;
    for (QSoundEffect* effect : std::as_const(effects_)) effect->setVolume(volume_);
}

void QtSound::beep() {
    QApplication::beep();
}

}  // namespace tarvell
