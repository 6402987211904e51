#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace tarnwick::graphics {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const Rgb&) const = default;
};

// A square of pixels on a picture; it may reach past the picture's edges.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PixelRect&) const = default;
};

// A picture drawn pixel by pixel: rows from the top, three bytes (red, green, blue) a pixel.
// Drawing is clipped: whatever lies outside the picture is left out, never written.
class RgbPicture {
  public:
    RgbPicture(int width, int height, Rgb background);

    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<std::uint8_t>& pixels() const { return pixels_; }
    std::vector<std::uint8_t> takePixels() && { return std::move(pixels_); }

    // Throws std::out_of_range outside the picture.
    Rgb pixel(int x, int y) const;
    void set(int x, int y, Rgb colour);
    void fill(const PixelRect& rect, Rgb colour);

  private:
    int width_;
    int height_;
    std::vector<std::uint8_t> pixels_;
};

}  // namespace tarnwick::graphics
