#include <QImage>
#include <QString>

#include "core/Progress.h"
#include "core/graphics/SpriteConverter.h"
#include "core/model/TypedNumber.h"
#include "tool/Commands.h"
#include "tool/ToolFiles.h"

namespace tarnwick::tool {

namespace {

std::size_t frameCount(const Invocation& invocation) {
    const auto text = invocation.value("frames");
    if (!text) {
        return 0;  // all of them
    }
    const std::int32_t count = model::parseTypedInteger(*text);
    if (count < 0) {
        throw Error("--frames needs a count of 0 or more");
    }
    return static_cast<std::size_t>(count);
}

// The bitmap the editor builds, or a PNG of it.
void convertSprite(const Invocation& invocation, std::ostream&) {
    const std::string& in = invocation.arguments[0];
    const std::string& out = invocation.arguments[1];
    const bool png = hasExtension(out, ".png");
    if (!png && !hasExtension(out, ".bmp")) {
        throw Error("\"" + out + "\" must end in .bmp or .png");
    }
    const auto paletteFile = invocation.value("palette");
    refuseOutputOverInput(out, {in, paletteFile.value_or(in)});
    graphics::Palette palette = graphics::greyPalette();
    if (paletteFile) {
        const auto gamePalette = readInput(*paletteFile);
        try {
            palette = graphics::paletteFromGame(gamePalette);
        } catch (const Error& error) {
            throw aboutFile(*paletteFile, error);
        }
    }
    const std::size_t frames = frameCount(invocation);
    const auto sprite = readInput(in);
    try {
        graphics::checkSprite(sprite);
    } catch (const Error& error) {
        throw Error("\"" + in + "\" is no sprite: " + error.what());
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
    writePng(out, QImage::fromData(converted.bitmap.data(),
                                   static_cast<int>(converted.bitmap.size()), "BMP"));
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
          {"frames", "N", "only the first N frames (default: all)"}},
         "tarnwick-tool sprite unit.gfx unit.png --palette summer.pal --frames 5",
         convertSprite},
    };
}

}  // namespace tarnwick::tool
