#include <gtest/gtest.h>

#include <map>

#include "DemoGameData.h"
#include "ErrorText.h"
#include "ScenarioBuilder.h"
#include "core/bytes/LittleEndian.h"
#include "core/sound/AboutSound.h"
#include "core/sound/WaveImage.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

namespace {

void appendTag(Bytes& out, const std::string& tag, std::uint32_t size) {
    out.insert(out.end(), tag.begin(), tag.end());
    out.resize(out.size() + 4);
    bytes::writeLe(out, out.size() - 4, 4, size);
}

// A wave image with a "fmt " chunk of the given fields and `data` in its data chunk, after an
// odd-sized chunk the reader must skip with its pad byte.
Bytes waveImage(std::uint32_t tag, std::uint32_t channels, std::uint32_t bits, const Bytes& data) {
    Bytes out;
    appendTag(out, "RIFF", 0);
    out.insert(out.end(), {'W', 'A', 'V', 'E'});
    appendTag(out, "LIST", 3);
    out.insert(out.end(), {'a', 'b', 'c', 0});
    appendTag(out, "fmt ", 16);
    out.resize(out.size() + 16);
    const std::size_t format = out.size() - 16;
    bytes::writeLe(out, format, 2, tag);
    bytes::writeLe(out, format + 2, 2, channels);
    bytes::writeLe(out, format + 4, 4, 22050);
    bytes::writeLe(out, format + 14, 2, bits);
    appendTag(out, "data", static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    bytes::writeLe(out, 4, 4, static_cast<std::uint32_t>(out.size() - 8));
    return out;
}

std::string refusal(const Bytes& file) {
    return errorOf([&] { sound::readWave(file); });
}

}  // namespace

TEST(WaveImage, ReadsTheSampleLayoutAndWholeFramesOfData) {
    const Bytes tone = demo::demoWave(440);
    const sound::WaveImage mono = sound::readWave(tone);
    EXPECT_EQ(mono.channels, 1);
    EXPECT_EQ(mono.sampleRate, 11025);
    EXPECT_EQ(mono.format, sound::SampleFormat::UnsignedByte);
    EXPECT_EQ(mono.samples.data(), tone.data() + 44);
    EXPECT_EQ(mono.samples.size(), tone.size() - 44);

    // 16-bit stereo: four bytes a frame, and the ninth byte is no whole frame.
    const Bytes file = waveImage(1, 2, 16, patternBytes(9, 1));
    const sound::WaveImage stereo = sound::readWave(file);
    EXPECT_EQ(stereo.channels, 2);
    EXPECT_EQ(stereo.sampleRate, 22050);
    EXPECT_EQ(stereo.format, sound::SampleFormat::SignedShort);
    EXPECT_EQ(stereo.bytesPerFrame, 4);
    EXPECT_EQ(Bytes(stereo.samples.begin(), stereo.samples.end()),
              Bytes(file.end() - 9, file.end() - 1));
}

TEST(WaveImage, RefusesWhatIsNoPlayableWave) {
    const std::string prefix = "Not a playable wave sound: ";
    EXPECT_EQ(refusal({'M', 'Z', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
              prefix + "it does not start with RIFF and WAVE");
    EXPECT_EQ(refusal(waveImage(2, 1, 4, Bytes(8))),
              prefix + "format 2 with 4 bits per sample is not uncompressed sound");
    Bytes past = waveImage(1, 1, 8, Bytes(8));
    bytes::writeLe(past, past.size() - 12, 4, 9);
    EXPECT_EQ(refusal(past), prefix + "a chunk runs past the end of the sound");
}

TEST(AboutSound, DrawsOnlyTheBoxsSoundsInTheirShares) {
    std::mt19937 generator(2024);
    std::map<std::int64_t, int> drawn;
    constexpr int kDraws = 6000;
    for (int draw = 0; draw < kDraws; ++draw) {
        ++drawn[sound::drawAboutSound(generator)];
    }
    int ordinary = 0;
    for (const auto& [entry, count] : drawn) {
        if (entry >= 0 && entry <= 244) {
            ordinary += count;
        } else {
            EXPECT_TRUE(entry == 245 || entry == 375 || entry == 376) << entry;
        }
    }
    // Two draws in five are ordinary sounds, spread over all 245; each special one is one in
    // five.
    EXPECT_NEAR(ordinary, kDraws * 2 / 5, kDraws / 50);
    for (const std::int64_t special : {245, 375, 376}) {
        EXPECT_NEAR(drawn[special], kDraws / 5, kDraws / 50) << special;
    }
    EXPECT_EQ(drawn.size(), std::size_t{245 + 3});
}
