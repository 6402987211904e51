#include "core/bytes/Printable.h"
#include "core/files/Scenario.h"
#include "core/game/Minimap.h"
#include "core/model/DefaultDataWords.h"
#include "core/model/MapProperties.h"
#include "core/model/PlayerSettings.h"
#include "core/model/TypedNumber.h"
#include "tool/Commands.h"
#include "tool/PngOutput.h"
#include "tool/ToolFiles.h"

namespace tarnwick::tool {

namespace {

constexpr int kLargestScale = 32;
// The game's largest map at the largest scale.
constexpr int kLargestSide = model::kLargestMapSide * kLargestScale;
// What a picture drawn --scale times larger may take: its sides are 16-bit, and a map larger
// than the game's takes no more memory than the game's largest at the largest scale.
constexpr std::uint64_t kLargestDrawnSide = 65535;
constexpr std::uint64_t kMostDrawnPixels = std::uint64_t{kLargestSide} * kLargestSide;

// Both commands go by the map size: one that the tile map cannot back is refused before
// anything is drawn or said. Maps larger than the game's are taken whole.
model::Document openScenario(const std::string& path) {
    model::Document document = openDocument(path);
    if (document.kind != model::DocumentKind::Scenario) {
        throw Error(quoted(path) + " is no scenario");
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
    // Escaped: a line break in the description must not start a line of its own.
    out << "description: " << bytes::printable(model::descriptionText(document)) << '\n';
    if (const auto size = model::mapSize(document)) {
        out << "size: " << size->width << " x " << size->height;
        if (model::isLargerThanGameMaps(*size)) {
            out << " (larger than the game's " << model::kLargestMapSide << " x "
                << model::kLargestMapSide << ')';
        }
        out << '\n';
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
    if (document.holds(model::SectionId::Signature)) {
        out << "sign: " << document.body(model::SectionId::Signature).size()
            << " bytes from the game's online edition, written back unchanged\n";
    }
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
    for (const model::RepeatedSection& repeated : document.repeatedSections) {
        out << "note: " << files::repeatedSectionNote(repeated) << '\n';
    }
}

// The size the picture is drawn at: whole pixels per tile with --scale, or the larger side at
// --size pixels and the other in proportion, rounded, at least one pixel.
std::pair<std::uint16_t, std::uint16_t> drawnSize(const game::MinimapPicture& picture,
                                                  const Invocation& invocation) {
    const auto side = invocation.value("size");
    if (!side) {
        const std::string scale = invocation.value("scale").value_or("1");
        const auto factor = static_cast<std::uint64_t>(model::parseTypedInteger(scale));
        const std::uint64_t width = picture.width * factor;
        const std::uint64_t height = picture.height * factor;
        if (width > kLargestDrawnSide || height > kLargestDrawnSide ||
            width * height > kMostDrawnPixels) {
            throw Error("--scale " + scale + " would draw " + std::to_string(width) + " x " +
                        std::to_string(height) + " pixels; at most " +
                        std::to_string(kLargestDrawnSide) + " a side and " +
                        std::to_string(kMostDrawnPixels) + " in all are drawn");
        }
        return {static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height)};
    }
    const auto larger = static_cast<std::uint16_t>(model::parseTypedInteger(*side));
    const auto inProportion = [larger](unsigned length, unsigned largerLength) {
        return static_cast<std::uint16_t>(
            std::max(1u, (2 * length * larger + largerLength) / (2 * largerLength)));
    };
    if (picture.width >= picture.height) {
        return {larger, inProportion(picture.height, picture.width)};
    }
    return {inProportion(picture.width, picture.height), larger};
}

void drawMinimap(const Invocation& invocation, std::ostream&) {
    const std::string& in = invocation.arguments[0];
    const std::string& out = invocation.arguments[1];
    if (invocation.isSet("scale") && invocation.isSet("size")) {
        throw UsageError("--scale and --size cannot be used together");
    }
    if (!hasExtension(out, ".png") && !isStream(out)) {
        throw Error(quoted(out) + " must end in .png");
    }
    checkOutput(out, {in});
    const auto picture = game::buildMinimap(openScenario(in));
    if (!picture) {
        throw Error(quoted(in) + " has no map size");
    }
    const auto [width, height] = drawnSize(*picture, invocation);
    const game::MinimapPicture drawn = game::resizedMinimap(*picture, width, height);
    writePng(out, {drawn.width, drawn.height, drawn.rgb, std::nullopt},
             invocation.isSet("thumbnailer") ? OutputWrite::InPlace : OutputWrite::Replace);
}

}  // namespace

std::vector<Command> scenarioCommands() {
    return {
        {"info",
         "What a scenario holds: its description, size, version, terrains, expansion flags, "
         "whether the game uses its own unit data and upgrades, and one line per player 1 to "
         "8 with race, controller, computer player code and starting gold, lumber and oil. "
         "Every line is \"name: value\"; a \"SIGN\" section of the game's online edition and "
         "sections the file holds more than once are named. A map larger than the game's 128 "
         "x 128 is said to be so; a map size that the tile map cannot back is refused.",
         {{"FILE", "a scenario"}},
         {},
         "tarnwick-tool info my.pud",
         describeScenario},
        {"minimap",
         "Draws the scenario's minimap as the editor does: one pixel per tile, coloured by "
         "tile number. Drawn larger or smaller, every pixel takes the colour of the tile "
         "under it, with no blending. Maps larger than the game's are drawn whole; a map size "
         "that the tile map cannot back is refused.",
         {{"FILE", "a scenario"}, {"OUT", "the picture to write, ending in .png"}},
         {{"scale", "N", "N x N pixels per tile, 1 to 32 (default 1)",
           integerValue(1, kLargestScale)},
          {"size", "N",
           "the larger side N pixels, the other in proportion, 1 to 4096; instead of --scale",
           integerValue(1, kLargestSide)},
          {"thumbnailer", "",
           "as a thumbnail service runs it: OUT, which the service made and may hold open, is "
           "emptied and written into, not replaced by a new file (a failed write can leave it "
           "part-written, so not for a picture of your own)"}},
         "tarnwick-tool minimap my.pud map.png --size 256",
         drawMinimap},
    };
}

}  // namespace tarnwick::tool
