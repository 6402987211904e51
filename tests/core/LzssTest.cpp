#include <gtest/gtest.h>

#include "ScenarioBuilder.h"
#include "core/Error.h"
#include "core/archive/LzssDecoder.h"
#include "core/archive/LzssEncoder.h"

using namespace tarnwick;
using testsupport::Bytes;

namespace {

Bytes compress(const Bytes& input) {
    NoProgress quiet;
    return archive::lzssCompress(input, quiet);
}

Bytes ascii(const std::string& text) {
    return {text.begin(), text.end()};
}

class RecordedProgress : public Progress {
  public:
    void start(const std::string& caption, long long maximum) override {
        events.push_back(caption + " 0.." + std::to_string(maximum));
    }
    void advance(long long position) override { events.push_back(std::to_string(position)); }
    void finish() override { events.push_back("done"); }
    std::vector<std::string> events;
};

}  // namespace

TEST(lzssDecompress, WorkedExample) {
    EXPECT_EQ(archive::lzssDecompress(Bytes{0x07, 0x61, 0x62, 0x63, 0x00, 0x30}, 9),
              ascii("abcabcabc"));
}

TEST(lzssDecompress, EdgeCases) {
    EXPECT_TRUE(archive::lzssDecompress(Bytes{}, 0).empty());
    // Ring positions never written read as zero.
    EXPECT_EQ(archive::lzssDecompress(Bytes{0x00, 0xEE, 0xFF}, 18), Bytes(18, 0));
    // A reference is cut at the declared length, mid-group.
    EXPECT_EQ(archive::lzssDecompress(Bytes{0x01, 0x41, 0x00, 0xF0}, 5), Bytes(5, 0x41));
    // Flag bits are taken least significant first.
    EXPECT_EQ(archive::lzssDecompress(Bytes{0x05, 'x', 0xEE, 0x0F, 'y'}, 5),
              (Bytes{'x', 0, 0, 0, 'y'}));
}

TEST(lzssDecompress, TruncatedStreamsFailCleanly) {
    const std::vector<Bytes> cut = {{}, {0x01}, {0x00, 0xEE}, {0xFF, 'a', 'b'}};
    for (const Bytes& stream : cut) {
        EXPECT_THROW(archive::lzssDecompress(stream, 10), Error);
    }
}

TEST(lzssCompress, ByteExactExamples) {
    EXPECT_EQ(compress(ascii("abcabcabc")), (Bytes{0x07, 0x61, 0x62, 0x63, 0x00, 0x30}));
    EXPECT_EQ(compress(Bytes(40, 0x00)), (Bytes{0x00, 0xEE, 0xFF, 0x11, 0xF0, 0x23, 0x10}));
    EXPECT_EQ(compress(Bytes(40, 0x41)), (Bytes{0x01, 0x41, 0x00, 0xF0, 0x12, 0xF0, 0x16, 0x00}));
    // The zero-filled nodes at the end of the ring see the first input bytes.
    EXPECT_EQ(compress(Bytes{0x41, 0, 0, 0x41, 0, 0}), (Bytes{0x01, 0x41, 0xFE, 0x2F}));
    EXPECT_TRUE(compress({}).empty());
}

TEST(lzssCompress, GroupsOfEightItems) {
    // Nine different bytes: a full group of eight literals, then a group of one.
    const Bytes input = ascii("123456789");
    const Bytes stream = compress(input);
    ASSERT_EQ(stream.size(), 2u + 9u);
    EXPECT_EQ(stream[0], 0xFF);
    EXPECT_EQ(stream[9], 0x01);
}

TEST(lzssCompress, ReportsPercentOnlyWhenItChanges) {
    RecordedProgress small;
    archive::lzssCompress(Bytes(99, 1), small);
    EXPECT_EQ(small.events, (std::vector<std::string>{"Compressing... 0..100", "done"}));

    RecordedProgress large;
    Bytes input(20000);
    for (std::size_t i = 0; i < input.size(); ++i) {
        input[i] = static_cast<std::uint8_t>(i * 7 + i / 13);
    }
    archive::lzssCompress(input, large);
    ASSERT_GT(large.events.size(), 10u);
    EXPECT_EQ(large.events.front(), "Compressing... 0..100");
    EXPECT_EQ(large.events.back(), "done");
    for (std::size_t i = 2; i + 1 < large.events.size(); ++i) {
        EXPECT_GT(std::stoi(large.events[i]), std::stoi(large.events[i - 1]));
    }
}
