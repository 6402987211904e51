#include "ui/dialogs/DirectLoadDialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/dialogs/ArchiveSlotList.h"
#include "ui/dialogs/ScreenPlacement.h"
#include "ui/prompts/CommandGuard.h"

namespace tarnwick::ui {

DirectLoadDialog::DirectLoadDialog(const EntryExtractor& extractor, Prompts& prompts,
                                   QWidget* parent)
    : QDialog(parent), extractor_(extractor), prompts_(prompts), slots_(newArchiveSlotList(this)) {
    setObjectName("directLoadDialog");
    setWindowTitle("Direct Load");
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* extract = new QPushButton("Extract");
    extract->setObjectName("extractButton");
    extract->setDefault(true);
    auto* cancel = new QPushButton("Cancel");
    cancel->setObjectName("cancelButton");
    cancel->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(slots_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(extract);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    resize(260, 330);

    connect(extract, &QPushButton::clicked, this,
            guardedSlot(prompts_, [this](bool) { this->extract(); }));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void DirectLoadDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(*this);
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
