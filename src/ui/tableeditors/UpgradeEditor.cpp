#include "ui/tableeditors/UpgradeEditor.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/model/TypedNumber.h"
#include "core/model/UpgradeTable.h"
#include "ui/defaults/DefaultMark.h"
#include "ui/layout/ScrollingContent.h"
#include "ui/prompts/CommandGuard.h"
#include "ui/tableeditors/UpgradeTexts.h"

namespace tarnwick::ui {

namespace uf = model::upgradefields;

namespace {

struct EditBinding {
    const char* label;
    const model::FieldDescriptor* field;
};
constexpr std::array<EditBinding, 6> kEdits = {{{"Time:", &uf::time},
                                                {"Gold:", &uf::gold},
                                                {"Lumber:", &uf::lumber},
                                                {"Oil:", &uf::oil},
                                                {"Group:", &uf::group},
                                                {"Icon:", &uf::icon}}};

template <std::size_t N>
QGroupBox* bitBoxes(const QString& name, const char* prefix,
                    const std::array<const char*, N>& captions, std::array<QCheckBox*, N>& boxes) {
    auto* group = new QGroupBox("Upgrade Affects: ");
    group->setObjectName(name);
    auto* grid = new QGridLayout(group);
    for (std::size_t bit = 0; bit < N; ++bit) {
        boxes[bit] = new QCheckBox(captions[bit]);
        boxes[bit]->setObjectName(QString("%1%2").arg(prefix).arg(bit));
        boxes[bit]->setProperty("tag", static_cast<unsigned>(bit));
        reserveDefaultMarkSpace(boxes[bit]);
        const int at = static_cast<int>(bit);
        grid->addWidget(boxes[bit], at % 7, at / 7);
    }
    return group;
}

}  // namespace

UpgradeEditor::UpgradeEditor(model::Document& document, Prompts& prompts, DocumentHistory& history,
                             DefaultTables& defaults, QWidget* parent)
    : QDialog(parent),
      document_(document),
      prompts_(prompts),
      history_(history),
      defaults_(defaults) {
    setObjectName("upgradeEditor");
    setWindowTitle("Upgrade Editor");
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    build();
    connectRules();
}

void UpgradeEditor::build() {
    auto* outer = new QVBoxLayout(this);
    auto* tabs = new QTabWidget(this);
    outer->addWidget(tabs);
    auto* page = new QWidget;
    tabs->addTab(page, "Upgrades");
    auto* columns = new QHBoxLayout(page);

    list_ = new QListWidget;
    list_->setObjectName("upgradeList");
    for (const char* name : kUpgradeNames) {
        list_->addItem(name);
    }
    columns->addWidget(list_);

    // The fields scroll on a screen too low for them; "Okay" stays in reach below.
    auto* fields = new ScrollingContent("upgradeFields");
    columns->addWidget(fields, 1);
    auto* right = new QVBoxLayout(&fields->content());
    right->setContentsMargins(0, 0, 0, 0);
    auto* properties = new QGroupBox("Properties: ");
    auto* form = new QFormLayout(properties);
    for (std::size_t box = 0; box < edits_.size(); ++box) {
        edits_[box] = new QLineEdit;
        edits_[box]->setObjectName(
            QString("upgrade%1Box").arg(QString(kEdits[box].label).chopped(1)));
        form->addRow(kEdits[box].label, edits_[box]);
        captions_[box] = form->labelForField(edits_[box]);
        reserveDefaultMarkSpace(captions_[box]);
    }
    right->addWidget(properties);

    unitGroup_ = bitBoxes("unitAffectsGroup", "unitAffects", kAffectsAsUnitUpgrades, unitBoxes_);
    spellGroup_ = bitBoxes("spellAffectsGroup", "spellAffects", kAffectsAsSpells, spellBoxes_);
    spellGroup_->hide();
    right->addWidget(unitGroup_);
    right->addWidget(spellGroup_);

    auto* display = new QGroupBox("Flags display override: ");
    display->setToolTip(
        "Overrides the upgrades affects window to show descriptions as if this were a different "
        "type of upgrade");
    auto* displayLayout = new QHBoxLayout(display);
    showAsSpell_ = new QRadioButton("Show as Spell Upgrade");
    showAsSpell_->setObjectName("showAsSpellButton");
    showAsUnit_ = new QRadioButton("Show as unit upgrade");
    showAsUnit_->setObjectName("showAsUnitButton");
    displayLayout->addWidget(showAsSpell_);
    displayLayout->addWidget(showAsUnit_);
    right->addWidget(display);

    auto* okay = new QPushButton("Okay");
    okay->setObjectName("okButton");
    connect(okay, &QPushButton::clicked, this, &QDialog::accept);
    outer->addWidget(okay, 0, Qt::AlignRight);
}

void UpgradeEditor::connectRules() {
    const auto guarded = [this](auto handler) { return guardedSlot(prompts_, handler); };
    connect(list_, &QListWidget::currentRowChanged, this,
            guarded([this](int) { showSelectedUpgrade(); }));
    for (std::size_t box = 0; box < edits_.size(); ++box) {
        connect(edits_[box], &QLineEdit::textChanged, this,
                guarded([this, box](const QString&) { valueChange(box); }));
    }
    for (auto* boxes : {&unitBoxes_, &spellBoxes_}) {
        for (QCheckBox* box : *boxes) {
            const unsigned bit = box->property("tag").toUInt();
            connect(box, &QCheckBox::toggled, this,
                    guarded([this, bit](bool ticked) { affectsClick(bit, ticked); }));
        }
    }
    // An undo while the editor is open shows what it put back.
    connect(&history_, &DocumentHistory::restored, this, guarded([this](int) {
        if (isVisible()) {
            showSelectedUpgrade();
        }
    }));
    connect(showAsSpell_, &QRadioButton::toggled, this, [this](bool on) {
        spellGroup_->setVisible(on);
        unitGroup_->setVisible(!on);
    });
}

std::size_t UpgradeEditor::selected() const {
    const int row = list_->currentRow();
    return row < 0 ? 0 : static_cast<std::size_t>(row);
}

void UpgradeEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Every opening starts again at the first entry.
    if (list_->currentRow() == 0) {
        runGuarded(prompts_, [this] { showSelectedUpgrade(); });
    } else {
        list_->setCurrentRow(0);
    }
}

void UpgradeEditor::showSelectedUpgrade() {
    const std::size_t upgrade = selected();
    (upgrade < kFirstSpellUpgrade ? showAsUnit_ : showAsSpell_)->setChecked(true);
    for (std::size_t box = 0; box < edits_.size(); ++box) {
        edits_[box]->setText(QString::number(document_.upgrades.get(*kEdits[box].field, upgrade)));
    }
    const std::uint32_t affects = document_.upgrades.get(uf::affects, upgrade);
    for (unsigned bit = 0; bit < unitBoxes_.size(); ++bit) {
        const bool set = ((affects >> bit) & 1u) != 0;
        unitBoxes_[bit]->setChecked(set);
        spellBoxes_[bit]->setChecked(set);
    }
    showDefaultMarks();
}

void UpgradeEditor::showDefaultMarks() {
    const std::size_t upgrade = selected();
    const model::UpgradeTable* defaults = defaults_.upgrades();
    const auto markIf = [](QWidget* caption, bool differs, const QString& text) {
        showDefaultMark(caption, differs ? std::optional<QString>(text) : std::nullopt);
    };
    for (std::size_t box = 0; box < edits_.size(); ++box) {
        const model::FieldDescriptor& field = *kEdits[box].field;
        const std::uint32_t fallback = defaults ? defaults->get(field, upgrade) : 0;
        markIf(captions_[box], defaults && document_.upgrades.get(field, upgrade) != fallback,
               QString::number(fallback));
    }
    const std::uint32_t affects = document_.upgrades.get(uf::affects, upgrade);
    const std::uint32_t fallback = defaults ? defaults->get(uf::affects, upgrade) : affects;
    for (unsigned bit = 0; bit < unitBoxes_.size(); ++bit) {
        const bool ticked = ((fallback >> bit) & 1u) != 0;
        const bool differs = (((affects ^ fallback) >> bit) & 1u) != 0;
        for (QCheckBox* box : {unitBoxes_[bit], spellBoxes_[bit]}) {
            markIf(box, differs, ticked ? "ticked" : "not ticked");
        }
    }
}

void UpgradeEditor::valueChange(std::size_t box) {
    const std::int64_t value = model::parseTypedInteger64(edits_[box]->text().toStdString());
    const std::size_t upgrade = selected();
    const model::FieldDescriptor& field = *kEdits[box].field;
    const QString label = QString(kEdits[box].label).chopped(1);
    const QString typing = QString("upgrade %1 %2").arg(box).arg(upgrade);
    history_.recordTyping(
        QString("Change %1 of %2").arg(label, kUpgradeNames[upgrade]),
        [&] {
            document_.upgrades.set(field, upgrade,
                                   model::checkedStoredValue(field, value, label.toStdString()));
        },
        typing,
        [&] { edits_[box]->setText(QString::number(document_.upgrades.get(field, upgrade))); });
    showDefaultMarks();
}

void UpgradeEditor::affectsClick(unsigned bit, bool ticked) {
    // Only this bit changes; bits 21 to 31 stay as loaded.
    const std::size_t upgrade = selected();
    const std::uint32_t mask = 1u << bit;
    const std::uint32_t affects = document_.upgrades.get(uf::affects, upgrade) & ~mask;
    history_.record(QString("Change Affects of %1").arg(kUpgradeNames[upgrade]), [&] {
        document_.upgrades.set(uf::affects, upgrade, ticked ? affects | mask : affects);
    });
    showDefaultMarks();
}

}  // namespace tarnwick::ui
