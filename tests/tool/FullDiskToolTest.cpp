// Every output of the tool onto a full disk: the command fails with the system's reason and the
// disk holds exactly what it held before, whether the file is smaller than the write buffer or not.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include <QString>
#include <QTemporaryDir>
#include <sstream>

#include <sys/wait.h>

#include "ArchiveBuilder.h"
#include "DemoGameData.h"
#include "FullDisk.h"
#include "ScenarioBuilder.h"
#include "platform/FileStore.h"
#include "tool/ToolCommands.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

namespace {

struct Output {
    const char* what;
    std::vector<std::string> arguments;  // "@" stands for the target on the full disk
    bool targetExists;                   // an old file to keep, or none to leave absent
};

class FullDiskTool : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!disk.isMounted()) {
            GTEST_SKIP() << disk.failure();
        }
        save(source("units.pud"), scenarioWithUnits({}));
        save(source("game.war"), ArchiveBuilder()
                                     .stored(patternBytes(100, 1))
                                     .stored(patternBytes(40000, 2))
                                     .compressed(patternBytes(3000, 3))
                                     .bytes());
        save(source("unit.gfx"), demo::demoSprite(2, 16, 16, 4));
        ASSERT_EQ(run({"export", "udta", source("units.pud"), source("units.udt")}), 0);
    }
    std::string source(const char* name) const { return sources.filePath(name).toStdString(); }
    static void save(const std::string& path, const Bytes& bytes) {
        platform::saveWholeFile(QString::fromStdString(path), bytes);
    }
    // Runs the command onto the disk filled by `fill`: it fails with the system's reason, and the
    // disk holds what it held before.
    void expectRefused(const Output& output, const std::function<void()>& fill) {
        SCOPED_TRACE(output.what);
        const std::string target = disk.path(output.arguments[0] == "sprite" ? "out.png" : "out");
        const Bytes old = patternBytes(3000, 7);
        if (output.targetExists) {
            save(target, old);
        }
        fill();
        const auto before = disk.names();
        std::vector<std::string> arguments = output.arguments;
        std::replace(arguments.begin(), arguments.end(), std::string("@"), target);

        EXPECT_EQ(run(arguments), 1);
        EXPECT_NE(lastError.find("No space left on device"), std::string::npos) << lastError;
        EXPECT_EQ(disk.names(), before);
        if (output.targetExists) {
            EXPECT_EQ(platform::readWholeFile(QString::fromStdString(target)), old);
        }
        std::remove(target.c_str());
        std::remove(disk.path("filler").c_str());
    }
    int run(const std::vector<std::string>& arguments) {
        std::ostringstream out;
        std::ostringstream err;
        const int code = tool::runTool(arguments, out, err);
        lastError = err.str();
        return code;
    }

    FullDisk disk;
    QTemporaryDir sources;
    std::string lastError;
};

TEST_F(FullDiskTool, EveryOutputFailsAndKeepsWhatTheDiskHeld) {
    for (const Output& output : {
             Output{"a unit-data file smaller than the write buffer",
                    {"set", source("units.udt"), "@", "3", "hitPoints", "77"},
                    true},
             Output{"a scenario", {"resave", source("units.pud"), "@"}, true},
             Output{"a small entry", {"extract", source("game.war"), "0", "@"}, false},
             Output{"a large entry", {"extract", source("game.war"), "1", "@"}, true},
             Output{"an export", {"export", "ugrd", source("units.pud"), "@"}, false},
             Output{"a compressed stream", {"compress", source("units.udt"), "@"}, true},
             Output{"a PNG", {"sprite", source("unit.gfx"), "@"}, true},
         }) {
        expectRefused(output, [this] { disk.fill(); });
    }
}

// The first write takes the page that is left and only the next one fails: the reason is that
// one's, not "Unknown error".
TEST_F(FullDiskTool, AnOutputThatFillsTheDiskPartWaySaysWhy) {
    for (const Output& output : {
             Output{"a unit-data file", {"set", source("units.udt"), "@", "3", "armor", "9"}, true},
             Output{"a scenario", {"resave", source("units.pud"), "@"}, false},
             Output{"a large entry", {"extract", source("game.war"), "1", "@"}, true},
         }) {
        expectRefused(output, [this] { disk.fillLeaving(4096); });
    }
}

// A shell's redirection onto the disk: the tool cannot keep the file whole, but it says that it
// is not, instead of leaving a cut listing behind with exit status 0.
TEST_F(FullDiskTool, TextRedirectedOntoAFullDiskIsAFailure) {
    disk.fillLeaving(8192);
    const std::string line = "'" TARNWICK_TOOL "' units '" + source("units.pud") +
                             "' --format json > '" + disk.path("units.json") + "' 2> '" +
                             source("err") + "'";
    const int status = std::system(line.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    const Bytes err = platform::readWholeFile(QString::fromStdString(source("err")));
    EXPECT_EQ(std::string(err.begin(), err.end()),
              "tarnwick-tool: standard output: No space left on device\n");
}

TEST_F(FullDiskTool, InsertLeavesAnArchiveOnAFullDiskAsItWas) {
    const std::string archive = disk.path("game.war");
    const Bytes old = platform::readWholeFile(QString::fromStdString(source("game.war")));
    save(archive, old);
    disk.fill();
    EXPECT_EQ(run({"insert", archive, "0", source("units.udt")}), 1);
    EXPECT_NE(lastError.find("No space left on device"), std::string::npos) << lastError;
    EXPECT_EQ(platform::readWholeFile(QString::fromStdString(archive)), old);
    EXPECT_EQ(disk.names(), (std::vector<std::string>{"filler", "game.war"}));
}

TEST_F(FullDiskTool, ApplyInPlaceTellsWhichFilesItChangedBeforeTheDiskFilled) {
    const std::string changes = "unit,armor\n0,9\n";
    save(source("armor.csv"), Bytes(changes.begin(), changes.end()));
    const std::string full = disk.path("full.pud");
    save(full, scenarioWithUnits({}));
    disk.fill();
    EXPECT_EQ(run({"apply", "--in-place", source("armor.csv"), source("units.pud"), full}), 1);
    EXPECT_NE(lastError.find("No space left on device"), std::string::npos) << lastError;
    EXPECT_NE(lastError.find("\nChanged: " + source("units.pud") + ".\nNot changed: " + full + "."),
              std::string::npos)
        << lastError;
    EXPECT_EQ(platform::readWholeFile(QString::fromStdString(full)), scenarioWithUnits({}));
    model::UnitDataTable armored;
    armored.set(model::unitfields::armor, 0, 9);
    EXPECT_EQ(platform::readWholeFile(QString::fromStdString(source("units.pud"))),
              scenarioWithUnits(armored));
}

}  // namespace
