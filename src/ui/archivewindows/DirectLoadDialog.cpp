#include "ui/archivewindows/DirectLoadDialog.h"

#include "ui/archivewindows/ArchiveSlotDialog.h"
#include "ui/prompts/CommandGuard.h"

namespace tarnwick::ui {

DirectLoadDialog::DirectLoadDialog(const EntryExtractor& extractor, Prompts& prompts,
                                   QWidget* parent)
    : QDialog(parent), extractor_(extractor), prompts_(prompts) {
    setObjectName("directLoadDialog");
    setWindowTitle("Direct Load");
    const SlotDialogParts parts = buildSlotDialog(*this, "Extract", "extractButton");
    slots_ = parts.list;
    connect(parts.command, &QPushButton::clicked, this,
            guardedSlot(prompts_, [this](bool) { extract(); }));
}

void DirectLoadDialog::extract() {
    const archive::ArchiveSlot* slot = selectedSlot(*slots_);
    if (slot == nullptr) {
        return;
    }
    entry_.clear();
    try {
        // Named in lower case, as the reader's message names it when the archive is missing.
        entry_ = extractor_.extractEntry(slot->entry, "maindat.war");
    } catch (...) {
        // Nothing is opened; the reader's box follows.
        reject();
        throw;
    }
    accept();
}

}  // namespace tarnwick::ui
