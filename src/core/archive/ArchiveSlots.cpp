#include "core/archive/ArchiveSlots.h"

#include <array>

#include "core/Error.h"
#include "core/archive/Archive.h"
#include "core/archive/LzssEncoder.h"
#include "core/files/DocumentFiles.h"

namespace tarnwick::archive {

namespace {

using model::DocumentKind;

constexpr std::array<const char*, 28> kScenarioTitles = {
    "Gold separates East from West",
    "Oil is the key",
    "Bridge to Bridge Combat",
    "Plains of snow",
    "Three ways to cross",
    "High seas combat",
    "A continent to explore",
    "Islands in the stream",
    "Opposing city-states",
    "Death in the middle",
    "The Spiral",
    "Mysterious Dragon Isle",
    "The four corners",
    "No way out of this maze",
    "Fierce ocean combat",
    "Cross the streams",
    "Gold Mines",
    "X marks the spot",
    "One way in, one way out",
    "Nowhere to run, Nowhere to hide",
    "Fortress of unyielding Stone",
    "Rivers",
    "Critter attack",
    "Skull Isle",
    "Crossover",
    "Garden of War",
    "Mine the Center",
    "River Fork",
};

// "PUD Level  1 (Humans)": numbers below 10 take one more blank, so the captions line up.
std::string levelCaption(int level, const char* mark, const char* race) {
    return std::string("PUD Level ") + (level < 10 ? " " : "") + std::to_string(level) + mark +
           " (" + race + ")";
}

std::vector<ArchiveSlot> buildSlots() {
    std::vector<ArchiveSlot> slots = {
        {1, 0, "Default UDTA", SlotContent::UnitData},
        {2, 472, "Default Expansion UDTA", SlotContent::UnitData},
        {3, 1, "Default UGRD", SlotContent::UpgradeData},
    };
    // The campaign scenarios follow the upgrade data from entry 192 on, those of the expansion
    // from entry 446 on.
    const auto addScenario = [&](int entryOffset, std::string caption) {
        const int row = static_cast<int>(slots.size()) + 1;
        slots.push_back({row, row + entryOffset, std::move(caption), SlotContent::Scenario});
    };
    constexpr int kCampaign = 188;
    constexpr int kExpansion = 382;
    for (int level = 1; level <= 14; ++level) {
        for (const char* race : {"Humans", "Orcs"}) {
            addScenario(kCampaign, levelCaption(level, "", race));
        }
    }
    for (const char* title : kScenarioTitles) {
        addScenario(kCampaign, std::string("PUD \"") + title + "\"");
    }
    for (int demo = 1; demo <= 4; ++demo) {
        addScenario(kCampaign, "PUD Opening Demo " + std::to_string(demo));
    }
    for (int level = 1; level <= 12; ++level) {
        for (const char* race : {"Humans", "Orcs"}) {
            addScenario(kExpansion, levelCaption(level, "X", race));
        }
    }
    return slots;
}

DocumentKind kindOf(SlotContent content) {
    switch (content) {
        case SlotContent::UnitData:
            return DocumentKind::UnitData;
        case SlotContent::UpgradeData:
            return DocumentKind::UpgradeData;
        case SlotContent::Scenario:
            break;
    }
    return DocumentKind::Scenario;
}

const char* refusal(SlotContent content) {
    switch (content) {
        case SlotContent::UnitData:
            return "Cant import a PUD or a UGRD into a UDTA slot";
        case SlotContent::UpgradeData:
            return "Cant import a UDTA or PUD into a UGRD slot";
        case SlotContent::Scenario:
            break;
    }
    return "Cant import a UDTA or UGRD into a PUD slot";
}

}  // namespace

const std::vector<ArchiveSlot>& archiveSlots() {
    static const std::vector<ArchiveSlot> slots = buildSlots();
    return slots;
}

const ArchiveSlot& slotAtRow(std::int64_t row) {
    if (row < 1 || row > kArchiveSlotCount) {
        throw Error("There is no row " + std::to_string(row) + ": rows run from 1 to " +
                    std::to_string(kArchiveSlotCount));
    }
    return archiveSlots()[static_cast<std::size_t>(row - 1)];
}

PackedEntry packForSlot(const model::Document& document, const ArchiveSlot& slot, bool compress,
                        Progress& progress) {
    if (!document.isLoaded || document.kind == DocumentKind::None) {
        throw Error("Error importing.. Could not save data!");
    }
    if (document.kind != kindOf(slot.content)) {
        throw Error(refusal(slot.content));
    }
    std::vector<std::uint8_t> data = files::writeDocument(document);
    // Refuses what a 24-bit length cannot describe before the slow compression.
    const std::uint32_t header = entryHeader(data.size(), compress);
    if (!compress) {
        return {header, std::move(data)};
    }
    return {header, lzssCompress(data, progress)};
}

}  // namespace tarnwick::archive
