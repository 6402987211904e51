#include "ui/tableeditors/RestrictionsEditor.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/model/RestrictionTable.h"
#include "ui/prompts/CommandGuard.h"
#include "ui/tableeditors/RestrictionTexts.h"

namespace tarnwick::ui {

namespace rf = model::restrictionfields;

namespace {

struct GroupLayout {
    std::size_t list;
    const char* prefix;
    const char* title;
    const model::FieldDescriptor* array;
};
constexpr std::array<GroupLayout, 4> kGroups = {{
    {0, "unitAllowed", "Buildable? ", &rf::unitsAllowed},
    {1, "spellAllowed", "Researchable? ", &rf::spellsAllowed},
    {1, "spellAtStart", "Players starts with spell?", &rf::spellsAtStart},
    {2, "upgradeAllowed", "Researchable? ", &rf::upgradesAllowed},
}};

template <std::size_t N>
QListWidget* entryList(const QString& name, const std::array<const char*, N>& entries) {
    auto* list = new QListWidget;
    list->setObjectName(name);
    for (const char* entry : entries) {
        list->addItem(entry);
    }
    return list;
}

}  // namespace

RestrictionsEditor::RestrictionsEditor(model::Document& document, Prompts& prompts,
                                       DocumentHistory& history, QWidget* parent)
    : QDialog(parent), document_(document), prompts_(prompts), history_(history) {
    setObjectName("restrictionsEditor");
    setWindowTitle("Restrictions Editor");
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    build();
}

void RestrictionsEditor::build() {
    auto* outer = new QVBoxLayout(this);
    auto* tabs = new QTabWidget(this);
    outer->addWidget(tabs);
    lists_ = {entryList("restrictedUnitList", kRestrictedUnits),
              entryList("restrictedSpellList", kRestrictedSpells),
              entryList("restrictedUpgradeList", kRestrictedUpgrades)};
    const std::array<const char*, 3> pageTitles = {"Units", "Spells", "Upgrades"};
    std::array<QHBoxLayout*, 3> pages{};
    for (std::size_t list = 0; list < lists_.size(); ++list) {
        auto* page = new QWidget;
        tabs->addTab(page, pageTitles[list]);
        pages[list] = new QHBoxLayout(page);
        auto* listColumn = new QVBoxLayout;
        if (list == 0) {
            listColumn->addWidget(new QLabel("Units:"));
        }
        listColumn->addWidget(lists_[list]);
        pages[list]->addLayout(listColumn);
        connect(lists_[list], &QListWidget::currentRowChanged, this,
                guardedSlot(prompts_, [this, list](int) { showEntry(list); }));
    }

    groups_.reserve(kGroups.size());
    for (const GroupLayout& layout : kGroups) {
        PlayerBoxes& group = groups_.emplace_back(PlayerBoxes{layout.list, layout.array, {}});
        auto* box = new QGroupBox(layout.title);
        auto* grid = new QGridLayout(box);
        for (std::size_t player = 1; player <= group.boxes.size(); ++player) {
            auto* check = new QCheckBox(kPlayerCaptions[player - 1]);
            check->setObjectName(QString("%1%2").arg(layout.prefix).arg(player));
            check->setProperty("tag", static_cast<unsigned>(player));
            const int at = static_cast<int>(player - 1);
            grid->addWidget(check, at % 4, at / 4);
            group.boxes[player - 1] = check;
        }
        pages[layout.list]->addWidget(box);
    }
    for (const PlayerBoxes& group : groups_) {
        for (std::size_t player = 1; player <= group.boxes.size(); ++player) {
            connect(group.boxes[player - 1], &QCheckBox::toggled, this,
                    guardedSlot(prompts_, [this, &group, player](bool ticked) {
                        playerBoxClick(group, player, ticked);
                    }));
        }
    }

    // An undo while the editor is open shows what it put back.
    connect(&history_, &DocumentHistory::restored, this, guardedSlot(prompts_, [this](int) {
        for (std::size_t list = 0; isVisible() && list < lists_.size(); ++list) {
            showEntry(list);
        }
    }));

    auto* ok = new QPushButton("OK");
    ok->setObjectName("okButton");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    outer->addWidget(ok, 0, Qt::AlignRight);
}

void RestrictionsEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    runGuarded(prompts_, [this] { showFirstEntries(); });
}

void RestrictionsEditor::showFirstEntries() {
    for (QListWidget* list : lists_) {
        const QSignalBlocker quiet(list);
        list->setCurrentRow(0);
    }
    for (std::size_t list = 0; list < lists_.size(); ++list) {
        showEntry(list);
    }
}

void RestrictionsEditor::showEntry(std::size_t list) {
    const int entry = lists_[list]->currentRow();
    if (entry < 0) {
        return;
    }
    for (const PlayerBoxes& group : groups_) {
        if (group.list != list) {
            continue;
        }
        for (std::size_t slot = 0; slot < group.boxes.size(); ++slot) {
            group.boxes[slot]->setChecked(
                document_.restrictions.bit(*group.array, slot, static_cast<unsigned>(entry)));
        }
    }
}

void RestrictionsEditor::playerBoxClick(const PlayerBoxes& group, std::size_t player, bool ticked) {
    const int entry = lists_[group.list]->currentRow();
    if (entry >= 0) {
        history_.record(QString("Change Restrictions of Player %1").arg(player), [&] {
            document_.restrictions.setBit(*group.array, player - 1, static_cast<unsigned>(entry),
                                          ticked);
        });
    }
}

}  // namespace tarnwick::ui
