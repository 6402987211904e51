#include "ui/dialogs/ArchiveSlotList.h"

#include <QScrollBar>

namespace tarnwick::ui {

QListWidget* newArchiveSlotList(QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName("archiveSlotList");
    for (const archive::ArchiveSlot& slot : archive::archiveSlots()) {
        list->addItem(QString::fromStdString(slot.caption));
    }
    // Every caption whole, without a sideways scroll bar.
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                          list->verticalScrollBar()->sizeHint().width());
    return list;
}

const archive::ArchiveSlot* selectedSlot(const QListWidget& list) {
    const int row = list.currentRow();
    if (row < 0 || list.selectedItems().isEmpty()) {
        return nullptr;
    }
    return &archive::archiveSlots().at(static_cast<std::size_t>(row));
}

}  // namespace tarnwick::ui
