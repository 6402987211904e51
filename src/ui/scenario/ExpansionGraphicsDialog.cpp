#include "ui/scenario/ExpansionGraphicsDialog.h"

#include <QHBoxLayout>
#include <QShowEvent>
#include <QVBoxLayout>

#include "core/model/ExpansionGraphics.h"
#include "ui/prompts/CommandFailed.h"
#include "ui/prompts/CommandGuard.h"

namespace tarnwick::ui {

ExpansionGraphicsDialog::ExpansionGraphicsDialog(model::Document& document, Prompts& prompts,
                                                 DocumentHistory& history,
                                                 EntryExtractor& extractor, QWidget* parent)
    : QDialog(parent),
      document_(document),
      prompts_(prompts),
      history_(history),
      extractor_(extractor) {
    setObjectName("expansionGraphicsDialog");
    setWindowTitle("UDTA Info");
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    present_ = new QCheckBox("Expansion UDTA is present.");
    present_->setObjectName("expansionPresentBox");
    add_ = new QPushButton("Add Expansion GFX");
    add_->setObjectName("addExpansionButton");
    add_->setToolTip("Add Swamp Graphics");
    add_->setAutoDefault(false);
    remove_ = new QPushButton("Remove Expansion GFX");
    remove_->setObjectName("removeExpansionButton");
    remove_->setToolTip("Remove Swamp Graphics");
    remove_->setAutoDefault(false);
    auto* ok = new QPushButton("OK");
    ok->setObjectName("expansionGraphicsOkButton");
    ok->setDefault(true);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(present_);
    auto* commands = new QHBoxLayout;
    commands->addWidget(add_);
    commands->addWidget(remove_);
    commands->addStretch(1);
    outer->addLayout(commands);
    outer->addStretch(1);
    outer->addWidget(ok, 0, Qt::AlignRight);

    // The box only shows the document; a click on it changes nothing.
    connect(present_, &QCheckBox::clicked, this,
            [this] { present_->setChecked(document_.hasExpansionGfx); });
    connect(add_, &QPushButton::clicked, this,
            guardedSlot(prompts_, [this](bool) { addExpansionGraphics(); }));
    connect(remove_, &QPushButton::clicked, this,
            guardedSlot(prompts_, [this](bool) { removeExpansionGraphics(); }));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void ExpansionGraphicsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    showDocument();
}

void ExpansionGraphicsDialog::showDocument() {
    const bool present = document_.hasExpansionGfx;
    present_->setChecked(present);
    remove_->setEnabled(present);
    add_->setEnabled(!present);
}

void ExpansionGraphicsDialog::addExpansionGraphics() {
    const Message corrupted = plainMessage("ERROR! Default Expansion UDTA corrupted!");
    std::vector<std::uint8_t> entry;
    try {
        entry = extractor_.extractEntry(model::kDefaultUnitDataEntry, "MAINDAT.WAR");
    } catch (const CommandFailed& failure) {
        // The reason why the entry could not be read, then what that means here.
        std::vector<Message> messages = failure.messages();
        messages.push_back(corrupted);
        throw CommandFailed(messages);
    }
    // A short entry changes nothing: no swamp array of zeros or of an earlier document is saved.
    bool added = false;
    history_.record("Add Expansion GFX",
                    [&] { added = model::addDefaultExpansionGraphics(document_, entry); });
    if (!added) {
        throw CommandFailed(corrupted);
    }
    showDocument();
}

void ExpansionGraphicsDialog::removeExpansionGraphics() {
    history_.record("Remove Expansion GFX", [this] { model::removeExpansionGraphics(document_); });
    showDocument();
}

}  // namespace tarnwick::ui
