#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/model/Document.h"

namespace tarnwick::files {

// Reads a whole scenario's sections into `document`: on success it holds exactly the sections
// the file had (plus a default "UDTA"/"UGRD" when the file lacks one). On failure it throws with
// a message naming the section and changes nothing. What kind of document that makes is
// readDocument's to say.
void readScenario(model::Document& document, std::span<const std::uint8_t> file);

// The scenario as a file: the held sections in the fixed order.
std::vector<std::uint8_t> writeScenario(const model::Document& document);

// True when the bytes begin a scenario (the first section is "TYPE").
bool looksLikeScenario(std::span<const std::uint8_t> file);

}  // namespace tarnwick::files
