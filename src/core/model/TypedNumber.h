#pragma once

#include <cstdint>
#include <string>

namespace tarnwick::model {

// A number as the user types it: an optional sign and decimal digits, within 32 bits signed,
// blanks around it allowed. Anything else throws "'text' is not a valid integer value".
std::int32_t parseTypedInteger(const std::string& text);
// The same within 64 bits, for values checked against a field's range before they are cut.
std::int64_t parseTypedInteger64(const std::string& text);

}  // namespace tarnwick::model
