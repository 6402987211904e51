#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/bytes/InputLimit.h"
#include "core/model/Document.h"

namespace tarnwick::files {

// The stand-alone forms one table of the document can be exported in.
enum class ExportFormat {
    UnitData,        // "MAINDAT style" unit data: 5694 or 5948 bytes
    UpgradeData,     // "MAINDAT style" upgrade data: 780 bytes
    UpgradeSection,  // "UGRD" section with its header: 790 bytes
    UnitSection,     // "UDTA" section with its header: 5704 or 5958 bytes
    Restrictions,    // "ALOW" section with its header: 392 bytes
};

std::vector<std::uint8_t> exportTable(const model::Document& document, ExportFormat format);

// The largest form a table file takes: the "UDTA" section with its header and the swamp array.
inline constexpr bytes::InputLimit kLargestTableFile{5958, "table file"};

// Imports the table a file holds into the document, by its tag, mark and size. A refused file
// throws tarnwick::Error with the message to show, and the document is unchanged.
void importTable(model::Document& document, std::span<const std::uint8_t> file);

inline constexpr const char* kUnknownFormat = "This is an unknown or unsupported format";

}  // namespace tarnwick::files
