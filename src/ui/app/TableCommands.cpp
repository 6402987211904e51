#include "ui/app/TableCommands.h"

#include "core/Error.h"
#include "core/files/TableFiles.h"
#include "core/model/RestrictionTable.h"
#include "platform/FileStore.h"
#include "ui/app/SaveCommands.h"
#include "ui/prompts/CommandFailed.h"

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

void TableCommands::requireDocument() const {
    if (!document_.isLoaded) {
        throw CommandFailed(warningMessage(kNothingToSaveWarning));
    }
}

const FileChoice& TableCommands::prepareChoice(int filterIndex, const QString& defaultExtension) {
    choice_ = {"Import/Export Data.",
               kImportExportFilter,
               filterIndex,
               defaultExtension,
               gameDirectory_,
               {},
               false};
    return choice_;
}

void TableCommands::importFile() {
    requireDocument();
    const auto chosen = prompts_.chooseFileToOpen(prepareChoice(1, {}));
    if (!chosen) {
        return;
    }
    std::vector<std::uint8_t> file;
    try {
        file = platform::readWholeFile(*chosen, files::kLargestTableFile);
    } catch (const Error&) {
        throw CommandFailed(plainMessage(files::kUnknownFormat));
    }
    try {
        history_.record("Import File", [&] { files::importTable(document_, file); });
    } catch (const Error& refusal) {
        throw CommandFailed(plainMessage(QString::fromStdString(refusal.what())));
    }
}

std::optional<QString> TableCommands::exportAs(ExportFormat format) {
    requireDocument();
    const ExportChoice setting = exportChoice(format);
    const auto chosen =
        prompts_.chooseFileToSave(prepareChoice(setting.filterIndex, setting.defaultExtension));
    if (!chosen) {
        return std::nullopt;
    }
    try {
        platform::saveWholeFile(*chosen, files::exportTable(document_, format));
    } catch (const platform::SaveFailed& failure) {
        // Reported, unlike the silent write errors of old: the file was not written.
        const QString text = failure.step == platform::SaveFailed::Step::Create
                                 ? "Error Opening File!"
                                 : "Error Writing File!";
        throw Error((text + "\n" + QString::fromStdString(failure.reason)).toStdString());
    }
    return chosen;
}

void TableCommands::addDefaultRestrictions() {
    history_.record("Add Default Restrictions", [this] {
        document_.restrictions = model::RestrictionTable::defaults();
        document_.setHasRestrictions(true);
    });
}

void TableCommands::removeRestrictions() {
    const Message question{MessageIcon::Warning, "WARNING!", "Remove Restriction Data?"};
    if (prompts_.ask(question, Buttons::YesNoCancel) != Answer::Yes) {
        return;
    }
    history_.record("Remove Restrictions", [this] { document_.setHasRestrictions(false); });
    prompts_.plain("Restrictions Removed.");
}

}  // namespace tarnwick::ui
