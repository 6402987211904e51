#include <gtest/gtest.h>

#include <QImage>

#include "ScenarioBuilder.h"
#include "ToolTestSupport.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

namespace {

Bytes firstSlotHolding(std::size_t count, std::size_t width, std::uint32_t first) {
    Bytes body(count * width, 0);
    for (std::size_t byte = 0; byte < width; ++byte) {
        body[byte] = static_cast<std::uint8_t>(first >> (8 * byte));
    }
    return body;
}

// A 3 x 2 winter map of tile 0x50, player 1 a human-played Orc with 1234 gold.
Bytes smallScenario() {
    Bytes description(32, 0);
    const std::string text = "Ford, at dusk";
    std::copy(text.begin(), text.end(), description.begin());
    Bytes tiles;
    for (int tile = 0; tile < 6; ++tile) {
        tiles.insert(tiles.end(), {0x50, 0x00});
    }
    return typicalScenarioWith({{"DESC", description},
                                {"DIM ", Bytes{3, 0, 2, 0}},
                                {"ERA ", Bytes{1, 0}},
                                {"OWNR", firstSlotHolding(16, 1, 5)},
                                {"SIDE", firstSlotHolding(16, 1, 1)},
                                {"AIPL", firstSlotHolding(16, 1, 7)},
                                {"SGLD", firstSlotHolding(16, 2, 1234)},
                                {"SLBR", Bytes(32, 0)},
                                {"SOIL", Bytes(32, 0)},
                                {"MTXM", tiles}});
}

}  // namespace

TEST_F(ToolTest, InfoSaysWhatTheScenarioHolds) {
    write("small.pud", smallScenario());
    const ToolRun run = runCommand({"info", path("small.pud")});
    ASSERT_EQ(run.code, 0) << run.err;
    const auto lines = linesOf(run.out);
    const auto has = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has("description: Ford, at dusk"));
    EXPECT_TRUE(has("size: 3x2"));
    EXPECT_TRUE(has("version: 19"));
    EXPECT_TRUE(has("terrain: Winter"));
    EXPECT_TRUE(has("expansion: no"));
    EXPECT_TRUE(has("player 1: race=Orc controller=Human ai=7 gold=1234 lumber=0 oil=0"));
    EXPECT_TRUE(has("player 2: race=Human controller=0 ai=0 gold=0 lumber=0 oil=0"));
    EXPECT_EQ(lines.size(), 17u);
}

TEST_F(ToolTest, MinimapDrawsOneSquarePerTileAndRefusesWhatItCannotDraw) {
    write("small.pud", smallScenario());
    ASSERT_EQ(runCommand({"minimap", path("small.pud"), path("map.png"), "--scale", "4"}).code, 0);
    const QImage picture(QString::fromStdString(path("map.png")));
    ASSERT_EQ(picture.size(), QSize(12, 8));
    for (const QPoint at : {QPoint(0, 0), QPoint(11, 7), QPoint(5, 3)}) {
        EXPECT_EQ(picture.pixelColor(at), QColor(32, 80, 15));
    }

    write("table.udt", Bytes(5694, 0));
    const std::vector<std::vector<std::string>> refused = {
        {"minimap", path("table.udt"), path("out.png")},
        {"minimap", path("small.pud"), path("out.bmp")},
        {"minimap", path("small.pud"), path("out.png"), "--scale", "0"},
        {"info", path("table.udt")},
    };
    for (const auto& arguments : refused) {
        EXPECT_EQ(runCommand(arguments).code, 1) << arguments[2];
    }
    EXPECT_FALSE(exists("out.png") || exists("out.bmp"));
}

TEST_F(ToolTest, AMapSizeTheTilesOrTheGameCannotBackIsRefusedNamingBoth) {
    const auto scenario = [](std::uint16_t width, std::uint16_t height, std::size_t tileBytes) {
        const Bytes size{static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(width >> 8),
                         static_cast<std::uint8_t>(height), static_cast<std::uint8_t>(height >> 8)};
        return typicalScenarioWith({{"DIM ", size}, {"MTXM", Bytes(tileBytes, 0x50)}});
    };
    const std::vector<std::tuple<std::string, Bytes, std::string>> refused = {
        {"huge.pud", scenario(65535, 65535, 8192),
         "map size 65535 x 65535 needs 8589672450 bytes of tiles, the file holds 8192"},
        {"short.pud", scenario(3, 2, 11),
         "map size 3 x 2 needs 12 bytes of tiles, the file holds 11"},
        {"wide.pud", scenario(129, 2, 516),
         "map size 129 x 2 is outside the game's sizes (1 to 128 tiles a side)"},
        {"empty.pud", scenario(0, 2, 0),
         "map size 0 x 2 is outside the game's sizes (1 to 128 tiles a side)"},
    };
    for (const auto& [name, bytes, message] : refused) {
        write(name, bytes);
        for (const std::string command : {"info", "minimap"}) {
            std::vector<std::string> arguments = {command, path(name)};
            if (command == "minimap") {
                arguments.push_back(path("map.png"));
            }
            const ToolRun run = runCommand(arguments);
            EXPECT_EQ(run.code, 1) << command << ' ' << name;
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(run.err,
                      "tarnwick-tool " + command + ": \"" + path(name) + "\": " + message + "\n");
            EXPECT_FALSE(exists("map.png")) << command << ' ' << name;
        }
    }

    // The game's largest side is taken, and the minimap draws every tile of it.
    write("largest.pud", scenario(128, 2, 512));
    EXPECT_NE(runCommand({"info", path("largest.pud")}).out.find("\nsize: 128x2\n"),
              std::string::npos);
    ASSERT_EQ(runCommand({"minimap", path("largest.pud"), path("map.png")}).code, 0);
    EXPECT_EQ(QImage(QString::fromStdString(path("map.png"))).size(), QSize(128, 2));
}
