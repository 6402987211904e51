#include <gtest/gtest.h>

#include "ScenarioBuilder.h"
#include "core/game/Minimap.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;
using game::Rgb;

namespace {

Bytes words(const std::vector<std::uint16_t>& values) {
    Bytes out;
    for (const std::uint16_t value : values) {
        out.push_back(static_cast<std::uint8_t>(value));
        out.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    return out;
}

std::optional<game::MinimapPicture> minimapOf(const Bytes& file) {
    return game::buildMinimap(scenarioFrom(file));
}

constexpr Rgb kMagenta{255, 0, 255};
constexpr Rgb kGrey{93, 93, 93};

}  // namespace

TEST(Minimap, TileColoursAtTheEdgesOfTheirRanges) {
    EXPECT_EQ(game::tileColour(0x0F), (Rgb{0, 0, 0}));
    EXPECT_EQ(game::tileColour(0x10), (Rgb{0, 48, 112}));
    EXPECT_EQ(game::tileColour(0x50), (Rgb{32, 80, 15}));
    EXPECT_EQ(game::tileColour(207), kGrey);
    EXPECT_EQ(game::tileColour(208), kMagenta);
    EXPECT_EQ(game::tileColour(0x100), (Rgb{0, 47, 96}));
    EXPECT_EQ(game::tileColour(2559), kGrey);
    EXPECT_EQ(game::tileColour(2560), kMagenta);
    EXPECT_EQ(game::tileColour(0xFFFF), kMagenta);
}

TEST(Minimap, OnePixelPerTileRowByRowAndUnknownWhereTheMapEnds) {
    // Five and a half tiles of a 3 x 2 map: the odd byte is not a tile.
    Bytes map = words({0x50, 0x80, 0x10, 0x70, 0x300});
    map.push_back(0x50);
    const auto picture = minimapOf(typicalScenarioWith({{"DIM ", words({3, 2})}, {"MTXM", map}}));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 3);
    EXPECT_EQ(picture->height, 2);
    EXPECT_EQ(picture->rgb, (Bytes{32, 80, 15, 63, 63, 63, 0, 48, 112,  //
                                   32, 64, 0, 111, 63, 0, 255, 0, 255}));

    const auto noMap = minimapOf(typicalScenarioWith({{"DIM ", words({2, 1})}}, {"MTXM"}));
    ASSERT_TRUE(noMap);
    EXPECT_EQ(noMap->rgb, (Bytes{255, 0, 255, 255, 0, 255}));
}

TEST(Minimap, NoPictureWithoutDimAndAnEmptyOneForASizeOfZero) {
    EXPECT_FALSE(minimapOf(typicalScenarioWith({}, {"DIM "})));
    const auto empty = minimapOf(typicalScenarioWith({{"DIM ", words({0, 5})}}));
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->rgb.empty());
}

TEST(Minimap, AMapLargerThanTheGamesIsDrawnWholeWhenTheFileHoldsItsTiles) {
    std::vector<std::uint16_t> tiles(200 * 130, 0x00);
    tiles[130 * 200 - 1] = 0x50;  // the last tile
    tiles[129 * 200] = 0x10;      // the first of the last row
    const auto picture =
        minimapOf(typicalScenarioWith({{"DIM ", words({200, 130})}, {"MTXM", words(tiles)}}));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 200);
    EXPECT_EQ(picture->height, 130);
    EXPECT_EQ(picture->pixel(199, 129), (Rgb{32, 80, 15}));
    EXPECT_EQ(picture->pixel(0, 129), (Rgb{0, 48, 112}));
    EXPECT_EQ(picture->pixel(199, 128), (Rgb{0, 0, 0}));
}

TEST(Minimap, ADamagedSizeIsDrawnNoLargerThanTheGamesLargestMap) {
    // 300 x 200 tiles declared, 301 held: tile 300 begins the second row of the declared map.
    Bytes map = words(std::vector<std::uint16_t>(301, 0x00));
    map[600] = 0x50;
    const auto picture =
        minimapOf(typicalScenarioWith({{"DIM ", words({300, 200})}, {"MTXM", map}}));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 128);
    EXPECT_EQ(picture->height, 128);
    EXPECT_EQ(picture->rgb.size(), 128u * 128u * 3u);
    EXPECT_EQ(picture->pixel(127, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(picture->pixel(0, 1), (Rgb{32, 80, 15}));
    EXPECT_EQ(picture->pixel(1, 1), kMagenta);
    EXPECT_EQ(picture->pixel(127, 127), kMagenta);
}
