#pragma once

#include <QLayout>
#include <QList>

namespace tarnwick::ui {

// Lays its widgets out top to bottom in as many columns of equal width as the width allows (up
// to `maximumColumns`), filling each column to about the same height: one scrolling column in
// a narrow window, a whole unit at a glance in a wide one. Order is kept, column by column.
class ColumnFlowLayout : public QLayout {
  public:
    explicit ColumnFlowLayout(QWidget* parent, int maximumColumns = 3);
    ~ColumnFlowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(items_.size()); }
    QLayoutItem* itemAt(int index) const override { return items_.value(index); }
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    void setGeometry(const QRect& rect) override;

  private:
    // Places the items into `rect` (or only measures, when `apply` is false); the height used.
    int arrange(const QRect& rect, bool apply) const;
    int columnWidth() const;

    QList<QLayoutItem*> items_;
    int maximumColumns_;
};

}  // namespace tarnwick::ui
