#include "ui/graphics/GfxConversion.h"

#include "ui/prompts/CommandFailed.h"

#include <QCoreApplication>

#include "core/Error.h"

namespace tarnwick::ui {

namespace {

// Passes progress on and lets the windows stay responsive between frames.
class RespondingProgress : public Progress {
  public:
    explicit RespondingProgress(Progress& inner) : inner_(inner) {}
    void start(const std::string& caption, long long maximum) override {
        inner_.start(caption, maximum);
    }
    void advance(long long position) override {
        inner_.advance(position);
        QCoreApplication::processEvents();
    }
    void finish() override { inner_.finish(); }

  private:
    Progress& inner_;
};

}  // namespace

graphics::ConvertedSprite GfxConversion::bitmapOf(std::span<const std::uint8_t> sprite,
                                                  std::size_t frames,
                                                  const graphics::Palette& palette) {
    RespondingProgress progress(progress_);
    try {
        return graphics::convertGfx(sprite, frames, palette, progress);
    } catch (const std::exception& error) {
        progress_.finish();
        throw CommandFailed(
            errorMessage(QString("Error converting : ") + QString::fromStdString(error.what())));
    }
}

GfxConversion::Picture GfxConversion::convert(std::span<const std::uint8_t> sprite,
                                              std::size_t frames,
                                              const graphics::Palette& palette) {
    const auto converted = bitmapOf(sprite, frames, palette);
    Picture picture{
        QImage::fromData(converted.bitmap.data(), static_cast<int>(converted.bitmap.size()), "BMP"),
        converted.header, converted.frames};
    if (picture.image.isNull() && converted.frames > 0 && converted.header.width > 0) {
        throw CommandFailed(errorMessage("Error converting : the picture could not be shown"));
    }
    return picture;
}

}  // namespace tarnwick::ui
