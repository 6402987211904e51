#include "ui/app/DefaultDataNotice.h"

#include "core/model/DefaultDataWords.h"

namespace tarnwick::ui {

DefaultDataNotice::DefaultDataNotice(QWidget* parent) : NoticeBar("defaultDataNotice", parent) {
    unitDataButton_ = addButton("Use This Unit Data", "useScenarioUnitDataButton");
    unitDataButton_->setToolTip("Turns \"Use Default UDTA\" off");
    upgradesButton_ = addButton("Use These Upgrades", "useScenarioUpgradesButton");
    upgradesButton_->setToolTip("Turns \"Use Default UGRD\" off");
    connect(unitDataButton_, &QPushButton::clicked, this, &DefaultDataNotice::useScenarioUnitData);
    connect(upgradesButton_, &QPushButton::clicked, this, &DefaultDataNotice::useScenarioUpgrades);
}

void DefaultDataNotice::showFor(const model::Document& document) {
    const bool units =
        document.isLoaded && model::gameUsesOwnTable(document, model::DefaultableTable::UnitData);
    const bool upgrades =
        document.isLoaded && model::gameUsesOwnTable(document, model::DefaultableTable::Upgrades);
    QString what;
    if (units && upgrades) {
        what = "unit data and upgrades";
    } else if (units) {
        what = "unit data";
    } else if (upgrades) {
        what = "upgrades";
    }
    text()->setText(QString("The game will ignore this scenario's %1 and use its own.").arg(what));
    unitDataButton_->setVisible(units);
    upgradesButton_->setVisible(upgrades);
    setVisible(units || upgrades);
}

}  // namespace tarnwick::ui
