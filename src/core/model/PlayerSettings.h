#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/Error.h"
#include "core/model/Document.h"

namespace tarnwick::model {

// The windows show and edit players 1 to 8 (slots 0 to 7); slots 8 to 15 stay as read.
inline constexpr std::size_t kEditedPlayerCount = 8;

inline constexpr std::array<std::string_view, kEditedPlayerCount> kPlayerLabels = {
    "&1 (Red):",    "&2 (Blue):",  "&3 (Green):", "&4 (Violet):",
    "&5 (Orange):", "&6 (Black):", "&7 (White):", "&8 (Yellow):"};

// A per-player list of choices: choice k stores code firstCode + k into the slot's byte.
struct PlayerChoiceList {
    SectionId section;
    std::uint8_t firstCode;
};

inline constexpr PlayerChoiceList kRaceList{SectionId::Sides, 0};
inline constexpr std::array<std::string_view, 3> kRaceNames = {"Human", "Orc", "Neutral"};

// Codes 0 and 1 have no name: a slot holding one shows no choice.
inline constexpr PlayerChoiceList kControllerList{SectionId::Owners, 2};
inline constexpr std::array<std::string_view, 6> kControllerNames = {
    "Neutral", "Nobody", "Computer", "Human", "Rescue(Passive)", "Rescue(Active)"};

// The computer players' strategies, named by the game's string table.
inline constexpr PlayerChoiceList kComputerPlayerList{SectionId::AiPlayers, 0};

// The choice a list of `choiceCount` entries shows for the slot's code, or none for a code
// outside the list.
std::optional<std::size_t> shownChoice(const Document& document, const PlayerChoiceList& list,
                                       std::size_t choiceCount, std::size_t slot);
void storeChoice(Document& document, const PlayerChoiceList& list, std::size_t slot,
                 std::size_t choice);

enum class Resource : std::uint8_t { Gold, Lumber, Oil };
inline constexpr std::array<Resource, 3> kResources = {Resource::Gold, Resource::Lumber,
                                                       Resource::Oil};
inline constexpr std::array<SectionId, 3> kResourceSections = {
    SectionId::StartGold, SectionId::StartLumber, SectionId::StartOil};
inline constexpr std::array<std::string_view, 3> kResourceNames = {"Gold", "Lumber", "Oil"};

inline SectionId sectionOf(Resource resource) {
    return kResourceSections[static_cast<std::size_t>(resource)];
}
std::uint16_t startingAmount(const Document& document, Resource resource, std::size_t slot);

// The texts of the starting resources window, by slot and resource.
using ResourceTexts = std::array<std::array<std::string, kResources.size()>, kEditedPlayerCount>;

// A box that holds no whole number from 0 to 65535: "Gold of player 1: 'abc' is not a whole
// number from 0 to 65535", or a whole number outside it (doesNotFit), "70000 does not fit Gold
// of player 1 (0 to 65535)".
class ResourceTextError : public Error {
  public:
    ResourceTextError(std::size_t badSlot, Resource badResource, const std::string& message,
                      bool doesNotFit);
    std::size_t slot;
    Resource resource;
    bool doesNotFit;
};

// Checks every text of a section the document holds, slot by slot, gold, lumber, oil; stores
// them all, or throws for the first bad one and stores nothing. Texts of sections the document
// does not hold are ignored.
void storeStartingResources(Document& document, const ResourceTexts& texts);

}  // namespace tarnwick::model
