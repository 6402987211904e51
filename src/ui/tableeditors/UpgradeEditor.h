#pragma once

#include <array>

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "core/model/Document.h"
#include "ui/defaults/DefaultTables.h"
#include "ui/history/DocumentHistory.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// "Upgrade Editor": the 52 upgrades, their values and "affects" bits, written into the
// document's upgrade table as they change.
class UpgradeEditor : public QDialog {
    Q_OBJECT

  public:
    UpgradeEditor(model::Document& document, Prompts& prompts, DocumentHistory& history,
                  DefaultTables& defaults, QWidget* parent = nullptr);

    void showSelectedUpgrade();
    void valueChange(std::size_t box);
    void affectsClick(unsigned bit, bool ticked);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void build();
    void connectRules();
    std::size_t selected() const;
    // Marks the selected upgrade's values that differ from the game's default upgrades.
    void showDefaultMarks();

    model::Document& document_;
    Prompts& prompts_;
    DocumentHistory& history_;
    DefaultTables& defaults_;
    QListWidget* list_ = nullptr;
    std::array<QLineEdit*, 6> edits_{};
    std::array<QWidget*, 6> captions_{};
    QGroupBox* unitGroup_ = nullptr;
    QGroupBox* spellGroup_ = nullptr;
    std::array<QCheckBox*, 21> unitBoxes_{};
    std::array<QCheckBox*, 21> spellBoxes_{};
    QRadioButton* showAsSpell_ = nullptr;
    QRadioButton* showAsUnit_ = nullptr;
};

}  // namespace tarnwick::ui
