#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include <QJsonDocument>

#include "DemoGameData.h"
#include "DemoScenario.h"
#include "ScenarioBuilder.h"
#include "ToolTestSupport.h"
#include "core/files/DocumentFiles.h"
#include "core/files/Scenario.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

namespace {

// A unit table with its swamp graphics whose useDefault word is `word`.
Bytes scenarioUnits(std::uint8_t seed, std::uint8_t word = 0) {
    Bytes units = patternBytes(5950, seed);
    units[0] = word;
    units[1] = 0;
    return units;
}

// Every byte of the tables differs between seeds; the useDefault words, which the exchange
// leaves to `defaults`, are zero in all.
Bytes patternScenario(std::uint8_t seed) {
    Bytes upgrades = patternBytes(782, static_cast<std::uint8_t>(seed + 1));
    upgrades[0] = upgrades[1] = 0;
    return typicalScenarioWith({{"UDTA", scenarioUnits(seed)},
                                {"UGRD", upgrades},
                                {"ALOW", patternBytes(384, static_cast<std::uint8_t>(seed + 2))}});
}

class ExchangeTest : public ToolTest {
  protected:
    void writeText(const std::string& name, const std::string& text) const {
        write(name, Bytes(text.begin(), text.end()));
    }
    ToolRun exportTo(const std::string& table, const std::string& file, const std::string& format) {
        const ToolRun run = runCommand({table, path(file), "--format", format});
        writeText(table + "." + format, run.out);
        return run;
    }
    // Applying every table `from` holds, exported in `format`, onto `onto`.
    void copyTables(const std::string& from, const std::string& onto, const std::string& format,
                    const std::vector<std::string>& tables) {
        for (const std::string& table : tables) {
            const ToolRun exported = exportTo(table, from, format);
            ASSERT_EQ(exported.code, 0) << exported.err;
            if (format == "json") {
                QJsonParseError error;
                QJsonDocument::fromJson(QByteArray::fromStdString(exported.out), &error);
                EXPECT_EQ(error.error, QJsonParseError::NoError) << table;
            }
            const ToolRun applied =
                runCommand({"apply", path(onto), path(table + "." + format), path(onto)});
            ASSERT_EQ(applied.code, 0) << table << ' ' << format << ": " << applied.err;
        }
    }
};

}  // namespace

TEST_F(ExchangeTest, ExportedTablesAppliedOntoAnotherFileGiveItEveryByte) {
    struct Kind {
        std::string name;
        Bytes source;
        Bytes target;
        std::vector<std::string> tables;
    };
    const std::vector<Kind> kinds = {
        {"scenario", patternScenario(1), patternScenario(7), {"units", "upgrades", "restrictions"}},
        {"unit data", patternBytes(5694, 1), patternBytes(5694, 7), {"units"}},
        {"unit data with swamp", patternBytes(5948, 1), patternBytes(5948, 7), {"units"}},
        {"upgrade data", patternBytes(780, 1), patternBytes(780, 7), {"upgrades"}},
    };
    for (const Kind& kind : kinds) {
        for (const std::string format : {"json", "csv"}) {
            SCOPED_TRACE(kind.name + " as " + format);
            write("source", kind.source);
            write("target", kind.target);
            ASSERT_EQ(runCommand({"resave", path("source"), path("expected")}).code, 0);
            copyTables("source", "target", format, kind.tables);
            EXPECT_EQ(contents("target"), contents("expected"));
            // And onto a copy of itself nothing changes.
            copyTables("source", "source", format, kind.tables);
            EXPECT_EQ(contents("source"), contents("expected"));
        }
    }
}

TEST_F(ExchangeTest, TablesShowCostsInGoldAndNamesFromTheGame) {
    model::Document demo = demo::demoScenario();
    demo.unitData.set(model::unitfields::goldCost, 2, 25);
    write("demo.pud", files::writeScenario(demo));
    demo::writeDemoGameDirectory(QString::fromStdString(path("game")));

    const ToolRun csv = runCommand({"units", path("demo.pud"), "--format", "csv"});
    ASSERT_EQ(csv.code, 0) << csv.err;
    const auto lines = linesOf(csv.out);
    ASSERT_EQ(lines.size(), 128u);  // a header and rows 0 to 126
    EXPECT_EQ(lines[0].rfind("unit,name,gfxGroup,gfxGeneral,", 0), 0u);
    EXPECT_NE(lines[0].find(",tileSize.width,tileSize.height,"), std::string::npos);
    EXPECT_NE(lines[3].find(",250,"), std::string::npos) << lines[3];
    EXPECT_EQ(lines[111].rfind("110,Group 1,,", 0), 0u) << lines[111];

    const ToolRun json =
        runCommand({"units", path("demo.pud"), "--format", "json", "--game", path("game")});
    EXPECT_NE(json.out.find("{\"unit\": 0, \"name\": \"Pikeman\", \"gfxGroup\": 0,"),
              std::string::npos)
        << json.out.substr(0, 200);
    EXPECT_NE(json.out.find("\"goldCost\": 250,"), std::string::npos);

    EXPECT_EQ(runCommand({"units", path("demo.pud"), "--format", "xml"}).code, 2);
}

TEST_F(ExchangeTest, ApplyRefusesABadChangesFileAndWritesNothing) {
    write("in.pud", patternScenario(1));
    write("out.pud", {1, 2, 3});
    const std::vector<std::pair<std::string, std::string>> refusals = {
        {"unit,hitPoints\n3,70000\n",
         "bad\": line 2, hitPoints: 70000 does not fit hitPoints (0 to 65535)"},
        {"unit,hitPoints\n110,5\n",
         "bad\": line 2, hitPoints: unit 110 has no hitPoints (units 0 to 109)"},
        {"{\"units\": [{\"unit\": 3, \"hitPoints\": 70000}]}",
         "bad\": units[0].hitPoints: 70000 does not fit hitPoints (0 to 65535)"},
        {"{\"units\": [{\"unit\": 1, \"armor\": 1}, {\"unit\": 2, \"sight\": 1}]}",
         "bad\": units[1].sight: units have no field \"sight\""},
        {"{\"units\": [{\"unit\": 127, \"gfxWinter\": 1}]}", "there is no unit 127 (0 to 126)"},
        {"{\"upgrades\": [{\"upgrade\": 1, \"gold\": 5}, {\"upgrade\": 1, \"gold\": 6}]}",
         "bad\": upgrades[1].gold: the value is given before, at upgrades[0].gold"},
    };
    for (const auto& [changes, message] : refusals) {
        writeText("bad", changes);
        const ToolRun run = runCommand({"apply", path("in.pud"), path("bad"), path("out.pud")});
        EXPECT_EQ(run.code, 1) << changes;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_EQ(contents("out.pud"), (Bytes{1, 2, 3}));
    }
    // A zero byte is shown, not the end of the message.
    writeText("bad", std::string("unit,armor\n3\0x,1\n", 16));
    EXPECT_NE(runCommand({"apply", path("in.pud"), path("bad"), path("out.pud")})
                  .err.find("line 2, armor: No unit is named \"3\\x00x\" (the names"),
              std::string::npos);
    // A file named .json is JSON, whatever it holds.
    writeText("bad.json", "unit,armor\n3,1\n");
    const ToolRun csvAsJson =
        runCommand({"apply", path("in.pud"), path("bad.json"), path("out.pud")});
    EXPECT_EQ(csvAsJson.err, "tarnwick-tool apply: \"" + path("bad.json") +
                                 "\": line 1: the top level must be an object\n");
    EXPECT_EQ(contents("out.pud"), (Bytes{1, 2, 3}));
    // Every problem at once, each with its place.
    writeText("bad", "unit,armor\n1,-1\n2,999\n");
    const ToolRun both = runCommand({"apply", path("in.pud"), path("bad"), path("out.pud")});
    EXPECT_EQ(linesOf(both.err).size(), 2u) << both.err;
    EXPECT_NE(both.err.find("\n\"" + path("bad") + "\": line 3, armor: 999 does not fit"),
              std::string::npos);
    // A row naming no unit is said once, not once per value in it.
    writeText("bad", "unit,armor,hitPoints\nknight,1,2\n4,3,4\n");
    EXPECT_EQ(linesOf(runCommand({"apply", path("in.pud"), path("bad"), path("out.pud")}).err),
              std::vector<std::string>{"tarnwick-tool apply: \"" + path("bad") +
                                       "\": line 2, armor: No unit is named \"knight\" (the names "
                                       "of units 0 to 104 need --game DIR)"});
}

TEST_F(ExchangeTest, ApplyStoresCostsInTensRoundedDownAndOnlyWhatItIsGiven) {
    write("in.pud", patternScenario(1));
    const std::string changes =
        "unit,name,goldCost,lumberCost,sightRange\n"
        "2,\"Any, name\",255,,-3.00\n"  // as a spreadsheet writes a whole number
        "-Corpse-,,2550,0,\n";
    writeText("changes.csv", changes);
    ASSERT_EQ(runCommand({"apply", path("in.pud"), path("changes.csv"), path("out.pud")}).code, 0);
    const model::Document in = files::readDocument({}, contents("in.pud"), "in");
    model::Document expected = in;
    using namespace model::unitfields;
    expected.unitData.set(goldCost, 2, 25);
    expected.unitData.set(sightRange, 2, static_cast<std::uint32_t>(-3));
    expected.unitData.set(goldCost, 105, 255);
    expected.unitData.set(lumberCost, 105, 0);
    EXPECT_EQ(contents("out.pud"), files::writeDocument(expected));

    writeText("dear.csv", "unit,goldCost\n2,2560\n");
    const ToolRun refused = runCommand({"apply", path("in.pud"), path("dear.csv"), path("o")});
    EXPECT_NE(refused.err.find("2560 does not fit goldCost (0 to 2550)"), std::string::npos);
}

TEST_F(ExchangeTest, ApplyInPlaceChecksEveryFileBeforeWritingAny) {
    writeText("sight.json", "{\"units\": [{\"unit\": 0, \"sightRange\": 9}]}");
    write("a.pud", patternScenario(1));
    write("b.udt", patternBytes(5694, 2));
    write("c.ugd", patternBytes(780, 3));
    write("d.pud", patternScenario(4));
    const ToolRun stopped = runCommand({"apply", "--in-place", path("sight.json"), path("a.pud"),
                                        path("b.udt"), path("c.ugd"), path("d.pud")});
    EXPECT_EQ(stopped.code, 1);
    EXPECT_NE(stopped.err.find("c.ugd\" holds no unit data, which units[0].sightRange changes\n"
                               "No file was changed."),
              std::string::npos)
        << stopped.err;
    EXPECT_EQ(contents("a.pud"), patternScenario(1));
    EXPECT_EQ(contents("b.udt"), patternBytes(5694, 2));

    const ToolRun applied = runCommand(
        {"apply", "--in-place", path("sight.json"), path("a.pud"), path("b.udt"), path("d.pud")});
    ASSERT_EQ(applied.code, 0) << applied.err;
    for (const char* file : {"a.pud", "b.udt", "d.pud"}) {
        const model::Document document = files::readDocument({}, contents(file), file);
        EXPECT_EQ(document.unitData.get(model::unitfields::sightRange, 0), 9u) << file;
    }
    // The game ignores the unit data of a scenario whose word says so: apply says that too.
    write("ignored.pud", typicalScenarioWith({{"UDTA", scenarioUnits(5, 1)}}));
    const ToolRun warned =
        runCommand({"apply", "--in-place", path("sight.json"), path("a.pud"), path("ignored.pud")});
    EXPECT_EQ(warned.code, 0);
    EXPECT_EQ(linesOf(warned.err).size(), 1u) << warned.err;
    EXPECT_NE(
        warned.err.find("warning: the game ignores the unit data of \"" + path("ignored.pud")),
        std::string::npos)
        << warned.err;
    const ToolRun noFiles = runCommand({"apply", "--in-place", path("sight.json")});
    EXPECT_EQ(noFiles.code, 2);
    EXPECT_NE(noFiles.err.find("Missing argument FILE\nUsage: tarnwick-tool apply (IN CHANGES OUT "
                               "| --in-place CHANGES FILE...)\n"
                               "                           [--game DIR] [--quiet]\n"),
              std::string::npos)
        << noFiles.err;
    EXPECT_EQ(runCommand({"apply", path("a.pud"), path("sight.json")}).code, 2);
}

// Hands `versions` out one after another, each to the next reader that opens the named pipe at
// `path`, and gives up on a reader that does not come within a few seconds. A reader waits in
// its open until a version is offered, so the pause before the next one only makes sure that
// the reader before has closed the pipe and cannot read on into the next version.
void serveVersions(const std::string& path, const std::vector<Bytes>& versions) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    for (const Bytes& version : versions) {
        if (&version != &versions.front()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        int pipe = -1;
        while ((pipe = ::open(path.c_str(), O_WRONLY | O_NONBLOCK)) < 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ::fcntl(pipe, F_SETFL, 0);  // blocking writes: the reader takes the rest as it reads
        for (std::size_t at = 0; at < version.size();) {
            const ssize_t written = ::write(pipe, version.data() + at, version.size() - at);
            if (written <= 0) {
                break;
            }
            at += static_cast<std::size_t>(written);
        }
        ::close(pipe);
    }
}

TEST_F(ExchangeTest, ApplyInPlaceChecksEachFileAgainWhenItComesToWriteIt) {
    writeText("sight.json", "{\"units\": [{\"unit\": 0, \"sightRange\": 9}]}");
    write("a.pud", patternScenario(1));
    write("c.pud", patternScenario(3));
    // b is sound when the files are checked and damaged by the time it is to be written.
    ASSERT_EQ(::mkfifo(path("b").c_str(), 0600), 0);
    std::thread changingFile(
        serveVersions, path("b"),
        std::vector<Bytes>{patternScenario(2), Bytes{'h', 'e', 'l', 'l', 'o'}});
    const ToolRun run = runCommand(
        {"apply", "--in-place", path("sight.json"), path("a.pud"), path("b"), path("c.pud")});
    changingFile.join();
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "tarnwick-tool apply: \"" + path("b") +
                           "\": Unknown or unsupported filetype!\nChanged: " + path("a.pud") +
                           ".\nNot changed: " + path("b") + ", " + path("c.pud") + ".\n");
    EXPECT_NE(contents("a.pud"), patternScenario(1));
    EXPECT_EQ(contents("c.pud"), patternScenario(3));
}

// A cost is the number the editor shows in every command: set and apply store gold 250 as the
// same byte, the listings, diff and fields give it back as 250, and a figure between tens is
// kept as the editor's Gold box keeps it.
TEST_F(ExchangeTest, EveryCommandCountsACostInGold) {
    using model::unitfields::goldCost;
    const auto storedCost = [&](const std::string& file) {
        return files::readDocument({}, contents(file), file).unitData.get(goldCost, 2);
    };
    model::UnitDataTable units;
    units.set(goldCost, 2, 20);
    write("a.pud", scenarioWithUnits(units));
    ASSERT_EQ(runCommand({"set", path("a.pud"), path("set.pud"), "2", "goldCost", "250"}).code, 0);
    writeText("cost.csv", "unit,goldCost\n2,250\n");
    ASSERT_EQ(runCommand({"apply", path("a.pud"), path("cost.csv"), path("applied.pud")}).code, 0);
    EXPECT_EQ(storedCost("set.pud"), 25u);
    EXPECT_EQ(contents("applied.pud"), contents("set.pud"));

    EXPECT_NE(linesOf(runCommand({"units", path("set.pud")}).out).at(2).find(" goldCost=250 "),
              std::string::npos);
    const std::string json = runCommand({"units", path("set.pud"), "--format", "json"}).out;
    const std::size_t row = json.find("{\"unit\": 2,");
    EXPECT_NE(json.substr(row, json.find('}', row) - row).find(", \"goldCost\": 250,"),
              std::string::npos);
    const auto csv = linesOf(runCommand({"units", path("set.pud"), "--format", "csv"}).out);
    const auto cellsOf = [](const std::string& line) {
        std::vector<std::string> cells;
        std::istringstream stream(line);
        for (std::string cell; std::getline(stream, cell, ',');) {
            cells.push_back(cell);
        }
        return cells;
    };
    const auto header = cellsOf(csv.at(0));
    const auto column = std::find(header.begin(), header.end(), "goldCost") - header.begin();
    EXPECT_EQ(cellsOf(csv.at(3)).at(static_cast<std::size_t>(column)), "250");
    EXPECT_EQ(runCommand({"diff", path("a.pud"), path("set.pud")}).out,
              "unit 2 - goldCost 200 250\n");
    const auto fields = linesOf(runCommand({"fields"}).out);
    EXPECT_NE(std::find(fields.begin(), fields.end(),
                        "goldCost width=1 range=0..2550 units=0..109 scale=10 (shown and typed in "
                        "gold; stored in tens)"),
              fields.end());

    // Between tens, cut toward zero; below zero, cut to the byte, as the editor does both.
    ASSERT_EQ(runCommand({"set", path("a.pud"), path("259.pud"), "2", "goldCost", "259"}).code, 0);
    EXPECT_EQ(storedCost("259.pud"), 25u);
    writeText("cost.csv", "unit,goldCost\n2,259\n");
    ASSERT_EQ(runCommand({"apply", path("a.pud"), path("cost.csv"), path("259.pud")}).code, 0);
    EXPECT_EQ(storedCost("259.pud"), 25u);
    ASSERT_EQ(
        runCommand({"set", path("a.pud"), path("w.pud"), "2", "goldCost", "-15", "--wrap"}).code,
        0);
    EXPECT_EQ(storedCost("w.pud"), 255u);
}

TEST_F(ExchangeTest, DiffShowsOneLinePerChangedNumber) {
    write("a.pud", patternScenario(1));
    const ToolRun same = runCommand({"diff", path("a.pud"), path("a.pud")});
    EXPECT_EQ(same.code, 0);
    EXPECT_EQ(same.out, "");

    ASSERT_EQ(runCommand({"set", path("a.pud"), path("b.pud"), "105", "goldCost", "70"}).code, 0);
    const ToolRun one = runCommand({"diff", path("a.pud"), path("b.pud")});
    EXPECT_EQ(one.code, 1);
    const model::Document a = files::readDocument({}, contents("a.pud"), "a");
    const std::string old = std::to_string(10 * a.unitData.get(model::unitfields::goldCost, 105));
    EXPECT_EQ(one.out, "unit 105 -Corpse- goldCost " + old + " 70\n");
    const ToolRun json = runCommand({"diff", path("a.pud"), path("b.pud"), "--format", "json"});
    EXPECT_EQ(json.out,
              "[\n  {\"unit\": 105, \"name\": \"-Corpse-\", \"field\": \"goldCost\", "
              "\"old\": " +
                  old + ", \"new\": 70}\n]\n");

    // A table one side lacks shows as "-", and files with no table in common are trouble.
    write("plain.pud", typicalScenarioWith({{"UDTA", patternBytes(5950, 1)}}));
    write("up.ugd", patternBytes(780, 2));
    write("units.udt", patternBytes(5694, 2));
    const ToolRun lacking = runCommand({"diff", path("a.pud"), path("plain.pud")});
    EXPECT_NE(lacking.out.find("\nplayer 16 - upgradesOther "), std::string::npos);
    EXPECT_NE(lacking.out.find(" -\n"), std::string::npos);
    const ToolRun apart = runCommand({"diff", path("up.ugd"), path("units.udt")});
    EXPECT_EQ(apart.code, 2);
    EXPECT_NE(apart.err.find("The files hold no table in common"), std::string::npos);
    EXPECT_EQ(runCommand({"diff", path("a.pud"), path("missing.pud")}).code, 2);
    EXPECT_EQ(runCommand({"diff", path("a.pud")}).code, 2);
}

TEST_F(ExchangeTest, DiffAgainstTheGameDefaults) {
    demo::writeDemoGameDirectory(QString::fromStdString(path("game")));
    model::Document demo = demo::demoScenario();
    write("demo.pud", files::writeScenario(demo));
    const std::vector<std::string> command = {"diff", path("demo.pud"), "--defaults", "--game",
                                              path("game")};
    EXPECT_EQ(runCommand(command).code, 0);  // the demo game's defaults are the demo's tables

    demo.upgrades.set(model::upgradefields::oil, 51, 77);
    demo.unitData.set(model::unitfields::hitPoints, 0, 1);
    write("demo.pud", files::writeScenario(demo));
    const ToolRun changed = runCommand(command);
    EXPECT_EQ(changed.code, 1);
    const auto lines = linesOf(changed.out);
    ASSERT_EQ(lines.size(), 2u) << changed.out;
    EXPECT_EQ(lines[0].rfind("unit 0 Pikeman hitPoints 1 ", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind("upgrade 51 Death_and_Decay oil 77 ", 0), 0u) << lines[1];
}

TEST_F(ExchangeTest, UpgradesAndRestrictionsNeedAFileThatHoldsThem) {
    write("units.udt", patternBytes(5694, 2));
    write("plain.pud", typicalScenarioWith({}));
    const ToolRun upgrades = runCommand({"upgrades", path("units.udt")});
    EXPECT_EQ(upgrades.code, 1);
    EXPECT_NE(upgrades.err.find("holds no upgrade data"), std::string::npos);
    const ToolRun restrictions = runCommand({"restrictions", path("plain.pud")});
    EXPECT_NE(restrictions.err.find("holds no restrictions"), std::string::npos);

    write("a.pud", patternScenario(1));
    const auto text = linesOf(runCommand({"restrictions", path("a.pud")}).out);
    ASSERT_EQ(text.size(), 16u);
    EXPECT_EQ(text[15].rfind("16 unitsAllowed=", 0), 0u);
    const auto upgradeLines = linesOf(runCommand({"upgrades", path("a.pud")}).out);
    ASSERT_EQ(upgradeLines.size(), 52u);
    EXPECT_EQ(upgradeLines[35].rfind("35 name=Healing_ ", 0), 0u);
}

TEST_F(ExchangeTest, ApplyingWhatDiffWritesMakesAIntoB) {
    struct Pair {
        std::string name;
        Bytes a;
        Bytes b;
    };
    std::vector<Pair> pairs = {
        {"scenario", patternScenario(1), patternScenario(7)},
        {"scenario words", typicalScenarioWith({{"UDTA", scenarioUnits(1, 0)}}),
         typicalScenarioWith({{"UDTA", scenarioUnits(1, 3)}})},
        {"unit data", patternBytes(5694, 1), patternBytes(5694, 7)},
        {"unit data with swamp", patternBytes(5948, 1), patternBytes(5948, 7)},
        {"upgrade data", patternBytes(780, 1), patternBytes(780, 7)},
    };
    // And 20 pairs a few bytes apart, anywhere in any table or word.
    std::uint32_t random = 12345;
    const auto next = [&random](std::size_t below) {
        random = random * 1103515245u + 12345u;
        return static_cast<std::size_t>(random >> 8) % below;
    };
    const model::Document base = files::readDocument({}, patternScenario(3), "base");
    for (int pair = 0; pair < 20; ++pair) {
        model::Document b = base;
        for (std::size_t change = 1 + next(8); change > 0; --change) {
            const auto value = static_cast<std::uint8_t>(next(256));
            switch (next(3)) {
                case 0:
                    b.unitData.bytes[next(b.unitData.bytes.size())] = value;
                    break;
                case 1:
                    b.upgrades.bytes[next(b.upgrades.bytes.size())] = value;
                    break;
                default:
                    b.restrictions.bytes[next(b.restrictions.bytes.size())] = value;
            }
        }
        pairs.push_back(
            {"generated " + std::to_string(pair), patternScenario(3), files::writeScenario(b)});
    }
    for (const Pair& pair : pairs) {
        SCOPED_TRACE(pair.name);
        write("a", pair.a);
        write("b", pair.b);
        ASSERT_EQ(runCommand({"resave", path("b"), path("expected")}).code, 0);
        const ToolRun diff = runCommand({"diff", path("a"), path("b"), "--format", "changes"});
        ASSERT_EQ(diff.code, 1) << diff.err;
        writeText("changes.json", diff.out);
        const ToolRun applied = runCommand({"apply", path("a"), path("changes.json"), path("out")});
        ASSERT_EQ(applied.code, 0) << applied.err << diff.out.substr(0, 300);
        EXPECT_EQ(contents("out"), contents("expected"));
        EXPECT_EQ(runCommand({"diff", path("out"), path("b"), "--format", "changes"}).out,
                  "{\n}\n");
    }
    // A table B lacks cannot be taken away by a changes file.
    write("plain.pud", typicalScenarioWith({{"UDTA", patternBytes(5950, 1)}}));
    const ToolRun lacking =
        runCommand({"diff", path("a"), path("plain.pud"), "--format", "changes"});
    EXPECT_EQ(lacking.code, 2);
    EXPECT_EQ(lacking.err, "tarnwick-tool diff: \"" + path("plain.pud") +
                               "\": the new file holds no restrictions for player 1 unitsAllowed, "
                               "and a changes file cannot take it away\n");
}

TEST_F(ExchangeTest, AMapsModAgainstTheDefaultsAppliesToOtherMapsCheckingNames) {
    demo::writeDemoGameDirectory(QString::fromStdString(path("game")));
    model::Document mod = demo::demoScenario();
    const model::Document other = mod;
    mod.unitData.set(model::unitfields::hitPoints, 0, 7);
    mod.unitData.set(model::unitfields::goldCost, 0, 25);
    mod.upgrades.set(model::upgradefields::oil, 51, 77);
    write("mod.pud", files::writeScenario(mod));
    write("other.pud", files::writeScenario(other));
    const ToolRun diff = runCommand(
        {"diff", path("mod.pud"), "--defaults", "--game", path("game"), "--format", "changes"});
    EXPECT_EQ(diff.code, 1) << diff.err;
    EXPECT_EQ(diff.out,
              "{\n  \"units\": [\n    {\"unit\": 0, \"name\": \"Pikeman\", \"hitPoints\": 7, "
              "\"goldCost\": 250}\n  ],\n  \"upgrades\": [\n    {\"upgrade\": 51, \"name\": "
              "\"Death and Decay\", \"oil\": 77}\n  ]\n}\n");
    writeText("mod.json", diff.out);
    ASSERT_EQ(runCommand({"apply", "--in-place", path("mod.json"), path("other.pud"), "--game",
                          path("game")})
                  .code,
              0);
    EXPECT_EQ(contents("other.pud"), contents("mod.pud"));

    // The name checks the id where the game's names are known.
    std::string wrong = diff.out;
    wrong.replace(wrong.find("Pikeman"), 7, "Footman");
    writeText("wrong.json", wrong);
    const ToolRun refused = runCommand(
        {"apply", path("other.pud"), path("wrong.json"), path("out.pud"), "--game", path("game")});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err, "tarnwick-tool apply: \"" + path("wrong.json") +
                               "\": units[0].hitPoints: unit 0 is Pikeman, not \"Footman\"\n");
    EXPECT_FALSE(exists("out.pud"));
    EXPECT_EQ(runCommand({"apply", path("other.pud"), path("wrong.json"), path("out.pud")}).code,
              0);
}

TEST_F(ExchangeTest, MergeTakesEachSidesChangesAndStopsAtConflicts) {
    model::Document base = files::readDocument({}, patternScenario(1), "base");
    base.unitData.set(model::unitfields::hitPoints, 3, 90);
    model::Document a = base;
    model::Document b = base;
    a.unitData.set(model::unitfields::hitPoints, 3, 100);
    a.unitData.set(model::unitfields::armor, 4, 5);
    b.unitData.set(model::unitfields::armor, 4, 5);
    b.upgrades.set(model::upgradefields::gold, 2, 7);
    model::Document expected = a;
    expected.upgrades.set(model::upgradefields::gold, 2, 7);
    write("base.pud", files::writeScenario(base));
    write("a.pud", files::writeScenario(a));
    write("b.pud", files::writeScenario(b));

    const ToolRun clean =
        runCommand({"merge", path("base.pud"), path("a.pud"), path("b.pud"), path("out.pud")});
    EXPECT_EQ(clean.code, 0) << clean.err;
    EXPECT_EQ(clean.out, "");
    EXPECT_EQ(contents("out.pud"), files::writeScenario(expected));

    b.unitData.set(model::unitfields::hitPoints, 3, 120);
    write("b.pud", files::writeScenario(b));
    const std::vector<std::string> merge = {"merge", path("base.pud"), path("a.pud"), path("b.pud"),
                                            path("conflict.pud")};
    const ToolRun conflict = runCommand(merge);
    EXPECT_EQ(conflict.code, 1);
    EXPECT_EQ(conflict.out, "unit 3 hitPoints: base 90, A 100, B 120\n");
    EXPECT_EQ(conflict.err, "");
    EXPECT_FALSE(exists("conflict.pud"));

    auto preferB = merge;
    preferB.insert(preferB.end(), {"--prefer", "b"});
    const ToolRun settled = runCommand(preferB);
    EXPECT_EQ(settled.code, 0) << settled.err;
    EXPECT_EQ(settled.out, "unit 3 hitPoints: base 90, A 100, B 120; settled: B\n");
    expected.unitData.set(model::unitfields::hitPoints, 3, 120);
    EXPECT_EQ(contents("conflict.pud"), files::writeScenario(expected));

    // Changes files merge the same way, without a base.
    for (const std::string side : {"a", "b"}) {
        writeText(
            side + ".json",
            runCommand({"diff", path("base.pud"), path(side + ".pud"), "--format", "changes"}).out);
    }
    const std::vector<std::string> changes = {"merge", "--changes", path("a.json"), path("b.json"),
                                              path("m.json")};
    const ToolRun changesConflict = runCommand(changes);
    EXPECT_EQ(changesConflict.code, 1);
    EXPECT_EQ(changesConflict.out, "unit 3 hitPoints: A 100, B 120\n");
    EXPECT_FALSE(exists("m.json"));
    auto preferA = changes;
    preferA.insert(preferA.end(), {"--prefer", "a"});
    EXPECT_EQ(runCommand(preferA).code, 0);
    ASSERT_EQ(runCommand({"apply", path("base.pud"), path("m.json"), path("m.pud")}).code, 0);
    expected.unitData.set(model::unitfields::hitPoints, 3, 100);
    EXPECT_EQ(contents("m.pud"), files::writeScenario(expected));
}

TEST_F(ExchangeTest, ASemicolonSpreadsheetIsAppliedAsACommaOne) {
    write("source.pud", patternScenario(1));
    write("target.pud", patternScenario(7));
    for (const std::string table : {"units", "upgrades", "restrictions"}) {
        std::string csv = exportTo(table, "source.pud", "csv").out;
        std::replace(csv.begin(), csv.end(), ',', ';');
        writeText(table + ".csv", csv);
        const ToolRun applied =
            runCommand({"apply", path("target.pud"), path(table + ".csv"), path("target.pud")});
        ASSERT_EQ(applied.code, 0) << applied.err;
    }
    EXPECT_EQ(runCommand({"diff", path("source.pud"), path("target.pud")}).out, "");
}

TEST_F(ExchangeTest, RevertPutsAFieldAUnitOrAllBackToTheGamesDefaults) {
    demo::writeDemoGameDirectory(QString::fromStdString(path("game")));
    const model::Document defaults = demo::demoScenario();
    model::Document changed = defaults;
    using namespace model::unitfields;
    changed.unitData.set(hitPoints, 0, 7);
    changed.unitData.set(armor, 0, 9);
    changed.unitData.set(armor, 1, 9);
    write("changed.pud", files::writeScenario(changed));
    const auto revert = [&](std::vector<std::string> what) {
        std::vector<std::string> command = {"revert", path("changed.pud"), path("out.pud")};
        command.insert(command.end(), what.begin(), what.end());
        command.insert(command.end(), {"--game", path("game")});
        return runCommand(command);
    };
    model::Document expected = changed;
    expected.unitData.set(hitPoints, 0, defaults.unitData.get(hitPoints, 0));
    ASSERT_EQ(revert({"0", "hitPoints"}).code, 0);
    EXPECT_EQ(contents("out.pud"), files::writeScenario(expected));
    expected.unitData.set(armor, 0, defaults.unitData.get(armor, 0));
    ASSERT_EQ(revert({"Pikeman"}).code, 0);
    EXPECT_EQ(contents("out.pud"), files::writeScenario(expected));
    ASSERT_EQ(revert({}).code, 0);
    EXPECT_EQ(contents("out.pud"), files::writeScenario(defaults));

    EXPECT_EQ(linesOf(revert({"0", "sight"}).err)[0],
              "tarnwick-tool revert: FIELD: units have no field \"sight\"");
    const ToolRun noGame = runCommand({"revert", path("changed.pud"), path("gone.pud")});
    EXPECT_EQ(noGame.code, 2);
    EXPECT_EQ(linesOf(noGame.err)[0],
              "tarnwick-tool revert: revert needs --game DIR: the game's "
              "default unit data is in its MAINDAT.WAR");
    EXPECT_FALSE(exists("gone.pud"));
}
