#include "core/model/PlayerSettings.h"

#include <algorithm>
#include <charconv>

#include "core/bytes/LittleEndian.h"
#include "core/model/TypedNumber.h"

namespace tarnwick::model {

namespace {

std::string describeBox(std::size_t slot, Resource resource) {
    std::string name(kResourceNames[static_cast<std::size_t>(resource)]);
    return name + " of player " + std::to_string(slot + 1);
}

// A whole number as a box holds it: digits, perhaps a minus, blanks around it allowed; none
// for anything else.
std::optional<std::int64_t> parseWhole(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    const std::string_view digits = text.substr(text.front() == '-' ? 1 : 0);
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
        error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// The amount a box holds, by the range rule every typed number follows.
std::uint16_t amountOf(const std::string& text, std::size_t slot, Resource resource) {
    const auto value = parseWhole(text);
    if (!value) {
        throw ResourceTextError(
            slot, resource,
            describeBox(slot, resource) + ": '" + text + "' is not a whole number from 0 to 65535",
            false);
    }
    try {
        checkFits(*value, describeBox(slot, resource), 0, 0xFFFF);
    } catch (const ValueDoesNotFit& refusal) {
        throw ResourceTextError(slot, resource, refusal.what(), true);
    }
    return static_cast<std::uint16_t>(*value);
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

ResourceTextError::ResourceTextError(std::size_t slot_, Resource resource_,
                                     const std::string& message, bool doesNotFit_)
    : Error(message), slot(slot_), resource(resource_), doesNotFit(doesNotFit_) {}

void storeStartingResources(Document& document, const ResourceTexts& texts) {
    std::array<std::array<std::uint16_t, kResources.size()>, kEditedPlayerCount> amounts{};
    for (std::size_t slot = 0; slot < kEditedPlayerCount; ++slot) {
        for (const Resource resource : kResources) {
            if (!document.holds(sectionOf(resource))) {
                continue;
            }
            const auto r = static_cast<std::size_t>(resource);
            amounts[slot][r] = amountOf(texts[slot][r], slot, resource);
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
