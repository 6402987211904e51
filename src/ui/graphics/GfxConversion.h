#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include <QImage>
#include <QString>

#include "core/Progress.h"
#include "core/graphics/SpriteConverter.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// Sprites made into pictures for the windows. Each failure is shown here, once, behind
// "Error converting : ", and the caller gets nothing. The progress window shows the frames
// ("Converting GFX...") and pending events run between frames.
class GfxConversion {
  public:
    GfxConversion(Prompts& prompts, Progress& progress) : prompts_(prompts), progress_(progress) {}

    struct Picture {
        QImage image;  // all frames converted, one cell each, top to bottom
        graphics::SpriteHeader header;
        std::size_t frames = 0;
    };

    std::optional<Picture> convert(std::span<const std::uint8_t> sprite, std::size_t frames,
                                   const graphics::Palette& palette);

  private:
    std::optional<graphics::ConvertedSprite> bitmapOf(std::span<const std::uint8_t> sprite,
                                                      std::size_t frames,
                                                      const graphics::Palette& palette);

    Prompts& prompts_;
    Progress& progress_;
};

}  // namespace tarnwick::ui
