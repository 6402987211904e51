#include "core/game/BalanceMapPicture.h"

#include <algorithm>

#include "core/graphics/BitmapFont.h"

namespace tarnwick::game {

namespace {

using graphics::PixelRect;

constexpr std::size_t kLongestLabel = 24;
constexpr std::string_view kCut = "...";
// Cells this small touch: a parting line would leave too little colour.
constexpr int kSmallestPartedCell = 6;
// Text grows with the cells: from cells of 20 pixels a font pixel is 2 x 2, from 40 3 x 3.
constexpr int kCellPerTextScale = 20;
// The capitals' height, to centre a label on its row or column.
constexpr int kCapitalHeight = 7;
constexpr Rgb kSwatchFrame{190, 190, 190};

std::string labelOf(std::size_t unit, std::span<const std::string> names) {
    if (unit >= names.size() || names[unit].empty()) {
        return std::to_string(unit);
    }
    const std::string& name = names[unit];
    return name.size() <= kLongestLabel
               ? name
               : name.substr(0, kLongestLabel - kCut.size()) + std::string(kCut);
}

int longestText(const std::vector<std::string>& texts, int scale) {
    int longest = 0;
    for (const std::string& text : texts) {
        longest = std::max(longest, graphics::textLength(text, scale));
    }
    return longest;
}

int parting(int cellSize) {
    return cellSize >= kSmallestPartedCell ? 1 : 0;
}

int swatchSize(int scale) {
    return (graphics::kGlyphHeight + 2) * scale;
}

int legendPitch(int scale) {
    return swatchSize(scale) + 3 * scale;
}

// A corner of the square cut off in kOneSidedMarkColour: a third of its side, never its centre.
void drawOneSidedMark(graphics::RgbPicture& picture, const PixelRect& square) {
    const int legs = std::max(1, square.width / 3);
    for (int down = 0; down < legs; ++down) {
        picture.fill({square.x + square.width - legs + down, square.y + down, legs - down, 1},
                     kOneSidedMarkColour);
    }
}

// Every stride-th label from the first, centred on its row (across) or column (upward), with
// a tick from the label to the grid where not every one is labelled.
void drawLabels(graphics::RgbPicture& picture, const BalanceMapLayout& layout,
                const std::vector<std::string>& labels, graphics::TextDirection direction) {
    const int scale = layout.textScale;
    const bool across = direction == graphics::TextDirection::Across;
    const int gap = across ? layout.grid.x - (layout.rowLabels.x + layout.rowLabels.width)
                           : layout.grid.y - (layout.columnLabels.y + layout.columnLabels.height);
    const graphics::TextStyle style{kBalanceMapInk, scale, direction};
    for (std::size_t index = 0; index < labels.size();
         index += static_cast<std::size_t>(layout.labelStride)) {
        const PixelRect square = across ? layout.cell(index, 0) : layout.cell(0, index);
        const int middle = across ? square.y + square.height / 2 : square.x + square.width / 2;
        const int length = graphics::textLength(labels[index], scale);
        const int textTop = middle - kCapitalHeight * scale / 2;
        if (across) {
            const int right = layout.rowLabels.x + layout.rowLabels.width;
            graphics::drawText(picture, right - length, textTop, labels[index], style);
        } else {
            const int bottom = layout.columnLabels.y + layout.columnLabels.height;
            graphics::drawText(picture, textTop, bottom - length, labels[index], style);
        }
        if (layout.labelStride > 1) {
            const int tickLength = gap - scale;
            picture.fill(across ? PixelRect{layout.grid.x - tickLength, middle, tickLength, 1}
                                : PixelRect{middle, layout.grid.y - tickLength, 1, tickLength},
                         kBalanceMapInk);
        }
    }
}

void drawLegend(graphics::RgbPicture& picture, const BalanceMapLayout& layout,
                const std::vector<LegendEntry>& legend) {
    const int scale = layout.textScale;
    const int swatch = swatchSize(scale);
    int y = layout.legend.y;
    for (const LegendEntry& entry : legend) {
        // Framed: the palest colours would melt into the background.
        picture.fill({layout.legend.x, y, swatch, swatch}, kSwatchFrame);
        const PixelRect square{layout.legend.x + 1, y + 1, swatch - 2, swatch - 2};
        picture.fill(square, entry.colour);
        if (entry.oneSidedMark) {
            drawOneSidedMark(picture, square);
        }
        const int textTop = y + (swatch - kCapitalHeight * scale) / 2;
        graphics::drawText(picture, square.x + swatch + 4 * scale, textTop, entry.text,
                           {kBalanceMapInk, scale});
        y += legendPitch(scale);
    }
}

}  // namespace

BalanceMapTexts balanceMapTexts(const BalanceMatrix& matrix, const BalanceMapScope& scope,
                                std::span<const std::string> names) {
    BalanceMapTexts texts;
    texts.title = legendTitle(scope.shows, scope.start);
    texts.axes = "Rows: attackers (unit A). Columns: defenders (unit B).";
    for (const std::size_t unit : scope.rows) {
        texts.rowLabels.push_back(labelOf(unit, names));
    }
    for (const std::size_t unit : scope.columns) {
        texts.columnLabels.push_back(labelOf(unit, names));
    }
    texts.legend =
        legendOf(scope.shows, timeScaleOf(matrix, scope.start, scope.rows, scope.columns));
    return texts;
}

PixelRect BalanceMapLayout::cell(std::size_t row, std::size_t column) const {
    const int between = parting(cellSize);
    return {grid.x + between + static_cast<int>(column) * cellSize,
            grid.y + between + static_cast<int>(row) * cellSize, cellSize - between,
            cellSize - between};
}

BalanceMapLayout balanceMapLayout(const BalanceMapTexts& texts, int cellSize) {
    BalanceMapLayout layout;
    layout.cellSize = std::max(cellSize, 1);
    const int scale = 1 + layout.cellSize / kCellPerTextScale;
    layout.textScale = scale;
    const int labelPitch = (graphics::kGlyphHeight + 1) * scale;
    layout.labelStride = (labelPitch + layout.cellSize - 1) / layout.cellSize;

    const int margin = 8 * scale;
    const int linePitch = (graphics::kGlyphHeight + 4) * scale;
    const int labelGap = (layout.labelStride > 1 ? 6 : 4) * scale;
    const int lineHeight = graphics::kGlyphHeight * scale;

    layout.title = {
        margin, margin,
        std::max(graphics::textLength(texts.title, scale), graphics::textLength(texts.axes, scale)),
        linePitch + lineHeight};
    const int rowLabelWidth = longestText(texts.rowLabels, scale);
    const int columnLabelHeight = longestText(texts.columnLabels, scale);
    const int gridX = margin + rowLabelWidth + labelGap;
    const int columnLabelsY = layout.title.y + layout.title.height + linePitch - lineHeight;
    const int gridY = columnLabelsY + columnLabelHeight + labelGap;
    const int between = parting(layout.cellSize);
    layout.grid = {gridX, gridY,
                   static_cast<int>(texts.columnLabels.size()) * layout.cellSize + between,
                   static_cast<int>(texts.rowLabels.size()) * layout.cellSize + between};
    layout.rowLabels = {margin, gridY, rowLabelWidth, layout.grid.height};
    layout.columnLabels = {gridX, columnLabelsY, layout.grid.width, columnLabelHeight};

    std::vector<std::string> legendTexts;
    for (const LegendEntry& entry : texts.legend) {
        legendTexts.push_back(entry.text);
    }
    const int legendCount = static_cast<int>(texts.legend.size());
    layout.legend = {margin, gridY + layout.grid.height + linePitch,
                     swatchSize(scale) + 4 * scale + longestText(legendTexts, scale),
                     legendCount * legendPitch(scale) - 3 * scale};

    const int right =
        std::max({layout.title.x + layout.title.width, layout.grid.x + layout.grid.width,
                  layout.legend.x + layout.legend.width});
    layout.width = right + margin;
    layout.height = layout.legend.y + std::max(layout.legend.height, 0) + margin;
    return layout;
}

std::optional<BalanceMapLayout> fittedBalanceMapLayout(const BalanceMapTexts& texts,
                                                       int largestSide) {
    // Every part grows with the cells, so the first that fits from the top is the largest.
    for (int cellSize = kLargestCellSize; cellSize >= kSmallestCellSize; --cellSize) {
        const BalanceMapLayout layout = balanceMapLayout(texts, cellSize);
        if (layout.largerSide() <= largestSide) {
            return layout;
        }
    }
    return std::nullopt;
}

graphics::RgbPicture drawBalanceMap(const BalanceMatrix& matrix, const BalanceMapScope& scope,
                                    const BalanceMapTexts& texts, const BalanceMapLayout& layout) {
    graphics::RgbPicture picture(layout.width, layout.height, kBalanceMapBackground);
    const graphics::TextStyle plain{kBalanceMapInk, layout.textScale};
    graphics::drawText(picture, layout.title.x, layout.title.y, texts.title, plain);
    graphics::drawText(
        picture, layout.title.x,
        layout.title.y + layout.title.height - graphics::kGlyphHeight * layout.textScale,
        texts.axes, plain);
    drawLabels(picture, layout, texts.rowLabels, graphics::TextDirection::Across);
    drawLabels(picture, layout, texts.columnLabels, graphics::TextDirection::Upward);

    const TimeScale scale = timeScaleOf(matrix, scope.start, scope.rows, scope.columns);
    for (std::size_t row = 0; row < scope.rows.size(); ++row) {
        for (std::size_t column = 0; column < scope.columns.size(); ++column) {
            const DuelTimes times =
                matrix.duel(scope.rows[row], scope.columns[column], scope.start);
            const DuelCosts costs = matrix.costs(scope.rows[row], scope.columns[column]);
            const PixelRect square = layout.cell(row, column);
            picture.fill(square, cellColour(times, costs, scope.shows, scale));
            if (hasOneSidedMark(times, costs, scope.shows)) {
                drawOneSidedMark(picture, square);
            }
        }
    }
    drawLegend(picture, layout, texts.legend);
    return picture;
}

}  // namespace tarnwick::game
