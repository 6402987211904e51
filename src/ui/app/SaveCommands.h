#pragma once

#include <QString>

#include "core/model/Document.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

inline const QString kNothingToSaveWarning =
    "Error!  No file loaded!  You must load a file before you can save.";

enum class SaveOutcome { Saved, NothingLoaded, Cancelled, Failed };

// "&Save" and "&Save As...": write the document in the form of its kind, replacing the target
// only once it is complete. Each failure is reported here, once.
class SaveCommands {
  public:
    SaveCommands(model::Document& document, Prompts& prompts);

    SaveOutcome save();
    SaveOutcome saveAs();

    // The Save As chooser as it stands; it keeps its last filter while nothing is loaded.
    const FileChoice& saveAsChoice() const { return saveAsChoice_; }

  private:
    // Writes the document to `path` by its kind; false after reporting the failure.
    bool write(const QString& path);

    model::Document& document_;
    Prompts& prompts_;
    FileChoice saveAsChoice_;
};

}  // namespace tarnwick::ui
