#pragma once

#include <QListWidget>

#include "core/archive/ArchiveSlots.h"

namespace tarnwick::ui {

// The list of the game archive's slots that Direct Open and Direct Save share, one row a slot.
QListWidget* newArchiveSlotList(QWidget* parent);

// The slot of the selected row; none while no row is selected.
const archive::ArchiveSlot* selectedSlot(const QListWidget& list);

}  // namespace tarnwick::ui
