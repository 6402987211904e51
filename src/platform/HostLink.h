#pragma once

#include "core/model/Document.h"
#include "core/plugin/LinkObject.h"

namespace tarnwick::platform {

// What the plug-in mode needs of the link to its host (PluginLink does it), so that the editor
// can load the link only when it starts in plug-in mode.
class HostLink {
  public:
    virtual ~HostLink() = default;
    virtual void open() = 0;
    virtual plugin::LinkObject& linkObject() = 0;
    virtual void close(bool save) = 0;
    virtual void saveAndClose(const model::Document& document) = 0;
};

}  // namespace tarnwick::platform
