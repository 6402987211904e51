#include "tool/UnitNames.h"

#include <algorithm>
#include <vector>

#include <QString>

#include "core/archive/Archive.h"
#include "core/bytes/Printable.h"
#include "core/exchange/UnitNameLookup.h"
#include "core/game/StringTable.h"
#include "core/model/TypedNumber.h"
#include "core/model/UnitRowNames.h"
#include "platform/GameArchives.h"
#include "tool/ToolFiles.h"

namespace tarnwick::tool {

namespace {

constexpr std::int64_t kNamesEntry = 1;

}  // namespace

UnitNames::UnitNames(const std::optional<std::string>& gameDirectory) {
    for (std::size_t row = 0; row < names_.size(); ++row) {
        names_[row] = bytes::printable(model::fixedUnitRowName(row));
    }
    if (!gameDirectory) {
        return;
    }
    try {
        const platform::MappedFile archive =
            platform::openGameArchive(systemName(*gameDirectory), "strdat.war");
        const auto entry = archive::ArchiveView(archive.bytes()).extract(kNamesEntry);
        const game::GameNames names = game::readGameNames(entry);
        for (std::size_t row = 0; row < names.unitRows.size(); ++row) {
            if (names.unitRows[row]) {
                names_[row] = bytes::printable(*names.unitRows[row]);
            }
        }
    } catch (const Error& error) {
        throw Error("No unit names in \"" + *gameDirectory + "\": " + error.what());
    }
    fromGame_ = true;
}

std::string UnitNames::printed(std::size_t row) const {
    std::string name = names_[row];
    std::replace(name.begin(), name.end(), ' ', '_');
    return name;
}

std::int64_t UnitNames::find(const std::string& unit) const {
    return exchange::findUnitRow(names_, unit, unknownNameHint());
}

std::string_view UnitNames::unknownNameHint() const {
    return fromGame_ ? "" : " (the names of units 0 to 104 need --game DIR)";
}

std::size_t UnitNames::fromArgument(const std::string& argument, const std::string& unit) const {
    std::int64_t row = -1;
    try {
        row = find(unit);
    } catch (const Error& error) {
        throw UsageError(argument + ": " + error.what());
    }
    if (row < 0 || row >= static_cast<std::int64_t>(names_.size())) {
        throw UsageError(argument + ": There is no unit " + unit + " (ids 0 to " +
                         std::to_string(names_.size() - 1) + ")");
    }
    return static_cast<std::size_t>(row);
}

}  // namespace tarnwick::tool
