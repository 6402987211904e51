#pragma once

#include <cstdint>
#include <vector>

#include "core/model/Document.h"

namespace tarnwick::model {

// The two tables a scenario can tell the game to replace with the game's own.
enum class DefaultableTable { UnitData, Upgrades };

// The word as stored, whatever the document's kind.
std::uint16_t useDefaultWord(const Document& document, DefaultableTable table);

// Whether the game, reading this document, uses its own table and ignores the document's. Only
// a scenario stores the words; the stand-alone files leave them out, so they never say so.
bool gameUsesOwnTable(const Document& document, DefaultableTable table);

// Makes the word read as asked, read by the rules of the editor's check marks; a word that
// already reads so is kept, otherwise the unit word becomes 1 (on) or 0 (off) and the upgrade
// word's low byte 1 or 0, its high byte kept. Throws Error for anything but a scenario, which
// has no word to store.
void setGameUsesOwnTable(Document& document, DefaultableTable table, bool useOwn);

// The tables that differ between the two documents and that the game ignores in `after`: the
// changes a command made that will have no effect in the game.
std::vector<DefaultableTable> ignoredChanges(const Document& before, const Document& after);

}  // namespace tarnwick::model
