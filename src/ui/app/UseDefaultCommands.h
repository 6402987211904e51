#pragma once

#include "core/model/Document.h"
#include "ui/history/DocumentHistory.h"
#include "ui/menus/MainMenus.h"

namespace tarnwick::ui {

// Whether the game uses the document's unit data and upgrades or its own: the two "Use
// Default" items and their check marks, and the notice's buttons that take the document's.
class UseDefaultCommands {
  public:
    UseDefaultCommands(model::Document& document, DocumentHistory& history, MainMenus& menus)
        : document_(document), history_(history), menus_(menus) {}

    // "&Use Default UDTA" and "Use Default UG&RD": the word turned over, as one step.
    void toggleUnitData();
    void toggleUpgrades();
    // The notice's buttons: the game uses the document's table.
    void useScenarioUnitData();
    void useScenarioUpgrades();
    // The check marks of the two items by the words, as after opening.
    void showChecks();

  private:
    model::Document& document_;
    DocumentHistory& history_;
    MainMenus& menus_;
};

}  // namespace tarnwick::ui
