#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick::fuzz {

// The seed inputs of a target, made by the project's own builders.
std::vector<std::vector<std::uint8_t>> seedsFor(const std::string& target);

}  // namespace tarnwick::fuzz
