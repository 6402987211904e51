#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/graphics/RgbPicture.h"

// Text for pictures drawn without a window system: one fixed font of printable ASCII, each
// glyph 5 pixels wide and 9 high (7 above the baseline, 2 for descenders), 6 pixels apart,
// and the two marks a scale's ends need, "\u2264" and "\u2265" in UTF-8. Any other byte is
// drawn as '?'.
namespace tarnwick::graphics {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 9;
inline constexpr int kGlyphAdvance = 6;

// A glyph's rows, top first; bit 4 is the leftmost pixel.
using Glyph = std::array<std::uint8_t, kGlyphHeight>;
// The glyph drawn for a byte: the font's own table, '?' for a byte outside printable ASCII.
const Glyph& glyphOf(char character);
// The glyphs of `text`, one for each character: a byte, or one of the two marks.
std::vector<const Glyph*> glyphsOf(std::string_view text);
// The glyphs of the marks at most and at least.
const Glyph& atMostGlyph();
const Glyph& atLeastGlyph();

enum class TextDirection {
    Across,  // left to right
    Upward,  // turned a quarter anticlockwise: read from the bottom up
};

struct TextStyle {
    Rgb colour;
    int scale = 1;  // every font pixel drawn as scale x scale
    TextDirection direction = TextDirection::Across;
};

// The text's extent along its line, from its first lit column to its last possible one: no
// spacing after the last glyph. Its thickness across the line is kGlyphHeight x scale.
int textLength(std::string_view text, int scale = 1);

// Draws `text` in the box that starts at (x, y): textLength wide and the glyph height high
// across, the other way round upward (the first glyph at the bottom). Pixels that fall outside
// the picture are left out.
void drawText(RgbPicture& picture, int x, int y, std::string_view text, const TextStyle& style);

}  // namespace tarnwick::graphics
