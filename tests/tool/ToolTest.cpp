#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <sstream>

#include "ScenarioBuilder.h"
#include "platform/FileStore.h"
#include "tool/ToolCommands.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

namespace {

struct ToolRun {
    int code;
    std::string out;
    std::string err;
};

ToolRun runCommand(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = tarnwick::tool::runTool(arguments, out, err);
    return {code, out.str(), err.str()};
}

class ToolTest : public ::testing::Test {
protected:
    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
    void write(const char* name, const Bytes& bytes) const {
        platform::saveWholeFile(QString::fromStdString(path(name)), bytes);
    }
    Bytes contents(const char* name) const {
        return platform::readWholeFile(QString::fromStdString(path(name)));
    }
    QTemporaryDir dir;
};

}  // namespace

TEST_F(ToolTest, SectionsListsTagAndLengthPerLine) {
    write("a.pud", chainOf({{"TYPE", Bytes(16)}, {"VER ", Bytes(2)}, {"ODD!", Bytes(3)}}));
    const ToolRun run = runCommand({"sections", path("a.pud")});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "TYPE 16\nVER  2\nODD! 3\n");
}

TEST_F(ToolTest, SectionsStopsWithAnErrorAtADamagedSection) {
    write("bad.pud", ScenarioBuilder()
                         .section("TYPE", Bytes(16))
                         .sectionClaiming("MTXM", 999, Bytes(4))
                         .bytes());
    const ToolRun run = runCommand({"sections", path("bad.pud")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "TYPE 16\n");
    EXPECT_NE(run.err.find("Section \"MTXM\" is damaged"), std::string::npos) << run.err;
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

TEST_F(ToolTest, ResaveRefusesWhatItCannotReadAndWritesNothing) {
    write("plain.txt", Bytes{'h', 'e', 'l', 'l', 'o'});
    write("unknown.pud", chainOf({{"TYPE", Bytes(16)}, {"XXXX", Bytes(1)}}));
    const ToolRun notScenario = runCommand({"resave", path("plain.txt"), path("out.pud")});
    EXPECT_EQ(notScenario.code, 1);
    EXPECT_NE(notScenario.err.find("Unknown or unsupported filetype!"), std::string::npos);
    const ToolRun unknown = runCommand({"resave", path("unknown.pud"), path("out.pud")});
    EXPECT_EQ(unknown.code, 1);
    EXPECT_NE(unknown.err.find("Unknown Section :XXXX"), std::string::npos);
    const ToolRun missing = runCommand({"resave", path("missing.pud"), path("out.pud")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("out.pud"))));
}

TEST_F(ToolTest, AFailedWriteLeavesTheTargetAsItWas) {
    write("in.pud", chainOf(typicalScenarioSections()));
    write("not-a-folder", Bytes{1});
    const ToolRun run = runCommand({"resave", path("in.pud"), path("not-a-folder") + "/out.pud"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(contents("not-a-folder"), Bytes{1});
}

TEST_F(ToolTest, WrongUsagePrintsTheCommands) {
    const ToolRun run = runCommand({"resave", "only-one"});
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.err.find("tarnwick-tool resave IN OUT"), std::string::npos);
    EXPECT_EQ(runCommand({}).code, 2);
    EXPECT_EQ(runCommand({"frobnicate"}).code, 2);
}
