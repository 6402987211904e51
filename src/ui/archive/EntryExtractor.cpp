#include "ui/archive/EntryExtractor.h"

#include "core/Error.h"
#include "core/archive/Archive.h"
#include "platform/GameArchives.h"

namespace tarnwick::ui {

std::optional<std::vector<std::uint8_t>> EntryExtractor::extractEntry(std::int64_t entry,
                                                                      const QString& archiveName) {
    entryLength_ = -1;
    try {
        const platform::MappedFile archive = platform::openGameArchive(gameDirectory_, archiveName);
        auto bytes = archive::ArchiveView(archive.bytes()).extract(entry);
        entryLength_ = static_cast<std::int32_t>(bytes.size());
        return bytes;
    } catch (const std::exception& error) {
        prompts_.error(QString("A fatal error has occured during extraction! ") +
                       QString::fromStdString(error.what()));
    }
    return std::nullopt;
}

}  // namespace tarnwick::ui
