#pragma once

#include "core/model/Document.h"
#include "core/plugin/LinkObject.h"

namespace tarnwick::plugin {

// The plug-in start: replaces everything the document holds by the link's scenario, each
// section with its tag and length, and marks it a loaded scenario with no file name. The five map
// sections are copies of the used part of the layers (width x height cells, unit count x 8 bytes):
// the document owns them, and releasing them leaves the block alone. "ERAX" is held, with its word,
// only when its present byte is 1; "ALOW" is filled from its copy and held when its present byte is
// 1 (1 is the only value the host gives a meaning).
void fillDocument(model::Document& document, const LinkObject& link);
model::Document documentFromLink(const LinkObject& link);

// The first step of "Save and Exit": copies into the link object the "ALOW" and "ERAX" present
// bytes, the "UDTA" length (5950 with the swamp array, 5696 without), the 5696-byte unit data
// table, the swamp array only when the document has one (otherwise the area's last 254 bytes stay
// as received), the upgrade table and the restriction table. The other copies stay as received. A
// present byte keeps the host's value while the document agrees with it, so an unsaved flag (or a
// value other than 0 and 1) comes back byte for byte.
void storeDocumentInLink(const model::Document& document, LinkObject& link);

}  // namespace tarnwick::plugin
