#include "ui/app/KeyboardShortcutsWindow.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/menus/ShortcutTable.h"

namespace tarnwick::ui {

KeyboardShortcutsWindow::KeyboardShortcutsWindow(const QMenuBar& menuBar, QWidget* parent)
    : QDialog(parent), menuBar_(menuBar) {
    setObjectName("keyboardShortcutsWindow");
    setWindowTitle("Keyboard Shortcuts");
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    table_ = new QTableWidget(0, 3);
    table_->setObjectName("shortcutTable");
    table_->setHorizontalHeaderLabels({"Keys", "Menu", "Item"});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The window opens large enough to show every row without scrolling.
    table_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setObjectName("shortcutsCloseButton");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(buttons);
}

void KeyboardShortcutsWindow::open() {
    fill();
    if (!isVisible()) {
        adjustSize();
    }
    show();
    raise();
    activateWindow();
}

void KeyboardShortcutsWindow::fill() {
    const QList<ShortcutRow> rows = shortcutRows(menuBar_);
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        const ShortcutRow& shortcut = rows[row];
        int column = 0;
        for (const QString& text : {shortcut.keys, shortcut.menuPath, shortcut.item}) {
            table_->setItem(row, column++, new QTableWidgetItem(text));
        }
    }
    table_->resizeColumnsToContents();
}

}  // namespace tarnwick::ui
