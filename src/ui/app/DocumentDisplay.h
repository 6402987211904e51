#pragma once

#include <functional>

#include <QListWidget>

#include "core/model/Document.h"
#include "ui/app/DefaultDataNotice.h"
#include "ui/app/DocumentStatusBar.h"
#include "ui/app/EditorWindows.h"
#include "ui/app/ScenarioWindows.h"
#include "ui/app/UseDefaultCommands.h"
#include "ui/app/units/UnitPages.h"
#include "ui/history/DocumentHistory.h"
#include "ui/menus/MainMenus.h"

namespace tarnwick::ui {

// The main window's parts that show the document, all owned by the main window.
struct DocumentDisplayParts {
    model::Document& document;
    DocumentHistory& history;
    MainMenus& menus;
    UseDefaultCommands& useDefaults;
    QListWidget& unitList;
    UnitPages& unitPages;
    DefaultDataNotice& notice;
    DocumentStatusBar& status;
    EditorWindows& windows;
    ScenarioWindows& scenarioWindows;
    std::function<void()> refreshTitle;
    std::function<bool()> hasUnsavedEdits;
};

// What the main window and the windows beside it show after the document was opened, closed,
// changed or stepped back: each keeps to what the document now holds.
class DocumentDisplay {
  public:
    explicit DocumentDisplay(DocumentDisplayParts parts);

    // After a successful read: title, first row, check marks, menus and pages.
    void showOpened();
    // Nothing held: no history, no unit shown, "[NONE]" in the title.
    void showNone();
    // After an undo or redo: every open window shows the document as it now is, and the list
    // the unit the step changed.
    void showRestored(int changedUnit);
    // What follows every change: the notice, the saved state, the marks of the default values.
    void showState();
    // Selects a row from code and shows it, as a click on it would.
    void selectRow(int row);
    // Runs the menus' enabling rules now, so that buttons, items and shortcuts always show what
    // the next opening of a menu would.
    void refreshCommandStates();

  private:
    DocumentDisplayParts p_;
};

}  // namespace tarnwick::ui
