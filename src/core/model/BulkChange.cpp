#include "core/model/BulkChange.h"

#include <string_view>

#include "core/Error.h"

namespace tarnwick::model {

namespace {

// Few enough digits for any field's value times any factor to stay within 64 bits; a value
// set or added may have as many as the widest field.
constexpr std::size_t kFactorDigits = 6;
constexpr std::size_t kValueDigits = 11;

struct Decimal {
    std::int64_t numerator = 0;
    std::int64_t denominator = 1;
};

// Digits with at most one decimal point; none on failure.
bool readDecimal(std::string_view text, bool allowPoint, Decimal& out) {
    const std::size_t maximumDigits = allowPoint ? kFactorDigits : kValueDigits;
    std::size_t digits = 0;
    bool afterPoint = false;
    for (const char c : text) {
        if (c == '.' && allowPoint && !afterPoint) {
            afterPoint = true;
            continue;
        }
        if (c < '0' || c > '9' || ++digits > maximumDigits) {
            return false;
        }
        out.numerator = out.numerator * 10 + (c - '0');
        if (afterPoint) {
            out.denominator *= 10;
        }
    }
    return digits > 0;
}

std::int64_t floorDivide(std::int64_t a, std::int64_t b) {
    const std::int64_t quotient = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? quotient - 1 : quotient;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

BulkChange BulkChange::parse(const std::string& text) {
    std::string_view rest = trimmed(text);
    const auto refuse = [&text]() -> BulkChange {
        throw Error("'" + text + "' is not a value or a change");
    };
    if (rest.empty()) {
        return refuse();
    }
    const char first = rest.front();
    Decimal operand;
    if (first == '*') {
        if (!readDecimal(trimmed(rest.substr(1)), true, operand)) {
            return refuse();
        }
        return {Kind::Scale, operand.numerator, operand.denominator};
    }
    if (first == '+' || first == '-') {
        const std::int64_t sign = first == '-' ? -1 : 1;
        rest = trimmed(rest.substr(1));
        if (!rest.empty() && rest.back() == '%') {
            if (!readDecimal(trimmed(rest.substr(0, rest.size() - 1)), true, operand)) {
                return refuse();
            }
            return {Kind::Scale, 100 * operand.denominator + sign * operand.numerator,
                    100 * operand.denominator};
        }
        if (!readDecimal(rest, false, operand)) {
            return refuse();
        }
        return {Kind::Add, sign * operand.numerator, 1};
    }
    if (!readDecimal(rest, false, operand)) {
        return refuse();
    }
    return {Kind::Set, operand.numerator, 1};
}

std::int64_t BulkChange::applyTo(std::int64_t value, std::int64_t step) const {
    // The nearest multiple of the step to value * numerator / denominator, halves up.
    const auto nearest = [step](std::int64_t numerator, std::int64_t denominator) {
        return floorDivide(2 * numerator + denominator * step, 2 * denominator * step) * step;
    };
    switch (kind_) {
        case Kind::Set:
            return numerator_;
        case Kind::Add:
            return nearest(value + numerator_, 1);
        case Kind::Scale:
            return nearest(value * numerator_, denominator_);
    }
    return value;
}

}  // namespace tarnwick::model
