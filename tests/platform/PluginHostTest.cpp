#include <gtest/gtest.h>

#include <sys/stat.h>

#include <optional>

#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QProcess>

#include "HostRun.h"
#include "SharedBlockOwner.h"
#include "core/plugin/HostBlock.h"
#include "core/plugin/Notification.h"

// End to end: tarnwick-host plays the host, and the stand-in editor uses the platform link as the
// editor's plug-in mode does.
using namespace tarnwick;
using namespace tarnwick::hostrun;

namespace {

class PluginHostTest : public HostRunTest {};

}  // namespace

// A real host, or another test run, may hold the host's own block name meanwhile: a run with a
// name of its own neither fails on it nor touches it.
TEST_F(PluginHostTest, ARunOnABlockOfItsOwnLeavesTheHostsBlockAlone) {
    const Bytes hostsBlock = plugin::blockFromScenario(demo::demoScenario(), 0);
    std::optional<hostsim::SharedBlockOwner> realHost;
    try {
        realHost.emplace(platform::PluginLink::kBlockName, hostsBlock);
    } catch (const Error&) {
        // Somebody else's is there already, which serves as well.
    }
    const QString out = directory_.filePath("saved.pud");
    const RunResult result = host({"--out", out});
    EXPECT_EQ(result.exitCode, 0) << result.output.toStdString();
    EXPECT_EQ(read(out), editedScenario());
    if (realHost) {
        const auto bytes = realHost->bytes();
        EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), hostsBlock);
    }
}

TEST_F(PluginHostTest, HandleZeroSendsNothingAndTheLinkStillWorks) {
    QLocalServer watch;  // the endpoint a handle of 0 would name
    const bool watching = watch.listen(QString::fromStdString(plugin::notificationEndpoint(0)));

    const QString saved = directory_.filePath("h0-saved.pud");
    const RunResult save = host({"--handle", "0", "--out", saved});
    EXPECT_EQ(save.exitCode, 0) << save.output.toStdString();
    EXPECT_FALSE(save.output.contains("received"));
    EXPECT_TRUE(inOrder(save.output, {"host handle 0", "1025 not sent", "1026 not sent",
                                      "the editor changed the block; wrote " + saved}));
    EXPECT_EQ(read(saved), editedScenario());

    const QString unsaved = directory_.filePath("h0-unsaved.pud");
    const RunResult leave =
        host({"--handle", "0", "--out", unsaved}, {{"TARNWICK_STUB_SAVE", "0"}});
    EXPECT_EQ(leave.exitCode, 0) << leave.output.toStdString();
    EXPECT_TRUE(leave.output.contains("the block is as the host wrote it; nothing written"));
    EXPECT_FALSE(QFileInfo::exists(unsaved));

    if (watching) {
        EXPECT_FALSE(watch.waitForNewConnection(0)) << "something notified handle 0";
    }
}

TEST_F(PluginHostTest, AHandleWithLow16BitsZeroGetsBothNotifications) {
    const RunResult result = host({"--handle", "0x10000"});
    EXPECT_EQ(result.exitCode, 0) << result.output.toStdString();
    EXPECT_TRUE(inOrder(result.output,
                        {"host handle 65536", "received 1025 (0, 0)", "received 1026 (1, 0)"}));
    // Without --out the scenario goes beside the host's file, which stays as it was.
    EXPECT_EQ(read(scenarioPath_ + ".out.pud"), editedScenario());
    EXPECT_EQ(read(scenarioPath_), original_);
}

TEST_F(PluginHostTest, TheHostWritesBackTheSignItsBlockHasNoRoomFor) {
    // As the game's online edition writes it: at the end.
    const std::vector<std::uint8_t> sign = {1, 2, 3, 4};
    files::appendSection(original_, {{'S', 'I', 'G', 'N'}, 4}, sign);
    platform::saveWholeFile(scenarioPath_, original_);
    const QString out = directory_.filePath("signed.pud");
    const RunResult result = host({"--out", out});
    EXPECT_EQ(result.exitCode, 0) << result.output.toStdString();
    EXPECT_EQ(read(out), editedScenario());
}

TEST_F(PluginHostTest, AnEditorThatFailsOrNeverNotifiesFailsTheHost) {
    const RunResult failed = host({}, {{"TARNWICK_STUB_MODE", "fail"}});
    EXPECT_NE(failed.exitCode, 0);
    EXPECT_TRUE(failed.output.contains("FAILED: the editor failed (exit code 3)"))
        << failed.output.toStdString();
    EXPECT_FALSE(blockExists());

    const RunResult silent = host({}, {{"TARNWICK_STUB_MODE", "exit-open"}});
    EXPECT_NE(silent.exitCode, 0);
    EXPECT_TRUE(silent.output.contains("FAILED: the editor never sent 1026"))
        << silent.output.toStdString();
    EXPECT_FALSE(QFileInfo::exists(scenarioPath_ + ".out.pud"));
}

TEST_F(PluginHostTest, AnEditorThatCannotStartFailsTheHost) {
    const QString notAProgram = directory_.filePath("not-a-program");
    {
        QFile file(notAProgram);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("no program");
        file.setPermissions(file.permissions() | QFile::ExeOwner);
    }
    const RunResult result =
        run(TARNWICK_HOST, {scenarioPath_, "--editor", notAProgram, "--timeout", "30"});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_TRUE(result.output.contains("FAILED: cannot start the editor"))
        << result.output.toStdString();
    EXPECT_TRUE(result.output.contains("removed " + QString::fromStdString(blockName_)));
}

TEST_F(PluginHostTest, AnEditorThatNeverEndsIsStoppedAtTheTimeLimit) {
    const RunResult result =
        run(TARNWICK_HOST, {scenarioPath_, "--editor", TARNWICK_STUB, "--timeout", "1"},
            {{"TARNWICK_STUB_MODE", "sleep"}});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_TRUE(result.output.contains("FAILED: the editor did not end within 1 s"))
        << result.output.toStdString();
}

TEST_F(PluginHostTest, AHostStoppedBySignalRemovesTheBlockWhichItMadeForItsUserOnly) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setProcessEnvironment(environment({{"TARNWICK_STUB_MODE", "sleep"}}));
    process.start(TARNWICK_HOST, {scenarioPath_, "--editor", TARNWICK_STUB, "--timeout", "30"});
    QString output;
    // Until the stand-in editor has opened the block and sits in its edit; a bounded wait.
    for (int reads = 0; reads < 100 && !output.contains("stub: unit 3"); ++reads) {
        process.waitForReadyRead(200);
        output += QString::fromLocal8Bit(process.readAll());
    }
    ASSERT_TRUE(output.contains("received 1025 (0, 0)")) << output.toStdString();
    struct stat status {};
    ASSERT_EQ(stat(("/dev/shm" + blockName_).c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    EXPECT_EQ(status.st_size, 126822);

    process.terminate();
    ASSERT_TRUE(process.waitForFinished(20000));
    output += QString::fromLocal8Bit(process.readAll());
    EXPECT_NE(process.exitCode(), 0);
    EXPECT_TRUE(output.contains("interrupted by signal")) << output.toStdString();
    EXPECT_TRUE(output.contains("removed " + QString::fromStdString(blockName_)));
}

TEST_F(PluginHostTest, ScenariosTheBlockCannotHoldAreRefusedBeforeAnythingIsCreated) {
    const QString notAScenario = directory_.filePath("junk.pud");
    platform::saveWholeFile(notAScenario, Bytes{1, 2, 3});
    const RunResult junk = run(TARNWICK_HOST, {notAScenario, "--editor", TARNWICK_STUB});
    EXPECT_EQ(junk.exitCode, 2);
    EXPECT_FALSE(junk.output.contains("created"));

    const RunResult usage = run(TARNWICK_HOST, {});
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_TRUE(usage.output.contains("usage: tarnwick-host FILE.pud"));
}
