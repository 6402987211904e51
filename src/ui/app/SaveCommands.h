#pragma once

#include <QString>

#include "core/model/Document.h"
#include "platform/FileStore.h"
#include "ui/app/DocumentFileWatch.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

inline const QString kNothingToSaveWarning =
    "Error!  No file loaded!  You must load a file before you can save.";

// Cancelled: the Save As chooser was; Kept: the document's file, which another program had
// changed, was left as it is, and nothing was saved.
enum class SaveOutcome { Saved, NothingLoaded, Cancelled, Kept };

// "&Save" and "&Save As...": write the document in the form of its kind, replacing the target
// only once it is complete. Save asks before it overwrites a file that another program has
// changed since the editor read or wrote it. A failed write throws CommandFailed with the
// boxes to show.
class SaveCommands {
  public:
    SaveCommands(model::Document& document, Prompts& prompts, DocumentFileWatch& fileWatch);

    SaveOutcome save();
    SaveOutcome saveAs();

    // The Save As chooser as it stands; it keeps its last filter while nothing is loaded.
    const FileChoice& saveAsChoice() const { return saveAsChoice_; }

  private:
    // Writes the document to `path` by its kind, asking first when that would part the file from
    // its other hard links, and follows the file written; throws platform::SaveFailed, or
    // CommandFailed when the user declines.
    void write(const QString& path);
    // The box that says why a write failed, in the words of the document's kind.
    Message failureMessage(const platform::SaveFailed& failure) const;

    model::Document& document_;
    Prompts& prompts_;
    DocumentFileWatch& fileWatch_;
    FileChoice saveAsChoice_;
};

}  // namespace tarnwick::ui
