#include "core/archive/EntryInsertion.h"

#include <algorithm>
#include <limits>

#include "core/Error.h"
#include "core/archive/Archive.h"
#include "core/bytes/LittleEndian.h"

namespace tarnwick::archive {

std::vector<std::uint8_t> insertEntry(std::span<const std::uint8_t> archive, std::int64_t entry,
                                      std::uint32_t header, std::span<const std::uint8_t> data,
                                      Progress& progress) {
    const ArchiveView view(archive);
    view.checkIntact();
    const EntryInfo old = view.info(entry);
    const std::size_t tableEnd = kArchiveHeaderSize + 4 * view.entryCount();
    const std::size_t next = old.offset + old.storedLength;
    const auto growth =
        static_cast<std::int64_t>(4 + data.size()) - static_cast<std::int64_t>(old.storedLength);

    progress.start("Inserting...", 2 * static_cast<long long>(archive.size()));
    std::vector<std::uint8_t> out(archive.size() + 4 + data.size() - old.storedLength);
    std::copy_n(archive.begin(), kArchiveHeaderSize, out.begin());
    const auto start = static_cast<std::int64_t>(old.offset);
    for (std::size_t slot = 0; slot < view.entryCount(); ++slot) {
        std::int64_t value = view.offset(slot);
        if (value != -1 && value > start) {
            value += growth;
            if (value > std::numeric_limits<std::int32_t>::max()) {
                progress.finish();
                throw Error("The archive would grow past what its table can address");
            }
        }
        bytes::writeLe(out, kArchiveHeaderSize + 4 * slot, 4, static_cast<std::uint32_t>(value));
    }
    auto at = out.begin() + static_cast<std::ptrdiff_t>(tableEnd);
    at = std::copy(archive.begin() + static_cast<std::ptrdiff_t>(tableEnd),
                   archive.begin() + static_cast<std::ptrdiff_t>(old.offset), at);
    progress.advance(static_cast<long long>(old.offset));
    bytes::writeLe(out, static_cast<std::size_t>(at - out.begin()), 4, header);
    at = std::copy(data.begin(), data.end(), at + 4);
    progress.advance(static_cast<long long>(old.offset + data.size()));
    std::copy(archive.begin() + static_cast<std::ptrdiff_t>(next), archive.end(), at);
    progress.advance(2 * static_cast<long long>(archive.size()));
    progress.finish();
    return out;
}

}  // namespace tarnwick::archive
