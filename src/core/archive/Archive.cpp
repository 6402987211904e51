#include "core/archive/Archive.h"

#include <algorithm>

#include "core/Error.h"
#include "core/archive/LzssDecoder.h"
#include "core/bytes/LittleEndian.h"

namespace tarnwick::archive {

namespace {
constexpr std::size_t kEntryHeaderSize = 4;
constexpr std::uint32_t kMaxLength = 0xFFFFFF;

std::string missingEntry(std::int64_t entry) {
    return "Entry does not exist in opened data file!: " + std::to_string(entry);
}
}  // namespace

ArchiveView::ArchiveView(std::span<const std::uint8_t> bytes) : bytes_(bytes) {
    if (bytes.size() < kArchiveHeaderSize) {
        throw Error("The archive is damaged: it is shorter than its header");
    }
    count_ = bytes::readLe(bytes, 4, 2);
    if (bytes.size() - kArchiveHeaderSize < 4 * count_) {
        throw Error("The archive is damaged: its table of " + std::to_string(count_) +
                    " entries runs past the end of the file");
    }
}

std::int32_t ArchiveView::offset(std::size_t slot) const {
    return static_cast<std::int32_t>(bytes::readLe(bytes_, kArchiveHeaderSize + 4 * slot, 4));
}

std::size_t ArchiveView::slotOf(std::int64_t entry) const {
    if (entry < 0 || static_cast<std::uint64_t>(entry) >= count_ ||
        offset(static_cast<std::size_t>(entry)) == -1) {
        throw Error(missingEntry(entry));
    }
    return static_cast<std::size_t>(entry);
}

EntryInfo ArchiveView::info(std::int64_t entry) const {
    const std::size_t slot = slotOf(entry);
    const std::int32_t start = offset(slot);
    // The entry ends where the next higher offset begins, or at the end of the file.
    std::int64_t end = static_cast<std::int64_t>(bytes_.size());
    bool endIsAnEntry = false;
    for (std::size_t other = 0; other < count_; ++other) {
        const std::int32_t value = offset(other);
        if (value > start && (!endIsAnEntry || value < end)) {
            end = value;
            endIsAnEntry = true;
        }
    }
    const auto fileSize = static_cast<std::int64_t>(bytes_.size());
    // No entry can start inside the header or the offset table.
    const auto tableEnd = static_cast<std::int64_t>(kArchiveHeaderSize + 4 * count_);
    if (start < tableEnd || start > fileSize || end > fileSize) {
        throw Error("Entry " + std::to_string(entry) + " lies outside the archive");
    }
    if (end - start < static_cast<std::int64_t>(kEntryHeaderSize)) {
        throw Error("Entry " + std::to_string(entry) + " is too short for its header");
    }
    EntryInfo result;
    result.offset = static_cast<std::size_t>(start);
    result.storedLength = static_cast<std::size_t>(end - start);
    const std::uint32_t header = bytes::readLe(bytes_, result.offset, 4);
    result.compressed = (header >> 24) == kCompressedMark;
    result.length =
        result.compressed ? (header & kMaxLength) : result.storedLength - kEntryHeaderSize;
    return result;
}

std::vector<std::uint8_t> ArchiveView::extract(std::int64_t entry) const {
    const EntryInfo entryInfo = info(entry);
    const auto payload = bytes_.subspan(entryInfo.offset + kEntryHeaderSize,
                                        entryInfo.storedLength - kEntryHeaderSize);
    if (entryInfo.compressed) {
        return lzssDecompress(payload, entryInfo.length);
    }
    return {payload.begin(), payload.end()};
}

void ArchiveView::checkIntact() const {
    std::vector<std::int64_t> starts;
    starts.reserve(count_);
    for (std::size_t slot = 0; slot < count_; ++slot) {
        const std::int32_t start = offset(slot);
        if (start == -1) {
            continue;
        }
        if (start < static_cast<std::int64_t>(kArchiveHeaderSize + 4 * count_)) {
            throw Error("The archive is damaged: entry " + std::to_string(slot) +
                        " lies inside its table");
        }
        if (start > static_cast<std::int64_t>(bytes_.size() - kEntryHeaderSize)) {
            throw Error("The archive is damaged: entry " + std::to_string(slot) +
                        " lies beyond the end of the file");
        }
        starts.push_back(start);
    }
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    for (std::size_t i = 1; i < starts.size(); ++i) {
        if (starts[i] - starts[i - 1] < static_cast<std::int64_t>(kEntryHeaderSize)) {
            throw Error("The archive is damaged: the entry at " + std::to_string(starts[i - 1]) +
                        " is too short for its header");
        }
    }
}

std::uint32_t entryHeader(std::size_t length, bool compressed) {
    if (length > kMaxLength) {
        throw Error("An entry of " + std::to_string(length) +
                    " bytes is longer than an archive can hold");
    }
    return static_cast<std::uint32_t>(length) |
           (compressed ? std::uint32_t{kCompressedMark} << 24 : 0);
}

}  // namespace tarnwick::archive
