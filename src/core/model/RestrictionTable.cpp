#include "core/model/RestrictionTable.h"

namespace tarnwick::model {

namespace {
std::uint32_t mask(unsigned bitIndex) {
    if (bitIndex >= 32) {
        throw Error("Restriction bit " + std::to_string(bitIndex) + " does not exist");
    }
    return std::uint32_t{1} << bitIndex;
}
}  // namespace

RestrictionTable RestrictionTable::defaults() {
    RestrictionTable table;
    for (const FieldDescriptor* allowed :
         {&restrictionfields::unitsAllowed, &restrictionfields::spellsAllowed,
          &restrictionfields::upgradesAllowed}) {
        for (std::size_t slot = 0; slot < kPlayerSlotCount; ++slot) {
            writeField(table.bytes, *allowed, slot, 0xFFFFFFFFu);
        }
    }
    return table;
}

bool RestrictionTable::bit(const FieldDescriptor& array, std::size_t slot,
                           unsigned bitIndex) const {
    return (readField(bytes, array, slot) & mask(bitIndex)) != 0;
}

void RestrictionTable::setBit(const FieldDescriptor& array, std::size_t slot, unsigned bitIndex,
                              bool state) {
    const std::uint32_t cleared = readField(bytes, array, slot) & ~mask(bitIndex);
    writeField(bytes, array, slot, state ? cleared | mask(bitIndex) : cleared);
}

}  // namespace tarnwick::model
