// A sound that records its calls, for tests.
#pragma once

#include <string>
#include <vector>

#include "Sound.h"

namespace tarvell {

class RecordingSound : public Sound {
  public:
    std::vector<std::string> played;
    std::vector<std::uint32_t> volumes;
    int beeps = 0;

    void playFile(const std::string& name) override { played.push_back(name); }
    void setVolume(std::uint32_t value) override { volumes.push_back(value); }
    void beep() override { ++beeps; }
};

}  // namespace tarvell
