#include "ui/plugin/PlugInMode.h"

#include "core/plugin/PluginDocument.h"
#include "core/plugin/PluginLinkError.h"
#include "ui/prompts/CommandFailed.h"

namespace tarnwick::ui {

namespace {

QString withErrorPrefix(const plugin::PluginLinkError& error) {
    return "Error: " + QString::fromStdString(error.what());
}

}  // namespace

PlugInMode::PlugInMode(model::Document& document, platform::HostLink& link, MainMenus& menus)
    : document_(document), link_(link), menus_(menus) {}

void PlugInMode::start() {
    try {
        link_.open();
    } catch (const plugin::PluginLinkError& error) {
        throw CommandFailed(plainMessage(withErrorPrefix(error)));
    }
    plugin::fillDocument(document_, link_.linkObject());
    on_ = true;
    // The host's scenario is the document: nothing may be opened over it or closed.
    for (QAction* item :
         {menus_.openButton, menus_.closeData, menus_.open, menus_.recentMenu->menuAction(),
          menus_.directOpen, menus_.saveAs, menus_.mapProperties, menus_.playerProperties,
          menus_.startingResources}) {
        item->setEnabled(false);
    }
    menus_.save->setText("Save and Exit");
}

void PlugInMode::saveAndClose() {
    try {
        link_.saveAndClose(document_);
    } catch (const plugin::PluginLinkError& error) {
        // The edits must not be lost with the host: a file can still take them.
        menus_.saveAs->setEnabled(true);
        throw CommandFailed(plainMessage(withErrorPrefix(error) +
                                         "\nThe edits are still here: \"Save As...\" writes "
                                         "them to a file."));
    }
}

void PlugInMode::closeWithoutSaving() {
    link_.close(false);
}

}  // namespace tarnwick::ui
