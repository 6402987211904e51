#include "ui/app/DefaultDataNotice.h"

#include <QHBoxLayout>
#include <QStringList>

#include "core/files/Scenario.h"
#include "core/model/DefaultDataWords.h"

namespace tarnwick::ui {

DefaultDataNotice::DefaultDataNotice(QWidget* parent) : QFrame(parent) {
    setObjectName("defaultDataNotice");
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
    setPalette(colours);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 2, 6, 2);
    text_ = new QLabel;
    text_->setObjectName("defaultDataNoticeText");
    text_->setWordWrap(true);
    unitDataButton_ = new QPushButton("Use This Unit Data");
    unitDataButton_->setObjectName("useScenarioUnitDataButton");
    unitDataButton_->setToolTip("Turns \"Use Default UDTA\" off");
    upgradesButton_ = new QPushButton("Use These Upgrades");
    upgradesButton_->setObjectName("useScenarioUpgradesButton");
    upgradesButton_->setToolTip("Turns \"Use Default UGRD\" off");
    row->addWidget(text_, 1);
    row->addWidget(unitDataButton_);
    row->addWidget(upgradesButton_);
    connect(unitDataButton_, &QPushButton::clicked, this, &DefaultDataNotice::useScenarioUnitData);
    connect(upgradesButton_, &QPushButton::clicked, this, &DefaultDataNotice::useScenarioUpgrades);
    hide();
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
    text_->setText(lines.join('\n'));
    unitDataButton_->setVisible(units);
    upgradesButton_->setVisible(upgrades);
    setVisible(!lines.isEmpty());
}

}  // namespace tarnwick::ui
