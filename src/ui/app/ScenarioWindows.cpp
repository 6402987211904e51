#include "ui/app/ScenarioWindows.h"

namespace tarnwick::ui {

namespace {
// A window that is not modal comes to the front, shown again if it was open.
void showInFront(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}
}  // namespace

ScenarioWindows::ScenarioWindows(model::Document& document, Prompts& prompts,
                                 DocumentHistory& history, const QStringList& strategyNames,
                                 QWidget* parent)
    : document_(document),
      mapProperties_(new MapPropertiesWindow(document, prompts, history, parent)),
      playerProperties_(
          new PlayerPropertiesWindow(document, prompts, history, strategyNames, parent)),
      startingResources_(new StartingResourcesWindow(document, prompts, history, parent)),
      minimap_(new MinimapWindow(document, parent)) {}

void ScenarioWindows::showMapProperties() {
    if (document_.kind == model::DocumentKind::Scenario) {
        showInFront(*mapProperties_);
    }
}

void ScenarioWindows::showPlayerProperties() {
    if (document_.kind == model::DocumentKind::Scenario) {
        showInFront(*playerProperties_);
    }
}

void ScenarioWindows::showStartingResources() {
    if (document_.kind == model::DocumentKind::Scenario) {
        showInFront(*startingResources_);
    }
}

void ScenarioWindows::toggleMinimap() {
    minimap_->setVisible(!minimap_->isVisible());
}

void ScenarioWindows::followDocument() {
    minimap_->followDocument();
}

void ScenarioWindows::showRestoredDocument() {
    minimap_->followDocument();
    if (mapProperties_->isVisible()) {
        mapProperties_->showDocument();
    }
    if (playerProperties_->isVisible()) {
        playerProperties_->showDocument();
    }
    if (startingResources_->isVisible()) {
        startingResources_->showDocument();
    }
}

}  // namespace tarnwick::ui
