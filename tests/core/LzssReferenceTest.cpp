#include <gtest/gtest.h>

#include <random>

#include "PlainLzss.h"
#include "ScenarioBuilder.h"
#include "core/archive/LzssDecoder.h"
#include "core/archive/LzssEncoder.h"

using namespace tarnwick;
using testsupport::Bytes;

// The fast codec must agree with a plain byte-by-byte transcription on every input: same
// stream from the encoder, same bytes from the decoder, and the input back.
TEST(LzssReference, FastCodecMatchesThePlainTranscription) {
    std::mt19937 random(99);
    std::vector<Bytes> inputs = {{},
                                 {0},
                                 Bytes(5000, 0),
                                 Bytes(5000, 0xFF),
                                 testsupport::chainOf(testsupport::typicalScenarioSections(true))};
    for (const std::size_t size : {1u, 17u, 18u, 19u, 4095u, 4096u, 4097u, 30000u}) {
        for (const unsigned alphabet : {2u, 5u, 256u}) {
            Bytes input(size);
            for (auto& byte : input) {
                byte = static_cast<std::uint8_t>(random() % alphabet);
            }
            inputs.push_back(input);
        }
    }
    // Repeats at distances around the window's size: the string a long match continues into
    // may have just left the window or never been in it.
    for (const std::size_t period : {3u, 4078u, 4079u, 4080u, 4095u, 4096u, 4097u}) {
        Bytes input(3 * period + 100);
        for (std::size_t i = 0; i < input.size(); ++i) {
            input[i] = i < period ? static_cast<std::uint8_t>(random() % 4) : input[i - period];
        }
        inputs.push_back(input);
    }
    NoProgress quiet;
    for (const Bytes& input : inputs) {
        const Bytes stream = archive::lzssCompress(input, quiet);
        ASSERT_EQ(stream, bench::plainCompress(input)) << "size " << input.size();
        const Bytes back = archive::lzssDecompress(stream, input.size());
        ASSERT_EQ(back, bench::plainDecompress(stream, input.size()));
        ASSERT_EQ(back, input) << "size " << input.size();
    }
}

// Arbitrary streams reference ring positions not yet written and wrap around the ring in ways
// the encoder never produces; both decoders must still agree on every byte.
TEST(LzssReference, DecodersAgreeOnArbitraryStreams) {
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        Bytes stream(1 + random() % 3000);
        for (auto& byte : stream) {
            byte = static_cast<std::uint8_t>(random());
        }
        // A flag byte and eight references give at most 144 bytes for 17 read.
        const Bytes plain = bench::plainDecompress(stream, stream.size() * 9);
        ASSERT_EQ(archive::lzssDecompress(stream, plain.size()), plain) << "round " << round;
    }
}
