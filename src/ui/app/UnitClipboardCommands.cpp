#include "ui/app/UnitClipboardCommands.h"

#include "ui/app/SelectedUnit.h"

namespace tarnwick::ui {

void UnitClipboardCommands::copy() {
    if (!document_.hasData()) {
        prompts_.warning("Error!  No file loaded!");
        return;
    }
    // The "Group" rows have no per-unit values.
    if (const auto unit = selectedUnit(unitList_)) {
        clipboard_.copy(document_, *unit);
    }
}

bool UnitClipboardCommands::paste() {
    if (!document_.hasData()) {
        prompts_.warning("Error!  No file loaded!");
        return false;
    }
    if (!clipboard_.isFilled()) {
        prompts_.warning("Error!  Clipboard is empty.");
        return false;
    }
    const auto unit = selectedUnit(unitList_);
    if (!unit) {
        return false;
    }
    history_.record("Paste Unit Data onto " + unitList_.item(static_cast<int>(*unit))->text(),
                    [&] { clipboard_.paste(document_, *unit); });
    return true;
}

}  // namespace tarnwick::ui
