#pragma once

#include "core/model/Document.h"
#include "platform/HostLink.h"
#include "ui/menus/MainMenus.h"

namespace tarnwick::ui {

// The main window's plug-in mode: the host's scenario comes from its shared block at start and
// goes back into it with "Save and Exit". Failures are thrown as CommandFailed with the box to
// show, for the command's guarded entry point.
class PlugInMode {
  public:
    PlugInMode(model::Document& document, platform::HostLink& link, MainMenus& menus);

    // Opens the link, fills the document from it and fixes the file items for the whole run:
    // nothing may replace the host's scenario or move it elsewhere, and "&Save" becomes "Save
    // and Exit". When the link cannot open, throws CommandFailed "Error: " + why, and nothing
    // has changed.
    void start();
    bool isOn() const { return on_; }

    // The document's tables into the block, the host told, the block released once the host
    // answered. When the block is gone or cannot be written, or the host does not answer (it
    // died or hangs), throws CommandFailed saying why: the link stays open, the document keeps
    // every edit, and "&Save As..." is enabled so they can go to a file.
    void saveAndClose();

    // Releases the block as the host wrote it and tells the host; nothing when it is not open.
    void closeWithoutSaving();

  private:
    model::Document& document_;
    platform::HostLink& link_;
    MainMenus& menus_;
    bool on_ = false;
};

}  // namespace tarnwick::ui
