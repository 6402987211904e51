#include "tool/PngOutput.h"

#include <png.h>

#include <array>
#include <csetjmp>
#include <cstdio>
#include <new>

#include "tool/ToolFiles.h"

namespace tarnwick::tool {

namespace {

bool isGreyRamp(const graphics::Palette& palette) {
    for (std::size_t i = 0; i < 256; ++i) {
        if (palette[3 * i] != i || palette[3 * i + 1] != i || palette[3 * i + 2] != i) {
            return false;
        }
    }
    return true;
}

using PngMessage = std::array<char, 160>;

// libpng reports a failure by a long jump back to encodeRows; these callbacks own nothing that
// the jump would have to destroy.
[[noreturn]] void abandonEncoding(png_structp png, png_const_charp message) {
    auto& kept = *static_cast<PngMessage*>(png_get_error_ptr(png));
    std::snprintf(kept.data(), kept.size(), "%s", message);
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

void appendEncoded(png_structp png, png_bytep data, std::size_t length) {
    auto& encoded = *static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    bool grown = true;
    try {
        encoded.insert(encoded.end(), data, data + length);
    } catch (const std::bad_alloc&) {
        grown = false;  // the jump is left for after the handler
    }
    if (!grown) {
        png_error(png, "out of memory");
    }
}

void flushNothing(png_structp) {}

struct PngLayout {
    int colourType = PNG_COLOR_TYPE_RGB;
    png_color* palette = nullptr;  // 256 colours, for PNG_COLOR_TYPE_PALETTE
    png_bytepp rows = nullptr;
};

// The one frame libpng jumps back into: it holds no object with a destructor.
bool encodeRows(png_structp png, png_infop info, std::uint32_t width, std::uint32_t height,
                const PngLayout& layout) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    // A sprite's column of frames may be taller than libpng's default limit of a million rows.
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_set_IHDR(png, info, width, height, 8, layout.colourType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (layout.palette) {
        png_set_PLTE(png, info, layout.palette, 256);
    }
    png_write_info(png, info);
    png_write_image(png, layout.rows);
    png_write_end(png, nullptr);
    return true;
}

class PngWriteStruct {
  public:
    PngWriteStruct()
        : png_(png_create_write_struct(PNG_LIBPNG_VER_STRING, &message_, abandonEncoding,
                                       ignoreWarning)),
          info_(png_ ? png_create_info_struct(png_) : nullptr) {
        if (!info_) {
            png_destroy_write_struct(&png_, nullptr);
            throw std::bad_alloc();
        }
    }
    ~PngWriteStruct() { png_destroy_write_struct(&png_, &info_); }
    PngWriteStruct(const PngWriteStruct&) = delete;
    PngWriteStruct& operator=(const PngWriteStruct&) = delete;

    png_structp png() const { return png_; }
    png_infop info() const { return info_; }
    std::string message() const { return message_.data(); }

  private:
    PngMessage message_{};
    png_structp png_;
    png_infop info_;
};

}  // namespace

std::vector<std::uint8_t> encodePng(const PngPicture& picture) {
    const std::size_t bytesPerPixel = picture.palette ? 1 : 3;
    const std::size_t stride = std::size_t{picture.width} * bytesPerPixel;
    if (picture.width == 0 || picture.height == 0) {
        throw Error("A picture without pixels has no PNG");
    }
    if (picture.pixels.size() / stride != picture.height || picture.pixels.size() % stride != 0) {
        throw Error("The picture's pixels do not fill its size");
    }
    PngLayout layout;
    std::vector<png_color> colours;
    if (picture.palette) {
        const graphics::Palette& palette = *picture.palette;
        layout.colourType = isGreyRamp(palette) ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_PALETTE;
        for (std::size_t i = 0; i < 256; ++i) {
            colours.push_back({palette[3 * i], palette[3 * i + 1], palette[3 * i + 2]});
        }
        layout.palette = layout.colourType == PNG_COLOR_TYPE_PALETTE ? colours.data() : nullptr;
    }
    // libpng takes rows as writable pointers but only reads them when no transform is set.
    std::vector<png_bytep> rows;
    for (std::size_t row = 0; row < picture.height; ++row) {
        rows.push_back(const_cast<png_bytep>(picture.pixels.data() + row * stride));
    }
    layout.rows = rows.data();

    PngWriteStruct writer;
    std::vector<std::uint8_t> encoded;
    png_set_write_fn(writer.png(), &encoded, appendEncoded, flushNothing);
    if (!encodeRows(writer.png(), writer.info(), picture.width, picture.height, layout)) {
        throw Error(writer.message());
    }
    return encoded;
}

void writePng(const std::string& path, const PngPicture& picture, OutputWrite how) {
    const auto encoded = [&] {
        try {
            return encodePng(picture);
        } catch (const Error& error) {
            throw Error("Cannot encode \"" + path + "\" as PNG: " + error.what());
        }
    }();
    writeOutput(path, encoded, how);
}

}  // namespace tarnwick::tool
