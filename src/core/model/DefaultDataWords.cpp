#include "core/model/DefaultDataWords.h"

#include "core/Error.h"
#include "core/model/UseDefaultWord.h"

namespace tarnwick::model {

namespace {

bool readsOn(DefaultableTable table, std::uint16_t value) {
    return table == DefaultableTable::UnitData ? unitUseDefaultChecked(value)
                                               : upgradeUseDefaultChecked(value);
}

bool tableDiffers(const Document& before, const Document& after, DefaultableTable table) {
    return table == DefaultableTable::UnitData
               ? before.unitData.bytes != after.unitData.bytes || before.gfxSwamp != after.gfxSwamp
               : before.upgrades.bytes != after.upgrades.bytes;
}

}  // namespace

std::uint16_t useDefaultWord(const Document& document, DefaultableTable table) {
    return static_cast<std::uint16_t>(table == DefaultableTable::UnitData
                                          ? document.unitData.get(unitfields::useDefault, 0)
                                          : document.upgrades.get(upgradefields::useDefault, 0));
}

bool gameUsesOwnTable(const Document& document, DefaultableTable table) {
    return document.kind == DocumentKind::Scenario &&
           readsOn(table, useDefaultWord(document, table));
}

void setGameUsesOwnTable(Document& document, DefaultableTable table, bool useOwn) {
    if (document.kind != DocumentKind::Scenario) {
        throw Error(
            "Only a scenario stores whether the game uses its own tables; a stand-alone "
            "table file leaves the word out");
    }
    if (readsOn(table, useDefaultWord(document, table)) == useOwn) {
        return;
    }
    if (table == DefaultableTable::UnitData) {
        document.unitData.set(unitfields::useDefault, 0, useOwn ? 1 : 0);
    } else {
        // The upgrade word is read by its low byte only; its high byte stays as it was.
        const std::uint32_t high = useDefaultWord(document, table) & 0xFF00u;
        document.upgrades.set(upgradefields::useDefault, 0, high | (useOwn ? 1 : 0));
    }
}

std::vector<DefaultableTable> ignoredChanges(const Document& before, const Document& after) {
    std::vector<DefaultableTable> ignored;
    for (const DefaultableTable table : {DefaultableTable::UnitData, DefaultableTable::Upgrades}) {
        if (gameUsesOwnTable(after, table) && tableDiffers(before, after, table)) {
            ignored.push_back(table);
        }
    }
    return ignored;
}

}  // namespace tarnwick::model
