#include <regex>

#include <QDir>
#include <QImage>

#include "DemoGameData.h"
#include "DemoScenario.h"
#include "ToolTestSupport.h"
#include "core/files/Scenario.h"
#include "tool/CommandLine.h"
#include "tool/Commands.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

namespace {

bool holds(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST(ToolCommandLine, HelpAnswersOnStandardOutputWithEveryCommand) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"--help"}, {"-h"}, {"help"}}) {
        const ToolRun run = runCommand(arguments);
        EXPECT_EQ(run.code, 0) << arguments[0];
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out.rfind("Usage: tarnwick-tool COMMAND", 0), 0u) << run.out;
        for (const tool::Command& command : tool::toolCommands()) {
            // The completion's helper is no command for users.
            EXPECT_NE(holds(run.out, "\n  " + command.name + ' '), command.hidden) << command.name;
        }
        EXPECT_TRUE(holds(run.out, "  2   usage error"));
    }
}

TEST(ToolCommandLine, VersionIsOneLineWithTheProgramAndAVersionNumber) {
    const ToolRun run = runCommand({"--version"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(std::regex_match(run.out, std::regex("tarnwick-tool [0-9]+(\\.[0-9]+)+\n")))
        << run.out;
}

TEST(ToolCommandLine, EveryCommandHasItsOwnHelp) {
    for (const tool::Command& command : tool::toolCommands()) {
        const ToolRun run = runCommand({command.name, "--help"});
        EXPECT_EQ(run.code, 0) << command.name;
        EXPECT_EQ(run.out.rfind("Usage: tarnwick-tool " + command.name, 0), 0u) << run.out;
        for (const tool::Argument& argument : command.arguments) {
            EXPECT_TRUE(holds(run.out, "\n  " + argument.name + " ")) << argument.name;
        }
        for (const tool::Option& option : command.options) {
            EXPECT_TRUE(holds(run.out, "\n  --" + option.name)) << option.name;
        }
        EXPECT_TRUE(holds(run.out, "\nExample:\n  tarnwick-tool " + command.name)) << run.out;
        EXPECT_EQ(runCommand({"help", command.name}).out, run.out);
        EXPECT_EQ(runCommand({command.name, "x", "-h"}).out, run.out);
    }
}

// A terminal of 80 columns shows every help without a broken line: the tool's, each command's
// and the usage a usage error repeats.
TEST(ToolCommandLine, EveryHelpLineFitsEightyColumns) {
    std::vector<std::string> texts = {runCommand({"--help"}).out};
    for (const tool::Command& command : tool::toolCommands()) {
        texts.push_back(runCommand({command.name, "--help"}).out);
        texts.push_back(runCommand({command.name, "--frobnicate"}).err);
    }
    for (const std::string& text : texts) {
        for (const std::string& line : linesOf(text)) {
            EXPECT_LE(line.size(), 79u) << line;
        }
    }
}

TEST(ToolCommandLine, UnknownCommandsAndOptionsAreNamedWithExitTwo) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "A command is needed"},
        {{"frobnicate", "x"}, "Unknown command \"frobnicate\""},
        {{"help", "frobnicate"}, "Unknown command \"frobnicate\""},
        {{"--frobnicate"}, "Unknown option \"--frobnicate\""},
        {{"units", "--bogus", "a.pud"}, "Unknown option \"--bogus\""},
        {{"units", "a.pud", "-q"}, "Unknown option \"-q\""},
        {{"insert", "a.war", "1", "b", "--fast"}, "Unknown option \"--fast\""},
        {{"sprite", "a.gfx", "b.bmp", "--frames"}, "--frames"},
        {{"resave", "only-one"}, "Missing argument OUT"},
        {{"fields", "extra"}, "Unexpected argument \"extra\""},
    };
    for (const auto& [arguments, message] : cases) {
        const ToolRun run = runCommand(arguments);
        EXPECT_EQ(run.code, 2) << message;
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(holds(run.err, message)) << run.err;
        EXPECT_TRUE(holds(run.err, "--help")) << run.err;
    }
    EXPECT_TRUE(holds(runCommand({"resave", "x"}).err, "Usage: tarnwick-tool resave IN OUT\n"));
}

TEST_F(ToolTest, AWordThatBeginsWithADashIsAnOptionOrRefused) {
    write("in.pud", Bytes(5694, 0));
    for (const std::string word : {"-hout.pud", "-h=x", "-game", "-x"}) {
        const ToolRun run = runCommand({"resave", path("in.pud"), word});
        EXPECT_EQ(run.code, 2) << word;
        EXPECT_EQ(run.out, "") << word;
        EXPECT_TRUE(holds(run.err, "Unknown option \"" + word +
                                       "\" (an argument that begins with \"-\" follows \"--\")"))
            << run.err;
    }
    EXPECT_EQ(QDir(QString::fromStdString(path(""))).entryList(QDir::Files), QStringList{"in.pud"});
    // "-", negative numbers and anything after "--" are arguments.
    EXPECT_TRUE(holds(runCommand({"fields", "-"}).err, "Unexpected argument \"-\""));
    EXPECT_TRUE(holds(runCommand({"fields", "--", "-h"}).err, "Unexpected argument \"-h\""));
    EXPECT_TRUE(holds(runCommand({"fields", "-7"}).err, "Unexpected argument \"-7\""));
    const ToolRun switchWithValue = runCommand({"import", "a", "b", "c", "--quiet=yes"});
    EXPECT_EQ(switchWithValue.code, 2);
    EXPECT_TRUE(holds(switchWithValue.err, "--quiet takes no value")) << switchWithValue.err;
}

TEST(ToolCommandLine, ABadValueNamesItsOptionOrArgumentAndWhatIsAllowed) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"minimap", "a.pud", "m.png", "--scale", "x"},
         "minimap: --scale: \"x\" is not a whole number from 1 to 32\n"},
        {{"minimap", "a.pud", "m.png", "--scale=33"}, "minimap: --scale: \"33\" is not"},
        {{"units", "a.pud", "--format", "xml"},
         "units: --format: \"xml\" is not one of text, json, csv\n"},
        {{"diff", "a.pud", "b.pud", "--format=csv"},
         "diff: --format: \"csv\" is not one of text, json, changes\n"},
        {{"export", "xyz", "a.pud", "o"},
         "export: KIND: \"xyz\" is not one of udta, ugrd, up, un, alo\n"},
        {{"defaults", "a.pud", "b.pud", "--upgrades", "yes"},
         "defaults: --upgrades: \"yes\" is not one of on, off\n"},
        {{"extract", "a.war", "-1", "o"},
         "extract: N: \"-1\" is not a whole number of 0 or more\n"},
        {{"sprite", "a.gfx", "b.png", "--frames", "2x"},
         "sprite: --frames: \"2x\" is not a whole number"},
        {{"balance", "a.pud", "0", "frob"}, "balance: B: No unit is named \"frob\""},
    };
    for (const auto& [arguments, message] : cases) {
        const ToolRun run = runCommand(arguments);
        EXPECT_EQ(run.code, 2) << message;
        EXPECT_TRUE(holds(run.err, "tarnwick-tool " + message)) << run.err;
    }
}

TEST_F(ToolTest, OptionsStandAnywhereInEitherForm) {
    write("unit.gfx", demo::demoSprite(4, 30, 20, 9));
    write("colours.pal", demo::demoPalette(3));
    ASSERT_EQ(runCommand({"sprite", path("unit.gfx"), path("a.bmp"), "--palette",
                          path("colours.pal"), "--frames", "2"})
                  .code,
              0);
    const std::vector<std::vector<std::string>> orders = {
        {"sprite", "--frames=2", "--palette=" + path("colours.pal"), path("unit.gfx"),
         path("b.bmp")},
        {"sprite", path("unit.gfx"), "--frames", "2", path("b.bmp"), "--palette",
         path("colours.pal")},
    };
    for (const auto& arguments : orders) {
        ASSERT_EQ(runCommand(arguments).code, 0) << arguments[1];
        EXPECT_EQ(contents("b.bmp"), contents("a.bmp")) << arguments[1];
        QFile::remove(QString::fromStdString(path("b.bmp")));
    }
    write("a.war", ArchiveBuilder().stored({1}).stored({2}).bytes());
    write("data.bin", Bytes(300, 'x'));
    ASSERT_EQ(runCommand({"insert", "--compress", path("a.war"), "1", path("data.bin")}).code, 0);
    EXPECT_TRUE(holds(runCommand({"list", path("a.war")}).out, " compressed 300\n"));
}

// The ends of every bounded number are taken and one past them refused: by the parser for every
// option and argument of the table, and by the commands themselves at the documented ends.
TEST_F(ToolTest, EveryNumberTakesItsSmallestAndLargestAndNothingBeyond) {
    int bounded = 0;
    const auto check = [&](const std::string& name, const tool::ValueKind& kind) {
        if (kind.type != tool::ValueKind::Type::Integer ||
            kind.minimum == std::numeric_limits<std::int64_t>::min() ||
            kind.maximum == std::numeric_limits<std::int64_t>::max()) {
            return;
        }
        ++bounded;
        EXPECT_NO_THROW(tool::checkValue(name, kind, std::to_string(kind.minimum))) << name;
        EXPECT_NO_THROW(tool::checkValue(name, kind, std::to_string(kind.maximum))) << name;
        EXPECT_THROW(tool::checkValue(name, kind, std::to_string(kind.minimum - 1)), Error) << name;
        EXPECT_THROW(tool::checkValue(name, kind, std::to_string(kind.maximum + 1)), Error) << name;
    };
    for (const tool::Command& command : tool::toolCommands()) {
        for (const tool::Argument& argument : command.arguments) {
            check(command.name + " " + argument.name, argument.kind);
        }
        for (const tool::Option& option : command.options) {
            check(command.name + " --" + option.name, option.kind);
        }
    }
    EXPECT_GE(bounded, 4);

    demo::writeDemoGameDirectory(QString::fromStdString(path("game")));
    write("demo.pud", files::writeScenario(demo::demoScenario()));
    const std::string demo = path("demo.pud");
    const auto png = [&](const std::vector<std::string>& arguments) {
        const ToolRun run = runCommand(arguments);
        EXPECT_EQ(run.code, 0) << run.err;
        return QImage(QString::fromStdString(path("out.png"))).size();
    };
    EXPECT_EQ(png({"minimap", demo, path("out.png"), "--size", "4096"}), QSize(4096, 4096));
    EXPECT_EQ(png({"minimap", demo, path("out.png"), "--size", "1"}), QSize(1, 1));
    const QSize map = png(
        {"balance", demo, "--matrix", path("out.png"), "--game", path("game"), "--size", "4096"});
    // Whole cells as large as fit: more than the default cells give, never past the size.
    EXPECT_LE(std::max(map.width(), map.height()), 4096);
    EXPECT_GT(std::max(map.width(), map.height()), 2048);
    for (const std::string row : {"1", "87"}) {
        const ToolRun run = runCommand({"direct-load", path("game"), row, path("slot")});
        EXPECT_EQ(run.code, 0) << row << run.err;
    }
    EXPECT_EQ(runCommand({"direct-load", path("game"), "88", path("slot")}).code, 2);
    EXPECT_EQ(runCommand({"minimap", demo, path("out.png"), "--size", "4097"}).code, 2);
}
