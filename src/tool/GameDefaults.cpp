#include "tool/GameDefaults.h"

#include <QString>

#include "core/archive/Archive.h"
#include "core/files/DocumentFiles.h"
#include "core/model/ExpansionGraphics.h"
#include "platform/GameArchives.h"
#include "tool/ToolFiles.h"

namespace tarnwick::tool {

namespace {

constexpr std::int64_t kDefaultUpgradeEntry = 1;
constexpr std::int64_t kDefaultUnitEntry = 0;

}  // namespace

model::Document gameDefaults(const std::string& gameDirectory, bool withSwamp) {
    const QString directory = systemName(gameDirectory);
    const platform::MappedFile archive = platform::openGameArchive(directory, "maindat.war");
    model::Document defaults;
    const std::int64_t unitEntry = withSwamp ? model::kDefaultUnitDataEntry : kDefaultUnitEntry;
    try {
        const archive::ArchiveView view(archive.bytes());
        for (const std::int64_t entry : {unitEntry, kDefaultUpgradeEntry}) {
            defaults = files::readDocument(defaults, view.extract(entry),
                                           "MAINDAT.WAR entry " + std::to_string(entry));
        }
    } catch (const Error& error) {
        throw aboutFile(commandLineName(platform::locateGameArchive(directory, "maindat.war")),
                        error);
    }
    defaults.restrictions = model::RestrictionTable::defaults();
    return defaults;
}

}  // namespace tarnwick::tool
