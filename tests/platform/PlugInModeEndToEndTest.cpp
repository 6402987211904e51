#include <gtest/gtest.h>

#include <signal.h>

#include <QFileInfo>
#include <QLocalServer>
#include <QRegularExpression>
#include <QThread>

#include "HostRun.h"

// Plug-in mode end to end: tarnwick-host starts the editor. The editor that
// is typed into is the real main window in a program of its own (tarnwick-scripted-editor), its
// boxes answered by script; the real tarnwick, which nobody can type into here, is checked for
// what it does without a user.
using namespace tarnwick;
using namespace tarnwick::hostrun;

namespace {

class PlugInModeEndToEndTest : public HostRunTest {
  protected:
    PlugInModeEndToEndTest() { editor_ = TARNWICK_SCRIPTED_EDITOR; }

    void TearDown() override {
        if (editorProcess_ > 0) {
            ::kill(editorProcess_, SIGKILL);  // only when it did not end by itself
        }
        if (hostProcess_.state() != QProcess::NotRunning) {
            hostProcess_.kill();
            hostProcess_.waitForFinished();
        }
        // What a host killed outright leaves besides its block: its socket's name.
        if (hostPid_ > 0) {
            QLocalServer::removeServer(QString::fromStdString(
                plugin::notificationEndpoint(static_cast<std::uint32_t>(hostPid_))));
        }
        HostRunTest::TearDown();
    }

    // The host runs, and the editor with it, with all that both print going to a file: the
    // editor goes on printing there once the host is gone. The editor waits for `goAhead_`
    // after its edit, and keeps the edits in `kept_` should the window stay.
    void startHost(const QList<std::pair<QString, QString>>& settings) {
        hostProcess_.setProcessChannelMode(QProcess::MergedChannels);
        hostProcess_.setStandardOutputFile(log_);
        auto env = environment(settings);
        env.insert("TARNWICK_EDITOR_GO", goAhead_);
        env.insert("TARNWICK_EDITOR_KEEP", kept_);
        hostProcess_.setProcessEnvironment(env);
        hostProcess_.start(TARNWICK_HOST, {scenarioPath_, "--editor", editor_, "--timeout", "60"});
        ASSERT_TRUE(hostProcess_.waitForStarted());
        hostPid_ = static_cast<pid_t>(hostProcess_.processId());
    }

    // What has been printed, once `line` is among it (a bounded wait).
    QString printedOnce(const QString& line) {
        QString printed;
        for (int waits = 0; waits < 600 && !printed.contains(line); ++waits) {
            QThread::msleep(50);
            QFile file(log_);
            printed = file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : "";
        }
        const auto pid = QRegularExpression("editor: process (\\d+)").match(printed);
        editorProcess_ = pid.hasMatch() ? pid.captured(1).toInt() : 0;
        if (printed.contains("editor: ended")) {
            editorProcess_ = 0;
        }
        return printed;
    }

    void giveGoAhead() {
        QFile file(goAhead_);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QProcess hostProcess_;
    pid_t hostPid_ = 0;
    pid_t editorProcess_ = 0;
    QString log_ = directory_.filePath("printed.txt");
    QString goAhead_ = directory_.filePath("go");
    QString kept_ = directory_.filePath("kept.pud");
};

const QString kQuestionShown = "editor shows: Save?: Do you wish to save changes before quitting?";

QString notHandedOver(const QString& reason) {
    return "editor shows: Tarnwick: Error: Cannot communicate with Marrowby. The host does not "
           "answer: " +
           reason +
           "; the scenario was not handed over.\nThe edits are still here: \"Save As...\" "
           "writes them to a file.";
}

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
    QStringList said = result.output.split('\n', Qt::SkipEmptyParts)
                           .filter(QRegularExpression("^editor( shows:|: ended)"));
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
    EXPECT_TRUE(inOrder(result.output, {"received 1025 (0, 0)", "stopping the editor",
                                        "FAILED: the editor did not end within 10 s",
                                        "removed " + QString::fromStdString(blockName_)}));
    EXPECT_FALSE(result.output.contains("received 1026")) << result.output.toStdString();
}

// The host is killed while the user edits: its block stays behind and its socket takes no calls.
// "Save and Exit" says so and the window stays with the edits, which "Save As..." keeps; the
// next start on the dead host's block is refused like a missing block.
TEST_F(PlugInModeEndToEndTest, AKilledHostLeavesTheEditsInTheWindowAndRefusesTheNextStart) {
    startHost({});
    ASSERT_TRUE(printedOnce("editor: unit 3 hit points 4321").contains("received 1025 (0, 0)"));
    ::kill(hostPid_, SIGKILL);
    ASSERT_TRUE(hostProcess_.waitForFinished());
    giveGoAhead();
    const QString printed = printedOnce("editor: ended");
    EXPECT_TRUE(inOrder(printed, {notHandedOver("its socket refuses the connection"),
                                  "editor: the window stays", "editor: chose Save As " + kept_,
                                  kQuestionShown, "editor: ended with exit code 0"}));
    EXPECT_EQ(read(kept_), editedScenario());
    EXPECT_EQ(printed.count("editor shows"), 2) << printed.toStdString();

    ASSERT_TRUE(blockExists());
    leavesBlock_ = true;
    const RunResult next = run(TARNWICK_SCRIPTED_EDITOR, {"-MarrowbyPlugIn"});
    EXPECT_EQ(next.exitCode, 1);
    EXPECT_TRUE(next.output.contains(
        "editor shows: Tarnwick: Error: Cannot communicate with Marrowby. The host does not "
        "answer: its socket refuses the connection.\neditor: ended with exit code 1"))
        << next.output.toStdString();
}

// A stopped host takes the message and never answers: the editor gives up after its wait.
TEST_F(PlugInModeEndToEndTest, AStoppedHostLeavesTheEditsInTheWindow) {
    startHost({{"TARNWICK_EDITOR_WAIT_MS", "1000"}});
    ASSERT_TRUE(printedOnce("editor: unit 3 hit points 4321").contains("received 1025 (0, 0)"));
    ::kill(hostPid_, SIGSTOP);
    giveGoAhead();
    const QString printed = printedOnce("editor: ended");
    EXPECT_TRUE(inOrder(printed, {notHandedOver("no answer within 1 s"), "editor: the window stays",
                                  "editor: chose Save As " + kept_, kQuestionShown,
                                  "editor: ended with exit code 0"}));
    EXPECT_EQ(read(kept_), editedScenario());
    leavesBlock_ = true;  // its host is killed below, before it could remove it
}

// A second editor started on the block while the first one edits is refused at its start: the
// host gets the first one's scenario, and only from it.
TEST_F(PlugInModeEndToEndTest, ASecondEditorOnTheSameBlockIsRefusedAndTheFirstOnesEditsStay) {
    startHost({});
    ASSERT_TRUE(printedOnce("editor: unit 3 hit points 4321").contains("received 1025 (0, 0)"));
    const RunResult second = run(TARNWICK_SCRIPTED_EDITOR, {"-MarrowbyPlugIn"});
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_TRUE(second.output.contains(
        "editor shows: Tarnwick: Error: Cannot communicate with Marrowby. Another editor is "
        "already working on this scenario.\neditor: ended with exit code 1"))
        << second.output.toStdString();
    giveGoAhead();
    const QString printed = printedOnce("the editor ended");
    EXPECT_TRUE(inOrder(printed, {"received 1026 (1, 0)", "the editor saved; wrote",
                                  "editor: ended with exit code 0"}))
        << printed.toStdString();
    EXPECT_EQ(printed.count("received 1025"), 1) << printed.toStdString();
    EXPECT_EQ(read(scenarioPath_ + ".out.pud"), editedScenario());
}
