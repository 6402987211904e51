#include "ui/archive/ArchiveWriter.h"

#include "core/archive/Archive.h"
#include "core/archive/EntryInsertion.h"
#include "platform/FileStore.h"
#include "platform/GameArchives.h"
#include "ui/prompts/CommandFailed.h"

namespace tarnwick::ui {

namespace {
QString reason(const std::exception& error) {
    return QString::fromStdString(error.what());
}
}  // namespace

void ArchiveWriter::insertEntry(std::span<const std::uint8_t> data, std::int64_t entry,
                                const QString& archiveName, std::uint32_t header) {
    try {
        const QString path = platform::locateGameArchive(gameDirectory_, archiveName);
        const auto archive = platform::readWholeFile(path, archive::kLargestArchive);
        platform::saveWholeFile(path,
                                archive::insertEntry(archive, entry, header, data, progress_));
    } catch (const std::exception& error) {
        progress_.finish();
        throw CommandFailed(
            errorMessage("A fatal error has occured during insertion!" + reason(error)));
    }
}

}  // namespace tarnwick::ui
