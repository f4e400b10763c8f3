// The program's three sound operations. The Qt implementation plays wave files through one
// channel of the program's own output; the recording one remembers the calls for tests.
#pragma once

#include <cstdint>
#include <string>

namespace tarvell {

class Sound {
  public:
    virtual ~Sound() = default;
    // Starts the named wave file ("Exhaust.wav", "Error.wav") and returns at once; a new
    // play cuts off the one in progress. A missing file gives the beep and no error.
    virtual void playFile(const std::string& name) = 0;
    // Low 16 bits the left channel, high 16 bits the right; 0xFFFF is full volume.
    virtual void setVolume(std::uint32_t value) = 0;
    virtual void beep() = 0;
};

}  // namespace tarvell
