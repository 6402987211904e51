#pragma once

#include <memory>

#include "platform/HostLink.h"
#include "platform/SoundOutput.h"

namespace tarnwick::platform {

// The host link and the sound device need Qt Network and Qt Multimedia, whose libraries cost
// every start much of its time though only plug-in mode and the About box use them. They live
// in a module of their own (DeviceFactories.cpp), beside the editor in the build tree and in
// the install's library folder, loaded on first use.

// The module's factories, found by these names; the caller owns what they return.
extern "C" {
using CreateHostLink = HostLink* (*)();
using CreateSoundOutput = SoundOutput* (*)();
}
inline constexpr const char* kCreateHostLink = "tarnwickCreateHostLink";
inline constexpr const char* kCreateSoundOutput = "tarnwickCreateSoundOutput";

// The host link, loaded at its first use. When the module cannot be loaded, that use throws
// PluginLinkError "Cannot communicate with Marrowby." with the reason.
class OnDemandHostLink final : public HostLink {
  public:
    void open() override;
    plugin::LinkObject& linkObject() override;
    void close(bool save) override;
    void saveAndClose(const model::Document& document) override;

  private:
    HostLink& loaded();

    std::unique_ptr<HostLink> link_;
};

// The sound device, loaded at the first sound. Without the module nothing plays (a warning
// says why, once).
class OnDemandSoundOutput final : public SoundOutput {
  public:
    void playWave(std::vector<std::uint8_t> wave) override;

  private:
    std::unique_ptr<SoundOutput> output_;
    bool loadTried_ = false;
};

}  // namespace tarnwick::platform
