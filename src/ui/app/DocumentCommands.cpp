#include "ui/app/DocumentCommands.h"

#include <optional>
#include <utility>

#include <QFileInfo>

#include "platform/FileNames.h"
#include "ui/app/OpenCommand.h"
#include "ui/prompts/CommandGuard.h"

namespace tarnwick::ui {

DocumentCommands::DocumentCommands(model::Document& document, Prompts& prompts,
                                   DocumentHistory& history, DocumentFileWatch& fileWatch,
                                   SaveCommands& saveCommands, RecentFiles& recentFiles,
                                   DocumentStatusBar& status,
                                   std::function<DirectLoadDialog&()> directLoad,
                                   const PlugInMode& plugInMode, const QString& gameDirectory,
                                   DocumentViews views)
    : document_(document),
      prompts_(prompts),
      history_(history),
      fileWatch_(fileWatch),
      saveCommands_(saveCommands),
      recentFiles_(recentFiles),
      status_(status),
      directLoad_(std::move(directLoad)),
      plugInMode_(plugInMode),
      gameDirectory_(gameDirectory),
      views_(std::move(views)) {}

void DocumentCommands::open() {
    // Where the user works: the file opened last, else the newest recent file, else the game.
    QString start = lastOpenedFolder_;
    if (const QStringList recent = recentFiles_.files(); start.isEmpty() && !recent.isEmpty()) {
        start = QFileInfo(recent.constFirst()).absolutePath();
    }
    if (start.isEmpty()) {
        start = gameDirectory_;
    }
    const FileChoice choice{"Open", kOpenFilter, 4, "PUD", start, {}};
    if (const auto chosen = prompts_.chooseFileToOpen(choice)) {
        openFile(*chosen);
    }
}

void DocumentCommands::openFile(const QString& path) {
    if (plugInMode_.isOn()) {
        return;  // a drop or a recent file must not replace the host's scenario
    }
    if (openFileRead(path, false)) {
        lastOpenedFolder_ = QFileInfo(path).absolutePath();
        recentFiles_.add(path);
    }
}

bool DocumentCommands::openFileRead(const QString& path, bool editsSettled) {
    // Taken before the read: a change by another program while it reads still shows.
    std::optional<platform::FileStamp> stamp;
    const auto read = [&] {
        stamp = platform::stampFile(path);
        return readDocumentFile(document_, path);
    };
    if (!openRead(read, editsSettled)) {
        return false;
    }
    fileWatch_.follow(path, stamp);
    return true;
}

void DocumentCommands::reload() {
    // The file as it was: a save of the edits by "Save As..." gives the document another one.
    const QString path = fileWatch_.path();
    if (mayDropDocument()) {
        openFileRead(path, true);
    }
}

void DocumentCommands::directOpen() {
    if (directLoad_().exec() == QDialog::Accepted) {
        // The entry has no file of its own: "&Save" asks where it goes.
        if (openRead(
                [this] { return readDocumentBytes(document_, directLoad_().takeEntry(), {}); })) {
            fileWatch_.forget();
        }
    }
}

bool DocumentCommands::openRead(const std::function<model::Document()>& read, bool editsSettled) {
    bool opened = false;
    runGuarded(prompts_, [&] {
        model::Document next;
        try {
            next = read();
        } catch (...) {
            // The file is refused before anything is asked: edits stay as they are. A document
            // without edits is no longer loaded, so nothing half-read may be saved over the file.
            if (!hasUnsavedEdits()) {
                document_.unload();
                views_.showNone();
            }
            throw;
        }
        if (!editsSettled && !mayDropDocument()) {
            return;
        }
        document_ = std::move(next);
        views_.showOpened();
        opened = true;
    });
    return opened;
}

bool DocumentCommands::hasUnsavedEdits() const {
    return document_.isLoaded && !history_.isAtSavedState();
}

bool DocumentCommands::mayDropDocument() {
    if (!hasUnsavedEdits()) {
        return true;
    }
    const Message question{MessageIcon::Question, "Save?",
                           "Do you wish to save changes before closing this file?"};
    switch (prompts_.ask(question, Buttons::YesNoCancel)) {
        case Answer::Yes:
            // A failed write throws: the command stops and the document stays.
            if (saveCommands_.save() != SaveOutcome::Saved) {
                return false;
            }
            documentSaved();
            return true;
        case Answer::No:
            return true;
        default:
            return false;
    }
}

void DocumentCommands::save() {
    if (saveCommands_.save() == SaveOutcome::Saved) {
        documentSaved();
    }
}

void DocumentCommands::saveAs() {
    if (saveCommands_.saveAs() == SaveOutcome::Saved) {
        documentSaved();
    }
}

void DocumentCommands::documentSaved() {
    // The file now holds each section once.
    document_.repeatedSections.clear();
    views_.showSaved();
    history_.markSaved();
    const QString file = platform::fileNameFromBytes(document_.fileName);
    recentFiles_.add(file);
    status_.reportWrite("Saved " + QFileInfo(file).fileName());
}

void DocumentCommands::close() {
    if (!mayDropDocument()) {
        return;
    }
    document_.unload();
    document_.fileName.clear();
    document_.releaseMapBlobs();
    fileWatch_.forget();
    views_.showNone();
}

}  // namespace tarnwick::ui
