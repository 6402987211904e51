#include "core/model/PlayerSettings.h"

#include <algorithm>

#include "core/bytes/LittleEndian.h"

namespace tarnwick::model {

namespace {

std::string describeBox(std::size_t slot, Resource resource) {
    std::string name(kResourceNames[static_cast<std::size_t>(resource)]);
    return name + " of player " + std::to_string(slot + 1);
}

// A whole number from 0 to 65535, blanks around it allowed.
std::optional<std::uint16_t> parseAmount(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const unsigned long value = std::stoul(std::string(text));
    if (value > 0xFFFF) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(value);
}

}  // namespace

std::optional<std::size_t> shownChoice(const Document& document, const PlayerChoiceList& list,
                                       std::size_t choiceCount, std::size_t slot) {
    const std::uint8_t code = document.body(list.section)[slot];
    if (code < list.firstCode || std::size_t{code} - list.firstCode >= choiceCount) {
        return std::nullopt;
    }
    return std::size_t{code} - list.firstCode;
}

void storeChoice(Document& document, const PlayerChoiceList& list, std::size_t slot,
                 std::size_t choice) {
    document.body(list.section)[slot] = static_cast<std::uint8_t>(list.firstCode + choice);
}

std::uint16_t startingAmount(const Document& document, Resource resource, std::size_t slot) {
    return static_cast<std::uint16_t>(
        bytes::readLe(document.body(sectionOf(resource)), 2 * slot, 2));
}

ResourceTextError::ResourceTextError(std::size_t slot_, Resource resource_, const std::string& text)
    : Error(describeBox(slot_, resource_) + ": '" + text +
            "' is not a whole number from 0 to 65535"),
      slot(slot_),
      resource(resource_) {}

void storeStartingResources(Document& document, const ResourceTexts& texts) {
    std::array<std::array<std::uint16_t, kResources.size()>, kEditedPlayerCount> amounts{};
    for (std::size_t slot = 0; slot < kEditedPlayerCount; ++slot) {
        for (const Resource resource : kResources) {
            if (!document.holds(sectionOf(resource))) {
                continue;
            }
            const std::string& text = texts[slot][static_cast<std::size_t>(resource)];
            const auto amount = parseAmount(text);
            if (!amount) {
                throw ResourceTextError(slot, resource, text);
            }
            amounts[slot][static_cast<std::size_t>(resource)] = *amount;
        }
    }
    for (std::size_t slot = 0; slot < kEditedPlayerCount; ++slot) {
        for (const Resource resource : kResources) {
            if (document.holds(sectionOf(resource))) {
                bytes::writeLe(document.body(sectionOf(resource)), 2 * slot, 2,
                               amounts[slot][static_cast<std::size_t>(resource)]);
            }
        }
    }
}

}  // namespace tarnwick::model
