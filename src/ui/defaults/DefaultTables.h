#pragma once

#include <optional>

#include <QString>

#include "core/model/UnitDataTable.h"
#include "core/model/UpgradeTable.h"
#include "ui/archive/EntryExtractor.h"

namespace tarnwick::ui {

// The game's default unit and upgrade tables, read from its archive once per game directory.
// Without a game directory, or with an archive that cannot be read, there are none, and that
// is no error: the editor then simply marks nothing.
class DefaultTables {
  public:
    DefaultTables(const EntryExtractor& extractor, const QString& gameDirectory)
        : extractor_(extractor), gameDirectory_(gameDirectory) {}

    // For a document with the swamp array the game's table that has one too.
    const model::UnitDataTable* units(bool withSwamp);
    const model::UpgradeTable* upgrades();

  private:
    template <typename Table>
    struct Cached {
        QString directory;
        bool read = false;
        std::optional<Table> table;
    };
    template <typename Table, typename Parse>
    const Table* lookUp(Cached<Table>& cached, int entry, Parse parse);

    const EntryExtractor& extractor_;
    const QString& gameDirectory_;
    Cached<model::UnitDataTable> units_;
    Cached<model::UnitDataTable> unitsWithSwamp_;
    Cached<model::UpgradeTable> upgrades_;
};

}  // namespace tarnwick::ui
