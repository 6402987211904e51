#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/model/Document.h"
#include "core/plugin/LinkObject.h"
#include "core/plugin/PluginLinkError.h"
#include "platform/HostLink.h"
#include "platform/HostNotifier.h"

namespace tarnwick::platform {

using plugin::PluginLinkError;

// The name of the host's block: PluginLink::kBlockName, unless the environment variable
// TARNWICK_PLUGIN_BLOCK names another ("/name"). Test hosts and their editors use names of their
// own, so that test runs on one machine, and a real host, never meet.
std::string hostBlockName();

// The link to the host editor's shared block, on Linux: the POSIX shared-memory object
// "/MarrowbyFMF.DTA", created and filled by the host (the editor never creates it), mapped
// read-write whole. The host handle at the block's offset 0 names the
// host's notification endpoint (see notifyHost).
//
// The plug-in mode uses it as:
//   open()                              start; on PluginLinkError show "Error: " + what() and end
//   plugin::fillDocument(doc, link.linkObject())
//   saveAndClose(doc)                   "Save and Exit"; on PluginLinkError the link stays open,
//                                       the document is untouched: tell the user, offer Save As
//   close(false)                        leaving without saving
class PluginLink : public HostLink {
  public:
    static constexpr const char* kBlockName = "/MarrowbyFMF.DTA";
    static constexpr std::chrono::milliseconds kAcknowledgementTimeout{5000};

    // `blockName` and `acknowledgementTimeout` differ from the defaults only in tests.
    explicit PluginLink(std::string blockName = hostBlockName(),
                        std::chrono::milliseconds acknowledgementTimeout = kAcknowledgementTimeout);
    // A link still open is released without writing and without notifying.
    ~PluginLink() override;
    PluginLink(const PluginLink&) = delete;
    PluginLink& operator=(const PluginLink&) = delete;

    // Opens the block, refuses it when the layout cannot hold what it claims or another editor
    // holds it open (an exclusive lock on the block for as long as the link is open), copies
    // it into the link object and sends 1025 (0, 0) when the host handle is not 0. Throws
    // PluginLinkError "Marrowby Interface already open." or "Cannot communicate with Marrowby."
    // (with the reason when the block is refused or its host does not answer 1025); the link
    // is then closed.
    void open() override;
    bool isOpen() const { return view_ != nullptr; }

    // The copy of the block made at open; "Save and Exit" stores the document in it.
    plugin::LinkObject& linkObject() override { return link_; }
    const plugin::LinkObject& linkObject() const { return link_; }

    // Close(save). Does nothing when the link is not open. With `save`, first checks that the
    // block is still the host's (its name names the object mapped, at its full size) and writes
    // the fixed part back, then sends 1026 (1, 0) when the handle read from the block is not 0
    // (all 32 bits are tested) and releases the block once the host has answered. When the
    // block is not the host's or the host does not answer, throws PluginLinkError and the link
    // stays open. Without `save` it releases the block, then sends 1026 (0, 0), unless the host
    // has already failed to answer; it never throws. A write-back the host never took is undone
    // first: a host that was only stopped and reads its messages later gets its own scenario
    // back, as the user chose not to save.
    void close(bool save) override;

    // "Save and Exit": the document into the link object, then close(true). The document's map
    // bodies are its own copies: keep them until this succeeded, so a failure loses nothing.
    void saveAndClose(const model::Document& document) override;

    // How the last notification ended, for diagnostics and tests.
    NotificationResult lastNotification() const { return lastNotification_; }

  private:
    void checkBlockStillThere() const;
    void release();
    std::uint32_t handleInBlock() const;

    std::string blockName_;
    std::chrono::milliseconds timeout_;
    int descriptor_ = -1;
    void* view_ = nullptr;
    std::size_t viewSize_ = 0;
    plugin::LinkObject link_;
    NotificationResult lastNotification_ = NotificationResult::NotSent;
    bool hostSilent_ = false;
    // The block as the host handed it over, kept from the first write-back until the host
    // takes the block.
    std::vector<std::uint8_t> beforeWriteBack_;
};

}  // namespace tarnwick::platform
