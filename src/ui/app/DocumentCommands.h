#pragma once

#include <functional>

#include <QString>

#include "core/model/Document.h"
#include "ui/app/DocumentFileWatch.h"
#include "ui/app/DocumentStatusBar.h"
#include "ui/app/RecentFiles.h"
#include "ui/app/SaveCommands.h"
#include "ui/archivewindows/DirectLoadDialog.h"
#include "ui/history/DocumentHistory.h"
#include "ui/plugin/PlugInMode.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// What the window shows as the document commands take, drop or write the document.
struct DocumentViews {
    // A document was read: title, first row, check marks, menus and pages.
    std::function<void()> showOpened;
    // Nothing held: no history, no unit shown, "[NONE]" in the title.
    std::function<void()> showNone;
    // The document was written: the notice and the title as after a write.
    std::function<void()> showSaved;
};

// The commands that take, replace, drop or write the whole document: "&Open...", a recent or
// dropped file, "Reload", Direct Open, "&Save", "&Save As..." and "&Close Data". A command that
// would replace or close a document with unsaved edits asks first.
class DocumentCommands {
  public:
    DocumentCommands(model::Document& document, Prompts& prompts, DocumentHistory& history,
                     DocumentFileWatch& fileWatch, SaveCommands& saveCommands,
                     RecentFiles& recentFiles, DocumentStatusBar& status,
                     std::function<DirectLoadDialog&()> directLoad, const PlugInMode& plugInMode,
                     const QString& gameDirectory, DocumentViews views);

    // The Open chooser, then openFile of the file chosen.
    void open();
    // Reads a file of any kind and shows its first unit; the open command's guarded entry
    // point, so it reports its own failures. Nothing is opened in plug-in mode.
    void openFile(const QString& path);
    // The document's file read again, once its edits are saved or dropped as the user says.
    void reload();
    // An entry of the game's archives chosen in the Direct Load window becomes the document.
    void directOpen();
    void save();
    void saveAs();
    void close();

    // Whether the document has edits that were neither saved nor undone.
    bool hasUnsavedEdits() const;

  private:
    // Takes the document that `read` gives as the opened one, or reports why there is none;
    // whether it was opened. A refused file leaves unsaved edits where they are. Unsaved edits
    // are asked about unless the caller has settled them already.
    bool openRead(const std::function<model::Document()>& read, bool editsSettled = false);
    // openRead of the file `path`, which the document then follows.
    bool openFileRead(const QString& path, bool editsSettled);
    // Asked before the document is replaced or closed: whether the command may go on. Unsaved
    // edits are saved first when the user says so; a failed save throws and stops the command.
    bool mayDropDocument();
    // After a successful Save or Save As.
    void documentSaved();

    model::Document& document_;
    Prompts& prompts_;
    DocumentHistory& history_;
    DocumentFileWatch& fileWatch_;
    SaveCommands& saveCommands_;
    RecentFiles& recentFiles_;
    DocumentStatusBar& status_;
    // Built at its first use.
    std::function<DirectLoadDialog&()> directLoad_;
    const PlugInMode& plugInMode_;
    const QString& gameDirectory_;
    DocumentViews views_;
    // Where the next Open starts: the folder of the file opened last in this run, once there is
    // one.
    QString lastOpenedFolder_;
};

}  // namespace tarnwick::ui
