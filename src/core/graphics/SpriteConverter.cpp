#include "core/graphics/SpriteConverter.h"

#include <algorithm>

#include "core/Error.h"
#include "core/bytes/LittleEndian.h"

namespace tarnwick::graphics {

namespace {

constexpr std::size_t kSpriteHeaderSize = 6;
constexpr std::size_t kFrameHeaderSize = 8;
// A bitmap beyond this is no unit sprite: refused rather than allocated.
constexpr std::uint64_t kMaxBitmapBytes = 256ull << 20;

struct FrameHeader {
    std::size_t x;
    std::size_t y;
    std::size_t width;
    std::size_t height;
    std::size_t data;
};

FrameHeader readFrameHeader(std::span<const std::uint8_t> sprite, std::size_t frame) {
    const std::size_t at = kSpriteHeaderSize + kFrameHeaderSize * frame;
    if (sprite.size() < at + kFrameHeaderSize) {
        throw Error("The header of frame " + std::to_string(frame) + " lies outside the sprite");
    }
    return {sprite[at], sprite[at + 1], sprite[at + 2], sprite[at + 3],
            bytes::readLe(sprite, at + 4, 4) & 0x7FFFFFFFu};
}

std::string controlByteError(std::uint8_t value) {
    static const char* const kHex = "0123456789ABCDEF";
    return std::string("Control byte $") + kHex[value >> 4] + kHex[value & 0x0F] + " found.";
}

}  // namespace

SpriteHeader readSpriteHeader(std::span<const std::uint8_t> sprite) {
    if (sprite.size() < kSpriteHeaderSize) {
        throw Error("The sprite is shorter than its header");
    }
    return {static_cast<std::uint16_t>(bytes::readLe(sprite, 0, 2)),
            static_cast<std::uint16_t>(bytes::readLe(sprite, 2, 2)),
            static_cast<std::uint16_t>(bytes::readLe(sprite, 4, 2))};
}

void checkSprite(std::span<const std::uint8_t> sprite) {
    const SpriteHeader header = readSpriteHeader(sprite);
    if (header.frameCount == 0) {
        throw Error("The sprite has no frames");
    }
    if (header.width == 0 || header.height == 0) {
        throw Error("The sprite's cells are " + std::to_string(header.width) + " x " +
                    std::to_string(header.height) + " pixels");
    }
    for (std::size_t i = 0; i < header.frameCount; ++i) {
        const FrameHeader frame = readFrameHeader(sprite, i);
        if (frame.data > sprite.size() || sprite.size() - frame.data < 2 * frame.height) {
            throw Error("The line table of frame " + std::to_string(i) +
                        " lies outside the sprite");
        }
    }
}

void decodeLine(std::span<const std::uint8_t> coded, std::span<std::uint8_t> line) {
    const std::size_t width = line.size();
    std::size_t p = 0;
    std::size_t at = 0;
    const auto need = [&](std::size_t count) {
        if (coded.size() - at < count) {
            throw Error("A coded line ends before its pixels");
        }
    };
    while (p < width) {
        need(1);
        const std::uint8_t v = coded[at++];
        if (v == 0x00 || v == 0x40 || v == 0x80) {
            throw Error(controlByteError(v));
        }
        if (v < 0x40) {
            need(v);
            const std::size_t kept = std::min<std::size_t>(v, width - p);
            std::copy_n(coded.begin() + static_cast<std::ptrdiff_t>(at), kept,
                        line.begin() + static_cast<std::ptrdiff_t>(p));
            at += v;
            p += v;
        } else if (v < 0x80) {
            need(1);
            const std::size_t count = v - 0x40u;
            std::fill_n(line.begin() + static_cast<std::ptrdiff_t>(p), std::min(count, width - p),
                        coded[at++]);
            p += count;
        } else {
            p += v - 0x80u;
        }
    }
}

std::array<std::uint8_t, kBmpHeaderSize> writeBmpHeader(std::uint32_t width, std::uint32_t height,
                                                        const Palette& palette) {
    const std::uint32_t stride = (width + 3) & ~3u;
    std::array<std::uint8_t, kBmpHeaderSize> header{};
    header[0] = 'B';
    header[1] = 'M';
    const auto put = [&header](std::size_t at, std::size_t size, std::uint32_t value) {
        bytes::writeLe(header, at, size, value);
    };
    put(2, 4, stride * height + static_cast<std::uint32_t>(kBmpHeaderSize));
    put(10, 4, kBmpHeaderSize);
    put(14, 4, 40);
    put(18, 4, width);
    put(22, 4, height);
    put(26, 2, 1);
    put(28, 2, 8);
    put(34, 4, stride * height);
    put(46, 4, 256);
    put(50, 4, 256);
    for (std::size_t i = 0; i < 256; ++i) {
        header[54 + 4 * i] = palette[3 * i + 2];
        header[55 + 4 * i] = palette[3 * i + 1];
        header[56 + 4 * i] = palette[3 * i];
    }
    return header;
}

ConvertedSprite convertGfx(std::span<const std::uint8_t> sprite, std::size_t frames,
                           const Palette& palette, Progress& progress) {
    ConvertedSprite result;
    result.header = readSpriteHeader(sprite);
    const SpriteHeader& cell = result.header;
    result.frames = frames == 0 ? cell.frameCount : std::min<std::size_t>(frames, cell.frameCount);
    const std::size_t width = cell.width;
    const std::size_t height = cell.height * result.frames;
    const std::size_t stride = (width + 3) & ~std::size_t{3};
    if (static_cast<std::uint64_t>(stride) * height > kMaxBitmapBytes) {
        throw Error("The sprite is too large to convert");
    }
    const auto header = writeBmpHeader(static_cast<std::uint32_t>(width),
                                       static_cast<std::uint32_t>(height), palette);
    // The whole bitmap is built in memory: background, zero padding, then the frames.
    std::vector<std::uint8_t>& bitmap = result.bitmap;
    bitmap.assign(kBmpHeaderSize + stride * height, 0);
    std::copy(header.begin(), header.end(), bitmap.begin());
    // A bitmap without width has no rows to fill, however tall it claims to be.
    for (std::size_t row = 0; width > 0 && row < height; ++row) {
        std::fill_n(bitmap.begin() + static_cast<std::ptrdiff_t>(kBmpHeaderSize + row * stride),
                    width, kBackgroundIndex);
    }

    progress.start("Converting GFX...", static_cast<long long>(result.frames));
    std::vector<std::uint8_t> line;
    for (std::size_t i = 0; i < result.frames; ++i) {
        progress.advance(static_cast<long long>(i + 1));
        const FrameHeader frame = readFrameHeader(sprite, i);
        // Only what lies inside the frame's cell is decoded, so the work is bounded by the
        // bitmap whatever sizes a frame claims.
        if (frame.x >= width) {
            continue;
        }
        const std::size_t visibleWidth = std::min(frame.width, width - frame.x);
        const std::size_t visibleLines =
            frame.y >= cell.height ? 0 : std::min(frame.height, cell.height - frame.y);
        line.resize(visibleWidth);
        for (std::size_t k = 0; k < visibleLines; ++k) {
            const std::size_t table = frame.data + 2 * k;
            if (table > sprite.size() || sprite.size() - table < 2) {
                throw Error("The line table of frame " + std::to_string(i) +
                            " lies outside the sprite");
            }
            const std::size_t start = frame.data + bytes::readLe(sprite, table, 2);
            if (start >= sprite.size()) {
                throw Error("A line of frame " + std::to_string(i) + " lies outside the sprite");
            }
            const std::size_t available = std::min(2 * frame.width, sprite.size() - start);
            std::fill(line.begin(), line.end(), kBackgroundIndex);
            decodeLine(sprite.subspan(start, available), line);
            const std::size_t bitmapRow = height - (i * cell.height + frame.y + k) - 1;
            std::copy(line.begin(), line.end(),
                      bitmap.begin() + static_cast<std::ptrdiff_t>(kBmpHeaderSize +
                                                                   bitmapRow * stride + frame.x));
        }
    }
    progress.finish();
    return result;
}

Palette paletteFromGame(std::span<const std::uint8_t> gamePalette) {
    Palette palette{};
    if (gamePalette.size() < palette.size()) {
        throw Error("The palette holds " + std::to_string(gamePalette.size()) +
                    " bytes instead of 768");
    }
    std::transform(gamePalette.begin(), gamePalette.begin() + 768, palette.begin(),
                   [](std::uint8_t value) { return static_cast<std::uint8_t>(value * 4); });
    return palette;
}

Palette greyPalette() {
    Palette palette{};
    for (std::size_t i = 0; i < 256; ++i) {
        palette[3 * i] = palette[3 * i + 1] = palette[3 * i + 2] = static_cast<std::uint8_t>(i);
    }
    return palette;
}

}  // namespace tarnwick::graphics
