#pragma once

#include <QDialog>
#include <QListWidget>
#include <QPushButton>

#include "core/archive/ArchiveSlots.h"

namespace tarnwick::ui {

// What Direct Open and Direct Save share: the list of the game archive's slots, one row a slot,
// above a row with `besideButtons` (if any) on the left, the dialog's command as its default
// button and "Cancel", which closes the dialog. A double click on a row runs the command.
struct SlotDialogParts {
    QListWidget* list;
    QPushButton* command;
};
SlotDialogParts buildSlotDialog(QDialog& dialog, const QString& command, const QString& commandName,
                                QWidget* besideButtons = nullptr);

// The slot of the selected row; none while no row is selected.
const archive::ArchiveSlot* selectedSlot(const QListWidget& list);

}  // namespace tarnwick::ui
