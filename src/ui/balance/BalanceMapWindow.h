#pragma once

#include <cstddef>
#include <functional>
#include <memory>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTimer>

#include "core/game/BalanceMap.h"
#include "core/model/Document.h"
#include "ui/balance/BalanceMapLegend.h"
#include "ui/balance/BalanceMapView.h"
#include "ui/balance/BalanceScripts.h"
#include "ui/defaults/DefaultTables.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// "Balance Map": every duel of the unit data at once, as a heat map of who beats whom, worked
// out as the calculator works out one pair. It follows the document while it is open and can
// outline the duels that changed since it opened.
class BalanceMapWindow : public QDialog {
    Q_OBJECT

  public:
    using UnitName = std::function<QString(std::size_t unit)>;
    // Opens "Unit Compare:" on the clicked pair.
    using CompareUnits = std::function<void(BalanceMapView::Pair pair)>;

    BalanceMapWindow(model::Document& document, Prompts& prompts, BalanceScripts& scripts,
                     DefaultTables& defaults, UnitName unitName, CompareUnits compare,
                     QWidget* parent = nullptr);

    // "Balance &Map": with unit data loaded, reads the scripts and shows the window; warns when
    // nothing is loaded. Throws CommandFailed, without opening, when entry 278 cannot be read.
    void open();
    // Follows the document after any change (soon, once for many changes); closes when it
    // holds no unit data any more.
    void showDocument();
    // Another document: what changed is counted from it.
    void showOtherDocument();

    BalanceMapView& view() { return *view_; }

  private:
    void buildLayout();
    void connectControls();
    // The duels of the document as it is now.
    void recompute();
    // The shown rows and columns after the filters, in the chosen order, and the view.
    void refreshView();
    std::vector<std::size_t> shownRows() const;
    std::vector<std::size_t> shownColumns() const;
    void showHovered(std::optional<BalanceMapView::Pair> pair);

    model::Document& document_;
    Prompts& prompts_;
    BalanceScripts& scripts_;
    DefaultTables& defaults_;
    UnitName unitName_;
    CompareUnits compare_;

    std::shared_ptr<const game::BalanceMatrix> matrix_;
    std::shared_ptr<const game::BalanceMatrix> openedWith_;
    QTimer recomputeSoon_;

    QComboBox* showBox_ = nullptr;
    QComboBox* startBox_ = nullptr;
    QComboBox* orderBox_ = nullptr;
    QComboBox* raceBox_ = nullptr;
    QCheckBox* landOnly_ = nullptr;
    QCheckBox* changedOnly_ = nullptr;
    QCheckBox* outlineChanges_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    BalanceMapView* view_ = nullptr;
    QLabel* emptyMap_ = nullptr;
    BalanceMapLegend* legend_ = nullptr;
    QLabel* hoverText_ = nullptr;
};

}  // namespace tarnwick::ui
