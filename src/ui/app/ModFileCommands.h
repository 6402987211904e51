#pragma once

#include <optional>
#include <string>

#include <QString>

#include "core/exchange/TableDiff.h"
#include "core/model/Document.h"
#include "ui/app/units/UnitListPane.h"
#include "ui/defaults/DefaultTables.h"
#include "ui/history/DocumentHistory.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// A mod as a file: "Apply Changes &File..." takes a changes file (CSV or JSON, as the tool's
// apply takes it) after a preview of what it changes, as one step; "Save &Changes As..." writes
// what the document changes against the game's defaults or another file, as the tool's
// diff --format changes writes it.
class ModFileCommands {
  public:
    ModFileCommands(model::Document& document, Prompts& prompts, DocumentHistory& history,
                    DefaultTables& defaults, const UnitListPane& unitNames,
                    const QString& gameDirectory);

    void applyChangesFile();
    // The file written, if any.
    std::optional<QString> saveChangesAs();

  private:
    // The name of a row as the window shows it, for previews and changes files.
    std::string rowName(exchange::Table table, std::size_t row) const;
    // What the changes would change, in the preview's words: "Pikeman hitPoints 60 → 45".
    QString previewLine(const exchange::Difference& difference) const;
    // The game's own tables, as a document; throws when the game's data is missing.
    model::Document gameDefaults() const;

    model::Document& document_;
    Prompts& prompts_;
    DocumentHistory& history_;
    DefaultTables& defaults_;
    const UnitListPane& unitNames_;
    const QString& gameDirectory_;
};

}  // namespace tarnwick::ui
