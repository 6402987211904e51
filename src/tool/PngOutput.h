#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/graphics/SpriteConverter.h"
#include "tool/ToolFiles.h"

namespace tarnwick::tool {

// A picture for a PNG file: rows from the top, no padding between them.
struct PngPicture {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    // Three bytes per pixel (red, green, blue), or one index into `palette` when there is one.
    std::vector<std::uint8_t> pixels;
    std::optional<graphics::Palette> palette;
};

// The PNG file of `picture`, 8 bits a sample, with no chunk that could differ between runs: the
// same picture always gives the same bytes. A palette holding grey i at index i is written as a
// grey picture. Throws when the picture has no pixels or fewer or more than its size says.
std::vector<std::uint8_t> encodePng(const PngPicture& picture);

// Encoded, then written as writeOutput writes; a refusal names `path`.
void writePng(const std::string& path, const PngPicture& picture,
              OutputWrite how = OutputWrite::Replace);

}  // namespace tarnwick::tool
