#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Progress.h"
#include "core/model/Document.h"

namespace tarnwick::archive {

// The archive that keeps the game's default tables and its own scenarios.
inline constexpr const char* kSlotArchive = "MAINDAT.WAR";

// What the game keeps in a slot, and so the one kind of document that may go back into it.
enum class SlotContent { UnitData, UpgradeData, Scenario };

// One row of Direct Open and Direct Save: the entry it names and how the lists show it.
struct ArchiveSlot {
    int row = 0;  // from 1, as the lists and the command line count
    std::int64_t entry = 0;
    std::string caption;
    SlotContent content = SlotContent::Scenario;
};

inline constexpr int kArchiveSlotCount = 87;

// Every slot in row order: the default unit data, the default expansion unit data, the default
// upgrade data, then the scenarios.
const std::vector<ArchiveSlot>& archiveSlots();

// The slot of `row`; throws Error for a row outside 1 to 87.
const ArchiveSlot& slotAtRow(std::int64_t row);

// An entry as the archive stores it: its header and the bytes behind it.
struct PackedEntry {
    std::uint32_t header = 0;
    std::vector<std::uint8_t> payload;
};

// The document written with the writer of its kind, ready for `slot`: compressed, with the
// length in the header's low 24 bits and 0x20 in its top byte, or stored as is. Every refusal
// comes before any work, so a refused document changes nothing: nothing loaded, a kind the slot
// does not take (each with the text the user reads) and data longer than a header describes.
PackedEntry packForSlot(const model::Document& document, const ArchiveSlot& slot, bool compress,
                        Progress& progress);

}  // namespace tarnwick::archive
