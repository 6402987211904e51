// Any bytes as a scenario, shown as the map properties, player properties and starting
// resources windows show it. Pressing OK without an edit leaves the file byte for byte; the edits
// the windows make (description, expansion terrain and back, the version 17 rule, races,
// controllers, starting resources) read back from the written file as made.
#include <cstddef>
#include <cstdint>

#include "Require.h"
#include "core/Error.h"
#include "core/files/Scenario.h"
#include "core/model/MapProperties.h"
#include "core/model/PlayerSettings.h"

namespace {

using namespace tarnwick;
using fuzz::require;
using Bytes = std::vector<std::uint8_t>;

Bytes written(const model::Document& document) {
    return files::writeScenario(document);
}

model::Document readBack(const model::Document& document) {
    model::Document again;
    files::readScenario(again, written(document));
    return again;
}

// OK in the map properties, player properties and starting resources windows, nothing edited.
void pressOkUnchanged(model::Document& document) {
    model::storeDescription(document, model::descriptionText(document));
    model::ResourceTexts texts;
    for (std::size_t slot = 0; slot < model::kEditedPlayerCount; ++slot) {
        for (const model::PlayerChoiceList& list : {model::kRaceList, model::kControllerList}) {
            const std::size_t names = list.section == model::kRaceList.section
                                          ? model::kRaceNames.size()
                                          : model::kControllerNames.size();
            if (const auto choice = model::shownChoice(document, list, names, slot)) {
                model::storeChoice(document, list, slot, *choice);
            }
        }
        for (const model::Resource resource : model::kResources) {
            texts[slot][static_cast<std::size_t>(resource)] =
                std::to_string(model::startingAmount(document, resource, slot));
        }
    }
    model::storeStartingResources(document, texts);
}

void requireEditsReadBack(model::Document document) {
    const std::string description = "Fuzz: an edited map";
    model::storeDescription(document, description);
    model::convertToExpansion(document);
    require(model::applyWastelandOnlyRule(document) ==
            (model::versionWord(document) == model::kWastelandOnlyVersion));
    model::ResourceTexts texts;
    for (std::size_t slot = 0; slot < model::kEditedPlayerCount; ++slot) {
        model::storeChoice(document, model::kRaceList, slot, slot % model::kRaceNames.size());
        model::storeChoice(document, model::kControllerList, slot,
                           slot % model::kControllerNames.size());
        for (const model::Resource resource : model::kResources) {
            texts[slot][static_cast<std::size_t>(resource)] =
                " " + std::to_string(slot * 9001) + " ";
        }
    }
    model::storeStartingResources(document, texts);
    const model::Document expansion = readBack(document);
    const auto held = [&](model::SectionId id) { return expansion.holds(id); };
    require(!held(model::SectionId::Description) ||
            model::descriptionText(expansion) == description);
    require(expansion.hasExpansionTerrain() &&
            model::terrainWord(expansion, model::SectionId::EraExpansion) ==
                static_cast<std::uint16_t>(model::Terrain::Wasteland));
    for (std::size_t slot = 0; slot < model::kEditedPlayerCount; ++slot) {
        require(!held(model::kRaceList.section) ||
                model::shownChoice(expansion, model::kRaceList, model::kRaceNames.size(), slot) ==
                    slot % model::kRaceNames.size());
        require(!held(model::kControllerList.section) ||
                model::shownChoice(expansion, model::kControllerList,
                                   model::kControllerNames.size(),
                                   slot) == slot % model::kControllerNames.size());
        for (const model::Resource resource : model::kResources) {
            require(!held(model::sectionOf(resource)) ||
                    model::startingAmount(expansion, resource, slot) == slot * 9001);
        }
    }
    model::convertToNormal(document);
    require(!readBack(document).hasExpansionTerrain());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    model::Document document;
    try {
        files::readScenario(document, {data, size});
    } catch (const Error&) {
        return 0;
    }
    const Bytes before = written(document);
    pressOkUnchanged(document);
    require(written(document) == before);
    requireEditsReadBack(document);
    return 0;
}
