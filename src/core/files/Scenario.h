#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/model/Document.h"

namespace tarnwick::files {

// Reads a whole scenario's sections into `document`: on success it holds exactly the sections
// the file had (plus a default "UDTA"/"UGRD" when the file lacks one), the last of a repeated
// one, where "SIGN" came and which sections came more than once. On failure it throws with a
// message naming the section and changes nothing. What kind of document that makes is
// readDocument's to say.
void readScenario(model::Document& document, std::span<const std::uint8_t> file);

// The scenario as a file: the held sections in the fixed order, "SIGN" where it was read.
std::vector<std::uint8_t> writeScenario(const model::Document& document);

// What the editor and the tool tell about a section the file held more than once.
std::string repeatedSectionNote(const model::RepeatedSection& repeated);

// True when the bytes begin a scenario (the first section is "TYPE").
bool looksLikeScenario(std::span<const std::uint8_t> file);

}  // namespace tarnwick::files
