#include "ui/app/EditorWindows.h"

#include <utility>

#include <QDialog>

#include "ui/app/BuiltOnFirstUse.h"
#include "ui/app/OpenCommand.h"

namespace tarnwick::ui {

EditorWindows::EditorWindows(EditorWindowsContext context, std::function<void()> tableChanged,
                             std::function<void(const QString& report)> entryWritten)
    : c_(std::move(context)),
      tableChanged_(std::move(tableChanged)),
      entryWritten_(std::move(entryWritten)),
      balanceScripts_(c_.extractor, c_.prompts) {}

namespace {
// The editors are modal: the undo keys work in them only as their own.
template <typename Editor>
Editor* withUndoKeys(Editor* editor, const MainMenus& menus) {
    editor->addActions({menus.undo, menus.redo});
    return editor;
}
}  // namespace

UpgradeEditor& EditorWindows::upgradeEditor() {
    return builtOnFirstUse(upgradeEditor_, [this] {
        return withUndoKeys(
            new UpgradeEditor(c_.document, c_.prompts, c_.history, c_.defaults, c_.parent),
            c_.menus);
    });
}

RestrictionsEditor& EditorWindows::restrictionsEditor() {
    return builtOnFirstUse(restrictionsEditor_, [this] {
        return withUndoKeys(new RestrictionsEditor(c_.document, c_.prompts, c_.history, c_.parent),
                            c_.menus);
    });
}

BoxSizerDialog& EditorWindows::boxSizer() {
    return builtOnFirstUse(boxSizer_,
                           [this] { return new BoxSizerDialog(c_.progress, c_.parent); });
}

GraphicsSelectionDialog& EditorWindows::graphicsSelection() {
    return builtOnFirstUse(graphicsSelection_, [this] {
        const GraphicsSelectionDialog::UnitPage unitPage{
            &c_.unitList, c_.unitControls.numbers[numberBoxIndex("boxWidthBox")],
            c_.unitControls.numbers[numberBoxIndex("boxHeightBox")]};
        return new GraphicsSelectionDialog(c_.document, c_.prompts, c_.extractor, boxSizer(),
                                           unitPage, c_.parent);
    });
}

BalanceCalculator& EditorWindows::balanceCalculator() {
    return builtOnFirstUse(balanceCalculator_, [this] {
        return new BalanceCalculator(c_.document, c_.prompts, balanceScripts_, c_.unitList,
                                     c_.parent);
    });
}

BalanceMapWindow& EditorWindows::balanceMap() {
    return builtOnFirstUse(balanceMap_, [this] {
        return new BalanceMapWindow(
            c_.document, c_.prompts, balanceScripts_, c_.defaults, c_.unitName,
            [this](BalanceMapView::Pair pair) {
                balanceCalculator().openModal({{pair.a, pair.b}});
            },
            [this](const QString& path) { return readDocumentFile(c_.document, path); }, c_.parent);
    });
}

ExpansionGraphicsDialog& EditorWindows::expansionGraphics() {
    return builtOnFirstUse(expansionGraphics_, [this] {
        return new ExpansionGraphicsDialog(c_.document, c_.prompts, c_.history, c_.extractor,
                                           c_.parent);
    });
}

UnitTableWindow& EditorWindows::unitTable() {
    return builtOnFirstUse(unitTable_, [this] {
        auto* table = new UnitTableWindow(
            c_.document, c_.prompts, c_.history, c_.defaults, c_.unitName,
            [this](const QString& path) { return readDocumentFile(c_.document, path); }, c_.parent);
        table->restoreLayoutState(c_.settings.unitTableLayout());
        table->takeSaveFrom(c_.menus.save);
        QObject::connect(table, &UnitTableWindow::documentChanged, table, tableChanged_);
        return table;
    });
}

DirectLoadDialog& EditorWindows::directLoad() {
    return builtOnFirstUse(
        directLoad_, [this] { return new DirectLoadDialog(c_.extractor, c_.prompts, c_.parent); });
}

DirectSaveDialog& EditorWindows::directSave() {
    return builtOnFirstUse(directSave_, [this] {
        auto* dialog = new DirectSaveDialog(c_.document, c_.prompts, c_.progress, c_.gameDirectory,
                                            c_.plugInMode, c_.parent);
        QObject::connect(dialog, &DirectSaveDialog::entryWritten, dialog, entryWritten_);
        return dialog;
    });
}

AboutDialog& EditorWindows::about() {
    return builtOnFirstUse(about_, [this] {
        return new AboutDialog(c_.extractor, c_.prompts, sound_,
                               std::mt19937(std::random_device{}()), c_.parent);
    });
}

KeyboardShortcutsWindow& EditorWindows::keyboardShortcuts() {
    return builtOnFirstUse(keyboardShortcuts_,
                           [this] { return new KeyboardShortcutsWindow(c_.menuBar, c_.parent); });
}

void EditorWindows::showDocument() {
    if (unitTable_ != nullptr) {
        unitTable_->showDocument();
    }
    if (balanceMap_ != nullptr) {
        balanceMap_->showDocument();
    }
}

void EditorWindows::showOtherDocument() {
    if (balanceMap_ != nullptr) {
        balanceMap_->showOtherDocument();
    }
}

void EditorWindows::rememberLayout() {
    if (unitTable_ != nullptr) {
        c_.settings.setUnitTableLayout(unitTable_->layoutState());
    }
}

}  // namespace tarnwick::ui
