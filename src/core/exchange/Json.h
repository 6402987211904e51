#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::exchange {

// A JSON value as a changes file holds it: numbers as written, so that what is no whole number
// is refused as the user wrote it; an object's members in the file's order.
struct JsonValue {
    enum class Kind { Null, Boolean, Number, String, Array, Object };

    Kind kind = Kind::Null;
    std::size_t line = 0;           // where the value begins, from 1
    std::string text;               // a number as written, or a string's UTF-8
    std::vector<JsonValue> items;   // an array's elements, or an object's member values
    std::vector<std::string> keys;  // an object's member names, one per item

    // The member named `key`, or nullptr.
    const JsonValue* member(std::string_view key) const;
};

// One JSON value (RFC 8259), a leading UTF-8 byte order mark skipped. Strict: a key named twice
// in one object, a control byte inside a string, a lone surrogate, nesting deeper than a
// changes file needs, or anything after the value throws tarnwick::Error naming the line and,
// for a key named twice, the key and the path of its object ("units[0]").
JsonValue readJson(std::string_view text);

}  // namespace tarnwick::exchange
