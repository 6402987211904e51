#include "core/model/TypedNumber.h"

#include <algorithm>
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

std::string withoutZeroFraction(const std::string& text) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos) {
        return text;
    }
    const std::size_t digits = start + (text[start] == '+' || text[start] == '-' ? 1 : 0);
    const std::size_t point = text.find_first_not_of("0123456789", digits);
    if (point == digits || point == std::string::npos || text[point] != '.') {
        return text;
    }
    const std::size_t zerosEnd = std::min(text.find_first_not_of('0', point + 1), text.size());
    if (zerosEnd == point + 1 || text.find_first_not_of(' ', zerosEnd) != std::string::npos) {
        return text;
    }
    return text.substr(0, point) + text.substr(zerosEnd);
}

std::int64_t parseWrittenInteger(const std::string& text) {
    try {
        return parseInteger<std::int64_t>(withoutZeroFraction(text));
    } catch (const Error&) {
        // The message quotes the text as it was written, fraction and all.
        throw Error("'" + text + "' is not a valid integer value");
    }
}

ValueDoesNotFit::ValueDoesNotFit(std::int64_t value, const std::string& label, std::int64_t minimum,
                                 std::int64_t maximum)
    : Error(std::to_string(value) + " does not fit " + label + " (" + std::to_string(minimum) +
            " to " + std::to_string(maximum) + ")") {}

void checkFits(std::int64_t value, const std::string& label, std::int64_t minimum,
               std::int64_t maximum) {
    if (value < minimum || value > maximum) {
        throw ValueDoesNotFit(value, label, minimum, maximum);
    }
}

std::uint32_t checkedStoredValue(const FieldDescriptor& field, std::int64_t shown,
                                 const std::string& label) {
    if (!field.holdsShown(shown)) {
        throw ValueDoesNotFit(shown, label, field.minimumShown(), field.maximumShown());
    }
    return field.storedValue(shown);
}

}  // namespace tarnwick::model
