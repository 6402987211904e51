#pragma once

#include <QPushButton>

#include "core/model/Document.h"
#include "ui/app/NoticeBar.h"

namespace tarnwick::ui {

// Shown while the loaded scenario tells the game to use its own default unit data or
// upgrades, which makes the game ignore every such change in the scenario. Its buttons ask to
// turn that off.
class DefaultDataNotice : public NoticeBar {
    Q_OBJECT

  public:
    explicit DefaultDataNotice(QWidget* parent = nullptr);

    // Shown only for a loaded scenario with either word set.
    void showFor(const model::Document& document);

  signals:
    void useScenarioUnitData();
    void useScenarioUpgrades();

  private:
    QPushButton* unitDataButton_ = nullptr;
    QPushButton* upgradesButton_ = nullptr;
};

}  // namespace tarnwick::ui
