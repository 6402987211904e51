#include <gtest/gtest.h>

#include "DemoGameData.h"
#include "ErrorText.h"
#include "ScenarioBuilder.h"
#include "core/bytes/LittleEndian.h"
#include "core/graphics/SpriteConverter.h"

using namespace tarnwick;
using namespace tarnwick::graphics;
using testsupport::Bytes;
using testsupport::errorOf;

namespace {

// An 8-bit bitmap's pixels follow the file header, the info header and 256 palette entries.
constexpr std::size_t kPixelsStart = 14 + 40 + 256 * 4;

// A sprite of the given frames; each frame is (x, y, w, h, lines), its lines already coded.
struct TestFrame {
    std::uint8_t x, y, w, h;
    std::vector<Bytes> lines;
    std::uint32_t offsetBits = 0;  // ORed into the data offset
};

Bytes sprite(std::uint16_t cellWidth, std::uint16_t cellHeight,
             const std::vector<TestFrame>& frames) {
    Bytes out(6 + 8 * frames.size());
    bytes::writeLe(out, 0, 2, static_cast<std::uint32_t>(frames.size()));
    bytes::writeLe(out, 2, 2, cellWidth);
    bytes::writeLe(out, 4, 2, cellHeight);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const TestFrame& f = frames[i];
        const std::size_t header = 6 + 8 * i;
        out[header] = f.x;
        out[header + 1] = f.y;
        out[header + 2] = f.w;
        out[header + 3] = f.h;
        const std::size_t data = out.size();
        bytes::writeLe(out, header + 4, 4, static_cast<std::uint32_t>(data) | f.offsetBits);
        out.resize(data + 2 * f.lines.size());
        for (std::size_t k = 0; k < f.lines.size(); ++k) {
            bytes::writeLe(out, data + 2 * k, 2, static_cast<std::uint32_t>(out.size() - data));
            out.insert(out.end(), f.lines[k].begin(), f.lines[k].end());
        }
    }
    return out;
}

ConvertedSprite convert(const Bytes& data, std::size_t frames = 0) {
    NoProgress quiet;
    return convertGfx(data, frames, greyPalette(), quiet);
}

// The palette index at (x, y) of a converted bitmap, y counted from the top.
std::uint8_t pixel(const ConvertedSprite& converted, std::size_t x, std::size_t y) {
    const std::uint32_t width = bytes::readLe(converted.bitmap, 18, 4);
    const std::uint32_t height = bytes::readLe(converted.bitmap, 22, 4);
    const std::size_t stride = (width + 3) & ~3u;
    return converted.bitmap.at(kPixelsStart + (height - 1 - y) * stride + x);
}

}  // namespace

TEST(SpriteLines, WorkedExampleAndControlBytes) {
    Bytes line(6, kBackgroundIndex);
    decodeLine(Bytes{0x83, 0x42, 0x05, 0x01, 0x09}, line);
    EXPECT_EQ(line, (Bytes{22, 22, 22, 5, 5, 9}));
    for (const int control : {0x00, 0x40, 0x80}) {
        Bytes out(4);
        const char* hex = control == 0 ? "00" : control == 0x40 ? "40" : "80";
        EXPECT_EQ(errorOf([&] {
                      decodeLine(Bytes{0x81, static_cast<std::uint8_t>(control), 1, 1}, out);
                  }),
                  std::string("Control byte $") + hex + " found.");
    }
    // Runs and literals past the line are cut; a line that ends at w leaves the rest unread.
    Bytes short3(3);
    decodeLine(Bytes{0x45, 7, 0x00}, short3);
    EXPECT_EQ(short3, (Bytes{7, 7, 7}));
    decodeLine(Bytes{0x04, 1, 2, 3, 4}, short3);
    EXPECT_EQ(short3, (Bytes{1, 2, 3}));
    EXPECT_EQ(errorOf([&] {
                  decodeLine(Bytes{0x03, 1}, short3);
              }),
              "A coded line ends before its pixels");
}

TEST(BmpHeader, ExactBytes) {
    Palette palette{};
    palette[0] = 10;  // red of index 0
    palette[1] = 20;
    palette[2] = 30;
    const auto header = writeBmpHeader(5, 3, palette);
    const Bytes expectedStart = {'B', 'M', 0x4E, 0x04, 0,  0, 0, 0, 0, 0,  0x36, 0x04, 0, 0, 40,
                                 0,   0,   0,    5,    0,  0, 0, 3, 0, 0,  0,    1,    0, 8, 0,
                                 0,   0,   0,    0,    24, 0, 0, 0, 0, 0,  0,    0,    0, 0, 0,
                                 0,   0,   1,    0,    0,  0, 1, 0, 0, 30, 20,   10,   0};
    EXPECT_TRUE(std::equal(expectedStart.begin(), expectedStart.end(), header.begin()));
}

TEST(SpriteConversion, FramesStackTopToBottomOnTheBackground) {
    // Two frames in 6 x 4 cells; frame 0 is a 2 x 2 block of 5 at (1, 1), frame 1 one line at (0,
    // 3).
    const Bytes data =
        sprite(6, 4, {{1, 1, 2, 2, {{0x42, 5}, {0x42, 5}}}, {0, 3, 6, 1, {{0x83, 0x03, 7, 8, 9}}}});
    const ConvertedSprite all = convert(data);
    EXPECT_EQ(all.frames, 2u);
    EXPECT_EQ(all.header.width, 6);
    EXPECT_EQ(all.bitmap.size(), kPixelsStart + 8 * 8);  // stride 8, 8 rows
    EXPECT_EQ(pixel(all, 0, 0), kBackgroundIndex);
    EXPECT_EQ(pixel(all, 1, 1), 5);
    EXPECT_EQ(pixel(all, 2, 2), 5);
    EXPECT_EQ(pixel(all, 3, 2), kBackgroundIndex);
    EXPECT_EQ(pixel(all, 2, 7), kBackgroundIndex);  // skipped
    EXPECT_EQ(pixel(all, 3, 7), 7);
    EXPECT_EQ(pixel(all, 5, 7), 9);
    // Padding bytes are zero.
    EXPECT_EQ(all.bitmap[kPixelsStart + 6], 0);
    EXPECT_EQ(all.bitmap[kPixelsStart + 7], 0);

    const ConvertedSprite first = convert(data, 1);
    EXPECT_EQ(first.frames, 1u);
    EXPECT_EQ(bytes::readLe(first.bitmap, 22, 4), 4u);
    EXPECT_EQ(convert(data, 9).frames, 2u);
}

TEST(SpriteConversion, OffsetBit31IsIgnored) {
    const Bytes data = sprite(2, 1, {{0, 0, 2, 1, {{0x02, 3, 4}}, 0x80000000u}});
    const ConvertedSprite converted = convert(data);
    EXPECT_EQ(pixel(converted, 0, 0), 3);
    EXPECT_EQ(pixel(converted, 1, 0), 4);
}

TEST(SpriteConversion, HostileFramesAreClippedToTheirCell) {
    // A frame wider and taller than its 4 x 2 cell, placed off to the side.
    const Bytes data =
        sprite(4, 2, {{2, 1, 6, 3, {{0x46, 1}, {0x46, 2}, {0x46, 3}}}, {0, 0, 4, 1, {{0x44, 9}}}});
    const ConvertedSprite converted = convert(data);
    EXPECT_EQ(pixel(converted, 1, 1), kBackgroundIndex);
    EXPECT_EQ(pixel(converted, 2, 1), 1);
    EXPECT_EQ(pixel(converted, 3, 1), 1);
    // The rows past frame 0's cell belong to frame 1 and show only its own line.
    EXPECT_EQ(pixel(converted, 3, 2), 9);
    EXPECT_EQ(pixel(converted, 3, 3), kBackgroundIndex);
}

TEST(SpriteConversion, OnlyWhatLiesInTheCellIsDecoded) {
    // Lines below the cell and pixels right of it are never decoded, however bad they are:
    // a hostile frame costs no more than the bitmap it draws into.
    const Bytes data = sprite(2, 1, {{1, 0, 3, 2, {{0x01, 4, 0x00}, {0x00}}}});
    const ConvertedSprite converted = convert(data);
    EXPECT_EQ(pixel(converted, 0, 0), kBackgroundIndex);
    EXPECT_EQ(pixel(converted, 1, 0), 4);
    EXPECT_EQ(convert(sprite(2, 1, {{2, 0, 3, 1, {{0x00}}}})).frames, 1u);
}

TEST(SpriteConversion, ABitmapWithoutWidthCostsNothing) {
    // 65535 cells of height 65535 and width 0: found by the fuzzer, it once took minutes.
    const Bytes data = {0xFF, 0xFF, 0, 0, 0xFF, 0xFF};
    EXPECT_EQ(errorOf([&] { convert(data); }), "The header of frame 0 lies outside the sprite");
    const Bytes empty = {0, 0, 0, 0, 0xFF, 0xFF};
    EXPECT_EQ(convert(empty).bitmap.size(), kPixelsStart);
}

TEST(SpriteConversion, OffsetsOutsideTheSpriteAreRefused) {
    Bytes data = sprite(4, 1, {{0, 0, 4, 1, {{0x44, 1}}}});
    EXPECT_EQ(errorOf([&] { convert(Bytes{1, 0}); }), "The sprite is shorter than its header");
    Bytes noFrames = data;
    noFrames.resize(8);
    EXPECT_EQ(errorOf([&] { convert(noFrames); }), "The header of frame 0 lies outside the sprite");
    Bytes farData = data;
    bytes::writeLe(farData, 10, 4, 5000);
    EXPECT_EQ(errorOf([&] { convert(farData); }),
              "The line table of frame 0 lies outside the sprite");
    Bytes farLine = data;
    farLine[14] = 0xF0;
    EXPECT_EQ(errorOf([&] { convert(farLine); }), "A line of frame 0 lies outside the sprite");
    Bytes huge = data;
    bytes::writeLe(huge, 0, 2, 65535);
    bytes::writeLe(huge, 2, 2, 65535);
    bytes::writeLe(huge, 4, 2, 65535);
    EXPECT_EQ(errorOf([&] { convert(huge); }), "The sprite is too large to convert");
}

TEST(SpriteConversion, DemoSpritesConvert) {
    const Bytes data = demo::demoSprite(12, 72, 72, 40);
    const ConvertedSprite converted = convert(data);
    EXPECT_EQ(converted.frames, 12u);
    EXPECT_EQ(converted.bitmap.size(), kPixelsStart + 72 * 72 * 12);
    EXPECT_EQ(pixel(converted, 0, 0), kBackgroundIndex);
    EXPECT_EQ(pixel(converted, 36, 20), 40);
}

TEST(Palettes, GamePalettesAreScaledAndMustBeWhole) {
    Bytes game(768, 63);
    EXPECT_EQ(paletteFromGame(game)[5], 252);
    game.resize(767);
    EXPECT_THROW(paletteFromGame(game), Error);
    EXPECT_EQ(greyPalette()[3 * 200 + 1], 200);
}
