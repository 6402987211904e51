#include "platform/PluginLink.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <span>
#include <utility>

#include "core/bytes/LittleEndian.h"
#include "core/plugin/PluginDocument.h"
#include "core/plugin/SharedBlock.h"

namespace tarnwick::platform {

namespace {

bool sameObject(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

constexpr const char* kBlockNameVariable = "TARNWICK_PLUGIN_BLOCK";

}  // namespace

std::string hostBlockName() {
    const char* chosen = std::getenv(kBlockNameVariable);
    return chosen != nullptr && *chosen != '\0' ? chosen : PluginLink::kBlockName;
}

PluginLink::PluginLink(std::string blockName, std::chrono::milliseconds acknowledgementTimeout)
    : blockName_(std::move(blockName)), timeout_(acknowledgementTimeout) {}

PluginLink::~PluginLink() {
    release();
}

void PluginLink::open() {
    if (isOpen()) {
        throw PluginLinkError(plugin::kAlreadyOpen);
    }
    // shm_open sets close-on-exec: the block is not inherited by programs the editor starts.
    const int descriptor = shm_open(blockName_.c_str(), O_RDWR, 0);
    if (descriptor < 0) {
        throw PluginLinkError::cannotCommunicate();
    }
    // One editor per block: a second one would write its own copy over the first one's edits.
    // The lock belongs to this descriptor, so it goes with the link's release or with a killed
    // editor. Where the system has no such locks, the editor works unguarded as before.
    if (flock(descriptor, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        ::close(descriptor);
        throw PluginLinkError::cannotCommunicate(plugin::kAnotherEditor);
    }
    struct stat status {};
    if (fstat(descriptor, &status) != 0) {
        ::close(descriptor);
        throw PluginLinkError::cannotCommunicate();
    }
    const auto size = static_cast<std::uint64_t>(status.st_size);
    try {
        plugin::validateBlockSize(size);
    } catch (...) {
        ::close(descriptor);
        throw;
    }
    void* view = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, descriptor, 0);
    if (view == MAP_FAILED) {
        ::close(descriptor);
        throw PluginLinkError::cannotCommunicate();
    }
    try {
        link_ = plugin::LinkObject::fromBlock({static_cast<const std::uint8_t*>(view), size});
    } catch (...) {
        munmap(view, size);
        ::close(descriptor);
        throw;
    }
    descriptor_ = descriptor;
    view_ = view;
    viewSize_ = size;
    // A host killed outright leaves its block behind: one that does not answer is no host.
    const Notified notified = notifyHost(handleInBlock(), {plugin::kOpenedMessage, 0, 0}, timeout_);
    lastNotification_ = notified.result;
    if (notified.result == NotificationResult::Unanswered) {
        release();
        throw PluginLinkError::cannotCommunicate("The host does not answer: " + notified.reason +
                                                 ".");
    }
}

void PluginLink::close(bool save) {
    if (!isOpen()) {
        return;
    }
    const std::span<std::uint8_t> block(static_cast<std::uint8_t*>(view_), viewSize_);
    if (save) {
        checkBlockStillThere();
        if (beforeWriteBack_.empty()) {
            beforeWriteBack_.assign(block.begin(), block.end());
        }
        link_.writeBack(block);
        // The scenario is handed over only when the host says it took it; until then the link
        // stays open, so that a host that died keeps nothing back from the user.
        const Notified notified =
            notifyHost(handleInBlock(), {plugin::kReleasedMessage, 1, 0}, timeout_);
        lastNotification_ = notified.result;
        if (notified.result == NotificationResult::Unanswered) {
            hostSilent_ = true;
            throw PluginLinkError::cannotCommunicate(
                "The host does not answer: " + notified.reason +
                "; the scenario was not handed over.");
        }
        release();
        return;
    }
    if (!beforeWriteBack_.empty()) {
        try {
            checkBlockStillThere();
            std::copy(beforeWriteBack_.begin(), beforeWriteBack_.end(), block.begin());
        } catch (const PluginLinkError&) {
            // Not the host's block any more: nothing of ours is in it.
        }
    }
    const std::uint32_t handle = handleInBlock();
    release();
    // A host that did not answer once is not waited for again on the way out.
    if (!hostSilent_) {
        lastNotification_ = notifyHost(handle, {plugin::kReleasedMessage, 0, 0}, timeout_).result;
    }
}

void PluginLink::saveAndClose(const model::Document& document) {
    if (!isOpen()) {
        return;
    }
    plugin::storeDocumentInLink(document, link_);
    close(true);
}

void PluginLink::checkBlockStillThere() const {
    struct stat mapped {};
    if (fstat(descriptor_, &mapped) != 0 ||
        static_cast<std::uint64_t>(mapped.st_size) < viewSize_) {
        throw PluginLinkError::cannotCommunicate(
            "The host's shared block has shrunk; nothing was written back.");
    }
    const int named = shm_open(blockName_.c_str(), O_RDONLY, 0);
    if (named < 0) {
        throw PluginLinkError::cannotCommunicate(
            "The host's shared block is gone; nothing was written back.");
    }
    struct stat current {};
    const bool same = fstat(named, &current) == 0 && sameObject(mapped, current);
    ::close(named);
    if (!same) {
        throw PluginLinkError::cannotCommunicate(
            "The host's shared block was replaced; nothing was written back.");
    }
}

std::uint32_t PluginLink::handleInBlock() const {
    // A block the host shrank below the handle would fault on reading; the copy made at open
    // is the best answer then.
    struct stat status {};
    if (fstat(descriptor_, &status) != 0 || status.st_size < 4) {
        return link_.hostHandle();
    }
    return bytes::readLe({static_cast<const std::uint8_t*>(view_), viewSize_}, 0, 4);
}

void PluginLink::release() {
    if (view_ != nullptr) {
        munmap(view_, viewSize_);
        view_ = nullptr;
        viewSize_ = 0;
    }
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
    beforeWriteBack_.clear();
}

}  // namespace tarnwick::platform
