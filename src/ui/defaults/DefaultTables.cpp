#include "ui/defaults/DefaultTables.h"

#include "core/model/DefaultValues.h"

namespace tarnwick::ui {

template <typename Table, typename Parse>
const Table* DefaultTables::lookUp(Cached<Table>& cached, int entry, Parse parse) {
    if (!cached.read || cached.directory != gameDirectory_) {
        cached = {gameDirectory_, true, std::nullopt};
        if (!gameDirectory_.isEmpty()) {
            try {
                cached.table = parse(extractor_.extractEntry(entry, "MAINDAT.WAR"));
            } catch (...) {
                // A game that cannot be read leaves nothing to compare with; the commands that
                // need the archive report why when they run.
            }
        }
    }
    return cached.table ? &*cached.table : nullptr;
}

const model::UnitDataTable* DefaultTables::units(bool withSwamp) {
    return withSwamp ? lookUp(unitsWithSwamp_, model::kDefaultUnitTableWithSwampEntry,
                              model::unitTableFromEntry)
                     : lookUp(units_, model::kDefaultUnitTableEntry, model::unitTableFromEntry);
}

const model::UpgradeTable* DefaultTables::upgrades() {
    return lookUp(upgrades_, model::kDefaultUpgradeTableEntry, model::upgradeTableFromEntry);
}

}  // namespace tarnwick::ui
