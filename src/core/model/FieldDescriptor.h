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
    // What the user sees and types is the stored number times this: the unit costs are shown
    // and typed in gold (lumber, oil) and stored in tens. `shownIn` names what the user counts.
    std::int64_t scale = 1;
    std::string_view shownIn = {};

    constexpr std::size_t elementSize() const { return width * parts; }
    constexpr std::size_t end() const { return offset + elementSize() * count; }
    // The values an element holds as the editor shows them (see displayValue).
    constexpr std::int64_t minimumValue() const {
        return isSigned ? -(std::int64_t{1} << (8 * width - 1)) : 0;
    }
    constexpr std::int64_t maximumValue() const {
        return (std::int64_t{1} << (isSigned ? 8 * width - 1 : 8 * width)) - 1;
    }
    // The same as the user sees and types them: gold 0 to 2550 for a cost.
    constexpr std::int64_t minimumShown() const { return minimumValue() * scale; }
    constexpr std::int64_t maximumShown() const { return maximumValue() * scale; }
    // The one range rule of the field, for the windows and the tool alike.
    constexpr bool holdsShown(std::int64_t shown) const {
        return shown >= minimumShown() && shown <= maximumShown();
    }

    // The one rule between what is stored and what the user sees, for the windows, the tables
    // the tool prints and reads, and every tool command. Shown: the stored element
    // sign-extended, times the scale.
    std::int64_t shownValue(std::uint32_t raw) const;
    // Stored: a value as the user types it divided by the scale, truncating toward zero as the
    // editor's boxes do (gold 255 is kept as 25 and shows again as 250); writing it keeps the
    // element's low bits.
    std::uint32_t storedValue(std::int64_t shown) const {
        return static_cast<std::uint32_t>(shown / scale);
    }
    // "shown and typed in gold; stored in tens" for a field with a scale (10 is the only one
    // the tables have: see keptInTensOrWhole), else empty.
    std::string scaleNote() const;
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

// True when every field is stored whole or in tens, as scaleNote says.
template <std::size_t N>
constexpr bool keptInTensOrWhole(const FieldDescriptor (&fields)[N]) {
    for (const FieldDescriptor& field : fields) {
        if (field.scale != 1 && (field.scale != 10 || field.shownIn.empty())) {
            return false;
        }
    }
    return true;
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

inline std::int64_t FieldDescriptor::shownValue(std::uint32_t raw) const {
    return displayValue(*this, raw) * scale;
}

inline std::string FieldDescriptor::scaleNote() const {
    return scale == 1 ? std::string()
                      : "shown and typed in " + std::string(shownIn) + "; stored in tens";
}

}  // namespace tarnwick::model
