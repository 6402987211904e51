#pragma once

#include <QString>

#include "core/model/Document.h"
#include "platform/FileStore.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

inline const QString kNothingToSaveWarning =
    "Error!  No file loaded!  You must load a file before you can save.";

enum class SaveOutcome { Saved, NothingLoaded, Cancelled };

// "&Save" and "&Save As...": write the document in the form of its kind, replacing the target
// only once it is complete. A failed write throws CommandFailed with the boxes to show.
class SaveCommands {
  public:
    SaveCommands(model::Document& document, Prompts& prompts);

    SaveOutcome save();
    SaveOutcome saveAs();

    // The Save As chooser as it stands; it keeps its last filter while nothing is loaded.
    const FileChoice& saveAsChoice() const { return saveAsChoice_; }

  private:
    // Writes the document to `path` by its kind, asking first when that would part the file from
    // its other hard links; throws platform::SaveFailed, or CommandFailed when the user declines.
    void write(const QString& path) const;
    // The box that says why a write failed, in the words of the document's kind.
    Message failureMessage(const platform::SaveFailed& failure) const;

    model::Document& document_;
    Prompts& prompts_;
    FileChoice saveAsChoice_;
};

}  // namespace tarnwick::ui
