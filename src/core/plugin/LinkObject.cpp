#include "core/plugin/LinkObject.h"

#include <algorithm>
#include <string>

#include "core/bytes/LittleEndian.h"
#include "core/plugin/PluginLinkError.h"

namespace tarnwick::plugin {

namespace {

std::uint32_t numberAt(std::span<const std::uint8_t> block, BlockField id) {
    const BlockFieldInfo& info = blockField(id);
    return bytes::readLe(block, info.offset, info.size);
}

std::span<const std::uint8_t> fieldOf(std::span<const std::uint8_t> block, BlockField id) {
    const BlockFieldInfo& info = blockField(id);
    return block.subspan(info.offset, info.size);
}

void checkMapSide(const char* which, std::uint32_t side) {
    if (side == 0 || side > kMaxMapSide) {
        throw PluginLinkError::cannotCommunicate("The map " + std::string(which) + " " +
                                                 std::to_string(side) + " is outside 1 to " +
                                                 std::to_string(kMaxMapSide) + ".");
    }
}

}  // namespace

void validateBlockSize(std::uint64_t size) {
    if (size < kBlockSize) {
        throw PluginLinkError::cannotCommunicate("The shared block holds " + std::to_string(size) +
                                                 " bytes; it must hold at least " +
                                                 std::to_string(kBlockSize) + ".");
    }
}

void validateBlock(std::span<const std::uint8_t> block) {
    validateBlockSize(block.size());
    checkMapSide("width", numberAt(block, BlockField::MapWidth));
    checkMapSide("height", numberAt(block, BlockField::MapHeight));
    const std::uint32_t units = numberAt(block, BlockField::UnitCount);
    if (units > kMaxUnitRecords) {
        throw PluginLinkError::cannotCommunicate("The unit count " + std::to_string(units) +
                                                 " is above " + std::to_string(kMaxUnitRecords) +
                                                 ".");
    }
    const std::uint32_t length = numberAt(block, BlockField::UnitDataLength);
    if (length != kUnitDataLengthPlain && length != kUnitDataLengthWithSwamp) {
        throw PluginLinkError::cannotCommunicate("The \"UDTA\" length " + std::to_string(length) +
                                                 " is neither 5696 nor 5950.");
    }
}

LinkObject::LinkObject() : mirror_(kBlockSize, 0) {}

LinkObject LinkObject::fromBlock(std::span<const std::uint8_t> block) {
    validateBlock(block);
    LinkObject link;
    for (const BlockFieldInfo& info : kBlockLayout) {
        const auto source = fieldOf(block, info.id);
        std::copy(source.begin(), source.end(), link.field(info.id).begin());
    }
    return link;
}

void LinkObject::writeBack(std::span<std::uint8_t> block) const {
    validateBlockSize(block.size());
    for (const BlockFieldInfo& info : kBlockLayout) {
        if (info.onSave == OnSave::WrittenBack) {
            const auto source = field(info.id);
            std::copy(source.begin(), source.end(),
                      block.begin() + static_cast<std::ptrdiff_t>(info.offset));
        }
    }
}

std::span<std::uint8_t> LinkObject::field(BlockField id) {
    const BlockFieldInfo& info = blockField(id);
    return std::span<std::uint8_t>(mirror_).subspan(info.offset, info.size);
}

std::span<const std::uint8_t> LinkObject::field(BlockField id) const {
    return fieldOf(mirror_, id);
}

std::uint32_t LinkObject::number(BlockField id) const {
    return numberAt(mirror_, id);
}

void LinkObject::setNumber(BlockField id, std::uint32_t value) {
    const BlockFieldInfo& info = blockField(id);
    bytes::writeLe(mirror_, info.offset, info.size, value);
}

std::span<const std::uint8_t> LinkObject::usedLayer(BlockField id) const {
    const BlockFieldInfo& info = blockField(id);
    if (info.onSave != OnSave::MapLayer) {
        throw Error("The field " + std::string(info.name) + " is no map layer");
    }
    const std::size_t cells = id == BlockField::Units
                                  ? std::size_t{unitCount()}
                                  : std::size_t{mapWidth()} * std::size_t{mapHeight()};
    // A link object that did not come from a valid block may claim more than the room.
    return field(id).first(std::min(cells * info.cellSize, info.size));
}

}  // namespace tarnwick::plugin
