#pragma once

#include <cstdint>
#include <vector>

namespace tarnwick::fuzz {

// Changes files of one format that reach its reader's corners: a few rows of each table as the
// tool exports them, a key given twice, NUL bytes, a byte order mark, CRLF, UTF-16, deep
// nesting (JSON), numbers as spreadsheets write them ("60.0"), rows named instead of numbered.
std::vector<std::vector<std::uint8_t>> csvChangesSeeds();
std::vector<std::vector<std::uint8_t>> jsonChangesSeeds();

}  // namespace tarnwick::fuzz
