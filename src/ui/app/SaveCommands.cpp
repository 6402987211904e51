#include "ui/app/SaveCommands.h"

#include "core/files/DocumentFiles.h"
#include "platform/FileStore.h"

namespace tarnwick::ui {

using model::DocumentKind;

SaveCommands::SaveCommands(model::Document& document, Prompts& prompts)
    : document_(document), prompts_(prompts) {
    saveAsChoice_.filter =
        "Pud Scenarios (*.pud)|*.pud|War2 UDTA (*.udta)|*.udt*|War2 UGRD (*.ugrd;*.ugd)|"
        "*.ugrd;*.ugd|All Supported Files |*.pud;*.udt*;*.ugrd;*.ugd|All Files (*.*)|*.*";
    saveAsChoice_.filterIndex = 4;
    saveAsChoice_.defaultExtension = ".udt";
}

SaveOutcome SaveCommands::save() {
    if (!document_.isLoaded) {
        prompts_.warning(kNothingToSaveWarning);
        return SaveOutcome::NothingLoaded;
    }
    if (document_.fileName.empty()) {
        return saveAs();
    }
    if (document_.kind == DocumentKind::None) {
        return SaveOutcome::Failed;
    }
    return write(QString::fromStdString(document_.fileName)) ? SaveOutcome::Saved
                                                             : SaveOutcome::Failed;
}

SaveOutcome SaveCommands::saveAs() {
    if (!document_.isLoaded) {
        return SaveOutcome::NothingLoaded;
    }
    switch (document_.kind) {
        case DocumentKind::Scenario:
            saveAsChoice_.filter = "Warcraft II Scenario File(*.pud)|*.pud";
            saveAsChoice_.defaultExtension = "pud";
            break;
        case DocumentKind::UnitData:
            saveAsChoice_.filter = "Warcraft II UDTA(*.udta)|*.udta";
            saveAsChoice_.defaultExtension = "udt";
            break;
        case DocumentKind::UpgradeData:
            saveAsChoice_.filter = "Warcraft II UDTA(*.ugrd)|*.ugrd";
            saveAsChoice_.defaultExtension = "ugd";
            break;
        case DocumentKind::None:
            break;
    }
    if (document_.kind != DocumentKind::None) {
        saveAsChoice_.filterIndex = 1;
    }
    const auto chosen = prompts_.chooseFileToSave(saveAsChoice_);
    if (!chosen) {
        return SaveOutcome::Cancelled;
    }
    if (document_.kind == DocumentKind::None || !write(*chosen)) {
        prompts_.error("Error Saving.");
        return SaveOutcome::Failed;
    }
    // The document now lives where it was saved: a later Save writes there too.
    document_.fileName = chosen->toStdString();
    return SaveOutcome::Saved;
}

bool SaveCommands::write(const QString& path) {
    try {
        platform::saveWholeFile(path, files::writeDocument(document_));
        return true;
    } catch (const platform::SaveFailed& failure) {
        // The box's own text first, then why the system refused ("No space left on device").
        const QString reason = "\n" + QString::fromStdString(failure.reason);
        if (document_.kind == DocumentKind::UnitData) {
            const bool created = failure.step == platform::SaveFailed::Step::Write;
            prompts_.error(QString("Error Saving UDTA:\r") +
                           (created ? "Error Writing Data!" : "Error Opening File!") + reason);
        } else {
            prompts_.error("Error Saving File!" + reason);
        }
    }
    return false;
}

}  // namespace tarnwick::ui
