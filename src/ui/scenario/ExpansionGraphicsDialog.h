#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QPushButton>

#include "core/model/Document.h"
#include "ui/archive/EntryExtractor.h"
#include "ui/history/DocumentHistory.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// "UDTA Info": whether the unit data carries the expansion's swamp graphics array, with
// commands to add the game's default array or to remove it. Modal; acts at once.
class ExpansionGraphicsDialog : public QDialog {
    Q_OBJECT

  public:
    ExpansionGraphicsDialog(model::Document& document, Prompts& prompts, DocumentHistory& history,
                            EntryExtractor& extractor, QWidget* parent = nullptr);

    void showDocument();

  public slots:
    void addExpansionGraphics();
    void removeExpansionGraphics();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    model::Document& document_;
    Prompts& prompts_;
    DocumentHistory& history_;
    EntryExtractor& extractor_;
    QCheckBox* present_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* remove_ = nullptr;
};

}  // namespace tarnwick::ui
