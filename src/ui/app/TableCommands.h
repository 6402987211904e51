#pragma once

#include <optional>

#include <QString>

#include "core/files/TableFiles.h"
#include "core/model/Document.h"
#include "ui/history/DocumentHistory.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// "Import File", the five exports and adding or removing the restrictions: one table moves
// between the document and a file, or a flag of the document changes.
class TableCommands {
  public:
    TableCommands(model::Document& document, Prompts& prompts, DocumentHistory& history,
                  const QString& gameDirectory)
        : document_(document),
          prompts_(prompts),
          history_(history),
          gameDirectory_(gameDirectory) {}

    void importFile();
    // The file written, when one was: the chooser asks before it replaces one.
    std::optional<QString> exportAs(files::ExportFormat format);
    void addDefaultRestrictions();
    // Asks first.
    void removeRestrictions();

    // The Import/Export chooser as it was last shown.
    const FileChoice& lastChoice() const { return choice_; }

  private:
    // Throws the no-file warning unless a document is loaded.
    void requireDocument() const;
    // The Import/Export chooser set for `filterIndex`; it is shown by the caller's kind of
    // chooser.
    const FileChoice& prepareChoice(int filterIndex, const QString& defaultExtension);

    model::Document& document_;
    Prompts& prompts_;
    DocumentHistory& history_;
    const QString& gameDirectory_;
    FileChoice choice_;
};

}  // namespace tarnwick::ui
