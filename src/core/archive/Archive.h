#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/bytes/InputLimit.h"

namespace tarnwick::archive {

inline constexpr std::size_t kArchiveHeaderSize = 8;
// An entry's header keeps its unpacked length in 24 bits.
inline constexpr bytes::InputLimit kLargestEntry{0xFFFFFF, "archive entry"};
// Offsets are signed 32-bit numbers, so the last entry starts before 2 GiB; behind it come its
// header and at most its largest length, as the LZSS stream stores it at worst (one flag byte
// for every eight).
inline constexpr bytes::InputLimit kLargestArchive{
    std::size_t{0x7FFFFFFF} + 4 + kLargestEntry.bytes + kLargestEntry.bytes / 8 + 1, "archive"};
inline constexpr std::uint8_t kCompressedMark = 0x20;  // top byte of a compressed entry's header

// What an entry holds and where: for listings and for the editor's own checks.
struct EntryInfo {
    std::size_t offset = 0;
    std::size_t storedLength = 0;  // the extent, header included
    bool compressed = false;
    std::size_t length = 0;  // the bytes it unpacks to
};

// A game archive held in memory: a header with the entry count, a table of absolute offsets
// (-1 for an empty slot) and the entries, each a 4-byte header and its payload. Every access is
// checked against the archive's bytes; a damaged archive gives a clear error, never a read past
// its end.
class ArchiveView {
  public:
    // Throws when the bytes cannot even hold the header and the offset table.
    explicit ArchiveView(std::span<const std::uint8_t> bytes);

    std::size_t entryCount() const { return count_; }
    std::int32_t offset(std::size_t slot) const;

    // Throws "Entry does not exist in opened data file!: N" for a number outside the table
    // and for an empty slot, and a clear error for an entry that lies outside the archive.
    EntryInfo info(std::int64_t entry) const;
    // The entry's bytes, unpacked when compressed.
    std::vector<std::uint8_t> extract(std::int64_t entry) const;
    // Throws unless every entry lies behind the table, inside the file and has room for its
    // header: an archive that is written into must be whole, or its damage would be kept.
    void checkIntact() const;

  private:
    std::size_t slotOf(std::int64_t entry) const;

    std::span<const std::uint8_t> bytes_;
    std::size_t count_ = 0;
};

// An entry header for data of `length` bytes, stored as is or compressed.
std::uint32_t entryHeader(std::size_t length, bool compressed);

}  // namespace tarnwick::archive
