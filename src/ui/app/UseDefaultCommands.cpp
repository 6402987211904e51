#include "ui/app/UseDefaultCommands.h"

#include "core/model/DefaultDataWords.h"
#include "core/model/UseDefaultWord.h"

namespace tarnwick::ui {

void UseDefaultCommands::toggleUnitData() {
    const std::uint16_t word = model::useDefaultWord(document_, model::DefaultableTable::UnitData);
    const std::uint16_t toggled = model::toggledUseDefault(word);
    history_.record("Use Default UDTA",
                    [&] { document_.unitData.set(model::unitfields::useDefault, 0, toggled); });
    menus_.useDefaultUnitData->setChecked(word == 0);
}

void UseDefaultCommands::toggleUpgrades() {
    const std::uint16_t word = model::useDefaultWord(document_, model::DefaultableTable::Upgrades);
    history_.record("Use Default UGRD", [&] {
        document_.upgrades.set(model::upgradefields::useDefault, 0, model::toggledUseDefault(word));
    });
    menus_.useDefaultUpgrades->setChecked(word == 0);
}

void UseDefaultCommands::useScenarioUnitData() {
    history_.record("Use This Unit Data", [this] {
        model::setGameUsesOwnTable(document_, model::DefaultableTable::UnitData, false);
    });
    showChecks();
}

void UseDefaultCommands::useScenarioUpgrades() {
    history_.record("Use These Upgrades", [this] {
        model::setGameUsesOwnTable(document_, model::DefaultableTable::Upgrades, false);
    });
    showChecks();
}

void UseDefaultCommands::showChecks() {
    menus_.useDefaultUnitData->setChecked(model::unitUseDefaultChecked(
        model::useDefaultWord(document_, model::DefaultableTable::UnitData)));
    menus_.useDefaultUpgrades->setChecked(model::upgradeUseDefaultChecked(
        model::useDefaultWord(document_, model::DefaultableTable::Upgrades)));
}

}  // namespace tarnwick::ui
