#pragma once

#include <cstdint>
#include <span>

namespace tarnwick::sound {

enum class SampleFormat { UnsignedByte, SignedShort, SignedInt, Float };

// A RIFF/WAVE image in memory, as far as playing it needs: the sample layout and the samples.
struct WaveImage {
    int channels = 0;
    int sampleRate = 0;
    SampleFormat format = SampleFormat::UnsignedByte;
    int bytesPerFrame = 0;
    std::span<const std::uint8_t> samples;  // inside the image given, whole frames only
};

// Reads the "fmt " and "data" chunks of a wave image. Throws tarnwick::Error saying what is
// wrong for anything that is not an uncompressed wave image whose data lies inside it.
WaveImage readWave(std::span<const std::uint8_t> file);

}  // namespace tarnwick::sound
