#include <gtest/gtest.h>

#include <filesystem>

#include <QImage>
#include "ArchiveBuilder.h"
#include "DemoGameData.h"
#include "DemoScenario.h"
#include "ScenarioBuilder.h"
#include "ToolTestSupport.h"
#include "core/archive/Archive.h"
#include "core/files/Scenario.h"
#include "core/files/StandaloneFiles.h"
#include "core/graphics/SpriteConverter.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

TEST_F(ToolTest, SectionsListsTagAndLengthPerLineWithBlanksAndZerosEscaped) {
    const std::string zeros("\0\0A\\", 4);
    write("a.pud", chainOf({{"TYPE", Bytes(16)},
                            {"VER ", Bytes(2)},
                            {"ODD!", Bytes(3)},
                            {zeros, Bytes(1)},
                            {"\xE9t\xE9\n", {}}}));
    const ToolRun run = runCommand({"sections", path("a.pud")});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "TYPE 16\nVER\\x20 2\nODD! 3\n\\x00\\x00A\\x5C 1\n\\xE9t\\xE9\\x0A 0\n");

    write("bad.pud",
          ScenarioBuilder().section("TYPE", Bytes(16)).sectionClaiming(zeros, 9, {}).bytes());
    // A damaged section stops the listing with an error that names it.
    const ToolRun damaged = runCommand({"sections", path("bad.pud")});
    EXPECT_EQ(damaged.code, 1);
    EXPECT_EQ(damaged.out, "TYPE 16\n");
    EXPECT_NE(damaged.err.find("Section \"\\x00\\x00A\\x5C\" is damaged: it claims 9 bytes"),
              std::string::npos)
        << damaged.err;
}

TEST_F(ToolTest, ResaveGivesTheSameSectionsAndIsStable) {
    auto sections = typicalScenarioSections(true);
    std::swap(sections[0], sections[3]);
    write("in.pud", ScenarioBuilder().raw(chainOf({sections[3]})).raw(chainOf(sections)).bytes());
    ASSERT_EQ(runCommand({"resave", path("in.pud"), path("once.pud")}).code, 0);
    EXPECT_EQ(contents("once.pud"), chainOf(typicalScenarioSections(true)));
    ASSERT_EQ(runCommand({"resave", path("once.pud"), path("twice.pud")}).code, 0);
    EXPECT_EQ(contents("twice.pud"), contents("once.pud"));
}

TEST_F(ToolTest, AFailedWriteLeavesTheTargetAsItWas) {
    write("in.pud", chainOf(typicalScenarioSections()));
    write("not-a-folder", Bytes{1});
    const ToolRun run = runCommand({"resave", path("in.pud"), path("not-a-folder") + "/out.pud"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(contents("not-a-folder"), Bytes{1});
}

TEST_F(ToolTest, ResaveKeepsStandAloneFilesInTheirOwnForm) {
    for (const std::size_t size : {std::size_t{5694}, std::size_t{5948}, std::size_t{780}}) {
        write("in.dat", patternBytes(size, 8));
        ASSERT_EQ(runCommand({"resave", path("in.dat"), path("out.dat")}).code, 0) << size;
        EXPECT_EQ(contents("out.dat"), patternBytes(size, 8)) << size;
    }
}

TEST_F(ToolTest, UnitsPrintsEveryUnitFieldByName) {
    model::UnitDataTable units;
    units.set(model::unitfields::hitPoints, 0, 60);
    units.set(model::unitfields::sightRange, 1, static_cast<std::uint32_t>(-5));
    units.set(model::unitfields::tileSize, 2, 3, 1);
    units.set(model::unitfields::goldCost, 2, 60);
    units.set(model::unitfields::rightClickAction, 57, 2);
    write("u.pud", scenarioWithUnits(units));
    const ToolRun run = runCommand({"units", path("u.pud")});
    ASSERT_EQ(run.code, 0) << run.err;
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 110u);
    EXPECT_EQ(lines[0].rfind("0 name= gfxGroup=0 gfxGeneral=0 ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find(" hitPoints=60 "), std::string::npos);
    EXPECT_NE(lines[1].find(" sightRange=-5 "), std::string::npos);
    EXPECT_NE(lines[2].find(" tileSize.width=0 tileSize.height=3 "), std::string::npos);
    EXPECT_NE(lines[2].find(" goldCost=600 "), std::string::npos);
    EXPECT_NE(lines[57].find(" rightClickAction=2 "), std::string::npos);
    EXPECT_EQ(lines[58].find("rightClickAction"), std::string::npos);
    EXPECT_EQ(lines[0].find("useDefault"), std::string::npos);
}

TEST_F(ToolTest, SetChangesExactlyTheFieldsBytes) {
    const Bytes scenario = scenarioWithUnits({});
    write("in.pud", scenario);
    ASSERT_EQ(runCommand({"set", path("in.pud"), path("out.pud"), "3", "hitPoints", "500"}).code,
              0);
    const Bytes out = contents("out.pud");
    ASSERT_EQ(out.size(), scenario.size());
    const std::size_t hitPoints3 = bodyOffsetOf(scenario, "UDTA") + 1678 + 3 * 2;
    EXPECT_EQ(differingPositions(scenario, out),
              (std::vector<std::size_t>{hitPoints3, hitPoints3 + 1}));
    EXPECT_EQ(out[hitPoints3], 500 & 0xFF);
    EXPECT_EQ(out[hitPoints3 + 1], 500 >> 8);
}

TEST_F(ToolTest, SetWithWrapTruncatesAndKeepsTheKind) {
    write("in.udt", patternBytes(5694, 9));
    ASSERT_EQ(runCommand({"set", path("in.udt"), path("out.udt"), "109", "boxSize.height", "70000",
                          "--wrap"})
                  .code,
              0);
    const Bytes out = contents("out.udt");
    ASSERT_EQ(out.size(), 5694u);
    const std::size_t at = 2888 - 2 + 109 * 4 + 2;
    EXPECT_EQ(out[at], 70000 & 0xFF);
    EXPECT_EQ(out[at + 1], (70000 >> 8) & 0xFF);
}

TEST_F(ToolTest, SetRefusesUnknownFieldsAndUnitsOutOfRange) {
    write("in.pud", scenarioWithUnits({}));
    write("in.ugd", patternBytes(780, 1));
    // A value the command line cannot hold is a usage error naming its argument.
    const std::vector<std::pair<std::vector<std::string>, std::string>> refusals = {
        {{"set", path("in.pud"), path("o"), "3", "hitpoints", "5"},
         "FIELD: \"hitpoints\" is not one of the unit fields that tarnwick-tool fields lists"},
        {{"set", path("in.pud"), path("o"), "3", "useDefault", "5"}, "FIELD: \"useDefault\""},
        {{"set", path("in.pud"), path("o"), "110", "hitPoints", "5"},
         "UNIT: Unit 110 has no hitPoints (units 0 to 109 have it)\n"},
        {{"set", path("in.pud"), path("o"), "58", "rightClickAction", "1"}, "(units 0 to 57"},
        {{"set", path("in.pud"), path("o"), "-1", "armor", "1"},
         "UNIT: There is no unit -1 (ids 0 to 126)\n"},
        {{"set", path("in.pud"), path("o"), "9999", "armor", "1"}, "UNIT: There is no unit 9999"},
        {{"set", path("in.pud"), path("o"), "1", "armor", "ten"},
         "VALUE: \"ten\" is not a whole number\n"},
        {{"set", path("in.pud"), path("o"), "126", "gfxSwampless", "1"}, "FIELD: "},
    };
    for (const auto& [arguments, message] : refusals) {
        const ToolRun run = runCommand(arguments);
        EXPECT_EQ(run.code, 2) << arguments[4];
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    }
    const ToolRun upgrades = runCommand({"set", path("in.ugd"), path("o"), "1", "armor", "1"});
    EXPECT_EQ(upgrades.code, 1);
    EXPECT_NE(upgrades.err.find("holds upgrade data, no unit data"), std::string::npos);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("o"))));
    EXPECT_EQ(runCommand({"set", path("in.pud"), path("o"), "126", "gfxWinter", "1"}).code, 0);
}

TEST_F(ToolTest, ArchiveListingShowsEveryEntry) {
    write("a.war", ArchiveBuilder().stored({1, 2, 3}).empty().compressed(Bytes(100, 7)).bytes());
    const ToolRun run = runCommand({"list", path("a.war")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "0 20 7 stored 3");
    EXPECT_NE(run.out.find("\n1 empty\n2 27 "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(" compressed 100\n"), std::string::npos) << run.out;
}

TEST_F(ToolTest, ListRefusesWhatIsNoArchiveAndListsNothing) {
    write("scenario.pud", chainOf(typicalScenarioSections()));
    write("short.war", {1, 2, 3});
    write("in-table.war", archiveWithTable({8, -1}, {1, 2, 3, 4}));
    write("past-end.war", archiveWithTable({16, 900}, {1, 2, 3, 4, 5}));
    for (const char* file : {"scenario.pud", "short.war", "in-table.war", "past-end.war"}) {
        const ToolRun run = runCommand({"list", path(file)});
        EXPECT_EQ(run.code, 1) << file;
        EXPECT_EQ(run.out, "") << file;
        EXPECT_NE(run.err.find("is no game archive"), std::string::npos) << run.err;
    }
}

TEST_F(ToolTest, CompressInsertAndExtractGiveTheInputBack) {
    Bytes input(20000);
    for (std::size_t i = 0; i < input.size(); ++i) {
        input[i] = static_cast<std::uint8_t>((i * i) % 253 + i / 500);
    }
    write("input.bin", input);
    write("a.war", ArchiveBuilder().stored({1}).stored({2}).stored({3}).bytes());
    ASSERT_EQ(runCommand({"compress", path("input.bin"), path("stream.bin")}).code, 0);
    ASSERT_EQ(runCommand({"insert", path("a.war"), "1", path("input.bin"), "--compress"}).code, 0);
    ASSERT_EQ(runCommand({"extract", path("a.war"), "1", path("back.bin")}).code, 0);
    EXPECT_EQ(contents("back.bin"), input);
    // The entry holds exactly the stream `compress` wrote, behind the compressed-entry header.
    const Bytes archiveBytes = contents("a.war");
    const Bytes stream = contents("stream.bin");
    const std::size_t at = 8 + 3 * 4 + 5;
    EXPECT_EQ(archiveBytes[at + 3], 0x20);
    EXPECT_TRUE(std::equal(stream.begin(), stream.end(), archiveBytes.begin() + at + 4));
    ASSERT_EQ(runCommand({"extract", path("a.war"), "2", path("two.bin")}).code, 0);
    EXPECT_EQ(contents("two.bin"), Bytes{3});

    ASSERT_EQ(runCommand({"insert", path("a.war"), "0", path("input.bin")}).code, 0);
    ASSERT_EQ(runCommand({"extract", path("a.war"), "0", path("zero.bin")}).code, 0);
    EXPECT_EQ(contents("zero.bin"), input);
}

TEST_F(ToolTest, ArchiveFailuresLeaveTheArchiveUntouched) {
    const Bytes original = ArchiveBuilder().stored({1}).empty().bytes();
    write("a.war", original);
    write("data.bin", {9, 9});
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"insert", path("a.war"), "1", path("data.bin")},
             {"insert", path("a.war"), "2", path("data.bin")},
             {"insert", path("a.war"), "0", path("missing.bin")},
             {"extract", path("a.war"), "1", path("out.bin")},
         }) {
        const ToolRun run = runCommand(arguments);
        EXPECT_EQ(run.code, 1) << arguments[2];
        EXPECT_FALSE(run.err.empty());
    }
    EXPECT_EQ(contents("a.war"), original);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("out.bin"))));
}

TEST_F(ToolTest, DirectSaveThenDirectLoadGiveTheDocumentBack) {
    demo::writeDemoGameDirectory(QString::fromStdString(path("game")));
    const std::vector<std::string> listed = linesOf(runCommand({"slots"}).out);
    ASSERT_EQ(listed.size(), 87u);
    EXPECT_EQ(listed[3], "4 192 PUD Level  1 (Humans)");
    EXPECT_EQ(listed[86], "87 469 PUD Level 12X (Orcs)");

    model::Document units = demo::demoSlotScenario(451);
    units.hasExpansionGfx = true;
    write("units.udt", files::writeUnitDataFile(units));
    write("map.pud", files::writeScenario(demo::demoSlotScenario(300)));
    ASSERT_EQ(runCommand({"direct-save", path("game"), "2", path("units.udt")}).code, 0);
    ASSERT_EQ(
        runCommand({"direct-save", path("game"), "40", path("map.pud"), "--no-compress"}).code, 0);
    ASSERT_EQ(runCommand({"direct-load", path("game"), "2", path("back.udt")}).code, 0);
    ASSERT_EQ(runCommand({"direct-load", path("game"), "40", path("back.pud")}).code, 0);
    EXPECT_EQ(contents("back.udt"), contents("units.udt"));
    EXPECT_EQ(contents("back.pud"), contents("map.pud"));
    const Bytes archiveBytes = contents("game/DATA/MAINDAT.WAR");
    const archive::ArchiveView view(archiveBytes);
    EXPECT_TRUE(view.info(472).compressed);
    EXPECT_FALSE(view.info(228).compressed);

    const ToolRun refused = runCommand({"direct-save", path("game"), "1", path("map.pud")});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err, "tarnwick-tool direct-save: \"" + path("map.pud") +
                               "\": Cant import a PUD or a UGRD into a UDTA slot\n");
    EXPECT_EQ(contents("game/DATA/MAINDAT.WAR"), archiveBytes);
    EXPECT_EQ(runCommand({"direct-load", path("game"), "88", path("out")}).err,
              "tarnwick-tool direct-load: ROW: \"88\" is not a whole number from 1 to 87\n"
              "Usage: tarnwick-tool direct-load GAMEDIR ROW OUT\n"
              "Try \"tarnwick-tool direct-load --help\".\n");
}

TEST_F(ToolTest, ExportAndImportMoveTablesBetweenScenarios) {
    model::Document source = demo::demoScenario();
    write("from.pud", files::writeScenario(source));
    write("to.pud", scenarioWithUnits({}));
    const std::vector<std::pair<std::string, std::size_t>> kinds = {
        {"udta", 5694}, {"ugrd", 780}, {"up", 790}, {"un", 5704}, {"alo", 392}};
    for (const auto& [kind, size] : kinds) {
        const std::string table = path(("table." + kind).c_str());
        ASSERT_EQ(runCommand({"export", kind, path("from.pud"), table}).code, 0) << kind;
        EXPECT_EQ(platform::readWholeFile(QString::fromStdString(table)).size(), size);
        ASSERT_EQ(runCommand({"import", path("to.pud"), table, path("to.pud")}).code, 0) << kind;
    }
    const model::Document result = scenarioFrom(contents("to.pud"));
    EXPECT_EQ(result.unitData.bytes, source.unitData.bytes);
    EXPECT_TRUE(std::equal(result.upgrades.bytes.begin() + 2, result.upgrades.bytes.end(),
                           source.upgrades.bytes.begin() + 2));
    EXPECT_TRUE(result.hasRestrictions());
    EXPECT_EQ(result.restrictions.bytes, source.restrictions.bytes);
}

TEST_F(ToolTest, ExportAndImportRefusals) {
    write("plain.pud", scenarioWithUnits({}));
    write("units.udt", patternBytes(5694, 1));
    write("odd.bin", patternBytes(33, 1));
    const std::vector<std::pair<std::vector<std::string>, std::string>> refusals = {
        {{"export", "alo", path("plain.pud"), path("o")}, "holds no restrictions"},
        {{"import", path("plain.pud"), path("odd.bin"), path("o")},
         "This is an unknown or unsupported format"},
        {{"import", path("units.udt"), path("odd.bin"), path("o")}, "unknown or unsupported"},
    };
    for (const auto& [arguments, message] : refusals) {
        const ToolRun run = runCommand(arguments);
        EXPECT_EQ(run.code, 1);
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    }
    ASSERT_EQ(runCommand({"export", "ugrd", path("plain.pud"), path("up.ugd")}).code, 0);
    const ToolRun intoUnits = runCommand({"import", path("units.udt"), path("up.ugd"), path("o")});
    EXPECT_NE(intoUnits.err.find("ERROR! Can Not import a UGRD into a UDTA!"), std::string::npos);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("o"))));
}

TEST_F(ToolTest, SpriteWritesTheEditorsBitmapOrAPng) {
    const Bytes sprite = demo::demoSprite(4, 30, 20, 9);
    write("unit.gfx", sprite);
    Bytes palette(768);
    for (std::size_t i = 0; i < palette.size(); ++i) {
        palette[i] = static_cast<std::uint8_t>(i % 64);
    }
    write("colours.pal", palette);
    ASSERT_EQ(runCommand({"sprite", path("unit.gfx"), path("all.bmp")}).code, 0);
    NoProgress quiet;
    EXPECT_EQ(contents("all.bmp"),
              graphics::convertGfx(sprite, 0, graphics::greyPalette(), quiet).bitmap);
    ASSERT_EQ(runCommand({"sprite", path("unit.gfx"), path("two.bmp"), "--frames", "2", "--palette",
                          path("colours.pal")})
                  .code,
              0);
    EXPECT_EQ(contents("two.bmp"),
              graphics::convertGfx(sprite, 2, graphics::paletteFromGame(palette), quiet).bitmap);
    ASSERT_EQ(runCommand({"sprite", path("unit.gfx"), path("one.PNG"), "--frames", "1"}).code, 0);
    const QImage png(QString::fromStdString(path("one.PNG")));
    EXPECT_EQ(png.size(), QSize(30, 20));
    EXPECT_EQ(png.pixelColor(0, 0), QColor(22, 22, 22));  // the background, grey 22
    // The PNG shows what the bitmap shows, pixel for pixel, in greys and in the game's colours.
    const auto decoded = [&](const std::string& name) {
        return QImage(QString::fromStdString(path(name))).convertToFormat(QImage::Format_RGB32);
    };
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{}, {"--frames", "2", "--palette", path("colours.pal")}}) {
        std::vector<std::string> arguments = {"sprite", path("unit.gfx"), path("same.png")};
        arguments.insert(arguments.end(), options.begin(), options.end());
        ASSERT_EQ(runCommand(arguments).code, 0);
        EXPECT_EQ(decoded("same.png"), decoded(options.empty() ? "all.bmp" : "two.bmp"));
        const Bytes first = contents("same.png");
        ASSERT_EQ(runCommand(arguments).code, 0);
        EXPECT_EQ(contents("same.png"), first);  // nothing in the file differs between runs
    }

    EXPECT_EQ(runCommand({"sprite", path("unit.gfx"), path("x.bmp"), "--frames", "-2"}).code, 2);
    EXPECT_FALSE(exists("x.bmp"));
}

TEST_F(ToolTest, SpriteRefusesWhatIsNoSpriteAndOtherPictureKinds) {
    const Bytes sprite = demo::demoSprite(3, 30, 20, 9);
    write("unit.gfx", sprite);
    write("colours.pal", demo::demoPalette(5));
    write("none.gfx", demo::demoSprite(0, 30, 20, 9));
    write("flat.gfx", demo::demoSprite(2, 30, 0, 9));
    write("thin.gfx", demo::demoSprite(2, 0, 20, 9));
    write("cut.gfx", Bytes(sprite.begin(), sprite.begin() + 6 + 3 * 8 + 4));
    const std::vector<std::pair<std::string, std::string>> refusals = {
        {"colours.pal", "is no sprite"},
        {"none.gfx", "is no sprite: The sprite has no frames"},
        {"flat.gfx", "The sprite's cells are 30 x 0 pixels"},
        {"thin.gfx", "The sprite's cells are 0 x 20 pixels"},
        {"cut.gfx", "The line table of frame 0 lies outside the sprite"},
    };
    for (const auto& [file, message] : refusals) {
        const ToolRun run = runCommand({"sprite", path(file), path("x.png")});
        EXPECT_EQ(run.code, 1) << file;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    }
    for (const char* out : {"x.gif", "x", "x.bmp.txt"}) {
        const ToolRun run = runCommand({"sprite", path("unit.gfx"), path(out)});
        EXPECT_EQ(run.code, 1) << out;
        EXPECT_NE(run.err.find("must end in .bmp or .png"), std::string::npos) << run.err;
        EXPECT_FALSE(exists(out));
    }
    EXPECT_FALSE(exists("x.png"));
    EXPECT_EQ(runCommand({"sprite", path("unit.gfx"), path("x.BMP")}).code, 0);
}

TEST_F(ToolTest, AnOutputOfAnotherKindIsNeverWrittenOverItsInputHoweverNamed) {
    const auto refusedAsInput = [](const std::vector<std::string>& arguments) {
        const ToolRun run = runCommand(arguments);
        return run.code == 2 &&
               run.err.starts_with("tarnwick-tool " + arguments[0] + ": OUT is the input file\n");
    };
    const Bytes scenario = chainOf(typicalScenarioSections());
    write("t.pud", scenario);
    std::filesystem::create_symlink(path("t.pud"), path("symlink.pud"));
    std::filesystem::create_hard_link(path("t.pud"), path("hardlink.pud"));
    const std::string dotted = path(".") + "/./t.pud";
    for (const std::string& out :
         {path("t.pud"), dotted, path("symlink.pud"), path("hardlink.pud")}) {
        for (const auto& arguments : std::vector<std::vector<std::string>>{
                 {"export", "udta", path("t.pud"), out},
                 {"compress", path("t.pud"), out},
                 {"extract", path("t.pud"), "0", out},
                 {"import", path("other.pud"), path("t.pud"), out},
             }) {
            EXPECT_TRUE(refusedAsInput(arguments)) << arguments[0] << ' ' << out;
            EXPECT_EQ(contents("t.pud"), scenario) << arguments[0] << ' ' << out;
        }
    }
    const Bytes changes = {'u', 'n', 'i', 't', ',', 'a', 'r', 'm', 'o', 'r', '\n', '1', ',', '2'};
    write("armor.csv", changes);
    write("scripts.bin", demo::demoAnimations());
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"apply", path("t.pud"), path("armor.csv"), path("armor.csv")},
             {"balance", path("t.pud"), "--matrix", path("t.pud"), "--scripts",
              path("scripts.bin")},
             {"balance", path("t.pud"), "--matrix", path("scripts.bin"), "--scripts",
              path("scripts.bin")},
         }) {
        EXPECT_TRUE(refusedAsInput(arguments)) << arguments[0] << ' ' << arguments[3];
    }
    EXPECT_EQ(contents("armor.csv"), changes);
    EXPECT_EQ(contents("scripts.bin"), demo::demoAnimations());
    EXPECT_EQ(contents("t.pud"), scenario);

    // Commands that write the kind they read still change a file in place (one without other
    // hard links: those a save refuses, see BreakLinksTest).
    std::filesystem::remove(path("hardlink.pud"));
    ASSERT_EQ(runCommand({"apply", path("t.pud"), path("armor.csv"), dotted}).code, 0);
    const Bytes applied = contents("t.pud");
    EXPECT_NE(applied, scenario);
    write("other.pud", scenario);
    ASSERT_EQ(runCommand({"export", "un", path("other.pud"), path("units.un")}).code, 0);
    ASSERT_EQ(runCommand({"import", path("t.pud"), path("units.un"), path("t.pud")}).code, 0);
    EXPECT_EQ(contents("t.pud"), scenario);
}

TEST_F(ToolTest, ARefusalStartsWithTheNameOfTheFileItIsAbout) {
    const Bytes scenario = chainOf(typicalScenarioSections());
    write("a.pud", scenario);
    write("c.pud", scenario);
    write("text.pud", Bytes{'h', 'e', 'l', 'l', 'o'});
    // "UDTA" claims all 32 bits of its length, far more than the file holds.
    write("b.pud", ScenarioBuilder()
                       .section("TYPE", Bytes(16))
                       .sectionClaiming("UDTA", -1, Bytes(5696))
                       .bytes());
    write("armor.csv",
          Bytes{'u', 'n', 'i', 't', ',', 'a', 'r', 'm', 'o', 'r', '\n', '1', ',', '2'});
    const std::string damaged =
        "Section \"UDTA\" is damaged: it claims 4294967295 bytes, but 5696 "
        "are left in the file";
    const std::string unknown = "Unknown or unsupported filetype!";
    const std::vector<std::tuple<std::vector<std::string>, std::string, std::string>> cases = {
        {{"apply", "--in-place", path("armor.csv"), path("a.pud"), path("b.pud"), path("c.pud")},
         "b.pud",
         damaged + "\nNo file was changed."},
        {{"apply", "--in-place", path("armor.csv"), path("a.pud"), path("text.pud")},
         "text.pud",
         unknown + "\nNo file was changed."},
        {{"apply", path("text.pud"), path("armor.csv"), path("out.pud")}, "text.pud", unknown},
        {{"diff", path("a.pud"), path("text.pud")}, "text.pud", unknown},
        {{"diff", path("b.pud"), path("a.pud")}, "b.pud", damaged},
        {{"info", path("text.pud")}, "text.pud", unknown},
        {{"units", path("text.pud")}, "text.pud", unknown},
        {{"resave", path("b.pud"), path("out.pud")}, "b.pud", damaged},
        {{"import", path("a.pud"), path("text.pud"), path("out.pud")},
         "text.pud",
         "This is an unknown or unsupported format"},
        {{"sections", path("b.pud")}, "b.pud", damaged},
    };
    for (const auto& [arguments, file, message] : cases) {
        const ToolRun run = runCommand(arguments);
        EXPECT_EQ(run.err,
                  "tarnwick-tool " + arguments[0] + ": \"" + path(file) + "\": " + message + "\n");
    }
    EXPECT_EQ(contents("a.pud"), scenario);
    EXPECT_EQ(contents("c.pud"), scenario);
    EXPECT_FALSE(exists("out.pud"));
}
