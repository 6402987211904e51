#include "core/graphics/RgbPicture.h"

#include <algorithm>
#include <stdexcept>

namespace tarnwick::graphics {

RgbPicture::RgbPicture(int width, int height, Rgb background)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
    pixels_.reserve(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 3);
    for (int pixel = 0; pixel < width_ * height_; ++pixel) {
        pixels_.insert(pixels_.end(), {background.red, background.green, background.blue});
    }
}

Rgb RgbPicture::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        throw std::out_of_range("pixel outside the picture");
    }
    const auto at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                     static_cast<std::size_t>(x)) *
                    3;
    return {pixels_[at], pixels_[at + 1], pixels_[at + 2]};
}

void RgbPicture::set(int x, int y, Rgb colour) {
    fill({x, y, 1, 1}, colour);
}

void RgbPicture::fill(const PixelRect& rect, Rgb colour) {
    const int left = std::max(rect.x, 0);
    const int top = std::max(rect.y, 0);
    // In 64 bits: a rectangle far off the picture must not overflow.
    const auto right = static_cast<int>(
        std::min<long long>(static_cast<long long>(rect.x) + std::max(rect.width, 0), width_));
    const auto bottom = static_cast<int>(
        std::min<long long>(static_cast<long long>(rect.y) + std::max(rect.height, 0), height_));
    for (int y = top; y < bottom; ++y) {
        auto at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(left)) *
                  3;
        for (int x = left; x < right; ++x, at += 3) {
            pixels_[at] = colour.red;
            pixels_[at + 1] = colour.green;
            pixels_[at + 2] = colour.blue;
        }
    }
}

}  // namespace tarnwick::graphics
