#include "core/Progress.h"
#include "core/archive/Archive.h"
#include "core/graphics/SpriteConverter.h"
#include "core/model/TypedNumber.h"
#include "tool/Commands.h"
#include "tool/PngOutput.h"
#include "tool/ToolFiles.h"

namespace tarnwick::tool {

namespace {

// The converted bitmap's rows, bottom-up and padded to four bytes, as a picture from the top.
PngPicture spritePicture(const graphics::ConvertedSprite& converted,
                         const graphics::Palette& palette) {
    PngPicture picture;
    picture.width = converted.header.width;
    picture.height = static_cast<std::uint32_t>(converted.header.height * converted.frames);
    picture.palette = palette;
    const std::size_t stride = (picture.width + 3) & ~std::size_t{3};
    picture.pixels.reserve(std::size_t{picture.width} * picture.height);
    for (std::size_t row = picture.height; row-- > 0;) {
        const auto start = converted.bitmap.begin() +
                           static_cast<std::ptrdiff_t>(graphics::kBmpHeaderSize + row * stride);
        picture.pixels.insert(picture.pixels.end(), start, start + picture.width);
    }
    return picture;
}

// The bitmap the editor builds, or a PNG of it.
void convertSprite(const Invocation& invocation, std::ostream&) {
    const std::string& in = invocation.arguments[0];
    const std::string& out = invocation.arguments[1];
    const bool bmp = hasExtension(out, ".bmp");
    // A stream has no name to tell the form by: it gets the PNG that viewers take.
    const bool png = hasExtension(out, ".png") || (!bmp && isStream(out));
    if (!png && !bmp) {
        throw Error(quoted(out) + " must end in .bmp or .png");
    }
    const auto paletteFile = invocation.value("palette");
    checkOutput(out, {in, paletteFile.value_or(in)});
    graphics::Palette palette = graphics::greyPalette();
    if (paletteFile) {
        const auto gamePalette = readInput(*paletteFile, archive::kLargestEntry);
        try {
            palette = graphics::paletteFromGame(gamePalette);
        } catch (const Error& error) {
            throw aboutFile(*paletteFile, error);
        }
    }
    // 0 is all of them.
    const auto frames = static_cast<std::size_t>(
        model::parseTypedInteger(invocation.value("frames").value_or("0")));
    const auto sprite = readInput(in, archive::kLargestEntry);
    try {
        graphics::checkSprite(sprite);
    } catch (const Error& error) {
        throw Error(quoted(in) + " is no sprite: " + error.what());
    }
    const auto converted = [&] {
        NoProgress quiet;
        try {
            return graphics::convertGfx(sprite, frames, palette, quiet);
        } catch (const Error& error) {
            throw aboutFile(in, error);
        }
    }();
    if (!png) {
        writeOutput(out, converted.bitmap);
        return;
    }
    writePng(out, spritePicture(converted, palette));
}

}  // namespace

std::vector<Command> spriteCommands() {
    return {
        {"sprite",
         "Writes the bitmap the editor builds of a sprite: its frames in one column, on the "
         "background colour; with OUT ending in .png a palette PNG instead.",
         {{"SPRITE", "a unit's sprite, as extract writes it"},
          {"OUT", "the picture to write, ending in .bmp or .png"}},
         {{"palette", "FILE", "a game palette of 768 six-bit values (default: greys)"},
          {"frames", "N", "only the first N frames (default: all)", countValue()}},
         "tarnwick-tool sprite unit.gfx unit.png --palette summer.pal --frames 5",
         convertSprite},
    };
}

}  // namespace tarnwick::tool
