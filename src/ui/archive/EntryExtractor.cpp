#include "ui/archive/EntryExtractor.h"

#include "core/archive/Archive.h"
#include "platform/GameArchives.h"
#include "ui/prompts/CommandFailed.h"

namespace tarnwick::ui {

std::vector<std::uint8_t> EntryExtractor::extractEntry(std::int64_t entry,
                                                       const QString& archiveName) const {
    try {
        const platform::MappedFile archive = platform::openGameArchive(gameDirectory_, archiveName);
        return archive::ArchiveView(archive.bytes()).extract(entry);
    } catch (const CommandFailed&) {
        throw;
    } catch (const std::exception& error) {
        throw CommandFailed(errorMessage(QString("A fatal error has occured during extraction! ") +
                                         QString::fromStdString(error.what())));
    }
}

}  // namespace tarnwick::ui
