#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include <QLocalServer>
#include <QProcess>
#include <QProcessEnvironment>

#include "DemoScenario.h"
#include "SharedBlockOwner.h"
#include "core/bytes/LittleEndian.h"
#include "core/plugin/HostBlock.h"
#include "core/plugin/Notification.h"
#include "core/plugin/PluginDocument.h"
#include "core/plugin/SharedBlock.h"
#include "platform/PluginLink.h"

// The link in-process, on blocks of names of their own; the end-to-end tests use the real one.
using namespace tarnwick;
using namespace std::chrono_literals;
using hostsim::SharedBlockOwner;
using platform::NotificationResult;
using platform::PluginLink;
using Bytes = std::vector<std::uint8_t>;

namespace {

std::string uniqueBlockName() {
    static int counter = 0;
    return "/tarnwick-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
}

// A handle no other test run uses.
std::uint32_t uniqueHandle() {
    return static_cast<std::uint32_t>(::getpid()) << 8 | 0x5A;
}

// The endpoint of a stopped host: it takes connections into its backlog and never answers.
bool listenAsStoppedHost(QLocalServer& server, std::uint32_t handle) {
    const auto name = QString::fromStdString(plugin::notificationEndpoint(handle));
    QLocalServer::removeServer(name);
    return server.listen(name);
}

Bytes demoBlock(std::uint32_t handle = 0) {
    return plugin::blockFromScenario(demo::demoScenario(), handle);
}

Bytes contentsOf(SharedBlockOwner& owner) {
    const auto bytes = owner.bytes();
    return Bytes(bytes.begin(), bytes.end());
}

std::string openFailure(PluginLink& link) {
    try {
        link.open();
    } catch (const plugin::PluginLinkError& error) {
        return error.what();
    }
    return "opened";
}

// Opens, edits unit 3 and tries "Save and Exit"; the failure's text, or "saved".
std::string editAndSave(PluginLink& link) {
    model::Document document;
    plugin::fillDocument(document, link.linkObject());
    document.unitData.set(model::unitfields::hitPoints, 3, 4321);
    try {
        link.saveAndClose(document);
    } catch (const plugin::PluginLinkError& error) {
        return error.what();
    }
    return "saved";
}

}  // namespace

TEST(PluginLink, OpeningTwiceIsRefusedAndTheLinkStaysUsable) {
    SharedBlockOwner owner(uniqueBlockName(), demoBlock());
    PluginLink link(owner.name());
    link.open();
    EXPECT_EQ(openFailure(link), "Marrowby Interface already open.");
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(editAndSave(link), "saved");
    EXPECT_EQ(bytes::readLe(owner.bytes(), 78 + model::unitfields::hitPoints.offset + 6, 2), 4321u);
}

TEST(PluginLink, ObjectsTooSmallForTheLayoutAreRefusedBeforeMapping) {
    for (const std::size_t size : {std::size_t{0}, plugin::kBlockSize - 1}) {
        Bytes block = demoBlock();
        block.resize(size);
        SharedBlockOwner owner(uniqueBlockName(), block);
        PluginLink link(owner.name());
        EXPECT_EQ(openFailure(link), "Cannot communicate with Marrowby. The shared block holds " +
                                         std::to_string(size) +
                                         " bytes; it must hold at least 126822.");
        EXPECT_FALSE(link.isOpen());
    }
}

// A host killed outright leaves its block behind; a stopped one takes the message and never
// answers. Neither is opened, and neither hangs the editor.
TEST(PluginLink, ABlockWhoseHostDoesNotAnswerIsNotOpened) {
    const std::uint32_t handle = uniqueHandle();
    QLocalServer stopped;
    ASSERT_TRUE(listenAsStoppedHost(stopped, handle));
    SharedBlockOwner owner(uniqueBlockName(), demoBlock(handle));
    PluginLink link(owner.name(), 200ms);
    EXPECT_EQ(openFailure(link),
              "Cannot communicate with Marrowby. The host does not answer: no answer within 200 "
              "ms.");
    EXPECT_FALSE(link.isOpen());
    EXPECT_TRUE(stopped.waitForNewConnection(0));

    SharedBlockOwner gone(uniqueBlockName(), demoBlock(handle + 1));
    PluginLink orphaned(gone.name());
    EXPECT_EQ(openFailure(orphaned),
              "Cannot communicate with Marrowby. The host does not answer: nothing listens on its "
              "socket.");
    EXPECT_FALSE(orphaned.isOpen());
}

// The host answered at start and stops answering before "Save and Exit".
TEST(PluginLink, ASaveTheHostDoesNotAnswerKeepsTheLinkOpen) {
    SharedBlockOwner owner(uniqueBlockName(), demoBlock());
    PluginLink link(owner.name(), 200ms);
    link.open();
    const std::uint32_t handle = uniqueHandle();
    QLocalServer stopped;
    ASSERT_TRUE(listenAsStoppedHost(stopped, handle));
    bytes::writeLe(owner.bytes(), 0, 4, handle);
    const Bytes handedOver = contentsOf(owner);

    const std::string notHandedOver =
        "Cannot communicate with Marrowby. The host does not answer: no answer within 200 ms; "
        "the scenario was not handed over.";
    EXPECT_EQ(editAndSave(link), notHandedOver);
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(link.lastNotification(), NotificationResult::Unanswered);
    EXPECT_NE(contentsOf(owner), handedOver);     // written back, waiting for the host
    EXPECT_EQ(editAndSave(link), notHandedOver);  // tried again, it fails the same way
    EXPECT_TRUE(link.isOpen());

    // Leaving without saving does not wait for the silent host once more, and undoes the
    // write-back: a host that later reads its messages finds its own scenario.
    link.close(false);
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(contentsOf(owner), handedOver);
    int connections = 0;
    while (stopped.waitForNewConnection(0) && stopped.nextPendingConnection() != nullptr) {
        ++connections;
    }
    EXPECT_EQ(connections, 2);
}

TEST(PluginLink, ABlockReplacedBeforeSaveIsNotWritten) {
    std::optional<SharedBlockOwner> owner;
    owner.emplace(uniqueBlockName(), demoBlock());
    const std::string name = owner->name();
    PluginLink link(name);
    link.open();
    owner.reset();
    SharedBlockOwner replacement(name, demoBlock());
    const Bytes before = contentsOf(replacement);
    EXPECT_EQ(editAndSave(link),
              "Cannot communicate with Marrowby. The host's shared block was replaced; nothing "
              "was written back.");
    EXPECT_EQ(contentsOf(replacement), before);
    link.close(false);
}

TEST(PluginLink, ABlockShrunkBeforeSaveIsNotTouched) {
    SharedBlockOwner owner(uniqueBlockName(), demoBlock());
    PluginLink link(owner.name());
    link.open();
    const int descriptor = shm_open(owner.name().c_str(), O_RDWR, 0);
    ASSERT_GE(descriptor, 0);
    ASSERT_EQ(ftruncate(descriptor, 2), 0);
    ::close(descriptor);
    // Writing, or even reading the handle, past the new end would kill the editor.
    EXPECT_EQ(editAndSave(link),
              "Cannot communicate with Marrowby. The host's shared block has shrunk; nothing was "
              "written back.");
    link.close(false);
    EXPECT_FALSE(link.isOpen());
}

TEST(PluginLink, ALinkStillOpenAtItsEndIsReleasedWithoutWriting) {
    SharedBlockOwner owner(uniqueBlockName(), demoBlock());
    const Bytes before = contentsOf(owner);
    {
        PluginLink link(owner.name());
        link.open();
        plugin::storeDocumentInLink(model::Document{}, link.linkObject());
    }
    EXPECT_EQ(contentsOf(owner), before);
}

// A second editor on a block another one holds would hand the host its own copy over the first
// one's edits. It is refused, and the block is free again once the first lets go or is killed.
TEST(PluginLink, AnotherEditorOnTheBlockIsRefusedUntilTheFirstLetsGoOrIsKilled) {
    SharedBlockOwner owner(uniqueBlockName(), demoBlock());
    const std::string refused =
        "Cannot communicate with Marrowby. Another editor is already working on this scenario.";
    PluginLink first(owner.name());
    first.open();
    PluginLink second(owner.name());
    EXPECT_EQ(openFailure(second), refused);
    EXPECT_FALSE(second.isOpen());
    EXPECT_EQ(editAndSave(first), "saved");
    EXPECT_EQ(openFailure(second), "opened");
    second.close(false);

    // The stand-in editor opens the block and sits in its edit until it is killed.
    QProcess editor;
    editor.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TARNWICK_PLUGIN_BLOCK", QString::fromStdString(owner.name()));
    environment.insert("TARNWICK_STUB_MODE", "sleep");
    editor.setProcessEnvironment(environment);
    editor.start(TARNWICK_STUB, {"-MarrowbyPlugIn"});
    QByteArray printed;
    for (int reads = 0; reads < 100 && !printed.contains("stub: unit 3"); ++reads) {
        editor.waitForReadyRead(200);
        printed += editor.readAll();
    }
    ASSERT_TRUE(printed.contains("stub: unit 3")) << printed.toStdString();
    PluginLink third(owner.name());
    EXPECT_EQ(openFailure(third), refused);
    editor.kill();
    ASSERT_TRUE(editor.waitForFinished(20000));
    EXPECT_EQ(openFailure(third), "opened");
}
