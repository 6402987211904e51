#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/bytes/LittleEndian.h"

namespace tarnwick::model {

// One array of a table record: `count` elements of `parts` numbers, each `width` bytes wide
// (tileSize and boxSize are the only fields with two parts: width, then height).
struct FieldDescriptor {
    std::string_view name;
    std::size_t offset = 0;
    std::size_t width = 0;
    std::size_t count = 0;
    std::size_t parts = 1;
    bool isSigned = false;
    // What the user sees is the stored number times this: the unit costs are stored in tens.
    std::int64_t scale = 1;

    constexpr std::size_t elementSize() const { return width * parts; }
    constexpr std::size_t end() const { return offset + elementSize() * count; }
    // The values an element holds as the editor shows them (see displayValue).
    constexpr std::int64_t minimumValue() const {
        return isSigned ? -(std::int64_t{1} << (8 * width - 1)) : 0;
    }
    constexpr std::int64_t maximumValue() const {
        return (std::int64_t{1} << (isSigned ? 8 * width - 1 : 8 * width)) - 1;
    }
};

// True when the fields follow each other without a gap and end exactly at `recordSize`:
// pins every offset of a record together with its size.
template <std::size_t N>
constexpr bool fieldsTileRecord(const FieldDescriptor (&fields)[N], std::size_t recordSize) {
    std::size_t expected = 0;
    for (const FieldDescriptor& field : fields) {
        if (field.offset != expected || field.width == 0 || field.count == 0) {
            return false;
        }
        expected = field.end();
    }
    return expected == recordSize;
}

inline std::size_t fieldOffset(const FieldDescriptor& field, std::size_t index, std::size_t part) {
    if (index >= field.count || part >= field.parts) {
        throw Error("Element " + std::to_string(index) + " of " + std::string(field.name) +
                    " does not exist");
    }
    return field.offset + index * field.elementSize() + part * field.width;
}

inline std::uint32_t readField(std::span<const std::uint8_t> record, const FieldDescriptor& field,
                               std::size_t index, std::size_t part = 0) {
    return bytes::readLe(record, fieldOffset(field, index, part), field.width);
}

inline void writeField(std::span<std::uint8_t> record, const FieldDescriptor& field,
                       std::size_t index, std::uint32_t value, std::size_t part = 0) {
    bytes::writeLe(record, fieldOffset(field, index, part), field.width, value);
}

// The value as the editor shows it: sign-extended for signed fields.
inline std::int64_t displayValue(const FieldDescriptor& field, std::uint32_t raw) {
    if (!field.isSigned) {
        return raw;
    }
    const unsigned bits = static_cast<unsigned>(8 * field.width);
    const std::uint32_t signBit = std::uint32_t{1} << (bits - 1);
    const std::int64_t value = raw;
    return (raw & signBit) != 0 ? value - (std::int64_t{1} << bits) : value;
}

// Looks a field up by name; nullptr when the record has none.
template <std::size_t N>
const FieldDescriptor* findField(const FieldDescriptor (&fields)[N], std::string_view name) {
    for (const FieldDescriptor& field : fields) {
        if (field.name == name) {
            return &field;
        }
    }
    return nullptr;
}

}  // namespace tarnwick::model
