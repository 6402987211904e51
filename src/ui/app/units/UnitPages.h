#pragma once

#include <optional>

#include <QTabWidget>

#include "core/model/Document.h"
#include "ui/app/units/UnitControls.h"
#include "ui/app/units/UnitDefaultMarks.h"
#include "ui/app/units/UnitEditor.h"
#include "ui/app/units/UnitListPane.h"
#include "ui/archive/EntryExtractor.h"
#include "ui/defaults/DefaultTables.h"
#include "ui/graphics/GraphicsPage.h"
#include "ui/graphics/ProgressWindow.h"
#include "ui/history/DocumentHistory.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// The editing pages beside the unit list: "General" and "Flags" edit the unit of the list's
// current row, "GFX" its graphics; values that differ from the game's defaults are marked in
// the pages and the list.
class UnitPages : public QTabWidget {
    Q_OBJECT

  public:
    UnitPages(model::Document& document, Prompts& prompts, DocumentHistory& history,
              EntryExtractor& extractor, DefaultTables& defaults, ProgressWindow& progress,
              UnitListPane& listPane, QWidget* parent = nullptr);

    UnitControls& controls() { return controls_; }
    GraphicsPage& graphicsPage() { return *graphicsPage_; }

    // Shows the list's current row; no row or no document shows nothing.
    void showSelectedRow();
    // No unit shown: the pages are hidden and write nothing.
    void showNoRow();
    // An upgrade file holds no units: its pages are hidden.
    void showPagesForDocument();
    // The marks of what differs from the game's defaults, or that the defaults are missing.
    void showDefaultMarks();

  private:
    model::Document& document_;
    DefaultTables& defaults_;
    UnitListPane& listPane_;
    QListWidget& unitList_;
    UnitControls controls_;
    UnitEditor* editor_;
    std::optional<UnitDefaultMarks> marks_;
    GraphicsPage* graphicsPage_;
};

}  // namespace tarnwick::ui
