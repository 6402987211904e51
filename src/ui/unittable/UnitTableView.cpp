#include "ui/unittable/UnitTableView.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>

#include "ui/unittable/UnitTableModel.h"

namespace tarnwick::ui {

QWidget* UnitCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    QWidget* editor = nullptr;
    const QStringList choices = index.data(UnitTableModel::kChoicesRole).toStringList();
    if (!choices.isEmpty()) {
        auto* list = new QComboBox(parent);
        list->addItems(choices);
        editor = list;
    } else {
        editor = QStyledItemDelegate::createEditor(parent, option, index);
    }
    editor->installEventFilter(const_cast<UnitCellDelegate*>(this));
    return editor;
}

void UnitCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        list->setCurrentIndex(list->findText(index.data(Qt::EditRole).toString()));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void UnitCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        if (list->currentIndex() >= 0) {
            model->setData(index, list->currentText(), Qt::EditRole);
        }
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

bool UnitCellDelegate::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & Qt::ControlModifier) != 0) {
            auto* editor = static_cast<QWidget*>(watched);
            const auto* list = qobject_cast<QComboBox*>(editor);
            const QString text =
                list != nullptr ? list->currentText() : static_cast<QLineEdit*>(editor)->text();
            emit closeEditor(editor, NoHint);
            emit setAllRequested(text);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}

UnitTableView::UnitTableView(QWidget* parent) : QTableView(parent), names_(new QTableView(this)) {
    names_->setObjectName("unitNameColumn");
    names_->setFocusPolicy(Qt::NoFocus);
    names_->verticalHeader()->hide();
    names_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    names_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    names_->setVerticalScrollMode(ScrollPerPixel);
    names_->horizontalHeader()->setSortIndicatorShown(true);
    names_->horizontalHeader()->setSectionsClickable(true);
    viewport()->stackUnder(names_);
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);
    verticalHeader()->hide();
    // Rows as close as the unit list's, so that many units fit at once.
    const int rowHeight = fontMetrics().height() + 6;
    verticalHeader()->setDefaultSectionSize(rowHeight);
    names_->verticalHeader()->setDefaultSectionSize(rowHeight);
    // A third click on a header goes back to the unit list's order.
    horizontalHeader()->setSortIndicatorClearable(true);
    names_->horizontalHeader()->setSortIndicatorClearable(true);
    // One sort for both views: the arrow shows in whichever header the sort came from, and the
    // main header, which the view sorts by, follows the names' header.
    connect(horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [this](int column, Qt::SortOrder order) {
                const QSignalBlocker quiet(names_->horizontalHeader());
                names_->horizontalHeader()->setSortIndicator(column == 0 ? 0 : -1, order);
            });
    connect(names_->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [this](int column, Qt::SortOrder order) {
                horizontalHeader()->setSortIndicator(column, order);
            });

    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int width) {
                if (column == 0) {
                    names_->setColumnWidth(0, width);
                    placeNameView();
                }
            });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int row, int, int height) { names_->setRowHeight(row, height); });
    connect(names_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, names_->verticalScrollBar(),
            &QAbstractSlider::setValue);
}

void UnitTableView::setFilter(UnitTableFilter* filter) {
    QTableView::setModel(filter);
    names_->setModel(filter);
    names_->setSelectionModel(selectionModel());
    for (int column = 1; column < filter->columnCount(); ++column) {
        names_->setColumnHidden(column, true);
    }
    names_->setColumnWidth(0, columnWidth(0));
    placeNameView();
    connect(filter, &UnitTableFilter::rowsAboutToBeLaidOut, this, [this, filter] {
        keptCurrent_ = filter->mapToSource(currentIndex());
        keptSelection_ = filter->mapSelectionToSource(selectionModel()->selection());
    });
    connect(filter, &UnitTableFilter::rowsLaidOut, this, [this, filter] {
        selectionModel()->select(filter->mapSelectionFromSource(keptSelection_),
                                 QItemSelectionModel::ClearAndSelect);
        const QModelIndex current = filter->mapFromSource(keptCurrent_);
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
        if (current.isValid()) {
            scrollTo(current);
        }
    });
}

void UnitTableView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    placeNameView();
}

void UnitTableView::placeNameView() {
    names_->setGeometry(frameWidth(), frameWidth(), columnWidth(0),
                        viewport()->height() + horizontalHeader()->height());
}

void UnitTableView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid()) {
        return;
    }
    if (index.column() == 0) {
        // The names never scroll sideways: only the row is brought into view.
        const int across = horizontalScrollBar()->value();
        QTableView::scrollTo(index, hint);
        horizontalScrollBar()->setValue(across);
        return;
    }
    QTableView::scrollTo(index, hint);
    // Qt sees the whole viewport; the name column covers its left part.
    const int hidden = names_->columnWidth(0) - visualRect(index).left();
    if (hidden > 0) {
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
    }
}

void UnitTableView::commitOpenEditor() {
    if (QWidget* editor = indexWidget(currentIndex()); editor != nullptr) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

}  // namespace tarnwick::ui
