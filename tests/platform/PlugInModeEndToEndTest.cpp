#include <gtest/gtest.h>

#include <QFileInfo>

#include "HostRun.h"

// Plug-in mode end to end: tarnwick-host with the real block starts the editor. The editor that
// is typed into is the real main window in a program of its own (tarnwick-scripted-editor), its
// boxes answered by script; the real tarnwick, which nobody can type into here, is checked for
// what it does without a user.
using namespace tarnwick;
using namespace tarnwick::hostrun;

namespace {

class PlugInModeEndToEndTest : public HostRunTest {
  protected:
    PlugInModeEndToEndTest() { editor_ = TARNWICK_SCRIPTED_EDITOR; }
};

const QString kQuestionShown = "editor shows: Save?: Do you wish to save changes before quitting?";

}  // namespace

TEST_F(PlugInModeEndToEndTest, SaveAndExitGivesTheHostTheEditedScenario) {
    const QString out = directory_.filePath("saved.pud");
    const RunResult result = host({"--out", out});
    EXPECT_EQ(result.exitCode, 0) << result.output.toStdString();
    EXPECT_TRUE(inOrder(result.output, {"received 1025 (0, 0)", "editor: unit 3 hit points 4321",
                                        "received 1026 (1, 0)", "the editor saved; wrote " + out,
                                        "editor: ended with exit code 0",
                                        "the editor ended with exit code 0", "done"}));
    EXPECT_FALSE(result.output.contains("editor shows")) << result.output.toStdString();
    EXPECT_EQ(read(out), editedScenario());
}

TEST_F(PlugInModeEndToEndTest, NoInTheExitQuestionSends1026With0AndLeavesTheFixedPart) {
    const QString out = directory_.filePath("unsaved.pud");
    const RunResult result = host({"--out", out}, {{"TARNWICK_EDITOR_ENDING", "exit-no"}});
    EXPECT_EQ(result.exitCode, 0) << result.output.toStdString();
    EXPECT_TRUE(inOrder(result.output,
                        {"received 1025 (0, 0)", "editor: unit 3 hit points 4321", kQuestionShown,
                         "received 1026 (0, 0)", "the fixed part is as the host wrote it",
                         "editor: ended with exit code 0"}));
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST_F(PlugInModeEndToEndTest, WithoutAHostBlockTheEditorSaysSoAndEndsWithFailure) {
    const RunResult result = run(TARNWICK_SCRIPTED_EDITOR, {"-MarrowbyPlugIn"});
    EXPECT_EQ(result.exitCode, 1);
    // Nothing else is asked: not even where the game is.
    QStringList said = result.output.split('\n', Qt::SkipEmptyParts).filter("editor");
    EXPECT_EQ(said, (QStringList{"editor shows: Tarnwick: Error: Cannot communicate with Marrowby.",
                                 "editor: ended with exit code 1"}))
        << result.output.toStdString();
}

// Ten seconds leave a loaded machine room to start the editor before the host gives up on it.
TEST_F(PlugInModeEndToEndTest, TheRealEditorOpensTheHostsBlockAndWaitsForItsUser) {
    const RunResult result =
        run(TARNWICK_HOST, {scenarioPath_, "--editor", TARNWICK_EDITOR, "--timeout", "10"},
            {{"QT_QPA_PLATFORM", "offscreen"}, {"XDG_CONFIG_HOME", directory_.path()}});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_TRUE(inOrder(result.output,
                        {"received 1025 (0, 0)", "stopping the editor",
                         "FAILED: the editor did not end within 10 s", "removed /MarrowbyFMF.DTA"}));
    EXPECT_FALSE(result.output.contains("received 1026")) << result.output.toStdString();
}
