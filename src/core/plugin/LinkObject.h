#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/plugin/SharedBlock.h"

namespace tarnwick::plugin {

// Refuses a block whose claims would send the reads past its regions: fewer than
// kBlockSize bytes, a map width or height of 0 or above 128, more than 600 units, or a "UDTA"
// length other than 5696 or 5950. Throws PluginLinkError "Cannot communicate with Marrowby."
// followed by the reason.
void validateBlock(std::span<const std::uint8_t> block);
// The size check alone, for a block not yet mapped.
void validateBlockSize(std::uint64_t size);

// What the link keeps of the block: a copy of every field of the layout at the block's own
// offsets. The fixed part is written back on "Save and Exit". The map layers are copies too:
// nothing in the editor writes them, so the host sees the same bytes as if they were shared,
// and the document can own them like those of a file.
class LinkObject {
  public:
    // An empty object: every field zero.
    LinkObject();

    // Validates the block, then copies every field of the layout.
    static LinkObject fromBlock(std::span<const std::uint8_t> block);

    // Copies the fields written back on "Save and Exit" into the block: offsets 4 to 7321 and
    // 126810 to 126817. The host handle, the unit count and the map layers are not touched.
    void writeBack(std::span<std::uint8_t> block) const;

    std::span<std::uint8_t> field(BlockField id);
    std::span<const std::uint8_t> field(BlockField id) const;
    // A field of 1, 2 or 4 bytes as a number.
    std::uint32_t number(BlockField id) const;
    void setNumber(BlockField id, std::uint32_t value);

    std::uint32_t hostHandle() const { return number(BlockField::HostHandle); }
    std::uint32_t mapWidth() const { return number(BlockField::MapWidth); }
    std::uint32_t mapHeight() const { return number(BlockField::MapHeight); }
    std::uint32_t unitCount() const { return number(BlockField::UnitCount); }
    std::uint32_t unitDataLength() const { return number(BlockField::UnitDataLength); }

    // The part of a map layer that the map uses: width x height cells, or the unit records.
    std::span<const std::uint8_t> usedLayer(BlockField id) const;

  private:
    std::vector<std::uint8_t> mirror_;  // kBlockSize bytes, laid out as the block
};

}  // namespace tarnwick::plugin
