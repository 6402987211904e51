#include "ui/app/TableCommands.h"

#include "core/Error.h"
#include "core/model/RestrictionTable.h"
#include "platform/FileStore.h"
#include "ui/app/SaveCommands.h"

namespace tarnwick::ui {

using files::ExportFormat;

namespace {

const QString kImportExportFilter =
    "War2 File|*.un;*.up;*.alo;*.udt*;*.ugr*|All Files(*.*)|*.*|Default UDTAs (*.UDTA)|*.udt*|"
    "Default UGRDs (*.ugrd)|*.ugr*|Unit Sections (*.un)|*.un|Upgrade Sections (*.up)|*.up|"
    "Restrictions (*.alo)|*.alo";

struct ExportChoice {
    int filterIndex;
    const char* defaultExtension;
};

ExportChoice exportChoice(ExportFormat format) {
    switch (format) {
        case ExportFormat::UnitData:
            return {3, "UDTA"};
        case ExportFormat::UpgradeData:
            return {4, "UGRD"};
        case ExportFormat::UpgradeSection:
            return {6, "UP"};
        case ExportFormat::UnitSection:
            return {5, "UN"};
        case ExportFormat::Restrictions:
            return {7, "ALO"};
    }
    return {1, ""};
}

}  // namespace

bool TableCommands::refuseWithoutDocument() {
    if (document_.isLoaded) {
        return false;
    }
    prompts_.warning(kNothingToSaveWarning);
    return true;
}

std::optional<QString> TableCommands::choose(int filterIndex, const QString& defaultExtension) {
    choice_ = {"Import/Export Data.",
               kImportExportFilter,
               filterIndex,
               defaultExtension,
               gameDirectory_,
               {},
               false};
    return prompts_.chooseFileToOpen(choice_);
}

void TableCommands::importFile() {
    if (refuseWithoutDocument()) {
        return;
    }
    const auto chosen = choose(1, {});
    if (!chosen) {
        return;
    }
    std::string refusal;
    try {
        refusal = files::importTable(document_, platform::readWholeFile(*chosen));
    } catch (const Error&) {
        refusal = files::kUnknownFormat;
    }
    if (!refusal.empty()) {
        prompts_.plain(QString::fromStdString(refusal));
    }
}

void TableCommands::exportAs(ExportFormat format) {
    if (refuseWithoutDocument()) {
        return;
    }
    const ExportChoice setting = exportChoice(format);
    const auto chosen = choose(setting.filterIndex, setting.defaultExtension);
    if (!chosen) {
        return;
    }
    try {
        platform::saveWholeFile(*chosen, files::exportTable(document_, format));
    } catch (const platform::SaveFailed& failure) {
        // Reported, unlike the silent write errors of old: the file was not written.
        const QString text = failure.step == platform::SaveFailed::Step::Create
                                 ? "Error Opening File!"
                                 : "Error Writing File!";
        prompts_.standardError(text + "\n" + QString::fromStdString(failure.reason));
    }
}

void TableCommands::addDefaultRestrictions() {
    document_.restrictions = model::RestrictionTable::defaults();
    document_.setHasRestrictions(true);
}

bool TableCommands::removeRestrictions() {
    const Message question{MessageIcon::Warning, "WARNING!", "Remove Restriction Data?"};
    if (prompts_.ask(question, Buttons::YesNoCancel) != Answer::Yes) {
        return false;
    }
    document_.setHasRestrictions(false);
    prompts_.plain("Restrictions Removed.");
    return true;
}

}  // namespace tarnwick::ui
