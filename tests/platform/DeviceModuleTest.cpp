#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>
#include <string>

#include <QLibrary>
#include <QString>
#include <QtGlobal>

#include "core/plugin/PluginLinkError.h"
#include "platform/DeviceModule.h"

// The module the editor loads on first use, loaded as it loads it: by the factory names it
// looks for, what they make used across the module's border.
using namespace tarnwick;

namespace {

QString lastWarning;

void keepWarning(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtWarningMsg) {
        lastWarning = message;
    }
}

}  // namespace

TEST(DeviceModuleTest, MakesTheHostLinkAndTheSoundDeviceByTheNamesTheEditorAsksFor) {
    QLibrary module(TARNWICK_DEVICE_MODULE_PATH);
    const auto createLink =
        reinterpret_cast<platform::CreateHostLink>(module.resolve(platform::kCreateHostLink));
    const auto createSound =
        reinterpret_cast<platform::CreateSoundOutput>(module.resolve(platform::kCreateSoundOutput));
    ASSERT_NE(createLink, nullptr) << module.errorString().toStdString();
    ASSERT_NE(createSound, nullptr) << module.errorString().toStdString();

    // A block nobody made: the link's own error, caught on this side.
    qputenv("TARNWICK_PLUGIN_BLOCK", "/tarnwick-test-module-" + QByteArray::number(::getpid()));
    const std::unique_ptr<platform::HostLink> link(createLink());
    try {
        link->open();
        FAIL() << "a missing block opened";
    } catch (const plugin::PluginLinkError& error) {
        EXPECT_EQ(std::string(error.what()), plugin::kCannotCommunicate);
    }
    link->close(false);

    // The real player: it refuses what is no wave, and says so.
    qputenv("PULSE_SERVER", "unix:/nonexistent/tarnwick-test");
    const std::unique_ptr<platform::SoundOutput> sound(createSound());
    const QtMessageHandler previous = qInstallMessageHandler(keepWarning);
    sound->playWave({'M', 'Z', 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    qInstallMessageHandler(previous);
    EXPECT_EQ(lastWarning, "Not a playable wave sound: it does not start with RIFF and WAVE");
}
