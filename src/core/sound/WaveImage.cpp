#include "core/sound/WaveImage.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "core/Error.h"
#include "core/bytes/LittleEndian.h"

namespace tarnwick::sound {

namespace {

constexpr std::size_t kChunkHeaderSize = 8;
constexpr std::size_t kFormatSize = 16;
constexpr std::uint32_t kPcm = 1;
constexpr std::uint32_t kIeeeFloat = 3;

bool tagIs(std::span<const std::uint8_t> file, std::size_t at, std::string_view tag) {
    return at + tag.size() <= file.size() &&
           std::equal(tag.begin(), tag.end(), file.begin() + static_cast<std::ptrdiff_t>(at));
}

[[noreturn]] void refuse(const std::string& why) {
    throw Error("Not a playable wave sound: " + why);
}

SampleFormat sampleFormat(std::uint32_t tag, std::uint32_t bits) {
    if (tag == kPcm && bits == 8) {
        return SampleFormat::UnsignedByte;
    }
    if (tag == kPcm && bits == 16) {
        return SampleFormat::SignedShort;
    }
    if (tag == kPcm && bits == 32) {
        return SampleFormat::SignedInt;
    }
    if (tag == kIeeeFloat && bits == 32) {
        return SampleFormat::Float;
    }
    refuse("format " + std::to_string(tag) + " with " + std::to_string(bits) +
           " bits per sample is not uncompressed sound");
}

}  // namespace

WaveImage readWave(std::span<const std::uint8_t> file) {
    if (!tagIs(file, 0, "RIFF") || !tagIs(file, 8, "WAVE")) {
        refuse("it does not start with RIFF and WAVE");
    }
    std::optional<WaveImage> format;
    std::optional<std::span<const std::uint8_t>> data;
    // Chunks follow one another, each padded to an even length; unknown ones are skipped.
    std::size_t at = 12;
    while (at + kChunkHeaderSize <= file.size() && !(format && data)) {
        const std::size_t size = bytes::readLe(file, at + 4, 4);
        const std::size_t body = at + kChunkHeaderSize;
        if (size > file.size() - body) {
            refuse("a chunk runs past the end of the sound");
        }
        const auto bodyBytes = file.subspan(body, size);
        if (tagIs(file, at, "fmt ")) {
            if (size < kFormatSize) {
                refuse("its format chunk is too short");
            }
            WaveImage image;
            const std::uint32_t tag = bytes::readLe(bodyBytes, 0, 2);
            image.channels = static_cast<int>(bytes::readLe(bodyBytes, 2, 2));
            image.sampleRate = static_cast<int>(bytes::readLe(bodyBytes, 4, 4));
            const std::uint32_t bits = bytes::readLe(bodyBytes, 14, 2);
            image.format = sampleFormat(tag, bits);
            if (image.channels < 1 || image.sampleRate < 1 || image.sampleRate > 1'000'000) {
                refuse("it claims " + std::to_string(image.channels) + " channels at " +
                       std::to_string(static_cast<std::uint32_t>(image.sampleRate)) + " Hz");
            }
            image.bytesPerFrame = image.channels * static_cast<int>(bits / 8);
            format = image;
        } else if (tagIs(file, at, "data")) {
            data = bodyBytes;
        }
        at = body + size + size % 2;
    }
    if (!format) {
        refuse("it has no format chunk");
    }
    if (!data) {
        refuse("it has no data chunk");
    }
    const auto frameBytes = static_cast<std::size_t>(format->bytesPerFrame);
    format->samples = data->first(data->size() - data->size() % frameBytes);
    return *format;
}

}  // namespace tarnwick::sound
