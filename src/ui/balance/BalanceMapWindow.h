#pragma once

#include <cstddef>
#include <functional>
#include <memory>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
// out as the calculator works out one pair. It follows the document while it is open, can
// outline the duels that changed since it opened and those whose winner another file changes,
// and writes what it shows as a picture or a table.
class BalanceMapWindow : public QDialog {
    Q_OBJECT

  public:
    using UnitName = std::function<QString(std::size_t unit)>;
    // Opens "Unit Compare:" on the clicked pair.
    using CompareUnits = std::function<void(BalanceMapView::Pair pair)>;
    // Another file as a document, for "Compare with File..."; throws with the reason.
    using FileReader = std::function<model::Document(const QString& path)>;

    BalanceMapWindow(model::Document& document, Prompts& prompts, BalanceScripts& scripts,
                     DefaultTables& defaults, UnitName unitName, CompareUnits compare,
                     FileReader readFile, QWidget* parent = nullptr);

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
    QLayout* buildTools();
    void connectControls();
    std::shared_ptr<const game::BalanceMatrix> matrixOf(const model::UnitDataTable& table) const;
    // The duels of the document as it is now.
    void recompute();
    // The duels of the file compared with, once for each file and each reading of the scripts.
    void recomputeCompared();
    // The shown rows and columns after the filters, in the chosen order, and the view.
    void refreshView();
    std::vector<std::size_t> shownRows() const;
    std::vector<std::size_t> shownColumns() const;
    void showHovered(std::optional<BalanceMapView::Pair> pair);
    // The first shown row whose unit's name starts with the typed text, else holds it.
    void findTypedUnit(const QString& text);
    void compareWithFile();
    void clearComparison();
    void savePicture();
    void saveTable();
    std::vector<std::string> unitNames() const;
    QString documentFolder() const;

    model::Document& document_;
    Prompts& prompts_;
    BalanceScripts& scripts_;
    DefaultTables& defaults_;
    UnitName unitName_;
    CompareUnits compare_;
    FileReader readFile_;

    std::shared_ptr<const game::BalanceMatrix> matrix_;
    std::shared_ptr<const game::BalanceMatrix> openedWith_;
    std::optional<model::UnitDataTable> compared_;
    QString comparedName_;
    std::shared_ptr<const game::BalanceMatrix> comparedMatrix_;
    QTimer recomputeSoon_;

    QComboBox* showBox_ = nullptr;
    QComboBox* startBox_ = nullptr;
    QComboBox* orderBox_ = nullptr;
    QComboBox* raceBox_ = nullptr;
    QCheckBox* landOnly_ = nullptr;
    QCheckBox* changedOnly_ = nullptr;
    QCheckBox* outlineChanges_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    BalanceMapView* view_ = nullptr;
    QLineEdit* findBox_ = nullptr;
    QPushButton* fitButton_ = nullptr;
    QPushButton* compareButton_ = nullptr;
    QPushButton* clearComparisonButton_ = nullptr;
    QLabel* comparedLabel_ = nullptr;
    QPushButton* savePictureButton_ = nullptr;
    QPushButton* saveTableButton_ = nullptr;
    QLabel* emptyMap_ = nullptr;
    BalanceMapLegend* legend_ = nullptr;
    QLabel* hoverText_ = nullptr;
};

}  // namespace tarnwick::ui
