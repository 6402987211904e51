#include "core/model/TypedNumber.h"

#include <charconv>
#include <string_view>

#include "core/Error.h"

namespace tarnwick::model {

namespace {

template <typename Integer>
Integer parseInteger(const std::string& text) {
    std::string_view digits = text;
    while (!digits.empty() && digits.front() == ' ') {
        digits.remove_prefix(1);
    }
    while (!digits.empty() && digits.back() == ' ') {
        digits.remove_suffix(1);
    }
    // from_chars takes no plus sign; a lone sign or "+-1" must still fail.
    if (digits.size() > 1 && digits.front() == '+' && digits[1] != '-') {
        digits.remove_prefix(1);
    }
    Integer value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        throw Error("'" + text + "' is not a valid integer value");
    }
    return value;
}

}  // namespace

std::int32_t parseTypedInteger(const std::string& text) {
    return parseInteger<std::int32_t>(text);
}

std::int64_t parseTypedInteger64(const std::string& text) {
    return parseInteger<std::int64_t>(text);
}

}  // namespace tarnwick::model
