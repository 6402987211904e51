#pragma once

#include <QListWidget>

#include "core/model/Document.h"
#include "core/model/UnitClipboard.h"
#include "ui/history/DocumentHistory.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// "Copy Unit Data" and "Paste Unit Data": the values of the unit selected in the list, carried
// to another unit of this or a later document.
class UnitClipboardCommands {
  public:
    UnitClipboardCommands(model::Document& document, Prompts& prompts, DocumentHistory& history,
                          const QListWidget& unitList)
        : document_(document), prompts_(prompts), history_(history), unitList_(unitList) {}

    void copy();
    // True when the selected unit took the copied values, as one step.
    bool paste();

  private:
    model::Document& document_;
    Prompts& prompts_;
    DocumentHistory& history_;
    const QListWidget& unitList_;
    model::UnitClipboard clipboard_;
};

}  // namespace tarnwick::ui
