#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "core/graphics/BitmapFont.h"

using namespace tarnwick::graphics;

namespace {

constexpr Rgb kPaper{255, 255, 255};
constexpr Rgb kInk{10, 20, 30};

// The smallest rectangle holding every pixel that is not paper.
PixelRect inkedBox(const RgbPicture& picture) {
    int left = picture.width();
    int top = picture.height();
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) != kPaper) {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
        }
    }
    return {left, top, right - left + 1, bottom - top + 1};
}

}  // namespace

TEST(BitmapFont, TextFillsTheBoxItMeasuresAndIsClippedAtThePicturesEdges) {
    // 'H' lights its first and last columns and the top row, 'g' and 'j' the bottom row.
    const std::string text = "Hjg|H";
    for (const int scale : {1, 2}) {
        const int length = textLength(text, scale);
        EXPECT_EQ(length, (5 * kGlyphAdvance - 1) * scale);
        RgbPicture across(120, 40, kPaper);
        drawText(across, 3, 5, text, {kInk, scale});
        EXPECT_EQ(inkedBox(across), (PixelRect{3, 5, length, kGlyphHeight * scale}));
        RgbPicture upward(40, 120, kPaper);
        drawText(upward, 5, 3, text, {kInk, scale, TextDirection::Upward});
        EXPECT_EQ(inkedBox(upward), (PixelRect{5, 3, kGlyphHeight * scale, length}));
        // Read from the bottom up: the first 'H' at the bottom, its top row at the left.
        EXPECT_EQ(upward.pixel(5, 3 + length - 1), kInk);
    }

    // Text over an edge keeps exactly the part inside: nothing wraps into the next row or is
    // written past the end.
    for (const TextDirection direction : {TextDirection::Across, TextDirection::Upward}) {
        for (const auto& [x, y] : {std::pair{-4, -3}, std::pair{14, 6}, std::pair{-30, 2}}) {
            RgbPicture small(20, 12, kPaper);
            drawText(small, x, y, "Mg~W", {kInk, 1, direction});
            RgbPicture whole(80, 80, kPaper);
            drawText(whole, x + 30, y + 30, "Mg~W", {kInk, 1, direction});
            for (int row = 0; row < small.height(); ++row) {
                for (int column = 0; column < small.width(); ++column) {
                    ASSERT_EQ(small.pixel(column, row), whole.pixel(column + 30, row + 30))
                        << x << ',' << y << " at " << column << ',' << row;
                }
            }
        }
    }

    // The two marks of a scale's ends are one glyph each, of their own table; any other byte
    // outside printable ASCII is a question mark, each byte of a broken mark too.
    EXPECT_EQ(textLength("\u2264 2.1 s"), textLength("< 2.1 s"));
    for (const auto& [marked, glyph] :
         {std::pair{"\u2264", &atMostGlyph()}, std::pair{"\u2265", &atLeastGlyph()},
          std::pair{"\xe2\x89", &glyphOf('?')}}) {
        RgbPicture mark(20, 12, kPaper);
        drawText(mark, 1, 1, marked, {kInk});
        for (int y = 0; y < mark.height(); ++y) {
            for (int x = 0; x < mark.width(); ++x) {
                const int column = (x - 1) % kGlyphAdvance;
                const bool inGlyph = x >= 1 && y >= 1 && y - 1 < kGlyphHeight &&
                                     column < kGlyphWidth && x - 1 < textLength(marked);
                const bool lit =
                    inGlyph && ((*glyph)[static_cast<std::size_t>(y - 1)] >> (4 - column) & 1);
                ASSERT_EQ(mark.pixel(x, y), lit ? kInk : kPaper)
                    << marked << " at " << x << ',' << y;
            }
        }
    }
    EXPECT_NE(atMostGlyph(), glyphOf('<'));
    EXPECT_NE(atMostGlyph(), atLeastGlyph());

    // A byte outside printable ASCII is a question mark.
    RgbPicture accent(20, 20, kPaper);
    drawText(accent, 2, 2, "\xe9", {kInk});
    RgbPicture question(20, 20, kPaper);
    drawText(question, 2, 2, "?", {kInk});
    EXPECT_EQ(accent.pixels(), question.pixels());
    EXPECT_NE(question.pixels(), RgbPicture(20, 20, kPaper).pixels());
}

TEST(BitmapFont, EveryPrintableGlyphIsDrawnAsItsTableSaysAndNoTwoAreAlike) {
    std::set<Glyph> seen;
    for (char c = ' '; c <= '~'; ++c) {
        const Glyph& glyph = glyphOf(c);
        EXPECT_TRUE(seen.insert(glyph).second) << "'" << c << "' looks like another glyph";
        for (const int scale : {1, 3}) {
            RgbPicture picture(kGlyphAdvance * scale + 2, kGlyphHeight * scale + 2, kPaper);
            drawText(picture, 1, 1, std::string(1, c), {kInk, scale});
            for (int y = 0; y < picture.height(); ++y) {
                for (int x = 0; x < picture.width(); ++x) {
                    const int row = (y - 1) / scale;
                    const int column = (x - 1) / scale;
                    const bool inGlyph =
                        x >= 1 && y >= 1 && row < kGlyphHeight && column < kGlyphWidth;
                    const bool lit =
                        inGlyph &&
                        ((glyph[static_cast<std::size_t>(row)] >> (4 - column)) & 1) != 0;
                    ASSERT_EQ(picture.pixel(x, y), lit ? kInk : kPaper)
                        << "'" << c << "' at " << x << ',' << y << " scale " << scale;
                }
            }
        }
    }
    // The table is in ASCII order: a few glyphs whose shape says which character they are.
    EXPECT_EQ(glyphOf(' '), Glyph{});
    EXPECT_EQ(glyphOf('|'), (Glyph{4, 4, 4, 4, 4, 4, 4, 0, 0}));
    EXPECT_EQ(glyphOf('-'), (Glyph{0, 0, 0, 31, 0, 0, 0, 0, 0}));
    EXPECT_EQ(glyphOf('_'), (Glyph{0, 0, 0, 0, 0, 0, 0, 31, 0}));
    EXPECT_EQ(glyphOf('\x7f'), glyphOf('?'));
}
