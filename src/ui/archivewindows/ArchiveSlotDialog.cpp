#include "ui/archivewindows/ArchiveSlotDialog.h"

#include <QHBoxLayout>
#include <QScrollBar>
#include <QVBoxLayout>

namespace tarnwick::ui {

SlotDialogParts buildSlotDialog(QDialog& dialog, const QString& command, const QString& commandName,
                                QWidget* besideButtons) {
    dialog.setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* list = new QListWidget(&dialog);
    list->setObjectName("archiveSlotList");
    for (const archive::ArchiveSlot& slot : archive::archiveSlots()) {
        list->addItem(QString::fromStdString(slot.caption));
    }
    // Every caption whole, without a sideways scroll bar.
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                          list->verticalScrollBar()->sizeHint().width());

    auto* commandButton = new QPushButton(command, &dialog);
    commandButton->setObjectName(commandName);
    commandButton->setDefault(true);
    auto* cancel = new QPushButton("Cancel", &dialog);
    cancel->setObjectName("cancelButton");
    cancel->setAutoDefault(false);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    // A double click on a row is the command on that row, as in any chooser.
    QObject::connect(list, &QListWidget::itemDoubleClicked, commandButton, &QPushButton::click);

    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(list, 1);
    auto* buttons = new QHBoxLayout;
    if (besideButtons != nullptr) {
        buttons->addWidget(besideButtons);
    }
    buttons->addStretch(1);
    buttons->addWidget(commandButton);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    dialog.resize(dialog.sizeHint().width(), 330);
    return {list, commandButton};
}

const archive::ArchiveSlot* selectedSlot(const QListWidget& list) {
    const int row = list.currentRow();
    if (row < 0 || list.selectedItems().isEmpty()) {
        return nullptr;
    }
    return &archive::archiveSlots().at(static_cast<std::size_t>(row));
}

}  // namespace tarnwick::ui
