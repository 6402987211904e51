#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/exchange/TableDiff.h"

namespace tarnwick::exchange {

// Which side settles a value the two sides changed differently; Neither leaves it a conflict.
enum class Prefer { Neither, A, B };

struct Conflict {
    Difference a;  // its `before` is the base value, none when no base is known
    std::int64_t b;
};

struct Merge {
    std::vector<Difference> taken;    // table by table, row by row, in column order
    std::vector<Conflict> conflicts;  // when a side is preferred, its value is among `taken`
};

// A three-way merge of the changes each side made to one base: a value changed on one side only
// is taken, changed the same way on both taken once, changed differently a conflict.
Merge mergeChanges(const std::vector<Difference>& a, const std::vector<Difference>& b,
                   Prefer prefer);

// One line per conflict, "unit 3 Lancer hitPoints: base 90, A 100, B 120" (no base when none is
// known, "; settled: A" when settled), the first 20, then "... and N more".
std::string conflictLines(const Merge& merge, Prefer prefer, const RowNamer& nameOf);

}  // namespace tarnwick::exchange
