#include <QDir>

#include "DemoGameData.h"
#include "ScenarioBuilder.h"
#include "StringTableBuilder.h"
#include "ToolTestSupport.h"
#include "core/model/Document.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

namespace {

model::UnitDataTable unitsOf(const Bytes& scenario) {
    return scenarioFrom(scenario).unitData;
}

}  // namespace

TEST_F(ToolTest, FieldsListsWhatSetTakesWithWidthAndRange) {
    const ToolRun run = runCommand({"fields"});
    ASSERT_EQ(run.code, 0) << run.err;
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 34u);  // 32 per-unit fields, two of them in two parts
    EXPECT_EQ(lines[0], "gfxGroup width=2 range=0..65535 units=0..109");
    EXPECT_EQ(lines[3], "gfxWinter width=2 range=0..65535 units=0..126");
    EXPECT_EQ(lines[5], "sightRange width=4 range=-2147483648..2147483647 units=0..109");
    EXPECT_EQ(lines[15], "boxSize.height width=2 range=0..65535 units=0..109");
    EXPECT_EQ(lines[30], "rightClickAction width=1 range=0..255 units=0..57");
    EXPECT_EQ(lines[33], "flags width=4 range=0..4294967295 units=0..109");

    // Every field listed is one that set takes, at both ends of its range.
    write("in.pud", scenarioWithUnits({}));
    for (const std::string& line : lines) {
        std::istringstream words(line);
        std::string name;
        std::string width;
        std::string range;
        words >> name >> width >> range;
        const std::string bounds = range.substr(std::string("range=").size());
        const std::size_t dots = bounds.find("..");
        for (const std::string& value : {bounds.substr(0, dots), bounds.substr(dots + 2)}) {
            const ToolRun set =
                runCommand({"set", path("in.pud"), path("out.pud"), "0", name, value});
            EXPECT_EQ(set.code, 0) << line << ' ' << value << ": " << set.err;
        }
    }
}

TEST_F(ToolTest, SetRefusesValuesOutsideTheFieldsRangeUnlessWrapped) {
    write("in.pud", scenarioWithUnits({}));
    const std::vector<std::tuple<std::string, std::string, std::string>> refusals = {
        {"hitPoints", "99999",
         "99999 does not fit hitPoints (0 to 65535); --wrap stores it cut to 16 bits"},
        {"hitPoints", "-1", "(0 to 65535)"},
        {"armor", "256", "armor (0 to 255)"},
        {"sightRange", "2147483648", "(-2147483648 to 2147483647)"},
        {"flags", "4294967296", "(0 to 4294967295)"},
    };
    for (const auto& [field, value, message] : refusals) {
        const ToolRun run = runCommand({"set", path("in.pud"), path("out.pud"), "5", field, value});
        EXPECT_EQ(run.code, 2) << field << ' ' << value;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    }
    EXPECT_FALSE(exists("out.pud"));

    ASSERT_EQ(
        runCommand({"set", path("in.pud"), path("out.pud"), "5", "hitPoints", "99999", "--wrap"})
            .code,
        0);
    EXPECT_EQ(unitsOf(contents("out.pud")).get(model::unitfields::hitPoints, 5), 99999u & 0xFFFF);
    ASSERT_EQ(runCommand({"set", path("out.pud"), path("out.pud"), "5", "sightRange", "-7"}).code,
              0);
    ASSERT_EQ(
        runCommand({"set", path("out.pud"), path("out.pud"), "5", "flags", "4294967295"}).code, 0);
    const model::UnitDataTable units = unitsOf(contents("out.pud"));
    EXPECT_EQ(units.get(model::unitfields::sightRange, 5), static_cast<std::uint32_t>(-7));
    EXPECT_EQ(units.get(model::unitfields::flags, 5), 0xFFFFFFFFu);
}

TEST_F(ToolTest, UnitsAreNamedAsTheGameNamesThem) {
    demo::writeDemoGameDirectory(QString::fromStdString(path("game")));
    write("in.pud", scenarioWithUnits({}));
    const ToolRun run = runCommand({"units", path("in.pud"), "--game", path("game")});
    ASSERT_EQ(run.code, 0) << run.err;
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 110u);
    EXPECT_EQ(lines[0].rfind("0 name=Pikeman gfxGroup=0 ", 0), 0u) << lines[0];
    EXPECT_EQ(lines[9].rfind("9 name=Siege_Tower ", 0), 0u) << lines[9];
    EXPECT_EQ(lines[104].rfind("104 name=Orc_Keep ", 0), 0u) << lines[104];
    EXPECT_EQ(lines[105].rfind("105 name=-Corpse- ", 0), 0u) << lines[105];
    EXPECT_EQ(lines[106].rfind("106 name=-Destroyed_site_1- ", 0), 0u) << lines[106];
    // Without the game only the editor's own names are known.
    const ToolRun bare = runCommand({"units", path("in.pud")});
    const auto bareLines = linesOf(bare.out);
    ASSERT_EQ(bareLines.size(), 110u);
    EXPECT_EQ(bareLines[9].rfind("9 name= gfxGroup=", 0), 0u);
    EXPECT_EQ(bareLines[105].rfind("105 name=-Corpse- ", 0), 0u);

    for (const std::string unit : {"siege tower", "SIEGE_TOWER", "Siege_Tower", "9"}) {
        ASSERT_EQ(runCommand({"set", path("in.pud"), path("out.pud"), "--game=" + path("game"),
                              unit, "armor", "7"})
                      .code,
                  0)
            << unit;
        const model::UnitDataTable units = unitsOf(contents("out.pud"));
        EXPECT_EQ(units.get(model::unitfields::armor, 9), 7u) << unit;
        EXPECT_EQ(units.get(model::unitfields::armor, 8), 0u) << unit;
        QFile::remove(QString::fromStdString(path("out.pud")));
    }
    ASSERT_EQ(
        runCommand({"set", path("in.pud"), path("out.pud"), "--", "-corpse-", "gfxWinter", "3"})
            .code,
        0);
    EXPECT_EQ(unitsOf(contents("out.pud")).get(model::unitfields::gfxWinter, 105), 3u);
}

TEST_F(ToolTest, UnknownAndAmbiguousUnitNamesAreRefused) {
    std::vector<std::string> strings(105);
    strings[1] = "Footguard";
    strings[2] = "Oil Rig";
    strings[3] = "oil rig";
    strings[4] = "Oil Rig";
    QDir().mkpath(QString::fromStdString(path("game/DATA")));
    write("game/DATA/STRDAT.WAR",
          ArchiveBuilder().stored({0}).stored(stringTable(strings)).bytes());
    write("in.pud", scenarioWithUnits({}));
    const auto set = [&](const std::vector<std::string>& extra, const std::string& unit) {
        std::vector<std::string> arguments = {"set", path("in.pud"), path("out.pud"),
                                              unit,  "armor",        "1"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return runCommand(arguments);
    };
    const std::vector<std::string> game = {"--game", path("game")};
    const ToolRun ambiguous = set(game, "Oil_Rig");
    EXPECT_EQ(ambiguous.code, 2);
    EXPECT_NE(ambiguous.err.find("UNIT: The name \"Oil_Rig\" is ambiguous: units 1, 2, 3"),
              std::string::npos)
        << ambiguous.err;
    const ToolRun unknown = set(game, "Footman");
    EXPECT_EQ(unknown.code, 2);
    EXPECT_NE(unknown.err.find("UNIT: No unit is named \"Footman\"\n"), std::string::npos)
        << unknown.err;
    const ToolRun withoutGame = set({}, "Footguard");
    EXPECT_EQ(withoutGame.code, 2);
    EXPECT_NE(withoutGame.err.find("need --game DIR"), std::string::npos) << withoutGame.err;
    const ToolRun noGame = set({"--game", path("nowhere")}, "Footguard");
    EXPECT_EQ(noGame.code, 1);
    EXPECT_NE(noGame.err.find("No unit names in"), std::string::npos) << noGame.err;
    EXPECT_FALSE(exists("out.pud"));
    EXPECT_EQ(set(game, "footguard").code, 0);
    EXPECT_EQ(unitsOf(contents("out.pud")).get(model::unitfields::armor, 0), 1u);
}
