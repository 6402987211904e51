#pragma once

#include <QItemSelection>
#include <QStyledItemDelegate>
#include <QTableView>

#include "ui/unittable/UnitTableFilter.h"

namespace tarnwick::ui {

// Edits a value cell with the page's kind of control: an edit box, or the page's list. Ctrl+Enter
// in it gives its text to every selected cell of the column instead of only this one.
class UnitCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

  signals:
    void setAllRequested(const QString& text);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The table whose first column, the units' names, stays in place while the others scroll
// beneath it: a second view over the same model and selection lies on top of that column.
class UnitTableView : public QTableView {
    Q_OBJECT

  public:
    explicit UnitTableView(QWidget* parent = nullptr);

    // The rows as the filter lays them out; the current cell and the selection stay on their
    // units when it lays them out anew.
    void setFilter(UnitTableFilter* filter);
    QTableView& nameView() { return *names_; }
    // A value cell comes fully into view right of the name column, a name only into the rows.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    // A value being typed into a cell is stored before a command that needs it, such as Save.
    void commitOpenEditor();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    using QTableView::setModel;
    void placeNameView();

    QTableView* names_;
    // The current cell and the selection by unit while the rows are laid out anew.
    QModelIndex keptCurrent_;
    QItemSelection keptSelection_;
};

}  // namespace tarnwick::ui
