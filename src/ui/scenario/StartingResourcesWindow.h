#pragma once

#include <array>

#include <QDialog>
#include <QLineEdit>

#include "core/model/Document.h"
#include "core/model/PlayerSettings.h"
#include "ui/history/DocumentHistory.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// "Starting Resources": gold, lumber and oil of players 1 to 8. Nothing is stored until "OK",
// which stores every box or, when one holds no amount, none. Not modal; every showing shows the
// document afresh.
class StartingResourcesWindow : public QDialog {
    Q_OBJECT

  public:
    StartingResourcesWindow(model::Document& document, Prompts& prompts, DocumentHistory& history,
                            QWidget* parent = nullptr);

    void showDocument();

    void setVisible(bool visible) override;

  public slots:
    void storeResources();
    void duplicateFirstPlayer();

  private:
    void build();

    model::Document& document_;
    Prompts& prompts_;
    DocumentHistory& history_;
    // By slot, then gold, lumber, oil.
    std::array<std::array<QLineEdit*, model::kResources.size()>, model::kEditedPlayerCount>
        boxes_{};
};

}  // namespace tarnwick::ui
