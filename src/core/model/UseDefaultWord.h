#pragma once

#include <cstdint>

namespace tarnwick::model {

// The toggle of both useDefault words: 0 becomes 1, anything else counts down by one.
constexpr std::uint16_t toggledUseDefault(std::uint16_t word) {
    return word == 0 ? std::uint16_t{1} : static_cast<std::uint16_t>(word - 1);
}

// The unit table's menu check shows exactly 1; the upgrade table's any non-zero low byte.
constexpr bool unitUseDefaultChecked(std::uint16_t word) {
    return word == 1;
}
constexpr bool upgradeUseDefaultChecked(std::uint16_t word) {
    return (word & 0xFF) != 0;
}

}  // namespace tarnwick::model
