#pragma once

#include <cstdint>
#include <vector>

namespace tarnwick::platform {

// Plays a complete wave file image held in memory. It returns at once and never fails: without
// a sound device, or with data that is no playable wave image, nothing plays.
class SoundOutput {
  public:
    virtual ~SoundOutput() = default;
    virtual void playWave(std::vector<std::uint8_t> wave) = 0;
};

}  // namespace tarnwick::platform
