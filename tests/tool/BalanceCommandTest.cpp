#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>

#include <QImage>

#include "DemoGameData.h"
#include "DemoScenario.h"
#include "ToolTestSupport.h"
#include "core/files/Scenario.h"
#include "core/game/BalanceMapPicture.h"
#include "core/game/MatchupTable.h"
#include "tool/UnitNames.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

namespace {

class BalanceCommandTest : public ToolTest {
  protected:
    void SetUp() override {
        demo::writeDemoGameDirectory(QString::fromStdString(path("game")));
        write("demo.pud", files::writeScenario(demo::demoScenario()));
        write("scripts.bin", demo::demoAnimations());
    }
    std::string game() const { return path("game"); }
};

// The calculator's lines on the demo data, as the command should print them.
std::string calculatorText(game::ChosenUnit a, game::ChosenUnit b, game::TimeUnit unit) {
    const auto summary = game::summariseAnimations(demo::demoAnimations()).summary;
    std::string text;
    for (const std::string& line :
         game::compareUnits(demo::demoScenario().unitData, summary, a, b, unit)) {
        text += line + '\n';
    }
    return text;
}

// One line of the CSV: the times in seconds, empty for "cannot".
struct CsvDuel {
    std::size_t a = 0;
    std::size_t b = 0;
    game::DuelTimes pointBlank;
    game::DuelTimes maxDistance;
    double aCost = 0;
    double bCost = 0;
};

std::vector<CsvDuel> csvDuels(const Bytes& csv) {
    std::vector<CsvDuel> duels;
    const auto time = [](const std::string& field) -> std::optional<double> {
        return field == "cannot" ? std::nullopt : std::optional(std::stod(field));
    };
    for (const std::string& line : linesOf(std::string(csv.begin(), csv.end()))) {
        std::vector<std::string> fields;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, ',');) {
            fields.push_back(cell);
        }
        if (fields.size() != 10 || fields[0] == "a_id") {
            continue;
        }
        duels.push_back({std::stoul(fields[0]),
                         std::stoul(fields[2]),
                         {time(fields[4]), time(fields[5])},
                         {time(fields[6]), time(fields[7])},
                         std::stod(fields[8]),
                         std::stod(fields[9])});
    }
    return duels;
}

// Who the seconds say wins, when they say it clearly enough for a colour to show it.
enum class Hue { Blue, Red, Pale, Unclear };

Hue winnersHue(const game::DuelTimes& seconds) {
    if (!seconds.aKillsB || !seconds.bKillsA) {
        return seconds.aKillsB ? Hue::Blue : Hue::Red;
    }
    const double a = *seconds.aKillsB;
    const double b = *seconds.bKillsA;
    if (a == b) {
        return Hue::Pale;
    }
    // Within 5 % the colour is too close to the middle to tell by its channels.
    return b > a * 1.05 ? Hue::Blue : a > b * 1.05 ? Hue::Red : Hue::Unclear;
}

Hue hueOf(const game::Rgb& colour) {
    if (colour.red == colour.blue && colour.red > 230) {
        return Hue::Pale;
    }
    return colour.blue > colour.red   ? Hue::Blue
           : colour.red > colour.blue ? Hue::Red
                                      : Hue::Unclear;
}

// A picture the command wrote, with the layout the core gives the same texts.
struct DrawnMap {
    QImage image;
    game::BalanceMapLayout layout;

    game::Rgb pixel(int x, int y) const {
        const QColor colour = image.pixelColor(x, y);
        return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
                static_cast<std::uint8_t>(colour.blue())};
    }
    // Every unit of the demo fights, so row and column numbers are unit ids.
    game::Rgb centre(std::size_t a, std::size_t b) const {
        const graphics::PixelRect cell = layout.cell(a, b);
        return pixel(cell.x + cell.width / 2, cell.y + cell.height / 2);
    }
    game::Rgb topRight(std::size_t a, std::size_t b) const {
        const graphics::PixelRect cell = layout.cell(a, b);
        return pixel(cell.x + cell.width - 1, cell.y);
    }
    bool hasInk(const graphics::PixelRect& area) const {
        for (int y = area.y; y < area.y + area.height; ++y) {
            for (int x = area.x; x < area.x + area.width; ++x) {
                if (pixel(x, y) == game::kBalanceMapInk) {
                    return true;
                }
            }
        }
        return false;
    }
};

}  // namespace

class BalanceMapCommandTest : public BalanceCommandTest {
  protected:
    void SetUp() override {
        BalanceCommandTest::SetUp();
        ASSERT_EQ(
            runCommand({"balance", path("demo.pud"), "--matrix", path("m.csv"), "--game", game()})
                .code,
            0);
        duels = csvDuels(contents("m.csv"));
        ASSERT_GT(duels.size(), 1000u);
    }

    // The map drawn by the command with `options`, and where its parts lie.
    DrawnMap draw(const std::vector<std::string>& options, game::DuelStart start,
                  game::MapShows shows, std::optional<int> size = std::nullopt) {
        std::vector<std::string> arguments = {"balance",       path("demo.pud"), "--matrix",
                                              path("map.png"), "--game",         game()};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const ToolRun run = runCommand(arguments);
        EXPECT_EQ(run.code, 0) << run.err;

        const game::BalanceMatrix matrix(
            game::matchups(demo::demoScenario().unitData,
                           game::summariseAnimations(demo::demoAnimations()).summary));
        EXPECT_EQ(matrix.units().size(), game::kAnimatedUnitCount);
        const tool::UnitNames names(game());
        std::vector<std::string> shown;
        for (std::size_t unit = 0; unit < game::kAnimatedUnitCount; ++unit) {
            shown.push_back(names.shown(unit));
        }
        const game::BalanceMapTexts texts =
            game::balanceMapTexts(matrix, {matrix.units(), matrix.units(), start, shows}, shown);
        DrawnMap map{QImage(QString::fromStdString(path("map.png"))),
                     size ? *game::fittedBalanceMapLayout(texts, *size)
                          : game::balanceMapLayout(texts, game::kDefaultCellSize)};
        EXPECT_EQ(map.image.size(), QSize(map.layout.width, map.layout.height));
        return map;
    }

    std::vector<CsvDuel> duels;
};

TEST_F(BalanceMapCommandTest, CellsShowTheCsvsWinnerAndEveryUnitIsLabelled) {
    const DrawnMap map = draw({}, game::DuelStart::PointBlank, game::MapShows::Outcome);
    ASSERT_FALSE(map.image.isNull());
    const Bytes first = contents("map.png");
    ASSERT_EQ(runCommand({"balance", path("demo.pud"), "--matrix", path("map.png"), "--game",
                          game(), "--start", "point-blank", "--show", "outcome"})
                  .code,
              0);
    EXPECT_EQ(contents("map.png"), first);  // the defaults, and the same bytes every run

    std::set<std::size_t> listed;
    int oneSided = 0;
    for (const CsvDuel& duel : duels) {
        listed.insert(duel.a * game::kAnimatedUnitCount + duel.b);
        const Hue expected = winnersHue(duel.pointBlank);
        if (expected != Hue::Unclear) {
            EXPECT_EQ(hueOf(map.centre(duel.a, duel.b)), expected) << duel.a << " on " << duel.b;
        }
        // Only one side can hurt the other: the cell's corner carries the mark.
        const bool onlyOne = !duel.pointBlank.aKillsB || !duel.pointBlank.bKillsA;
        oneSided += onlyOne ? 1 : 0;
        EXPECT_EQ(map.topRight(duel.a, duel.b) == game::kOneSidedMarkColour, onlyOne)
            << duel.a << " on " << duel.b;
    }
    EXPECT_GT(oneSided, 0);
    // A pair the CSV leaves out cannot fight: grey, unmarked.
    std::size_t cannot = 0;
    for (std::size_t pair = 0; pair < game::kAnimatedUnitCount * game::kAnimatedUnitCount; ++pair) {
        if (!listed.contains(pair)) {
            ++cannot;
            const std::size_t a = pair / game::kAnimatedUnitCount;
            const std::size_t b = pair % game::kAnimatedUnitCount;
            EXPECT_EQ(map.centre(a, b), game::kCannotColour) << a << " on " << b;
            EXPECT_EQ(map.topRight(a, b), game::kCannotColour) << a << " on " << b;
        }
    }
    EXPECT_GT(cannot, 0u);

    // Every row and column carries its name beside it, and the title and legend are written.
    const graphics::PixelRect rows = map.layout.rowLabels;
    const graphics::PixelRect columns = map.layout.columnLabels;
    for (std::size_t unit = 0; unit < game::kAnimatedUnitCount; ++unit) {
        const graphics::PixelRect cell = map.layout.cell(unit, unit);
        EXPECT_TRUE(map.hasInk({rows.x, cell.y, rows.width, cell.height})) << unit;
        EXPECT_TRUE(map.hasInk({cell.x, columns.y, cell.width, columns.height})) << unit;
    }
    EXPECT_TRUE(map.hasInk(map.layout.title));
    EXPECT_TRUE(map.hasInk(map.layout.legend));
    EXPECT_FALSE(map.hasInk(map.layout.grid));
}

TEST_F(BalanceMapCommandTest, StartAndShowChangeWhatTheCellsTell) {
    // A pair whose winner changes when the longer range gets to shoot first.
    const auto flips = std::find_if(duels.begin(), duels.end(), [](const CsvDuel& duel) {
        const Hue near = winnersHue(duel.pointBlank);
        const Hue far = winnersHue(duel.maxDistance);
        return near != far && near != Hue::Unclear && far != Hue::Unclear && near != Hue::Pale &&
               far != Hue::Pale;
    });
    ASSERT_NE(flips, duels.end());
    const DrawnMap near = draw({}, game::DuelStart::PointBlank, game::MapShows::Outcome);
    EXPECT_EQ(hueOf(near.centre(flips->a, flips->b)), winnersHue(flips->pointBlank));
    const DrawnMap far =
        draw({"--start", "max-distance"}, game::DuelStart::MaxDistance, game::MapShows::Outcome);
    EXPECT_EQ(hueOf(far.centre(flips->a, flips->b)), winnersHue(flips->maxDistance));

    // The time alone: the longer A needs, the paler the cell; grey where A cannot, whatever B
    // can do, and no mark.
    const DrawnMap time = draw({"--show", "time", "--start", "max-distance"},
                               game::DuelStart::MaxDistance, game::MapShows::Time);
    std::vector<std::pair<double, int>> shades;
    std::size_t bOnly = 0;
    for (const CsvDuel& duel : duels) {
        const game::Rgb colour = time.centre(duel.a, duel.b);
        if (duel.maxDistance.aKillsB) {
            shades.emplace_back(*duel.maxDistance.aKillsB, colour.red + colour.green + colour.blue);
        } else {
            ++bOnly;
            EXPECT_EQ(colour, game::kCannotColour) << duel.a << " on " << duel.b;
            EXPECT_EQ(time.topRight(duel.a, duel.b), game::kCannotColour);
        }
    }
    EXPECT_GT(bOnly, 0u);

    // For the cost: each side's time weighed by its cost from the CSV decides; a unit that costs
    // nothing leaves the duel unweighed.
    const DrawnMap cost =
        draw({"--show", "cost"}, game::DuelStart::PointBlank, game::MapShows::Cost);
    std::size_t weighed = 0;
    std::size_t flipped = 0;
    for (const CsvDuel& duel : duels) {
        const game::Rgb colour = cost.centre(duel.a, duel.b);
        if (duel.aCost == 0 || duel.bCost == 0) {
            EXPECT_EQ(colour, game::kCostlessColour) << duel.a << " on " << duel.b;
            continue;
        }
        const auto weigh = [](const std::optional<double>& seconds, double by) {
            return seconds ? std::optional(*seconds * by) : std::nullopt;
        };
        const Hue expected = winnersHue({weigh(duel.pointBlank.aKillsB, duel.aCost),
                                         weigh(duel.pointBlank.bKillsA, duel.bCost)});
        if (expected != Hue::Unclear) {
            ++weighed;
            if (expected != winnersHue(duel.pointBlank)) {
                ++flipped;
            }
            EXPECT_EQ(hueOf(colour), expected) << duel.a << " on " << duel.b;
        }
    }
    EXPECT_GT(weighed, 1000u);
    EXPECT_GT(flipped, 0u);  // the cost changes some winners
    std::sort(shades.begin(), shades.end());
    ASSERT_GT(shades.size(), 100u);
    EXPECT_LT(shades.front().second, shades.back().second);
    for (std::size_t index = 1; index < shades.size(); ++index) {
        EXPECT_LE(shades[index - 1].second, shades[index].second)
            << shades[index - 1].first << " s against " << shades[index].first << " s";
    }
}

TEST_F(BalanceMapCommandTest, SizeBoundsThePictureAndWhatCannotBeDrawnIsRefused) {
    const DrawnMap small =
        draw({"--size", "600"}, game::DuelStart::PointBlank, game::MapShows::Outcome, 600);
    EXPECT_LE(std::max(small.image.width(), small.image.height()), 600);
    EXPECT_GT(std::max(small.image.width(), small.image.height()), 500);
    EXPECT_LT(small.layout.cellSize, game::kDefaultCellSize);
    for (std::size_t index = 0; index < duels.size(); index += 7) {
        const Hue expected = winnersHue(duels[index].pointBlank);
        if (expected != Hue::Unclear) {
            EXPECT_EQ(hueOf(small.centre(duels[index].a, duels[index].b)), expected);
        }
    }

    const auto refusal = [&](const std::vector<std::string>& options) {
        std::vector<std::string> arguments = {"balance", path("demo.pud"), "--game", game()};
        arguments.insert(arguments.end(), options.begin(), options.end());
        return runCommand(arguments);
    };
    const ToolRun tooSmall = refusal({"--matrix", path("tiny.png"), "--size", "100"});
    EXPECT_EQ(tooSmall.code, 1);
    EXPECT_NE(tooSmall.err.find("--size 100 is too small: the balance map of 105 units needs at "
                                "least "),
              std::string::npos)
        << tooSmall.err;
    EXPECT_FALSE(exists("tiny.png"));
    // The picture's options are refused without a picture to draw.
    const ToolRun csvShow = refusal({"--matrix", path("n.csv"), "--show", "time"});
    EXPECT_EQ(csvShow.code, 2);
    EXPECT_NE(csvShow.err.find("--show is for the balance map: --matrix OUT.png"),
              std::string::npos)
        << csvShow.err;
    EXPECT_FALSE(exists("n.csv"));
    EXPECT_EQ(refusal({"0", "2", "--start", "max-distance"}).code, 2);
    EXPECT_EQ(refusal({"--matrix", "-", "--size", "600"}).code, 2);

    // Scripts of which no walk ends: nothing to draw, and nothing written.
    write("none.bin", Bytes{0xff, 0xff});
    const ToolRun unwalked = runCommand(
        {"balance", path("demo.pud"), "--matrix", path("none.png"), "--scripts", path("none.bin")});
    EXPECT_EQ(unwalked.code, 1);
    EXPECT_NE(unwalked.err.find("No animation script could be walked: the balance map shows "
                                "nothing"),
              std::string::npos)
        << unwalked.err;
    EXPECT_FALSE(exists("none.png"));
    // Scripts cut short are reported, and what they still give is drawn.
    Bytes cut = demo::demoAnimations();
    cut.resize(cut.size() / 2);
    write("cut.bin", cut);
    const ToolRun damaged = runCommand(
        {"balance", path("demo.pud"), "--matrix", path("cut.png"), "--scripts", path("cut.bin")});
    EXPECT_EQ(damaged.code, 0) << damaged.err;
    EXPECT_NE(damaged.err.find("animation scripts could not be walked"), std::string::npos);
    EXPECT_FALSE(QImage(QString::fromStdString(path("cut.png"))).isNull());
}

TEST_F(BalanceCommandTest, PairLinesAreTheCalculatorsForNamesIdsAndEitherScriptSource) {
    const ToolRun byName =
        runCommand({"balance", path("demo.pud"), "pikeman", "crossbow", "--game", game()});
    ASSERT_EQ(byName.code, 0) << byName.err;
    const std::string expected =
        calculatorText({0, "Pikeman"}, {2, "Crossbow"}, game::TimeUnit::Seconds);
    EXPECT_EQ(byName.out, expected);
    EXPECT_EQ(runCommand({"balance", path("demo.pud"), "0", "2", "--game", game()}).out, expected);

    // Without the game's names the ids stand in; the extracted entry gives the same times.
    const ToolRun ticks = runCommand(
        {"balance", path("demo.pud"), "0", "2", "--scripts", path("scripts.bin"), "--ticks"});
    ASSERT_EQ(ticks.code, 0) << ticks.err;
    EXPECT_EQ(ticks.out, calculatorText({0, "0"}, {2, "2"}, game::TimeUnit::Ticks));
}

TEST_F(BalanceCommandTest, MatrixIsTheWholeMatchupTableWithTheGamesNames) {
    ASSERT_EQ(
        runCommand({"balance", path("demo.pud"), "--matrix", path("m.csv"), "--game", game()}).code,
        0);
    const Bytes csv = contents("m.csv");
    const std::vector<std::string> lines = linesOf(std::string(csv.begin(), csv.end()));
    ASSERT_GT(lines.size(), 100u);
    EXPECT_EQ(lines[0], game::kMatchupCsvHeader);
    EXPECT_EQ(lines[1].rfind("0,Pikeman,0,Pikeman,", 0), 0u);
    const auto pairTimes = [&](const std::string& a, const std::string& b) {
        const ToolRun pair = runCommand({"balance", path("demo.pud"), a, b, "--game", game()});
        std::vector<std::string> times;
        for (const std::string& line : linesOf(pair.out)) {
            if (line.find("cannot") != std::string::npos) {
                times.push_back("cannot");
            } else if (line.starts_with("   Time for")) {
                times.push_back(line.substr(line.rfind(": ") + 2));
            }
        }
        return times;
    };
    // Every row is a pair that can fight, once, in order of A then B.
    std::set<std::size_t> listed;
    std::size_t previous = 0;
    bool towerAttacks = false;  // towers fight, though only buildings
    for (std::size_t row = 1; row < lines.size(); ++row) {
        std::vector<std::string> fields;
        std::istringstream cells(lines[row]);
        for (std::string cell; std::getline(cells, cell, ',');) {
            fields.push_back(cell);
        }
        ASSERT_EQ(fields.size(), 10u) << lines[row];
        const std::size_t pair =
            std::stoul(fields[0]) * game::kAnimatedUnitCount + std::stoul(fields[2]);
        EXPECT_TRUE(row == 1 || pair > previous) << lines[row];
        EXPECT_FALSE(fields[4] == "cannot" && fields[5] == "cannot") << lines[row];
        towerAttacks =
            towerAttacks || (demo::isDemoTower(std::stoul(fields[0])) && fields[4] != "cannot");
        previous = pair;
        listed.insert(pair);
        // Sampled rows agree with the pair's lines: point blank A then B, greatest distance A
        // then B.
        if (row % 397 == 1) {
            EXPECT_EQ(pairTimes(fields[0], fields[2]),
                      std::vector<std::string>(fields.begin() + 4, fields.begin() + 8))
                << lines[row];
        }
    }
    EXPECT_TRUE(towerAttacks);
    // And a pair left out is one in which neither can hurt the other.
    std::size_t absent = 0;
    for (std::size_t pair = 0; pair < game::kAnimatedUnitCount * game::kAnimatedUnitCount; ++pair) {
        if (listed.contains(pair) || absent++ % 97 != 0) {
            continue;
        }
        const auto times = pairTimes(std::to_string(pair / game::kAnimatedUnitCount),
                                     std::to_string(pair % game::kAnimatedUnitCount));
        ASSERT_GE(times.size(), 2u) << pair;
        EXPECT_EQ(times[0], "cannot") << pair;
        EXPECT_EQ(times[1], "cannot") << pair;
    }
    EXPECT_GT(absent, 0u);
}

TEST_F(BalanceCommandTest, RefusalsAndDamagedScripts) {
    const auto codeOf = [&](const std::vector<std::string>& arguments) {
        return runCommand(arguments).code;
    };
    EXPECT_EQ(codeOf({"balance", path("demo.pud"), "0", "2"}), 2);  // no scripts
    EXPECT_EQ(codeOf({"balance", path("demo.pud"), "0", "--game", game()}), 2);
    EXPECT_EQ(
        codeOf({"balance", path("demo.pud"), "0", "2", "--matrix", path("m"), "--game", game()}),
        2);
    const ToolRun tooHigh = runCommand({"balance", path("demo.pud"), "0", "105", "--game", game()});
    EXPECT_EQ(tooHigh.code, 2);
    EXPECT_NE(tooHigh.err.find("B: Unit 105 cannot be compared (0 to 104)"), std::string::npos);
    EXPECT_FALSE(exists("m"));

    // Scripts cut short: every walk past the end fails, is reported, and the rest still counts.
    Bytes cut = demo::demoAnimations();
    cut.resize(cut.size() / 2);
    write("cut.bin", cut);
    const ToolRun damaged =
        runCommand({"balance", path("demo.pud"), "0", "2", "--scripts", path("cut.bin")});
    EXPECT_EQ(damaged.code, 0);
    EXPECT_NE(damaged.err.find("animation scripts could not be walked"), std::string::npos);
    EXPECT_NE(damaged.err.find("Address outside the entry!"), std::string::npos);
}
