#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QListWidget>

#include <cstddef>
#include <optional>

#include "core/model/Document.h"
#include "ui/balance/BalanceScripts.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// "Unit Compare:", the game balance calculator: two units picked from the unit list and how long
// each needs to kill the other, worked out by core from the unit data table and the game's
// animation scripts (entry 278 of MAINDAT.WAR). It writes nothing.
class BalanceCalculator : public QDialog {
    Q_OBJECT

  public:
    // `unitList` is the main window's unit list, whose texts name the units.
    BalanceCalculator(model::Document& document, Prompts& prompts, BalanceScripts& scripts,
                      const QListWidget& unitList, QWidget* parent = nullptr);

    struct UnitPair {
        std::size_t a = 0;  // 0 to 104
        std::size_t b = 0;
    };

    // "&Game Balance": with a document loaded, reads the scripts, refills both lists and shows
    // the window modally, with `pair` chosen and its lines shown where given; warns when
    // nothing is loaded. Throws CommandFailed, without opening, when entry 278 cannot be read.
    void openModal(std::optional<UnitPair> pair = std::nullopt);

  private:
    // Both lists hold the texts of units 0 to 104, neither with a choice.
    void fillUnitLists();
    // The result lines for the chosen pair; empty while either list has no choice.
    void showResults();
    void build();

    model::Document& document_;
    Prompts& prompts_;
    BalanceScripts& scripts_;
    const QListWidget& unitList_;
    QComboBox* unitA_ = nullptr;
    QComboBox* unitB_ = nullptr;
    QCheckBox* timeInSeconds_ = nullptr;
    QListWidget* results_ = nullptr;
};

}  // namespace tarnwick::ui
