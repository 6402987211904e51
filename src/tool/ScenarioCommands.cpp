#include <QImage>

#include "core/game/Minimap.h"
#include "core/model/DefaultDataWords.h"
#include "core/model/MapProperties.h"
#include "core/model/PlayerSettings.h"
#include "core/model/TypedNumber.h"
#include "tool/Commands.h"
#include "tool/ToolFiles.h"

namespace tarnwick::tool {

namespace {

constexpr int kLargestScale = 32;

// Both commands go by the map size: one that the tile map cannot back, or that no game map has,
// is refused before anything is drawn or said.
model::Document openScenario(const std::string& path) {
    model::Document document = openDocument(path);
    if (document.kind != model::DocumentKind::Scenario) {
        throw Error("\"" + path + "\" is no scenario");
    }
    if (const auto problem = model::mapSizeProblem(document)) {
        throw aboutFile(path, Error(*problem));
    }
    return document;
}

std::string terrainName(std::uint16_t word) {
    static const char* const names[] = {"Forest", "Winter", "Wasteland", "Swamp"};
    return word < std::size(names) ? names[word] : std::to_string(word);
}

// A choice's name, or the stored code when the list has none for it.
std::string choiceName(const model::Document& document, const model::PlayerChoiceList& list,
                       const auto& names, std::size_t slot) {
    if (const auto choice = model::shownChoice(document, list, names.size(), slot)) {
        return std::string(names[*choice]);
    }
    return std::to_string(document.body(list.section)[slot]);
}

std::string yesNo(bool value) {
    return value ? "yes" : "no";
}

void describeScenario(const Invocation& invocation, std::ostream& out) {
    const model::Document document = openScenario(invocation.arguments[0]);
    out << "description: " << model::descriptionText(document) << '\n';
    if (const auto size = model::mapSize(document)) {
        out << "size: " << size->width << 'x' << size->height << '\n';
    }
    if (const auto version = model::versionWord(document)) {
        out << "version: " << *version << '\n';
    }
    out << "terrain: " << terrainName(model::terrainWord(document, model::SectionId::Era)) << '\n';
    out << "expansion: " << yesNo(document.hasExpansionTerrain()) << '\n';
    if (document.hasExpansionTerrain()) {
        out << "expansion terrain: "
            << terrainName(model::terrainWord(document, model::SectionId::EraExpansion)) << '\n';
    }
    out << "expansion graphics: " << yesNo(document.hasExpansionGfx) << '\n';
    out << "restrictions: " << yesNo(document.hasRestrictions()) << '\n';
    out << "game uses its own unit data: "
        << yesNo(model::gameUsesOwnTable(document, model::DefaultableTable::UnitData)) << '\n';
    out << "game uses its own upgrades: "
        << yesNo(model::gameUsesOwnTable(document, model::DefaultableTable::Upgrades)) << '\n';
    for (std::size_t slot = 0; slot < model::kEditedPlayerCount; ++slot) {
        out << "player " << slot + 1
            << ": race=" << choiceName(document, model::kRaceList, model::kRaceNames, slot)
            << " controller="
            << choiceName(document, model::kControllerList, model::kControllerNames, slot)
            << " ai=" << int{document.body(model::kComputerPlayerList.section)[slot]};
        for (const model::Resource resource : model::kResources) {
            std::string name(model::kResourceNames[static_cast<std::size_t>(resource)]);
            name[0] = static_cast<char>(name[0] - 'A' + 'a');
            out << ' ' << name << '=' << model::startingAmount(document, resource, slot);
        }
        out << '\n';
    }
}

int scaleOf(const Invocation& invocation) {
    const auto text = invocation.value("scale");
    const int scale = text ? model::parseTypedInteger(*text) : 1;
    if (scale < 1 || scale > kLargestScale) {
        throw Error("--scale needs a whole number from 1 to " + std::to_string(kLargestScale));
    }
    return scale;
}

void drawMinimap(const Invocation& invocation, std::ostream&) {
    const std::string& in = invocation.arguments[0];
    const std::string& out = invocation.arguments[1];
    if (!hasExtension(out, ".png")) {
        throw Error("\"" + out + "\" must end in .png");
    }
    refuseOutputOverInput(out, {in});
    const int scale = scaleOf(invocation);
    const auto picture = game::buildMinimap(openScenario(in));
    if (!picture) {
        throw Error("\"" + in + "\" has no map size");
    }
    const QImage image = QImage(picture->rgb.data(), picture->width, picture->height,
                                picture->width * 3, QImage::Format_RGB888);
    writePng(out, image.scaled(image.size() * scale));  // whole factors: no smoothing
}

}  // namespace

std::vector<Command> scenarioCommands() {
    return {
        {"info",
         "What a scenario holds: its description, size, version, terrains, expansion flags, "
         "whether the game uses its own unit data and upgrades, and one line per player 1 to "
         "8 with race, controller, computer player code and starting gold, lumber and oil. "
         "Every line is \"name: value\". A map size that the tile map cannot back, or that is "
         "outside 1 to 128 tiles a side, is refused.",
         {{"FILE", "a scenario"}},
         {},
         "tarnwick-tool info my.pud",
         describeScenario},
        {"minimap",
         "Draws the scenario's minimap as the editor does: one pixel per tile, coloured by "
         "tile number. A map size that the tile map cannot back, or that is outside 1 to 128 "
         "tiles a side, is refused.",
         {{"FILE", "a scenario"}, {"OUT", "the picture to write, ending in .png"}},
         {{"scale", "N", "N x N pixels per tile, 1 to 32 (default 1)"}},
         "tarnwick-tool minimap my.pud map.png --scale 4",
         drawMinimap},
    };
}

}  // namespace tarnwick::tool
