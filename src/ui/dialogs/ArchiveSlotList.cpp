#include "ui/dialogs/ArchiveSlotList.h"

namespace tarnwick::ui {

QListWidget* newArchiveSlotList(QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName("archiveSlotList");
    for (const archive::ArchiveSlot& slot : archive::archiveSlots()) {
        list->addItem(QString::fromStdString(slot.caption));
    }
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
