#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <map>

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

// A typical scenario of `width` x `height` tiles with the tile map `tiles`.
Bytes scenarioOfSize(std::uint16_t width, std::uint16_t height, const Bytes& tiles) {
    const Bytes size{static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(width >> 8),
                     static_cast<std::uint8_t>(height), static_cast<std::uint8_t>(height >> 8)};
    return typicalScenarioWith({{"DIM ", size}, {"MTXM", tiles}});
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
    EXPECT_TRUE(has("size: 3 x 2"));
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
        {"info", path("table.udt")},
    };
    for (const auto& arguments : refused) {
        EXPECT_EQ(runCommand(arguments).code, 1) << arguments[2];
    }
    EXPECT_EQ(runCommand({"minimap", path("small.pud"), path("out.png"), "--scale", "33"}).code, 2);
    EXPECT_FALSE(exists("out.png") || exists("out.bmp"));
}

// A thumbnail service makes the output file, holds it open and reads the picture through that
// handle: with --thumbnailer the picture must arrive there; a user's own file is still replaced
// whole, so that a reader holding the old one never sees a half-written picture.
TEST_F(ToolTest, MinimapForAThumbnailServiceWritesIntoTheFileItHolds) {
    write("small.pud", smallScenario());
    const auto readThroughHeldHandle = [&](const std::string& name, bool thumbnailer) {
        write(name, {});
        const int held = ::open(path(name).c_str(), O_RDONLY | O_CLOEXEC);
        std::vector<std::string> arguments = {"minimap", path("small.pud"), path(name), "--scale",
                                              "4"};
        if (thumbnailer) {
            arguments.push_back("--thumbnailer");
        }
        EXPECT_EQ(runCommand(arguments).code, 0) << name;
        QByteArray bytes;
        char block[4096];
        for (ssize_t count; (count = ::read(held, block, sizeof block)) > 0;) {
            bytes.append(block, count);
        }
        ::close(held);
        return bytes;
    };
    EXPECT_EQ(QImage::fromData(readThroughHeldHandle("tumbler-1.png", true), "PNG").size(),
              QSize(12, 8));
    EXPECT_TRUE(readThroughHeldHandle("own.png", false).isEmpty());
    EXPECT_EQ(QImage(QString::fromStdString(path("own.png"))).size(), QSize(12, 8));
}

TEST_F(ToolTest, MinimapAtASizeKeepsTheShapeAndGivesEveryPixelATilesOwnColour) {
    // 3 x 2 tiles, each of its own colour: a, b, c over d, e, f.
    const std::map<QRgb, char> tileLetters = {{qRgb(0, 48, 112), 'a'}, {qRgb(111, 63, 0), 'b'},
                                              {qRgb(32, 80, 15), 'c'}, {qRgb(63, 63, 63), 'd'},
                                              {qRgb(0, 0, 0), 'e'},    {qRgb(0, 47, 96), 'f'}};
    write("six.pud", typicalScenarioWith({{"DIM ", Bytes{3, 0, 2, 0}},
                                          {"MTXM", Bytes{0x10, 0, 0x30, 0, 0x50, 0,  //
                                                         0x80, 0, 0x00, 0, 0x00, 1}}}));
    const auto drawnRows = [&](const std::string& side) {
        const std::vector<std::string> arguments = {"minimap", path("six.pud"), path("map.png"),
                                                    "--size", side};
        EXPECT_EQ(runCommand(arguments).code, 0) << side;
        const QImage picture(QString::fromStdString(path("map.png")));
        std::vector<std::string> rows(static_cast<std::size_t>(picture.height()));
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const auto letter = tileLetters.find(picture.pixel(x, y));
                rows[static_cast<std::size_t>(y)] +=
                    letter == tileLetters.end() ? '?' : letter->second;
            }
        }
        return rows;
    };
    // Larger, not by a whole factor: 7 x 4.67, rounded to 5, with no blended pixel.
    EXPECT_EQ(drawnRows("7"),
              (std::vector<std::string>{"aabbbcc", "aabbbcc", "ddeeeff", "ddeeeff", "ddeeeff"}));
    // Smaller: each pixel the tile under its centre, never a mixture of the tiles it covers.
    EXPECT_EQ(drawnRows("2"), (std::vector<std::string>{"df"}));
    EXPECT_EQ(drawnRows("1"), (std::vector<std::string>{"e"}));

    // A map twice as tall as wide keeps its shape the other way round.
    write("tall.pud", typicalScenarioWith(
                          {{"DIM ", Bytes{64, 0, 128, 0}}, {"MTXM", Bytes(2 * 64 * 128, 0x50)}}));
    ASSERT_EQ(runCommand({"minimap", path("tall.pud"), path("tall.png"), "--size", "256"}).code, 0);
    EXPECT_EQ(QImage(QString::fromStdString(path("tall.png"))).size(), QSize(128, 256));

    for (const std::vector<std::string>& options : {std::vector<std::string>{"--size", "0"},
                                                    {"--size", "4097"},
                                                    {"--size", "64", "--scale", "2"}}) {
        std::vector<std::string> arguments = {"minimap", path("six.pud"), path("out.png")};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const ToolRun run = runCommand(arguments);
        EXPECT_EQ(run.code, 2) << options[1];
        EXPECT_NE(run.err.find("--size"), std::string::npos) << run.err;
    }
    EXPECT_FALSE(exists("out.png"));
}

TEST_F(ToolTest, AMapSizeTheTilesCannotBackIsRefusedNamingBoth) {
    const std::vector<std::tuple<std::string, Bytes, std::string>> refused = {
        {"huge.pud", scenarioOfSize(65535, 65535, Bytes(8192, 0x50)),
         "map size 65535 x 65535 needs 8589672450 bytes of tiles, the file holds 8192"},
        {"short.pud", scenarioOfSize(3, 2, Bytes(11, 0x50)),
         "map size 3 x 2 needs 12 bytes of tiles, the file holds 11"},
        {"empty.pud", scenarioOfSize(0, 2, {}), "map size 0 x 2 has no tiles"},
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

    // The game's largest side is no more than that.
    write("largest.pud", scenarioOfSize(128, 2, Bytes(512, 0x50)));
    EXPECT_NE(runCommand({"info", path("largest.pud")}).out.find("\nsize: 128 x 2\n"),
              std::string::npos);
}

TEST_F(ToolTest, AMapLargerThanTheGamesIsDescribedAndDrawnWhole) {
    // 256 x 256 tiles in four quadrants of their own colours.
    const std::map<QRgb, char> quadrantLetters = {{qRgb(32, 80, 15), 'a'},
                                                  {qRgb(0, 48, 112), 'b'},
                                                  {qRgb(111, 63, 0), 'c'},
                                                  {qRgb(63, 63, 63), 'd'}};
    Bytes tiles;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const std::uint8_t tile = y < 128 ? (x < 128 ? 0x50 : 0x10) : (x < 128 ? 0x30 : 0x80);
            tiles.insert(tiles.end(), {tile, 0x00});
        }
    }
    write("large.pud", scenarioOfSize(256, 256, tiles));

    const ToolRun info = runCommand({"info", path("large.pud")});
    ASSERT_EQ(info.code, 0) << info.err;
    const auto lines = linesOf(info.out);
    EXPECT_NE(
        std::find(lines.begin(), lines.end(), "size: 256 x 256 (larger than the game's 128 x 128)"),
        lines.end());

    const auto quadrants = [&](const std::vector<std::string>& options, QSize size) {
        std::vector<std::string> arguments = {"minimap", path("large.pud"), path("map.png")};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const ToolRun run = runCommand(arguments);
        EXPECT_EQ(run.code, 0) << run.err;
        const QImage picture(QString::fromStdString(path("map.png")));
        EXPECT_EQ(picture.size(), size);
        std::string seen;
        for (const QPoint at :
             {QPoint(0, 0), QPoint(size.width() - 1, 0), QPoint(0, size.height() - 1),
              QPoint(size.width() - 1, size.height() - 1)}) {
            const auto letter = quadrantLetters.find(picture.pixel(at));
            seen += letter == quadrantLetters.end() ? '?' : letter->second;
        }
        return seen;
    };
    EXPECT_EQ(quadrants({}, QSize(256, 256)), "abcd");
    EXPECT_EQ(quadrants({"--size", "64"}, QSize(64, 64)), "abcd");

    // A larger scale than a picture can take is refused before anything is drawn.
    write("wide.pud", scenarioOfSize(2100, 1, Bytes(4200, 0x50)));
    const std::vector<std::pair<std::string, std::string>> tooLarge = {
        {"large.pud", "--scale 32 would draw 8192 x 8192 pixels"},
        {"wide.pud", "--scale 32 would draw 67200 x 32 pixels"}};
    for (const auto& [name, said] : tooLarge) {
        const ToolRun run = runCommand({"minimap", path(name), path("out.png"), "--scale", "32"});
        EXPECT_EQ(run.code, 1) << name;
        EXPECT_NE(run.err.find(said + "; at most 65535 a side and 16777216 in all are drawn"),
                  std::string::npos)
            << run.err;
    }
    EXPECT_FALSE(exists("out.png"));
}

TEST_F(ToolTest, TheOnlineEditionsSignIsShownAndResavedInPlace) {
    // As the online edition writes it: at the end; the unit table twice, as some files have it.
    auto sections = typicalScenarioSections();
    sections.insert(sections.begin() + 7, {"UDTA", patternBytes(5696, 77)});
    sections.push_back({"SIGN", Bytes{0x01, 0x02, 0x03, 0x04}});
    write("signed.pud", chainOf(sections));

    const ToolRun listed = runCommand({"sections", path("signed.pud")});
    ASSERT_EQ(listed.code, 0) << listed.err;
    EXPECT_TRUE(listed.out.ends_with("UNIT 8\nSIGN 4\n")) << listed.out;

    const ToolRun info = runCommand({"info", path("signed.pud")});
    ASSERT_EQ(info.code, 0) << info.err;
    const auto lines = linesOf(info.out);
    for (const std::string line :
         {"sign: 4 bytes from the game's online edition, written back unchanged",
          "note: the file holds UDTA twice; the last is used and only it is written back"}) {
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
    }

    ASSERT_EQ(runCommand({"resave", path("signed.pud"), path("again.pud")}).code, 0);
    sections.erase(sections.begin() + 6);  // the first unit table
    EXPECT_EQ(contents("again.pud"), chainOf(sections));
    // Other unknown sections are still refused.
    write("odd.pud", typicalScenarioWith({{"SIGX", Bytes(4)}}));
    EXPECT_EQ(runCommand({"resave", path("odd.pud"), path("odd2.pud")}).err,
              "tarnwick-tool resave: \"" + path("odd.pud") + "\": Unknown Section :SIGX\n");
}
