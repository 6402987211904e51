#pragma once

#include <cstdint>
#include <span>

#include <QImage>
#include <QString>

#include "core/Progress.h"
#include "core/graphics/SpriteConverter.h"

namespace tarnwick::ui {

// Sprites made into pictures for the windows. A failure throws CommandFailed with the reason
// behind "Error converting : ". The progress window shows the frames ("Converting GFX...") and
// pending events run between frames.
class GfxConversion {
  public:
    explicit GfxConversion(Progress& progress) : progress_(progress) {}

    struct Picture {
        QImage image;  // all frames converted, one cell each, top to bottom
        graphics::SpriteHeader header;
        std::size_t frames = 0;
    };

    Picture convert(std::span<const std::uint8_t> sprite, std::size_t frames,
                    const graphics::Palette& palette);

  private:
    graphics::ConvertedSprite bitmapOf(std::span<const std::uint8_t> sprite, std::size_t frames,
                                       const graphics::Palette& palette);

    Progress& progress_;
};

}  // namespace tarnwick::ui
