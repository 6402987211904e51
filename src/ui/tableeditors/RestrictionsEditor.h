#pragma once

#include <array>
#include <vector>

#include <QCheckBox>
#include <QDialog>
#include <QListWidget>
#include <QShowEvent>

#include "core/model/Document.h"
#include "core/model/FieldDescriptor.h"
#include "ui/history/DocumentHistory.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// "Restrictions Editor": per player 1 to 8, what may be built or researched and which spells a
// player starts with. Every tick sets one bit of one slot of the document's restriction table.
class RestrictionsEditor : public QDialog {
    Q_OBJECT

  public:
    RestrictionsEditor(model::Document& document, Prompts& prompts, DocumentHistory& history,
                       QWidget* parent = nullptr);

    // Returns every list to its first entry and shows it.
    void showFirstEntries();
    // Shows the bits of the selected entry of list `list` (0 units, 1 spells, 2 upgrades).
    void showEntry(std::size_t list);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // Eight boxes for players 1 to 8 that show one array's bits for one list's entry.
    struct PlayerBoxes {
        std::size_t list;
        const model::FieldDescriptor* array;
        std::array<QCheckBox*, 8> boxes{};
    };

    void build();
    void playerBoxClick(const PlayerBoxes& group, std::size_t player, bool ticked);

    model::Document& document_;
    Prompts& prompts_;
    DocumentHistory& history_;
    std::array<QListWidget*, 3> lists_{};
    std::vector<PlayerBoxes> groups_;
};

}  // namespace tarnwick::ui
