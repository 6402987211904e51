#include "ui/app/MenuRules.h"

namespace tarnwick::ui {

using model::DocumentKind;

void applyGeneralMenu(MainMenus& m, const model::Document& document) {
    const DocumentKind kind = document.kind;
    m.useDefaultUpgrades->setEnabled(kind == DocumentKind::Scenario);

    if (kind != DocumentKind::None) {
        const bool scenario = kind == DocumentKind::Scenario;
        const bool unitData = scenario || kind == DocumentKind::UnitData;
        const bool upgrades = scenario || kind == DocumentKind::UpgradeData;
        m.exportUnitSection->setEnabled(unitData);
        m.exportUnitData->setEnabled(unitData);
        m.editUpgrades->setEnabled(upgrades);
        m.upgradesButton->setEnabled(upgrades);
        m.exportUpgradeData->setEnabled(upgrades);
        m.exportUpgradeSection->setEnabled(upgrades);
        m.importFile->setEnabled(upgrades);
        m.useDefaultUnitData->setEnabled(scenario);
        m.restrictionsMenu->menuAction()->setEnabled(scenario);
    }

    m.restrictionsEditor->setEnabled(document.hasRestrictions());
    m.restrictionsButton->setEnabled(document.hasRestrictions());
}

void applyRestrictionsSubmenu(MainMenus& m, const model::Document& document) {
    m.removeRestrictions->setEnabled(document.hasRestrictions());
    m.addRestrictions->setEnabled(!m.removeRestrictions->isEnabled());
}

void applyExportSubmenu(MainMenus& m, const model::Document& document) {
    m.exportRestrictions->setEnabled(document.hasRestrictions());
}

}  // namespace tarnwick::ui
