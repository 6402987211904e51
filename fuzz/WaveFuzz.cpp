// Any bytes as a sound to play: what is handed to the device lies inside the bytes, in whole
// frames.
#include <cstddef>
#include <cstdint>

#include "core/Error.h"
#include "core/sound/WaveImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const auto image = tarnwick::sound::readWave({data, size});
        const auto frame = static_cast<std::size_t>(image.bytesPerFrame);
        if (frame == 0 || image.samples.size() % frame != 0 || image.samples.data() < data ||
            image.samples.data() + image.samples.size() > data + size) {
            __builtin_trap();
        }
    } catch (const tarnwick::Error&) {
    }
    return 0;
}
