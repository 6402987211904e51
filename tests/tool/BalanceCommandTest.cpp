#include <gtest/gtest.h>

#include <set>

#include "DemoGameData.h"
#include "DemoScenario.h"
#include "ToolTestSupport.h"
#include "core/files/Scenario.h"
#include "core/game/MatchupTable.h"

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

}  // namespace

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
        ASSERT_EQ(fields.size(), 8u) << lines[row];
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
                      std::vector<std::string>(fields.begin() + 4, fields.end()))
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
