#include "ui/archivewindows/DirectSaveDialog.h"

#include <QFileInfo>
#include <QShowEvent>

#include "core/archive/ArchiveSlots.h"
#include "platform/FileNames.h"
#include "ui/archive/ArchiveWriter.h"
#include "ui/archivewindows/ArchiveSlotDialog.h"
#include "ui/prompts/CommandGuard.h"

namespace tarnwick::ui {

DirectSaveDialog::DirectSaveDialog(const model::Document& document, Prompts& prompts,
                                   Progress& progress, const QString& gameDirectory,
                                   const PlugInMode& plugInMode, QWidget* parent)
    : QDialog(parent),
      document_(document),
      prompts_(prompts),
      progress_(progress),
      gameDirectory_(gameDirectory),
      plugInMode_(plugInMode),
      compress_(new QCheckBox("Compress", this)) {
    setObjectName("directSaveDialog");
    setWindowTitle("Direct Save");
    compress_->setObjectName("compressBox");
    compress_->setChecked(true);
    const SlotDialogParts parts = buildSlotDialog(*this, "Import", "importButton", compress_);
    slots_ = parts.list;
    connect(parts.command, &QPushButton::clicked, this,
            guardedSlot(prompts_, [this](bool) { importDocument(); }));
}

void DirectSaveDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Plug-in mode: the warning about the host's region map, each time the dialog opens.
    if (!event->spontaneous() && plugInMode_.isOn()) {
        prompts_.plain(
            "WARNING! The REGM will not be properly saved unless you clicked SAVE in marrowby "
            "before loading this plugin!");
    }
}

void DirectSaveDialog::importDocument() {
    const archive::ArchiveSlot* slot = selectedSlot(*slots_);
    if (slot == nullptr) {
        return;
    }
    // "Import" is the dialog's OK button: it closes whatever follows.
    accept();
    archive::PackedEntry packed;
    try {
        packed = archive::packForSlot(document_, *slot, compress_->isChecked(), progress_);
    } catch (const Error& refused) {
        throw CommandFailed(plainMessage(QString::fromStdString(refused.what())));
    }
    ArchiveWriter(progress_, gameDirectory_)
        .insertEntry(packed.payload, slot->entry, archive::kSlotArchive, packed.header);
    // An entry read from an archive has no file name of its own.
    const QString name =
        document_.fileName.empty()
            ? QString("the document")
            : QFileInfo(platform::fileNameFromBytes(document_.fileName)).fileName();
    emit entryWritten(
        QString("Wrote %1 into slot %2 of %3").arg(name).arg(slot->row).arg(archive::kSlotArchive));
}

}  // namespace tarnwick::ui
