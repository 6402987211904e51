#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/model/Document.h"

namespace tarnwick::files {

// The kind of a file by content and size, never by name: a chain that starts with "TYPE" is a
// scenario, 5694 or 5948 bytes are unit data, 780 bytes upgrade data; anything else is None.
model::DocumentKind detectKind(std::span<const std::uint8_t> file);

// Runs the reader of `kind`; on success the document is loaded as that kind.
void readDocument(model::Document& document, model::DocumentKind kind,
                  std::span<const std::uint8_t> file);

// The document in the form of its own kind.
std::vector<std::uint8_t> writeDocument(const model::Document& document);

}  // namespace tarnwick::files
