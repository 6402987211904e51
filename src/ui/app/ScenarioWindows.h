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
    MapPropertiesWindow& mapProperties();
    PlayerPropertiesWindow& playerProperties();
    StartingResourcesWindow& startingResources();
    MinimapWindow& minimap();

    model::Document& document_;
    Prompts& prompts_;
    DocumentHistory& history_;
    const QStringList& strategyNames_;
    QWidget* parent_;
    // Each built at its first showing.
    MapPropertiesWindow* mapProperties_ = nullptr;
    PlayerPropertiesWindow* playerProperties_ = nullptr;
    StartingResourcesWindow* startingResources_ = nullptr;
    MinimapWindow* minimap_ = nullptr;
};

}  // namespace tarnwick::ui
