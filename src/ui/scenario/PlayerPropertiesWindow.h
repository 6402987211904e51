#pragma once

#include <array>

#include <QComboBox>
#include <QDialog>
#include <QStringList>

#include "core/model/Document.h"
#include "core/model/PlayerSettings.h"
#include "ui/history/DocumentHistory.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// "Player Properties": race, controller and computer player of players 1 to 8, each stored the
// moment the user picks it. Not modal; every showing shows the document afresh.
class PlayerPropertiesWindow : public QDialog {
    Q_OBJECT

  public:
    // `computerPlayerNames` are the game's strategy names, read again at every showing.
    PlayerPropertiesWindow(model::Document& document, Prompts& prompts, DocumentHistory& history,
                           const QStringList& computerPlayerNames, QWidget* parent = nullptr);

    void showDocument();

    void setVisible(bool visible) override;

  private:
    // One column of eight lists and the section it edits.
    struct Column {
        const model::PlayerChoiceList* list;
        std::array<QComboBox*, model::kEditedPlayerCount> boxes{};
    };

    void build();
    void choiceMade(const Column& column, std::size_t slot, int choice);

    model::Document& document_;
    Prompts& prompts_;
    DocumentHistory& history_;
    const QStringList& computerPlayerNames_;
    std::array<Column, 3> columns_{};
};

}  // namespace tarnwick::ui
