#include "ui/app/DefaultDataNotice.h"

#include <QStringList>

#include "core/files/Scenario.h"
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
    QStringList lines;
    if (units || upgrades) {
        const QString what = units && upgrades ? "unit data and upgrades"
                             : units           ? "unit data"
                                               : "upgrades";
        lines << QString("The game will ignore this scenario's %1 and use its own.").arg(what);
    }
    if (document.isLoaded) {
        for (const model::RepeatedSection& repeated : document.repeatedSections) {
            lines << QString::fromStdString(files::repeatedSectionNote(repeated));
        }
    }
    text()->setText(lines.join('\n'));
    unitDataButton_->setVisible(units);
    upgradesButton_->setVisible(upgrades);
    setVisible(!lines.isEmpty());
}

}  // namespace tarnwick::ui
