#pragma once

#include <QPushButton>

#include "core/model/Document.h"
#include "ui/app/NoticeBar.h"

namespace tarnwick::ui {

// Shown while the loaded scenario tells the game to use its own default
// unit data or upgrades, which makes the game ignore every such change in the scenario (its
// buttons ask to turn that off), or while it was read from a file that held a section more than
// once, of which only the last is written back.
class DefaultDataNotice : public NoticeBar {
    Q_OBJECT

  public:
    explicit DefaultDataNotice(QWidget* parent = nullptr);

    // Shown only for a loaded scenario with either word set or a repeated section.
    void showFor(const model::Document& document);

  signals:
    void useScenarioUnitData();
    void useScenarioUpgrades();

  private:
    QPushButton* unitDataButton_ = nullptr;
    QPushButton* upgradesButton_ = nullptr;
};

}  // namespace tarnwick::ui
