#include "ui/archive/ArchiveWriter.h"

#include "core/archive/EntryInsertion.h"
#include "core/archive/LzssEncoder.h"
#include "platform/FileStore.h"
#include "platform/GameArchives.h"
#include "ui/prompts/CommandFailed.h"

namespace tarnwick::ui {

namespace {
QString quoted(const QString& name) {
    return "\"" + name + "\"";
}
QString reason(const std::exception& error) {
    return QString::fromStdString(error.what());
}
}  // namespace

void ArchiveWriter::compressFile(const QString& input, const QString& output) {
    std::vector<std::uint8_t> data;
    try {
        data = platform::readWholeFile(input);
    } catch (const std::exception& error) {
        throw CommandFailed(
            errorMessage("Error opening input file " + quoted(input) + " : " + reason(error)));
    }
    try {
        platform::saveWholeFile(output, archive::lzssCompress(data, progress_));
    } catch (const platform::SaveFailed& error) {
        progress_.finish();
        if (error.step == platform::SaveFailed::Step::Create) {
            throw CommandFailed(errorMessage("Error opening output file " + quoted(output) + " : " +
                                             reason(error)));
        }
        throw CommandFailed(errorMessage("Error compressing " + quoted(input) + " to " +
                                         quoted(output) + " : " + reason(error)));
    }
}

void ArchiveWriter::insertEntry(std::span<const std::uint8_t> data, std::int64_t entry,
                                const QString& archiveName, std::uint32_t header) {
    try {
        const QString path = platform::locateGameArchive(gameDirectory_, archiveName);
        const auto archive = platform::readWholeFile(path);
        platform::saveWholeFile(path,
                                archive::insertEntry(archive, entry, header, data, progress_));
    } catch (const std::exception& error) {
        progress_.finish();
        throw CommandFailed(
            errorMessage("A fatal error has occured during insertion!" + reason(error)));
    }
}

}  // namespace tarnwick::ui
