#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QListWidget>

#include "core/Progress.h"
#include "core/model/Document.h"
#include "ui/plugin/PlugInMode.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// "Direct Save": writes the document into a slot of the game's main archive, compressed or
// not. The document itself, its file name and the title stay as they are.
class DirectSaveDialog : public QDialog {
    Q_OBJECT

  public:
    DirectSaveDialog(const model::Document& document, Prompts& prompts, Progress& progress,
                     const QString& gameDirectory, const PlugInMode& plugInMode,
                     QWidget* parent = nullptr);

  signals:
    // The document went into a slot: what was written where, in the user's words.
    void entryWritten(const QString& report);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // Does nothing while no row is selected; otherwise closes the dialog, as its OK button,
    // whatever the outcome.
    void importDocument();

    const model::Document& document_;
    Prompts& prompts_;
    Progress& progress_;
    const QString& gameDirectory_;
    const PlugInMode& plugInMode_;
    QCheckBox* compress_;
    QListWidget* slots_ = nullptr;
};

}  // namespace tarnwick::ui
