#include <gtest/gtest.h>

#include "ScenarioBuilder.h"
#include "ToolTestSupport.h"
#include "core/files/DocumentFiles.h"
#include "core/model/UseDefaultWord.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

namespace {

Bytes scenarioWithWords(std::uint16_t unitWord, std::uint16_t upgradeWord) {
    model::UnitDataTable units;
    units.set(model::unitfields::useDefault, 0, unitWord);
    Bytes upgrades = patternBytes(782, 4);
    upgrades[0] = static_cast<std::uint8_t>(upgradeWord & 0xFF);
    upgrades[1] = static_cast<std::uint8_t>(upgradeWord >> 8);
    return typicalScenarioWith(
        {{"UDTA", Bytes(units.bytes.begin(), units.bytes.end())}, {"UGRD", upgrades}});
}

class DefaultsTest : public ToolTest {
  protected:
    model::Document read(const std::string& name) const {
        return files::readDocument({}, contents(name), path(name));
    }
};

}  // namespace

TEST_F(DefaultsTest, ChangesTheGameIgnoresAreWarnedOfUnlessQuiet) {
    write("ignored.pud", scenarioWithWords(1, 0));
    write("used.pud", scenarioWithWords(0, 0));
    write("table.udt", patternBytes(5694, 3));

    const ToolRun ignored =
        runCommand({"set", path("ignored.pud"), path("out.pud"), "3", "hitPoints", "500"});
    EXPECT_EQ(ignored.code, 0);
    EXPECT_EQ(ignored.err,
              "tarnwick-tool set: warning: the game ignores the unit data of \"" + path("out.pud") +
                  "\" (its useDefault word is set); \"tarnwick-tool "
                  "defaults " +
                  path("out.pud") + ' ' + path("out.pud") + " --unit-data off\" clears it\n");
    EXPECT_EQ(read("out.pud").unitData.get(model::unitfields::hitPoints, 3), 500u);

    EXPECT_EQ(runCommand({"set", path("used.pud"), path("o2.pud"), "3", "hitPoints", "500"}).err,
              "");
    EXPECT_EQ(
        runCommand({"set", path("ignored.pud"), path("o3.pud"), "3", "hitPoints", "500", "--quiet"})
            .err,
        "");
    // A stand-alone table stores no word: the game's archive decides, not the file.
    EXPECT_EQ(runCommand({"set", path("table.udt"), path("o4.udt"), "3", "hitPoints", "9"}).err,
              "");

    // Importing unit data into a scenario whose word is set is the same trap; units shows it.
    const ToolRun imported =
        runCommand({"import", path("ignored.pud"), path("table.udt"), path("o5.pud")});
    EXPECT_EQ(imported.code, 0);
    EXPECT_NE(imported.err.find("warning: the game ignores the unit data"), std::string::npos);
    const ToolRun listed = runCommand({"units", path("ignored.pud")});
    EXPECT_EQ(listed.code, 0);
    EXPECT_NE(listed.err.find("tarnwick-tool units: warning"), std::string::npos);
    EXPECT_EQ(linesOf(listed.out).size(), 110u);
}

TEST_F(DefaultsTest, ShowsAndSetsExactlyTheWordsBytes) {
    write("in.pud", scenarioWithWords(1, 0));
    EXPECT_EQ(runCommand({"defaults", path("in.pud")}).out,
              "unit-data 1 (the game ignores this file's unit data and uses its own)\n"
              "upgrades 0 (the game uses this file's upgrades)\n");

    const ToolRun cleared =
        runCommand({"defaults", path("in.pud"), path("out.pud"), "--unit-data", "off"});
    ASSERT_EQ(cleared.code, 0) << cleared.err;
    const auto changed = differingPositions(contents("in.pud"), contents("out.pud"));
    // The word 1 becomes 0: only its low byte differs.
    EXPECT_EQ(changed, std::vector{bodyOffsetOf(contents("in.pud"), "UDTA")});
    EXPECT_FALSE(model::unitUseDefaultChecked(static_cast<std::uint16_t>(
        read("out.pud").unitData.get(model::unitfields::useDefault, 0))));

    // The upgrade word reads by its low byte, as the editor's check mark does.
    write("up.pud", scenarioWithWords(0, 0x0100));
    const auto words = linesOf(runCommand({"defaults", path("up.pud")}).out);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[1], "upgrades 256 (the game uses this file's upgrades)");
    ASSERT_EQ(runCommand({"defaults", path("up.pud"), path("kept.pud"), "--upgrades", "off"}).code,
              0);
    EXPECT_EQ(contents("kept.pud"), contents("up.pud"));
    ASSERT_EQ(runCommand({"defaults", path("up.pud"), path("on.pud"), "--upgrades", "on",
                          "--unit-data", "on"})
                  .code,
              0);
    const model::Document on = read("on.pud");
    EXPECT_EQ(on.upgrades.get(model::upgradefields::useDefault, 0), 0x0101u);  // high byte kept
    EXPECT_EQ(on.unitData.get(model::unitfields::useDefault, 0), 1u);
}

TEST_F(DefaultsTest, RefusesWhatHasNoWordAndWritesNothing) {
    write("table.udt", patternBytes(5694, 3));
    write("in.pud", scenarioWithWords(1, 0));
    EXPECT_EQ(runCommand({"defaults", path("table.udt")}).out,
              "unit-data none (only a scenario stores the word)\n"
              "upgrades none (only a scenario stores the word)\n");
    const ToolRun standAlone =
        runCommand({"defaults", path("table.udt"), path("out"), "--unit-data", "off"});
    EXPECT_EQ(standAlone.code, 1);
    EXPECT_NE(standAlone.err.find("Only a scenario stores"), std::string::npos);
    EXPECT_EQ(runCommand({"defaults", path("in.pud"), path("out"), "--unit-data", "maybe"}).code,
              2);
    EXPECT_EQ(runCommand({"defaults", path("in.pud"), path("out")}).code, 2);
    EXPECT_EQ(runCommand({"defaults", path("in.pud"), "--upgrades", "on"}).code, 2);
    EXPECT_FALSE(exists("out"));
}
