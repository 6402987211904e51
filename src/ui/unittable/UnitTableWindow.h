#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/model/Document.h"
#include "ui/defaults/DefaultTables.h"
#include "ui/history/DocumentHistory.h"
#include "ui/prompts/Prompts.h"
#include "ui/unittable/UnitTableFilter.h"
#include "ui/unittable/UnitTableModel.h"
#include "ui/unittable/UnitTableView.h"

namespace tarnwick::ui {

// "Unit Table": every unit's values at once, sorted and filtered as the user likes, changed in
// place or many at once, and exchanged with a spreadsheet as tab-separated text.
class UnitTableWindow : public QDialog {
    Q_OBJECT

  public:
    // Reads another file as Open reads it; throws with the boxes that say why it cannot.
    using FileReader = std::function<model::Document(const QString& path)>;

    UnitTableWindow(model::Document& document, Prompts& prompts, DocumentHistory& history,
                    DefaultTables& defaults, UnitTableModel::UnitName unitName, FileReader readFile,
                    QWidget* parent = nullptr);

    // The main window's "Save" answers its keys here too, with the value being typed stored first.
    void takeSaveFrom(QAction* save);
    // Shows the window, or warns when there is no unit data to show.
    void open();
    // Follows the document after any change; closes when it holds no unit data any more.
    void showDocument();

    // "Set Selected...": asks for a value or a change for the selected cells, of one value
    // column or several, each changed by its own column's rule.
    void setSelected();
    // Marks what differs from another file's unit data instead of the defaults, until cleared.
    void compareWithFile();
    void clearComparison();
    void copySelection();
    void pasteClipboard();

    // The window's size, place and its columns' widths and order, for the next start; a
    // layout that cannot be read leaves the window as it is.
    QByteArray layoutState() const;
    void restoreLayoutState(const QByteArray& state);

    UnitTableModel& units() { return *units_; }
    UnitTableView& table() { return *table_; }

  signals:
    // The table changed the document: the unit pages show it again.
    void documentChanged();

  private:
    struct ColumnCells {
        int column;
        std::vector<std::size_t> units;
    };
    void buildLayout();
    void connectCommands();
    bool showsUnitData() const;
    // The selected cells by value column; warns when the selection holds none or a name.
    std::optional<std::vector<ColumnCells>> selectedColumnCells();
    // "Change Hit Points of 3 units", or "Change 6 values" across columns.
    QString stepName(const std::vector<ColumnCells>& cells, std::size_t values) const;
    // Ctrl+Enter in a cell: its text into every selected cell.
    void setAll(const QString& text);

    model::Document& document_;
    Prompts& prompts_;
    DefaultTables& defaults_;
    UnitTableModel* units_;
    UnitTableFilter* filter_;
    UnitTableView* table_ = nullptr;
    QLineEdit* filterBox_ = nullptr;
    QCheckBox* changedOnly_ = nullptr;
    QPushButton* setSelectedButton_ = nullptr;
    QPushButton* compareButton_ = nullptr;
    QPushButton* clearComparisonButton_ = nullptr;
    QLabel* differences_ = nullptr;
    FileReader readFile_;
    bool openedOnce_ = false;
    std::optional<QPoint> restoredPlace_;
    // The compared file's unit data and its name, while there is a comparison.
    std::optional<model::UnitDataTable> compared_;
    QString comparedName_;
};

}  // namespace tarnwick::ui
