#pragma once

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "DemoScenario.h"
#include "core/files/Scenario.h"
#include "core/files/SectionChain.h"
#include "core/model/UnitDataTable.h"
#include "core/plugin/Notification.h"
#include "platform/FileStore.h"
#include "platform/PluginLink.h"

// What the end-to-end tests of the host link share: tarnwick-host run on a block of the test's
// own, named for the programs through TARNWICK_PLUGIN_BLOCK, so that test runs side by side (and
// a real host) never meet.
namespace tarnwick::hostrun {

using Bytes = std::vector<std::uint8_t>;

struct RunResult {
    int exitCode = -1;
    QString output;
};

inline std::size_t hitPointsOffsetIn(const Bytes& scenario, std::size_t unit) {
    files::SectionChainReader chain(scenario);
    std::size_t position = 0;
    while (const auto header = chain.nextHeader()) {
        const auto body = chain.takeBody();
        if (header->tag == "UDTA") {
            return position + 8 + model::unitfields::hitPoints.offset + unit * 2;
        }
        position += 8 + body.size();
    }
    throw Error("no UDTA");
}

// Runs tarnwick-host on the demo scenario with an editor of the test's choice, and checks that no
// block is left behind, whatever happened.
class HostRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(directory_.isValid());
        static int counter = 0;
        blockName_ =
            "/tarnwick-host-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
        scenarioPath_ = directory_.filePath("demo.pud");
        original_ = files::writeScenario(demo::demoScenario());
        platform::saveWholeFile(scenarioPath_, original_);
    }

    void TearDown() override {
        EXPECT_EQ(blockExists(), leavesBlock_) << blockName_;
        shm_unlink(blockName_.c_str());  // nothing stays, whatever happened
    }

    bool blockExists() const {
        return QFileInfo::exists(QString::fromStdString("/dev/shm" + blockName_));
    }

    QProcessEnvironment environment(const QList<std::pair<QString, QString>>& settings) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TARNWICK_PLUGIN_BLOCK", QString::fromStdString(blockName_));
        for (const auto& [name, value] : settings) {
            env.insert(name, value);
        }
        return env;
    }

    RunResult run(const QString& program, const QStringList& arguments,
                  const QList<std::pair<QString, QString>>& settings = {}) {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.setProcessEnvironment(environment(settings));
        process.start(program, arguments);
        RunResult result;
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            ADD_FAILURE() << program.toStdString() << " did not end";
        }
        result.output = QString::fromLocal8Bit(process.readAll());
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return result;
    }

    RunResult host(QStringList arguments, const QList<std::pair<QString, QString>>& settings = {}) {
        arguments.prepend(scenarioPath_);
        arguments << "--editor" << editor_ << "--timeout"
                  << "30";
        return run(TARNWICK_HOST, arguments, settings);
    }

    Bytes read(const QString& path) { return platform::readWholeFile(path); }

    // The demo scenario with unit 3's hit points at 4321, as the test editors save it.
    Bytes editedScenario() const {
        Bytes expected = original_;
        const std::size_t at = hitPointsOffsetIn(original_, 3);
        expected[at] = 4321 & 0xFF;
        expected[at + 1] = 4321 >> 8;
        return expected;
    }

    QString editor_ = TARNWICK_STUB;
    std::string blockName_;
    bool leavesBlock_ = false;  // a host killed outright leaves its block behind
    QTemporaryDir directory_;
    QString scenarioPath_;
    Bytes original_;
};

inline ::testing::AssertionResult inOrder(const QString& text, const QStringList& lines) {
    qsizetype from = 0;
    for (const QString& line : lines) {
        const qsizetype at = text.indexOf(line, from);
        if (at < 0) {
            return ::testing::AssertionFailure()
                   << "\"" << line.toStdString() << "\" missing (in order) from:\n"
                   << text.toStdString();
        }
        from = at + line.size();
    }
    return ::testing::AssertionSuccess();
}

}  // namespace tarnwick::hostrun
