#pragma once

#include <QStringList>
#include <QWidget>

#include "core/model/Document.h"
#include "ui/history/DocumentHistory.h"
#include "ui/prompts/Prompts.h"
#include "ui/scenario/MapPropertiesWindow.h"
#include "ui/scenario/MinimapWindow.h"
#include "ui/scenario/PlayerPropertiesWindow.h"
#include "ui/scenario/StartingResourcesWindow.h"

namespace tarnwick::ui {

// The "&PUD Options" windows that stay open beside the main window: the map, player and
// starting resources windows, shown for a scenario only, and the Mini Map.
class ScenarioWindows {
  public:
    ScenarioWindows(model::Document& document, Prompts& prompts, DocumentHistory& history,
                    const QStringList& strategyNames, QWidget* parent);

    void showMapProperties();
    void showPlayerProperties();
    void showStartingResources();
    void toggleMinimap();
    // After a document was opened or closed: the Mini Map follows it.
    void followDocument();
    // After an undo or redo: every open window shows the document as it now is.
    void showRestoredDocument();

  private:
    const model::Document& document_;
    MapPropertiesWindow* mapProperties_;
    PlayerPropertiesWindow* playerProperties_;
    StartingResourcesWindow* startingResources_;
    MinimapWindow* minimap_;
};

}  // namespace tarnwick::ui
