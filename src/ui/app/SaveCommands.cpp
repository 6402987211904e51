#include "ui/app/SaveCommands.h"

#include <QFileInfo>

#include "core/files/DocumentFiles.h"
#include "platform/FileNames.h"
#include "platform/FileStore.h"
#include "ui/prompts/CommandFailed.h"

namespace tarnwick::ui {

using model::DocumentKind;

SaveCommands::SaveCommands(model::Document& document, Prompts& prompts,
                           DocumentFileWatch& fileWatch)
    : document_(document), prompts_(prompts), fileWatch_(fileWatch) {
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
        throw CommandFailed(std::vector<Message>{});
    }
    const QString path = platform::fileNameFromBytes(document_.fileName);
    if (fileWatch_.changedElsewhere(path)) {
        const Message question{MessageIcon::Warning, "File Changed",
                               QString("\"%1\" was changed by another program since it was "
                                       "opened. Overwrite it with the editor's version?")
                                   .arg(QFileInfo(path).fileName())};
        const auto chosen = prompts_.choose(question, {"Overwrite", "Save As..."});
        if (!chosen) {
            return SaveOutcome::Kept;
        }
        if (*chosen == 1) {
            // The other program's version stays, whatever the chooser's answer.
            const SaveOutcome outcome = saveAs();
            return outcome == SaveOutcome::Cancelled ? SaveOutcome::Kept : outcome;
        }
    }
    try {
        write(path);
    } catch (const platform::SaveFailed& failure) {
        throw CommandFailed(failureMessage(failure));
    }
    return SaveOutcome::Saved;
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
    // The chooser starts at the document's own file, where the user works.
    if (!document_.fileName.empty()) {
        const QFileInfo file(platform::fileNameFromBytes(document_.fileName));
        saveAsChoice_.initialDirectory = file.absolutePath();
        saveAsChoice_.fileName = file.fileName();
    } else {
        saveAsChoice_.fileName.clear();
    }
    const auto chosen = prompts_.chooseFileToSave(saveAsChoice_);
    if (!chosen) {
        return SaveOutcome::Cancelled;
    }
    // A failed Save As says so twice: why the write failed, then that the save did not happen.
    const Message notSaved = errorMessage("Error Saving.");
    if (document_.kind == DocumentKind::None) {
        throw CommandFailed(notSaved);
    }
    try {
        write(*chosen);
    } catch (const platform::SaveFailed& failure) {
        throw CommandFailed({failureMessage(failure), notSaved});
    }
    // The document now lives where it was saved: a later Save writes there too.
    document_.fileName = platform::bytesOfFileName(*chosen).toStdString();
    return SaveOutcome::Saved;
}

void SaveCommands::write(const QString& path) {
    // A save writes a new file, which parts a file from its other names (hard links): the user
    // chooses; No stops the command with the document as it was, and no box.
    const nlink_t links = platform::hardLinkCount(path);
    if (links > 1) {
        const QString question = QString::fromStdString(
            platform::LinksWouldSeparate(platform::shownFileName(path), links).reason);
        if (prompts_.ask({MessageIcon::Question, "Save?",
                          question + ".\n\nSave anyway? The other names keep the file as it is."},
                         Buttons::YesNo) != Answer::Yes) {
            throw CommandFailed(std::vector<Message>{});
        }
    }
    const std::vector<std::uint8_t> content = files::writeDocument(document_);
    platform::saveWholeFile(
        path, content, links > 1 ? platform::OtherLinks::Separate : platform::OtherLinks::Refuse);
    fileWatch_.follow(path, platform::stampWrittenFile(path, content));
}

Message SaveCommands::failureMessage(const platform::SaveFailed& failure) const {
    // The box's own text first, then why the system refused ("No space left on device").
    const QString reason = "\n" + QString::fromStdString(failure.reason);
    if (document_.kind == DocumentKind::UnitData) {
        const bool created = failure.step == platform::SaveFailed::Step::Write;
        return errorMessage(QString("Error Saving UDTA:\r") +
                            (created ? "Error Writing Data!" : "Error Opening File!") + reason);
    }
    return errorMessage("Error Saving File!" + reason);
}

}  // namespace tarnwick::ui
