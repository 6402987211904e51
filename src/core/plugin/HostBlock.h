#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/model/Document.h"

// The host's side of the shared block, for the project's own host (tools/host-sim) and tests.
// Only the layout binds a host; how this one fills the block is its own choice.
namespace tarnwick::plugin {

// A block of kBlockSize bytes holding `scenario`: every field of the layout, the map layers for
// the map's size, the unit records and their count, the present bytes from the sections the
// scenario holds, the "UDTA" length from its swamp array, and `hostHandle` at offset 0. Room
// the scenario does not use is zero. Throws Error when the scenario does not fit the layout (no
// "DIM ", a side of 0 or above 128, a layer longer than its room, more than 600 units).
std::vector<std::uint8_t> blockFromScenario(const model::Document& scenario,
                                            std::uint32_t hostHandle);

// The scenario a block holds, as the host reads it back after "Save and Exit": the same
// document the editor builds at its start. Throws PluginLinkError for a block the link refuses.
model::Document scenarioFromBlock(std::span<const std::uint8_t> block);
// As above, with what the layout has no room for kept from `sent`, the scenario the host put into
// the block: the online edition's "SIGN" section, in the place it had there.
model::Document scenarioFromBlock(std::span<const std::uint8_t> block, const model::Document& sent);

// True when the bytes the editor writes back on "Save and Exit" (offsets 4 to 7321 and 126810
// to 126817) are equal in both blocks.
bool fixedPartsEqual(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b);

}  // namespace tarnwick::plugin
