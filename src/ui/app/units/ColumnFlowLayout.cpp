#include "ui/app/units/ColumnFlowLayout.h"

#include <algorithm>

#include <QWidget>

namespace tarnwick::ui {

ColumnFlowLayout::ColumnFlowLayout(QWidget* parent, int maximumColumns)
    : QLayout(parent), maximumColumns_(maximumColumns) {}

ColumnFlowLayout::~ColumnFlowLayout() {
    while (QLayoutItem* item = takeAt(0)) {
        delete item;
    }
}

void ColumnFlowLayout::addItem(QLayoutItem* item) {
    items_.append(item);
}

QLayoutItem* ColumnFlowLayout::takeAt(int index) {
    return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

int ColumnFlowLayout::columnWidth() const {
    int width = 0;
    for (const QLayoutItem* item : items_) {
        width = std::max(width, item->sizeHint().width());
    }
    return width;
}

QSize ColumnFlowLayout::sizeHint() const {
    const QMargins margins = contentsMargins();
    const int width = columnWidth() + margins.left() + margins.right();
    return {width, heightForWidth(width)};
}

// The height follows the width (heightForWidth), so only the width of one column is a minimum.
QSize ColumnFlowLayout::minimumSize() const {
    const QMargins margins = contentsMargins();
    return {columnWidth() + margins.left() + margins.right(), 0};
}

int ColumnFlowLayout::heightForWidth(int width) const {
    return arrange(QRect(0, 0, width, 0), false);
}

void ColumnFlowLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int ColumnFlowLayout::arrange(const QRect& rect, bool apply) const {
    const QRect area = rect.marginsRemoved(contentsMargins());
    const int gap = std::max(0, spacing());
    const int fitting = (area.width() + gap) / std::max(1, columnWidth() + gap);
    const int columns = std::clamp(fitting, 1, maximumColumns_);
    int total = 0;
    for (const QLayoutItem* item : items_) {
        total += item->sizeHint().height() + gap;
    }
    // Each column takes items until it holds its share of the height.
    const int share = total / columns;
    const int width = (area.width() - (columns - 1) * gap) / columns;
    int column = 0;
    int y = 0;
    int tallest = 0;
    for (QLayoutItem* item : items_) {
        const int height = item->sizeHint().height();
        if (y > 0 && y + height / 2 > share && column + 1 < columns) {
            ++column;
            y = 0;
        }
        if (apply) {
            item->setGeometry(
                QRect(area.x() + column * (width + gap), area.y() + y, width, height));
        }
        y += height + gap;
        tallest = std::max(tallest, y - gap);
    }
    const QMargins margins = contentsMargins();
    return tallest + margins.top() + margins.bottom();
}

}  // namespace tarnwick::ui
