#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/game/BalanceMap.h"
#include "core/graphics/RgbPicture.h"

// The balance map as a picture of its own: a title, the attackers' names down the left, the
// defenders' names upward along the top, the grid of cells and the legend below it. Drawn
// with the built-in bitmap font, so it needs no window system.
namespace tarnwick::game {

// Everything the picture writes.
struct BalanceMapTexts {
    std::string title;
    std::string axes;
    std::vector<std::string> rowLabels;
    std::vector<std::string> columnLabels;
    std::vector<LegendEntry> legend;
};

// Labels are names[id], or the id where that is missing or empty; a name longer than 24
// characters is cut to 21 and "...".
BalanceMapTexts balanceMapTexts(const BalanceMatrix& matrix, const BalanceMapScope& scope,
                                std::span<const std::string> names);

// Cells of 12 pixels: a map of every unit stays readable at 1:1.
inline constexpr int kDefaultCellSize = 12;
inline constexpr int kSmallestCellSize = 3;
inline constexpr int kLargestCellSize = 48;

// Where everything lies. Cells are cellSize apart; below 6 pixels they touch, above they are
// parted by a line of the background. Where a row is thinner than a line of text, only every
// labelStride-th row and column is labelled, with a tick pointing at it.
struct BalanceMapLayout {
    int width = 0;
    int height = 0;
    int cellSize = kDefaultCellSize;
    int textScale = 1;
    int labelStride = 1;
    graphics::PixelRect title;
    graphics::PixelRect rowLabels;
    graphics::PixelRect columnLabels;
    graphics::PixelRect grid;
    graphics::PixelRect legend;

    // The coloured square of the row-th row and the column-th column.
    graphics::PixelRect cell(std::size_t row, std::size_t column) const;
    int largerSide() const { return std::max(width, height); }
};

BalanceMapLayout balanceMapLayout(const BalanceMapTexts& texts, int cellSize);
// The layout with the largest cells whose larger side is at most `largestSide` pixels; empty
// when even the smallest cells do not fit.
std::optional<BalanceMapLayout> fittedBalanceMapLayout(const BalanceMapTexts& texts,
                                                       int largestSide);

graphics::RgbPicture drawBalanceMap(const BalanceMatrix& matrix, const BalanceMapScope& scope,
                                    const BalanceMapTexts& texts, const BalanceMapLayout& layout);

// The label colour: text and ticks, on kBalanceMapBackground.
inline constexpr Rgb kBalanceMapInk{34, 34, 34};
inline constexpr Rgb kBalanceMapBackground{255, 255, 255};

}  // namespace tarnwick::game
