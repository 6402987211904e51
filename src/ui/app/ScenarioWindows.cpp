#include "ui/app/ScenarioWindows.h"

#include "ui/app/BuiltOnFirstUse.h"

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
      prompts_(prompts),
      history_(history),
      strategyNames_(strategyNames),
      parent_(parent) {}

MapPropertiesWindow& ScenarioWindows::mapProperties() {
    return builtOnFirstUse(mapProperties_, [this] {
        return new MapPropertiesWindow(document_, prompts_, history_, parent_);
    });
}

PlayerPropertiesWindow& ScenarioWindows::playerProperties() {
    return builtOnFirstUse(playerProperties_, [this] {
        return new PlayerPropertiesWindow(document_, prompts_, history_, strategyNames_, parent_);
    });
}

StartingResourcesWindow& ScenarioWindows::startingResources() {
    return builtOnFirstUse(startingResources_, [this] {
        return new StartingResourcesWindow(document_, prompts_, history_, parent_);
    });
}

MinimapWindow& ScenarioWindows::minimap() {
    return builtOnFirstUse(minimap_, [this] {
        auto* minimap = new MinimapWindow(document_, parent_);
        minimap->followDocument();
        return minimap;
    });
}

void ScenarioWindows::showMapProperties() {
    if (document_.kind == model::DocumentKind::Scenario) {
        showInFront(mapProperties());
    }
}

void ScenarioWindows::showPlayerProperties() {
    if (document_.kind == model::DocumentKind::Scenario) {
        showInFront(playerProperties());
    }
}

void ScenarioWindows::showStartingResources() {
    if (document_.kind == model::DocumentKind::Scenario) {
        showInFront(startingResources());
    }
}

void ScenarioWindows::toggleMinimap() {
    minimap().setVisible(!minimap().isVisible());
}

void ScenarioWindows::followDocument() {
    if (minimap_ != nullptr) {
        minimap_->followDocument();
    }
}

void ScenarioWindows::showRestoredDocument() {
    followDocument();
    const auto showIfOpen = [](auto* window) {
        if (window != nullptr && window->isVisible()) {
            window->showDocument();
        }
    };
    showIfOpen(mapProperties_);
    showIfOpen(playerProperties_);
    showIfOpen(startingResources_);
}

}  // namespace tarnwick::ui
