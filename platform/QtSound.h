// Wave playback through Qt Multimedia: one channel (a new play stops the one in progress),
// the volume is this program's own, never the system mixer's.
#pragma once

#include <QHash>
#include <QString>
#include <memory>

#include "Sound.h"

class QSoundEffect;

namespace tarvell {

class QtSound : public Sound {
  public:
    QtSound();
    ~QtSound() override;
    void playFile(const std::string& name) override;
    void setVolume(std::uint32_t value) override;
    void beep() override;

  private:
    QSoundEffect* effectFor(const QString& name);

    QHash<QString, QSoundEffect*> effects_;  // loaded once per file, decoded on first use
    float volume_ = 1.0f;
};

}  // namespace tarvell
