#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/model/UnitDataTable.h"
#include "tool/Command.h"

namespace tarnwick::tool {

// The names `units` prints and `set` accepts, one per graphics row: the game's names of units
// 0 to 104 when a game directory is given, the editor's own names of the rows after them.
// Unprintable bytes of a name are escaped; a name is printed with its blanks as "_", so that it
// stays one field of a line.
// The option that gives commands the game's unit names.
inline const Option kGameOption{
    "game", "DIR", "the game directory (holding DATA/STRDAT.WAR), for the names of units 0 to 104",
    directoryValue()};

class UnitNames {
  public:
    // Reads the names from the game's string archive in `gameDirectory`, when one is given.
    explicit UnitNames(const std::optional<std::string>& gameDirectory);

    // Empty when the row has no known name.
    std::string printed(std::size_t row) const;
    // As the editor's unit list shows it, blanks kept.
    const std::string& shown(std::size_t row) const { return names_[row]; }
    // Every row's, in order; whether they are the game's names.
    std::span<const std::string> all() const { return names_; }
    bool fromGame() const { return fromGame_; }
    // What follows "No unit is named ...": how to get the game's names when they are missing.
    std::string_view unknownNameHint() const;

    // The row that a unit argument names: an id as typed, or a name as printed (in any letter
    // case, blanks standing for "_"). Throws for an unknown or ambiguous name.
    std::int64_t find(const std::string& unit) const;
    // The row of a unit argument, as find reads it: for an id no row has, or a name that no unit
    // or several have, a usage error that names the argument (`argument`, such as "UNIT").
    std::size_t fromArgument(const std::string& argument, const std::string& unit) const;

  private:
    std::array<std::string, model::kGraphicsRowCount> names_;
    bool fromGame_ = false;
};

}  // namespace tarnwick::tool
