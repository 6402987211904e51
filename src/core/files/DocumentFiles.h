#pragma once

#include <string>

#include <cstdint>
#include <span>
#include <vector>
#include "core/Error.h"
#include "core/bytes/InputLimit.h"

#include "core/model/Document.h"

namespace tarnwick::files {

// The kind of a file by content and size, never by name: a chain that starts with "TYPE" is a
// scenario, 5694 or 5948 bytes are unit data, 780 bytes upgrade data; anything else is None.
model::DocumentKind detectKind(std::span<const std::uint8_t> file);

// The largest file Open reads: a scenario, whose sections are fixed tables but for the map's
// (7 bytes a tile in all) and the units (8 bytes each). The game's maps are at most 128x128
// tiles, about 115 KiB; 16 MiB leaves room for a 1024x1024 map with a unit on every fourth tile,
// so that larger maps are never cut off by this limit.
inline constexpr bytes::InputLimit kLargestDocumentFile{16 * 1024 * 1024, "scenario"};

// A file of no kind the editor knows.
class UnknownFileKind : public Error {
  public:
    UnknownFileKind() : Error("Unknown or unsupported filetype!") {}
};

// The document loaded from `file`, read by its kind over `current` (a stand-alone file leaves
// the tables it does not hold as they were), named `fileName`. The one place that says what a
// read document is. Throws UnknownFileKind, or Error for a damaged file; `current` is untouched.
model::Document readDocument(const model::Document& current, std::span<const std::uint8_t> file,
                             const std::string& fileName);

// The document in the form of its own kind.
std::vector<std::uint8_t> writeDocument(const model::Document& document);

}  // namespace tarnwick::files
