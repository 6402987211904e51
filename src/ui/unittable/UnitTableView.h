#pragma once

#include <QStyledItemDelegate>
#include <QTableView>

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

    void setModel(QAbstractItemModel* model) override;
    QTableView& nameView() { return *names_; }
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

  private:
    void placeNameView();

    QTableView* names_;
};

}  // namespace tarnwick::ui
