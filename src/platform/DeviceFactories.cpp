// The module tarnwick-devices: the host link and the sound device, with Qt Network and Qt
// Multimedia, for the editor to load on first use (DeviceModule.h).
#include <QtGlobal>

#include "platform/DeviceModule.h"
#include "platform/PluginLink.h"
#include "platform/WavePlayer.h"

using namespace tarnwick::platform;

extern "C" Q_DECL_EXPORT HostLink* tarnwickCreateHostLink() {
    return new PluginLink();
}

extern "C" Q_DECL_EXPORT SoundOutput* tarnwickCreateSoundOutput() {
    return new WavePlayer();
}
