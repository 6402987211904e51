#include <optional>

#include <QString>

#include "core/Progress.h"
#include "core/archive/Archive.h"
#include "core/archive/ArchiveSlots.h"
#include "core/archive/EntryInsertion.h"
#include "core/archive/LzssEncoder.h"
#include "core/files/DocumentFiles.h"
#include "core/model/TypedNumber.h"
#include "platform/GameArchives.h"
#include "tool/Commands.h"
#include "tool/ToolFiles.h"

namespace tarnwick::tool {

namespace {

std::int64_t entryNumber(const std::string& text) {
    return model::parseTypedInteger(text);
}

// The whole table is checked before the first line: a file that is no archive gets one clear
// refusal, not a listing of made-up entries.
void listEntries(const Invocation& invocation, std::ostream& out) {
    const std::string& path = invocation.arguments[0];
    const MappedInput file(path, archive::kLargestArchive);
    std::optional<archive::ArchiveView> view;
    try {
        view.emplace(file.bytes());
        view->checkIntact();
    } catch (const Error& error) {
        throw Error(quoted(path) + " is no game archive, or a damaged one: " + error.what());
    }
    for (std::size_t slot = 0; slot < view->entryCount(); ++slot) {
        out << slot << ' ';
        if (view->offset(slot) == -1) {
            out << "empty\n";
            continue;
        }
        const archive::EntryInfo info = view->info(static_cast<std::int64_t>(slot));
        out << info.offset << ' ' << info.storedLength << ' '
            << (info.compressed ? "compressed" : "stored") << ' ' << info.length << '\n';
    }
}

void extractEntry(const Invocation& invocation, std::ostream&) {
    checkOutput(invocation.arguments[2], {invocation.arguments[0]});
    const std::string& path = invocation.arguments[0];
    const MappedInput file(path, archive::kLargestArchive);
    const auto bytes = [&] {
        try {
            return archive::ArchiveView(file.bytes()).extract(entryNumber(invocation.arguments[1]));
        } catch (const Error& error) {
            throw aboutFile(path, error);
        }
    }();
    writeOutput(invocation.arguments[2], bytes);
}

void compressFile(const Invocation& invocation, std::ostream&) {
    checkOutput(invocation.arguments[1], {invocation.arguments[0]});
    NoProgress quiet;
    writeOutput(
        invocation.arguments[1],
        archive::lzssCompress(readInput(invocation.arguments[0], archive::kLargestEntry), quiet));
}

// The archive at `path` with `entry` replaced; a refusal names the archive.
std::vector<std::uint8_t> rebuiltArchive(const std::string& path, std::int64_t entry,
                                         std::uint32_t header,
                                         std::span<const std::uint8_t> payload) {
    const auto archiveBytes = readInput(path, archive::kLargestArchive);
    NoProgress quiet;
    try {
        return archive::insertEntry(archiveBytes, entry, header, payload, quiet);
    } catch (const Error& error) {
        throw aboutFile(path, error);
    }
}

// As Direct Save stores an entry: compressed with the length and 0x20 in its header, or as is.
void insertEntry(const Invocation& invocation, std::ostream&) {
    const std::string& archivePath = invocation.arguments[0];
    checkOutput(archivePath);  // "-" reads the archive from standard input, writes it to output
    const bool compress = invocation.isSet("compress");
    const std::int64_t entry = entryNumber(invocation.arguments[1]);
    const auto data = readInput(invocation.arguments[2], archive::kLargestEntry);
    NoProgress quiet;
    const auto payload = compress ? archive::lzssCompress(data, quiet) : data;
    writeOutput(archivePath, rebuiltArchive(archivePath, entry,
                                            archive::entryHeader(data.size(), compress), payload));
}

void listSlots(const Invocation&, std::ostream& out) {
    for (const archive::ArchiveSlot& slot : archive::archiveSlots()) {
        out << slot.row << ' ' << slot.entry << ' ' << slot.caption << '\n';
    }
}

const archive::ArchiveSlot& slotArgument(const std::string& row) {
    return archive::slotAtRow(model::parseTypedInteger(row));
}

// As Direct Open reads a slot: what it could not open is refused the same way.
void directLoad(const Invocation& invocation, std::ostream&) {
    const archive::ArchiveSlot& slot = slotArgument(invocation.arguments[1]);
    const QString gameDirectory = systemName(invocation.arguments[0]);
    checkOutput(
        invocation.arguments[2],
        {commandLineName(platform::locateGameArchive(gameDirectory, archive::kSlotArchive))});
    const platform::MappedFile file =
        platform::openGameArchive(gameDirectory, archive::kSlotArchive);
    const auto entry = archive::ArchiveView(file.bytes()).extract(slot.entry);
    files::readDocument({}, entry, {});
    writeOutput(invocation.arguments[2], entry);
}

// As Direct Save writes the document that FILE opens as into a slot.
void directSave(const Invocation& invocation, std::ostream&) {
    const archive::ArchiveSlot& slot = slotArgument(invocation.arguments[1]);
    const std::string& file = invocation.arguments[2];
    const model::Document document = openDocument(file);
    const archive::PackedEntry packed = [&] {
        NoProgress quiet;
        try {
            return archive::packForSlot(document, slot, !invocation.isSet("no-compress"), quiet);
        } catch (const Error& error) {
            throw aboutFile(file, error);
        }
    }();
    const std::string archivePath = commandLineName(
        platform::locateGameArchive(systemName(invocation.arguments[0]), archive::kSlotArchive));
    writeOutput(archivePath,
                rebuiltArchive(archivePath, slot.entry, packed.header, packed.payload));
}

}  // namespace

std::vector<Command> archiveCommands() {
    const Argument archiveArgument{"ARCHIVE", "a game archive, such as DATA/MAINDAT.WAR"};
    const Argument entryArgument{"N", "the entry's number, from 0", countValue()};
    const Argument gameArgument{"GAMEDIR", "the game directory, holding DATA/MAINDAT.WAR",
                                directoryValue()};
    const Argument rowArgument{"ROW", "the slot's row as slots lists it, 1 to 87",
                               integerValue(1, archive::kArchiveSlotCount)};
    return {
        {"list",
         "One line per entry of a game archive: number, offset, stored length, \"compressed\" or "
         "\"stored\", unpacked length; or number and \"empty\". A file that is no archive is "
         "refused.",
         {archiveArgument},
         {},
         "tarnwick-tool list war2/DATA/MAINDAT.WAR",
         listEntries},
        {"extract",
         "Writes the unpacked bytes of one entry of a game archive.",
         {archiveArgument, entryArgument, {"OUT", "the file to write"}},
         {},
         "tarnwick-tool extract war2/DATA/MAINDAT.WAR 2 units.udta",
         extractEntry},
        {"compress",
         "Writes the bare compressed stream of a file, as the archives store it.",
         {{"IN", "the file to compress"}, {"OUT", "the stream to write"}},
         {},
         "tarnwick-tool compress units.udta units.lz",
         compressFile},
        {"insert",
         "Replaces an entry of a game archive by a file, moving the entries behind it. The "
         "archive is replaced only when complete.",
         {archiveArgument, entryArgument, {"FILE", "the new contents of the entry"}},
         {{"compress", "", "store the entry compressed"}},
         "tarnwick-tool insert war2/DATA/MAINDAT.WAR 2 units.udta --compress",
         insertEntry},
        {"slots",
         "The slots of the game's MAINDAT.WAR that direct-load and direct-save know, one a line: "
         "row, entry, caption, as the editor's Direct Open and Direct Save list them.",
         {},
         {},
         "tarnwick-tool slots | grep Demo",
         listSlots},
        {"direct-load",
         "Writes the entry of a slot of the game's MAINDAT.WAR as it stands, when the editor's "
         "Direct Open can open it (a scenario, unit data or upgrade data).",
         {gameArgument, rowArgument, {"OUT", "the file to write"}},
         {},
         "tarnwick-tool direct-load ~/war2 4 level1.pud",
         directLoad},
        {"direct-save",
         "Puts a scenario, unit data or upgrade data file into a slot of the game's MAINDAT.WAR, "
         "written as the editor writes that kind, as Direct Save does. A slot takes only its "
         "own kind; the archive is replaced only when complete.",
         {gameArgument, rowArgument, {"FILE", "the file to put in, read as the editor opens it"}},
         {{"no-compress", "", "store the entry as is instead of compressed"}},
         "tarnwick-tool direct-save ~/war2 4 level1.pud",
         directSave},
    };
}

}  // namespace tarnwick::tool
