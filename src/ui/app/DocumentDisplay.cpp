#include "ui/app/DocumentDisplay.h"

#include <utility>

#include <QSignalBlocker>

#include "ui/app/MenuRules.h"

namespace tarnwick::ui {

DocumentDisplay::DocumentDisplay(DocumentDisplayParts parts) : p_(std::move(parts)) {}

void DocumentDisplay::showOpened() {
    p_.history.clear();
    p_.refreshTitle();
    p_.scenarioWindows.followDocument();
    selectRow(0);
    p_.useDefaults.showChecks();
    p_.menus.edit->menuAction()->setVisible(true);
    p_.menus.pudOptions->menuAction()->setVisible(p_.document.kind ==
                                                  model::DocumentKind::Scenario);
    p_.unitPages.showPagesForDocument();
    showState();
    p_.windows.showOtherDocument();
    refreshCommandStates();
}

void DocumentDisplay::showNone() {
    p_.history.clear();
    p_.refreshTitle();
    p_.scenarioWindows.followDocument();
    p_.unitPages.showNoRow();
    refreshCommandStates();
    showState();
}

void DocumentDisplay::showRestored(int changedUnit) {
    if (changedUnit >= 0 && changedUnit != p_.unitList.currentRow()) {
        selectRow(changedUnit);
    } else {
        p_.unitPages.showSelectedRow();
    }
    p_.useDefaults.showChecks();
    refreshCommandStates();
    p_.scenarioWindows.showRestoredDocument();
}

void DocumentDisplay::showState() {
    p_.notice.showFor(p_.document);
    p_.status.showModified(p_.hasUnsavedEdits());
    p_.unitPages.showDefaultMarks();
    p_.windows.showDocument();
}

void DocumentDisplay::selectRow(int row) {
    {
        const QSignalBlocker quiet(&p_.unitList);
        p_.unitList.setCurrentRow(row);
    }
    p_.unitPages.showSelectedRow();
}

void DocumentDisplay::refreshCommandStates() {
    applyGeneralMenu(p_.menus, p_.document);
    applyRestrictionsSubmenu(p_.menus, p_.document);
    applyExportSubmenu(p_.menus, p_.document);
}

}  // namespace tarnwick::ui
