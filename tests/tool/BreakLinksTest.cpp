// A file written by the tool that has other hard links: refused, or with --break-links parted
// from them.
#include <gtest/gtest.h>

#include <filesystem>

#include "DemoScenario.h"
#include "ToolTestSupport.h"
#include "core/files/Scenario.h"

namespace {

using namespace tarnwick;

class BreakLinksTest : public testsupport::ToolTest {};

TEST_F(BreakLinksTest, AFileWithOtherHardLinksIsRefusedUnlessTheLinksMayBreak) {
    const std::vector<std::uint8_t> scenario = files::writeScenario(demo::demoScenario());
    write("a.pud", scenario);
    std::filesystem::create_hard_link(path("a.pud"), path("b.pud"));
    const std::vector<std::string> setFootman = {"set", path("a.pud"), path("a.pud"),
                                                 "0",   "hitPoints",   "77"};

    const auto refused = testsupport::runCommand(setFootman);
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err, "tarnwick-tool set: " + path("a.pud") +
                               " has 2 hard links; saving would separate them\n");
    EXPECT_EQ(contents("a.pud"), scenario);

    std::vector<std::string> breaking = setFootman;
    breaking.insert(breaking.begin() + 1, "--break-links");
    const auto written = testsupport::runCommand(breaking);
    EXPECT_EQ(written.code, 0) << written.err;
    EXPECT_NE(contents("a.pud"), scenario);
    EXPECT_EQ(contents("b.pud"), scenario);
    // The choice was this command's: the next one refuses again.
    std::filesystem::create_hard_link(path("a.pud"), path("c.pud"));
    EXPECT_EQ(testsupport::runCommand(setFootman).code, 1);
}

}  // namespace
